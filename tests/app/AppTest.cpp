#include "frmMain.h"

#include "HostileLibrary.h"
#include "OnModal.h"
#include "OrdinaryUser.h"
#include "ScriptedDialogs.h"
#include "TestLibrary.h"
#include "WireView.h"
#include "frmImport.h"
#include "frmNewCar.h"
#include "frmView.h"
#include "modOBJ.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using modLoad::CarRecord;
using modLoad::CarTable;
using testlib::LibraryFile;
using testlib::MakeCars;
using testlib::RawName;
using testlib::ReadFile;

// The main window with no library open; the toolkit's dialogs are answered from `dialogs`.
class MainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        modLoad::Cars.reset();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { modLoad::Cars.reset(); }

    QComboBox* Selector() const { return window.findChild<QComboBox*>("cmbCars"); }
    QTreeWidget* Details() const { return window.findChild<QTreeWidget*>("lstDetails"); }
    QString Setting(int row) const { return Details()->topLevelItem(row)->text(1); }
    bool Enabled(const char* control) const { return window.findChild<QWidget*>(control)->isEnabled(); }
    void Click(const char* button) { QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton); }
    QString Write(const QString& name, const CarTable& cars) { return testlib::WriteFile(folder.filePath(name), cars); }
    void Load(const QString& path) { (dialogs << path), Click("cmdLoad"); }
    // Saves with the Save button; the bytes written.
    QByteArray SaveAs(const QString& name)
    {
        dialogs << folder.filePath(name);
        Click("cmdSave");
        return ReadFile(folder.filePath(name));
    }
    // With the keys, which choose as a click in the list does.
    void ChooseCar(int position)
    {
        QTest::keyClick(Selector(), Qt::Key_Home);
        for (int i = 0; i < position; ++i)
            QTest::keyClick(Selector(), Qt::Key_Down);
        ASSERT_EQ(Selector()->currentIndex(), position);
    }
    // A double-click on the row, or a click and Enter.
    void ActivateRow(int row, bool byKeyboard = false)
    {
        Details()->scrollToItem(Details()->topLevelItem(row));
        const QPoint at = Details()->visualItemRect(Details()->topLevelItem(row)).center();
        QTest::mouseClick(Details()->viewport(), Qt::LeftButton, {}, at);
        if (byKeyboard)
            QTest::keyClick(Details(), Qt::Key_Return);
        else
            QTest::mouseDClick(Details()->viewport(), Qt::LeftButton, {}, at);
    }

    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    frmMain window;
};

TEST_F(MainWindow, OpensWithTheKeysOnTheFirstCarAndAShorterReloadKeepsThePositionInRange)
{
    for (const char* control : {"cmbCars", "cmdAdd", "cmdEdit", "cmdRemove", "cmdView", "lstDetails", "cmdImport",
                                "cmdExport", "cmdSave"})
        EXPECT_FALSE(Enabled(control)) << control;
    // Shortcuts go to the active window, and click their button a moment later.
    QApplication::setActiveWindow(&window);
    dialogs << Write("five.car", MakeCars(5));
    QTest::keySequence(&window, QKeySequence::Open);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Selector()->count() == 5; }));
    EXPECT_EQ(dialogs.shown.at(0).text, "Car Files (*.car)|*.car");
    EXPECT_TRUE(Enabled("cmdSave") && Enabled("cmdView"));
    EXPECT_EQ(Details()->topLevelItem(39)->text(0) + " " + Setting(39), "AI Value 9.75");

    ChooseCar(3);
    EXPECT_EQ(Setting(1), "3.25");
    const CarTable two = MakeCars(2, 0, "Two");
    Load(Write("two.car", two));
    EXPECT_EQ(Selector()->currentText() + " " + Setting(1), "Two 1 1.25");
    dialogs << folder.filePath("copy.car");
    QTest::keySequence(&window, QKeySequence::Save);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ReadFile(folder.filePath("copy.car")) == LibraryFile(two); }));
}

// A damaged file, a cancelled choice and each failed save: a message naming
// the file and the cause (none for a cancel), and the files and the open
// library exactly as before.
TEST_F(MainWindow, RefusedLoadsCancelsAndFailedSavesChangeNothing)
{
    const QString five = Write("five.car", MakeCars(5)), damaged = folder.filePath("damaged.car");
    testlib::WriteFile(damaged, ReadFile(five).chopped(100));
    dialogs << damaged << "Ok";
    Click("cmdLoad");
    EXPECT_FALSE(modLoad::Cars.has_value());
    Load(five);
    ChooseCar(2);
    // A named pipe is refused before it is opened: a writer that never wrote would block the window.
    const QString pipe = folder.filePath("pipe.car");
    ASSERT_EQ(0, mkfifo(qPrintable(pipe), 0600));
    dialogs << "" << "" << damaged << "Ok" << pipe << "Ok";
    Click("cmdLoad");
    Click("cmdSave");
    Click("cmdLoad");
    Click("cmdLoad");

    // A folder the user may not write to, holding a file they may not write and
    // one they may, which a save writes in place. Past the file-size limit, a
    // save stops before or after the old file's length.
    const QString locked = folder.filePath("locked"), readOnly = locked + "/read-only.car", inPlace = locked + "/lib.car";
    ASSERT_TRUE(QDir().mkdir(locked));
    const QByteArray old = ReadFile(Write("locked/read-only.car", MakeCars(2, 9)));
    Write("locked/lib.car", MakeCars(2, 9));
    const QString large = Write("large.car", MakeCars(1, 3));
    for (const auto& [path, mode] : {std::pair{folder.path(), 0777}, {large, 0666}, {inPlace, 0666},
                                     {readOnly, 0444}, {locked, 0555}})
        ASSERT_EQ(0, chmod(qPrintable(path), mode));
    const struct {
        QString path;
        int cause;
        rlim_t sizeLimit = RLIM_INFINITY;
    } saves[] = {{folder.filePath("missing folder/out.car"), ENOENT}, {locked + "/new.car", EACCES},
                 {readOnly, EACCES}, {"/dev/full", ENOSPC}, {large, EFBIG, 2000}, {inPlace, EFBIG, 100},
                 {inPlace, EFBIG, 4000}};
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    for (const auto& save : saves) {
        dialogs << save.path << "Ok";
        const rlimit limit{std::min(save.sizeLimit, unlimited.rlim_cur), unlimited.rlim_max};
        const OrdinaryUser user;
        setrlimit(RLIMIT_FSIZE, &limit);
        Click("cmdSave");
        setrlimit(RLIMIT_FSIZE, &unlimited);
        const QString message = dialogs.messages().constLast();
        EXPECT_TRUE(message.contains(save.path) && message.contains(qt_error_string(save.cause))) << qPrintable(message);
    }
    chmod(qPrintable(locked), 0755);
    ASSERT_EQ(dialogs.messages().size(), 3 + std::size(saves));
    EXPECT_TRUE(dialogs.messages()[1].contains("damaged.car") && dialogs.messages()[1].contains("damaged:"));
    EXPECT_TRUE(dialogs.messages()[2].contains(pipe + "\": it is a named pipe")) << qPrintable(dialogs.messages()[2]);
    EXPECT_EQ(ReadFile(readOnly) + ReadFile(inPlace), old + old);
    EXPECT_EQ(ReadFile(large), LibraryFile(MakeCars(1, 3)));
    EXPECT_EQ(QDir(locked).entryList(QDir::Files) + QDir(folder.path()).entryList(QDir::Files),
              (QStringList{"lib.car", "read-only.car", "damaged.car", "five.car", "large.car"}));
    EXPECT_EQ(Selector()->currentIndex(), 2);
    EXPECT_EQ(SaveAs("kept.car"), ReadFile(five));
}

TEST_F(MainWindow, EditsStoreValuesAndNamesTrimmedOfSpacesOnlyAndIgnoreBadAnswers)
{
    CarTable cars = MakeCars(3);
    cars[1].Name = RawName("  Wide Name  ");
    Load(Write("three.car", cars));
    ChooseCar(1);
    // Bad values change nothing and say nothing.
    dialogs << "fast" << "" << "1e39" << "1.50" << "-2E+08";
    for (int row : {20, 20, 20, 34})
        ActivateRow(row);
    ActivateRow(39, true);
    EXPECT_EQ(dialogs.shown.back().defaultText, "10.75");
    EXPECT_EQ((QStringList{Setting(20), Setting(34), Setting(39)}), (QStringList{"6", "1.5", "-2E+08"}));
    dialogs << "Thirteen Char" << "Ok" << "" << "  Twelve Chars ";
    for (int i = 0; i < 3; ++i)
        Click("cmdEdit");
    EXPECT_EQ(dialogs.messages(), QStringList{"Name too long"});
    EXPECT_EQ(dialogs.shown[6].defaultText, "Wide Name");
    EXPECT_EQ(Selector()->currentText(), "Twelve Chars");
    ChooseCar(2);
    dialogs << " \t\u00A0Tab \t ";
    Click("cmdEdit");
    cars[2].Name = RawName("\t\xA0" "Tab \t\0     ");
    cars[1].Name = RawName("Twelve Chars\0");
    cars[1].Parameters[34] = 1.5f;
    cars[1].Parameters[39] = -2e8f;
    EXPECT_EQ(SaveAs("edited.car"), LibraryFile(cars));
}

TEST_F(MainWindow, AddAppendsACopyOfTheTemplateUnderTheTypedNameAndRemoveShiftsTheRestUp)
{
    CarTable cars = MakeCars(4);
    Load(Write("four.car", cars));
    ChooseCar(1);
    // typed: the name to type ("-" presses Cancel); chosen: the template, -1 for none.
    const auto newCar = [&](const char* typed, int chosen) {
        OnModal<frmNewCar>([&](frmNewCar* dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>("txtName"), typed);
            dialog->findChild<QComboBox*>("cmbCars")->setCurrentIndex(chosen);
            QTest::mouseClick(dialog->findChild<QPushButton*>(typed == QString("-") ? "cmdCancel" : "cmdOk"),
                              Qt::LeftButton);
        }, [&] { Click("cmdAdd"); });
    };
    // A refusal leaves the dialog open; OnModal then closes it.
    dialogs << "Ok" << "Ok";
    newCar("   ", 0);
    newCar("Named", -1);
    newCar("-", 0);
    EXPECT_EQ(dialogs.messages(), (QStringList{"Please enter a name", "Please select a template car"}));
    newCar("Fifteen Letters", 0);
    newCar("\u00A0", 2);
    EXPECT_EQ(Selector()->currentText(), "\u00A0");
    cars.push_back(cars[0]);
    cars.back().Name = RawName("Fifteen Lette");
    cars.push_back(cars[2]);
    cars.back().Name = RawName("\xA0\0           ");

    // Only after Yes: the cars after the removed one move up, and the one in its
    // place is selected, or the new last car.
    ChooseCar(1);
    dialogs << "No" << "Yes";
    Click("cmdRemove");
    Click("cmdRemove");
    EXPECT_EQ(dialogs.shown.back().style, ui::MsgStyle::YesNoQuestion);
    EXPECT_EQ(Selector()->currentText() + "|" + Selector()->itemText(4), "Car 2|\u00A0");
    ChooseCar(4);
    dialogs << "Yes";
    Click("cmdRemove");
    EXPECT_EQ(Selector()->currentText(), "Fifteen Lette");
    EXPECT_EQ(SaveAs("four again.car"), LibraryFile(CarTable{cars[0], cars[2], cars[3], cars[4]}));

    Load(Write("one.car", {cars[3]}));
    dialogs << "Ok";
    Click("cmdRemove");
    modLoad::Cars->resize(modLoad::MaxCars);
    dialogs << "Ok";
    Click("cmdAdd");
    EXPECT_EQ(dialogs.messages().last(2),
              (QStringList{"A library must keep at least one car.", "A library holds at most 32767 cars."}));
}

TEST_F(MainWindow, ImportRefreshesTheSelectorAndExportWritesTheChosenCars)
{
    CarTable cars = MakeCars(2);
    const CarTable file = MakeCars(3, 7, "File");
    Load(Write("two.car", cars));
    // The user's part in the transfer dialog: Ctrl-click rows, press Ok.
    const auto choose = [](QList<int> rows) {
        return [rows](frmImport* dialog) {
            auto* list = dialog->findChild<QListWidget*>("lstCars");
            for (int row : rows)
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                                  list->visualItemRect(list->item(row)).center());
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
        };
    };
    dialogs << Write("file.car", file);
    OnModal<frmImport>(choose({2}), [&] { Click("cmdImport"); });
    EXPECT_EQ(Selector()->itemText(2), "File 2");
    // A cancelled file choice shows no dialog, yet the selector is read afresh.
    (*modLoad::Cars)[0].Name = cars[0].Name = RawName("Renamed\0     ");
    dialogs << "";
    Click("cmdImport");
    EXPECT_EQ(Selector()->itemText(0), "Renamed");

    dialogs << folder.filePath("out.car");
    OnModal<frmImport>(choose({2, 0}), [&] { Click("cmdExport"); });
    EXPECT_EQ(ReadFile(folder.filePath("out.car")), LibraryFile(CarTable{cars[0], file[2]}));
}

// What the user does to each car: hover and drag in every view, turn the
// preview, recolour and flip the last triangle, import a model. Each change
// is made in `expected` as the editor must make it. Returns in how many views
// a vertex was picked and dragged.
int Exercise(frmView* editor, CarRecord& expected, const QString& model)
{
    int dragged = 0;
    QWindow* window = editor->windowHandle();
    editor->RenderFrame();
    for (const char* name : {"picXY", "picYZ", "picXZ"}) {
        auto* view = editor->findChild<WireView*>(name);
        const editor::ViewAxes axes = view->Axes();
        // A corner of a triangle in use, in the model and in sight.
        QPoint target = view->rect().center();
        for (int p = 0; p < modLoad::UsedPolys(expected); ++p) {
            const QPointF at = editor::MapToView(expected.Vertices[expected.Polys[p].A % 30], axes, 50, view->size());
            if (modLoad::PolyInModel(expected.Polys[p]) && view->rect().adjusted(10, 10, -10, -10).contains(at.toPoint())) {
                target = at.toPoint();
                break;
            }
        }
        QTest::mouseMove(window, view->mapTo(editor, target + QPoint(1, 0)));
        QTest::mouseMove(window, view->mapTo(editor, target));
        const int picked = editor->SelectedVertex;
        const QPoint to = target + QPoint(7, -4);
        QTest::mousePress(window, Qt::LeftButton, {}, view->mapTo(editor, target));
        QTest::mouseMove(window, view->mapTo(editor, to));
        QTest::mouseRelease(window, Qt::LeftButton, {}, view->mapTo(editor, to));
        if (picked >= 0) {
            ++dragged;
            modLoad::Vector& v = expected.Vertices[picked];
            editor::Coordinate(v, axes.H) = (static_cast<float>(to.x()) - view->width() / 2.0f) / 50.0f;
            editor::Coordinate(v, axes.V) = (static_cast<float>(to.y()) - view->height() / 2.0f) / 50.0f;
        }
        editor->RenderFrame();
    }
    auto* preview = editor->findChild<QWidget*>("picPreview");
    QTest::mousePress(window, Qt::LeftButton, {}, preview->mapTo(editor, QPoint(50, 50)));
    QTest::mouseMove(window, preview->mapTo(editor, QPoint(90, 20)));
    QTest::mouseRelease(window, Qt::LeftButton, {}, preview->mapTo(editor, QPoint(90, 20)));
    editor->RenderFrame();

    auto* slider = editor->findChild<QSlider*>("sPolys");
    slider->setValue(slider->maximum());
    auto* colour = editor->findChild<QLineEdit*>("txtColour");
    colour->clear();
    QTest::keyClicks(colour, "9");
    expected.PolyColour[slider->value()] = 9;
    QTest::mouseClick(editor->findChild<QPushButton*>("cmdFlipPoly"), Qt::LeftButton);
    if (slider->value() < modLoad::MaxVertices) {
        modLoad::Vector& n = expected.Normals[slider->value()];
        n = {-n.X, -n.Y, -n.Z};
    }
    editor->RenderFrame();

    QTest::mouseClick(editor->findChild<QPushButton*>("cmdImport"), Qt::LeftButton);
    EXPECT_TRUE(modOBJ::ImportOBJ(model, expected));
    editor->RenderFrame();
    return dragged;
}

// View opens the editor modally; its edits reach the file only when saved.
TEST_F(MainWindow, ViewRecordsOutsideTheModelAreEditedSafelyAndWrittenBackAsRead)
{
    CarTable expected = samples::HostileLibrary();
    const QString file = Write("hostile.car", expected);
    Load(file);
    const QString model = QStringLiteral(VELMAR_SOURCE_DIR "/samples/kart.obj");
    for (int car = 0; car < static_cast<int>(expected.size()); ++car) {
        ChooseCar(car);
        dialogs << model;
        OnModal<frmView>([&](frmView* editor) {
            EXPECT_TRUE(editor->isModal());
            EXPECT_GT(Exercise(editor, expected[car], model), 0) << "car " << car;
        }, [&] { Click("cmdView"); });
    }
    EXPECT_EQ(ReadFile(file), LibraryFile(samples::HostileLibrary()));
    EXPECT_EQ(SaveAs("saved.car"), LibraryFile(expected));
}

}  // namespace
