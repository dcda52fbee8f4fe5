// The windows as the desktop, a screen reader and the user's language meet them.
#include "Application.h"
#include "CarHistory.h"
#include "Translations.h"
#include "frmImport.h"
#include "frmMain.h"
#include "frmView.h"

#include "OnModal.h"
#include "ScriptedDialogs.h"
#include "TestLibrary.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The named parts of a window as a screen reader lists them: the role as AT-SPI calls it, the name, a choice's
// value, and whether a description tells what the part does. Lists and trees without their rows.
void ListNamed(QAccessibleInterface* part, QStringList& out)
{
    const QMap<QAccessible::Role, QString> roles = {
        {QAccessible::Window, "frame"}, {QAccessible::Dialog, "dialog"},  {QAccessible::Client, "filler"},
        {QAccessible::ComboBox, "combo box"}, {QAccessible::Tree, "tree"}, {QAccessible::List, "list"},
        {QAccessible::Slider, "slider"}, {QAccessible::EditableText, "text"}, {QAccessible::Canvas, "canvas"}};
    const QString name = part->text(QAccessible::Name);
    const bool valued = part->role() == QAccessible::ComboBox || part->role() == QAccessible::Slider;
    if (!name.isEmpty() && roles.contains(part->role()))
        out << QStringLiteral("%1 \"%2\"%3%4").arg(roles[part->role()], name, valued ? " = " + part->text(QAccessible::Value) : "",
                                                   part->text(QAccessible::Description).isEmpty() ? "" : " (described)");
    if (part->role() != QAccessible::List && part->role() != QAccessible::Tree)
        for (int i = 0; i < part->childCount(); ++i) ListNamed(part->child(i), out);
}

// As the program starts: the icon on every window, the one built in as pixels at the sizes an X window manager is
// sent, each as Qt's SVG plugin draws the icon's file; and the names and roles that screen readers read, the
// drop-down list's name "Car" rather than the car it shows.
TEST(Windows, CarryTheIconAndNameEveryControlForScreenReaders)
{
    app::SetUpApplication();
    const QIcon icon = QApplication::windowIcon();
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    EXPECT_EQ(sizes, QList<QSize>({{16, 16}, {32, 32}, {64, 64}, {128, 128}}));
    for (const QSize& size : icon.availableSizes()) {
        QImageReader svg(VELMAR_SOURCE_DIR "/src/app/desktop/org.velmar.CarEditor.svg");
        svg.setScaledSize(size);
        EXPECT_EQ(icon.pixmap(size).toImage().convertToFormat(QImage::Format_RGBA8888),
                  svg.read().convertToFormat(QImage::Format_RGBA8888)) << size.width();
    }
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    frmMain window;
    window.show();
    window.OpenLibrary(testlib::WriteFile(folder.filePath("two.car"), testlib::MakeCars(2, 0, "Racer")));
    QStringList named;
    QList<bool> icons;
    const auto read = [&](QWidget* w) {
        ListNamed(QAccessible::queryAccessibleInterface(w), named), icons << !w->windowHandle()->icon().pixmap(32).isNull();
    };
    read(&window);
    OnModal<frmView>([&](frmView* editor) { editor->findChild<QSlider*>("sPolys")->setValue(12), read(editor); },
                     [&] { QTest::mouseClick(window.findChild<QPushButton*>("cmdView"), Qt::LeftButton); });
    OnModal<frmImport>([&](frmImport* dialog) { read(dialog); },
                       [&] { QTest::mouseClick(window.findChild<QPushButton*>("cmdExport"), Qt::LeftButton); });
    EXPECT_EQ(icons, QList<bool>({true, true, true}));
    for (const char* expected : {"frame \"Velmar Car Editor v0.9\"", "combo box \"Car\" = Racer 0 (described)",
                                 "tree \"Parameters\" (described)", "dialog \"Edit Model\"", "filler \"Toolbox\"", "filler \"Views\"",
                                 "slider \"Triangle\" = 12 (described)", "text \"Colour\" (described)",
                                 "canvas \"Top view (XY)\" (described)", "canvas \"Side view (YZ)\" (described)",
                                 "canvas \"Back view (XZ)\" (described)", "canvas \"Preview\" (described)",
                                 "dialog \"Export\"", "list \"Cars\" (described)"})
        EXPECT_TRUE(named.contains(expected)) << expected << "\n in " << qPrintable(named.join('\n'));
}

// A library named at start opens once the window is on the screen, so that a message about it opens over the
// window where the window manager put it, not where the window was before.
TEST(Windows, ALibraryNamedAtStartOpensOnceTheWindowIsShown)
{
    QTemporaryDir folder;
    const QString damaged = testlib::WriteFile(folder.filePath("damaged.car"), QByteArray("VELMAR"));
    ScriptedDialogs dialogs;
    frmMain window;
    dialogs << "Ok";
    app::OpenWhenShown(window, damaged);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown.empty(); }));
    EXPECT_TRUE(window.windowHandle()->isExposed());
}

// ctest runs this under LANG=de_DE.UTF-8 and under LANG=C: the windows, a message and Qt's buttons in it speak
// German where the user does, and exactly the English they are written in elsewhere.
TEST(Language, WindowsSpeakTheUsersLanguage)
{
    app::InstallTranslations(*qApp);
    const bool german = QLocale().language() == QLocale::German;
    if (qgetenv("LANG").startsWith("de_")) {
        ASSERT_TRUE(german);
    }
    QTemporaryDir folder;
    frmMain window;
    window.OpenLibrary(testlib::WriteFile(folder.filePath("two.car"), testlib::MakeCars(2)));
    history::CarHistory steps;
    frmView editor(steps);
    QStringList texts{window.windowTitle(), window.findChild<QTreeWidget*>("lstDetails")->topLevelItem(0)->text(0),
                      editor.windowTitle(), editor.findChild<QLabel*>("lblColour")->text(),
                      editor.findChild<QCheckBox*>("chkHeadVisible")->text()};
    for (const QWidget* owner : {static_cast<QWidget*>(&window), static_cast<QWidget*>(&editor)})
        for (const QPushButton* button : owner->findChildren<QPushButton*>()) texts << button->text();
    OnModal<QMessageBox>([&](QMessageBox* box) {
        texts << box->text() << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text();
    }, [&] { QTest::mouseClick(window.findChild<QPushButton*>("cmdRemove"), Qt::LeftButton); });
    qDeleteAll(qApp->findChildren<QTranslator*>());
    const char* expected = german ? "Velmar Car Editor v0.9|Größe Rad vorne rechts|Modell bearbeiten|Farbe:|"
                                    "Kopf|Hinzufügen|Umbenennen|Entfernen|Anzeigen|Importieren...|"
                                    "Exportieren...|Laden...|Speichern...|Import|Export|Umdrehen|Sind Sie sicher?|&Ja|&Nein"
                                  : "Velmar Car Editor v0.9|Size of Right Front Wheel|Edit Model|Colour:|Head Vis.|Add|"
                                    "Edit|Remove|View|Import...|Export...|Load...|Save...|Import|Export|Flip Poly|"
                                    "Are you sure?|&Yes|&No";
    EXPECT_EQ(texts.join('|'), QString(expected));
    EXPECT_EQ(modLoad::Cars->size(), 2u);
    modLoad::Cars.reset();
}

}  // namespace
