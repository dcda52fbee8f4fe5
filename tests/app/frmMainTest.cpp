#include "frmMain.h"

#include "OnModal.h"
#include "OrdinaryUser.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "TestLibrary.h"
#include "frmImport.h"
#include "frmNewCar.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cerrno>

#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

using modLoad::CarTable;
using testlib::MakeCars;
using testlib::RawName;

// The main window with no library open; every toolkit dialog is answered from `dialogs`.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        modLoad::Cars.reset();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override
    {
        EXPECT_EQ(dialogs.unexpected, 0) << "a dialog was shown that the test did not expect";
        EXPECT_EQ(dialogs.script, QStringList()) << "answers left for dialogs that never showed";
        modLoad::Cars.reset();
    }

    QComboBox* Selector() const { return window.findChild<QComboBox*>("cmbCars"); }
    QTreeWidget* Details() const { return window.findChild<QTreeWidget*>("lstDetails"); }
    QString Setting(int row) const { return Details()->topLevelItem(row)->text(1); }
    bool Enabled(const char* control) const { return window.findChild<QWidget*>(control)->isEnabled(); }
    void Click(const char* button) { QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton); }
    void Load(const QString& path) { (dialogs << path), Click("cmdLoad"); }
    QString Write(const QString& name, const CarTable& cars) { return testlib::WriteLibrary(folder.filePath(name), cars); }
    QByteArray SaveAs(const QString& name)
    {
        dialogs << folder.filePath(name);
        Click("cmdSave");
        return testlib::ReadFile(folder.filePath(name));
    }
    void ChooseCar(int index)
    {
        Selector()->showPopup();
        QAbstractItemView* list = Selector()->view();
        // Item rectangles may be wider than the open list; click inside it.
        const QPoint at(list->viewport()->width() / 2, list->visualRect(list->model()->index(index, 0)).center().y());
        QTest::mouseMove(list->viewport(), at);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    }
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

TEST_F(MainWindowTest, OpeningSelectsTheFirstCarAndAShorterReloadClampsThePosition)
{
    for (const char* control : {"cmbCars", "cmdAdd", "cmdEdit", "cmdRemove", "lstDetails", "cmdExport", "cmdSave"})
        EXPECT_FALSE(Enabled(control)) << control;
    // Shortcuts go to the active window; no window manager is asked.
    QApplication::setActiveWindow(&window);
    dialogs << Write("five.car", MakeCars(5));
    // A shortcut clicks its button a moment later.
    QTest::keySequence(&window, QKeySequence::Open);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Selector()->count() == 5; }));
    EXPECT_EQ(dialogs.shown.at(0).text, "Car Files (*.car)|*.car");
    EXPECT_TRUE(Enabled("cmdSave"));
    EXPECT_EQ(Selector()->currentIndex(), 0);
    ASSERT_EQ(Details()->topLevelItemCount(), 40);
    EXPECT_EQ(Details()->topLevelItem(0)->text(0), "Size of Right Front Wheel");
    EXPECT_EQ(Details()->topLevelItem(39)->text(0), "AI Value");
    EXPECT_EQ(Setting(39), "9.75");

    ChooseCar(3);
    EXPECT_EQ(Setting(1), "3.25");
    const CarTable two = MakeCars(2, 0, "Two");
    Load(Write("two.car", two));
    EXPECT_EQ(Selector()->currentText(), "Two 1");
    EXPECT_EQ(Setting(1), "1.25");
    const QString copy = folder.filePath("copy.car");
    dialogs << copy;
    QTest::keySequence(&window, QKeySequence::Save);
    EXPECT_TRUE(QTest::qWaitFor([&] { return testlib::ReadFile(copy) == testlib::LibraryFile(two); }));
}

TEST_F(MainWindowTest, RefusedFilesAndFailedSavesAreReportedAndChangeNothing)
{
    const QString five = Write("five.car", MakeCars(5)), damaged = folder.filePath("damaged.car");
    testlib::WriteFile(damaged, testlib::ReadFile(five).left(modLoad::HeaderSize + 3 * modLoad::RecordSize + 100));
    dialogs << damaged << "Ok";
    Click("cmdLoad");
    EXPECT_FALSE(modLoad::Cars.has_value());
    EXPECT_FALSE(Enabled("cmdSave"));

    Load(five);
    ChooseCar(2);
    // Cancelled file choices read and write nothing and say nothing.
    dialogs << "" << "";
    Click("cmdLoad");
    Click("cmdSave");
    dialogs << damaged << "Ok";
    Click("cmdLoad");

    // A folder the user may not write to, holding a file they may not write either.
    const QString locked = folder.filePath("locked"), readOnly = locked + "/read-only.car";
    ASSERT_TRUE(QDir().mkdir(locked));
    const QByteArray old = testlib::ReadFile(Write("locked/read-only.car", MakeCars(2, 9)));
    const QString large = Write("large.car", MakeCars(1, 3));
    for (const auto& [path, mode] :
         {std::pair{folder.path(), 0777}, {large, 0666}, {readOnly, 0444}, {locked, 0555}})
        ASSERT_EQ(0, chmod(qPrintable(path), mode));
    const struct {
        QString path;
        int cause;
        rlim_t sizeLimit = RLIM_INFINITY;
    } saves[] = {{folder.filePath("missing folder/out.car"), ENOENT}, {locked + "/new.car", EACCES},
                 {readOnly, EACCES}, {"/dev/full", ENOSPC}, {large, EFBIG, 2000}};
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
        EXPECT_TRUE(message.contains(save.path) && message.contains(qt_error_string(save.cause)))
            << qPrintable(message);
    }
    chmod(qPrintable(locked), 0755);
    EXPECT_EQ(dialogs.messages().size(), 2 + std::size(saves));
    EXPECT_TRUE(dialogs.messages()[1].contains("damaged.car") && dialogs.messages()[1].contains("damaged:"));
    EXPECT_EQ(testlib::ReadFile(readOnly), old);
    EXPECT_EQ(testlib::ReadFile(large), testlib::LibraryFile(MakeCars(1, 3)));
    EXPECT_EQ(QDir(locked).entryList(QDir::Files), QStringList{"read-only.car"});
    EXPECT_EQ(Selector()->currentIndex(), 2);
    EXPECT_EQ(Setting(1), "2.25");
    EXPECT_TRUE(Enabled("cmdAdd"));
    EXPECT_EQ(SaveAs("kept.car"), testlib::ReadFile(five));
}

TEST_F(MainWindowTest, EditsStoreValuesAndTrimmedNamesOfUpToTwelveCharactersAndIgnoreBadAnswers)
{
    CarTable cars = MakeCars(3);
    cars[1].Name = RawName("  Wide Name  ");
    Load(Write("three.car", cars));
    ChooseCar(1);
    // Values by double-click and Enter; bad ones change nothing and say nothing.
    dialogs << "fast" << "" << "1e39" << "1.50" << "-2E+08";
    for (int row : {20, 20, 20, 34})
        ActivateRow(row);
    ActivateRow(39, true);
    EXPECT_EQ(dialogs.shown.back().text, "Enter new value");
    EXPECT_EQ(dialogs.shown.back().defaultText, "10.75");
    EXPECT_EQ((QStringList{Setting(20), Setting(34), Setting(39)}), (QStringList{"6", "1.5", "-2E+08"}));
    dialogs << "Thirteen Char" << "Ok" << "" << "  Twelve Chars ";
    for (int i = 0; i < 3; ++i)
        Click("cmdEdit");
    EXPECT_EQ(dialogs.messages(), QStringList{"Name too long"});
    EXPECT_EQ(dialogs.shown[6].text, "Please enter new name");
    EXPECT_EQ(dialogs.shown[6].defaultText, "Wide Name");
    EXPECT_EQ(Selector()->currentIndex(), 1);
    EXPECT_EQ(Selector()->currentText(), "Twelve Chars");
    // Only spaces are trimmed: a tab and byte 0xA0 belong to the name.
    ChooseCar(2);
    dialogs << " \t\u00A0Tab \t ";
    Click("cmdEdit");
    cars[2].Name = RawName("\t\xA0" "Tab \t\0     ");
    cars[1].Parameters[34] = 1.5f;
    cars[1].Parameters[39] = -2e8f;
    cars[1].Name = RawName("Twelve Chars\0");
    EXPECT_EQ(SaveAs("edited.car"), testlib::LibraryFile(cars));
}

TEST_F(MainWindowTest, AddAppendsACopyOfTheTemplateUnderTheTypedNameOnceBothAreGiven)
{
    CarTable cars = MakeCars(3);
    Load(Write("three.car", cars));
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
    // Each refusal leaves the dialog open; the driver then closes it unchanged.
    dialogs << "Ok" << "Ok" << "Ok";
    newCar("", 0);
    newCar("   ", 0);
    newCar("Named", -1);
    newCar("-", 0);
    EXPECT_EQ(dialogs.messages(), (QStringList{"Please enter a name", "Please enter a name",
                                               "Please select a template car"}));
    EXPECT_EQ(Selector()->currentIndex(), 1);

    newCar("Fifteen Letters", 0);
    newCar(" Lead", 2);
    newCar("\u00A0", 1);
    EXPECT_EQ(Selector()->currentIndex(), 5);
    EXPECT_EQ(Selector()->itemText(3), "Fifteen Lette");
    cars.push_back(cars[0]);
    cars.back().Name = RawName("Fifteen Lette");
    cars.push_back(cars[2]);
    cars.back().Name = RawName(" Lead\0       ");
    cars.push_back(cars[1]);
    cars.back().Name = RawName("\xA0\0           ");
    EXPECT_EQ(SaveAs("six.car"), testlib::LibraryFile(cars));

    modLoad::Cars->resize(modLoad::MaxCars);
    dialogs << "Ok";
    newCar("Too many", 0);
    EXPECT_EQ(dialogs.messages().back(), "A library holds at most 32767 cars.");
    EXPECT_EQ(modLoad::Cars->size(), std::size_t{modLoad::MaxCars});
}

TEST_F(MainWindowTest, RemoveAfterYesShiftsTheLaterCarsUpAndSelectsTheOneInItsPlaceButKeepsTheOnlyCar)
{
    const CarTable cars = MakeCars(5);
    Load(Write("five.car", cars));
    ChooseCar(2);
    dialogs << "No" << "Yes";
    Click("cmdRemove");
    Click("cmdRemove");
    EXPECT_EQ(dialogs.shown.back().text, "Are you sure?");
    EXPECT_EQ(dialogs.shown.back().style, ui::MsgStyle::YesNoQuestion);
    EXPECT_EQ(Selector()->currentText(), "Car 3");
    EXPECT_EQ(SaveAs("four.car"), testlib::LibraryFile(CarTable{cars[0], cars[1], cars[3], cars[4]}));
    ChooseCar(3);
    dialogs << "Yes";
    Click("cmdRemove");
    EXPECT_EQ(Selector()->currentText(), "Car 3");
    EXPECT_EQ(SaveAs("three.car"), testlib::LibraryFile(CarTable{cars[0], cars[1], cars[3]}));

    Load(Write("one.car", {cars[4]}));
    dialogs << "Ok";
    Click("cmdRemove");
    EXPECT_EQ(dialogs.messages().back(), "A library must keep at least one car.");
    EXPECT_EQ(SaveAs("one again.car"), testlib::LibraryFile(CarTable{cars[4]}));
}

TEST_F(MainWindowTest, ImportAndExportButtonsTransferTheChosenCarsAndImportRefreshesTheSelector)
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
    EXPECT_EQ(Selector()->count(), 3);
    EXPECT_EQ(Selector()->itemText(2), "File 2");

    // A cancelled file choice shows no dialog, yet the selector is read afresh.
    (*modLoad::Cars)[0].Name = cars[0].Name = RawName("Renamed\0     ");
    dialogs << "";
    Click("cmdImport");
    EXPECT_EQ(Selector()->itemText(0), "Renamed");

    dialogs << folder.filePath("out.car");
    OnModal<frmImport>(choose({2, 0}), [&] { Click("cmdExport"); });
    EXPECT_EQ(testlib::ReadFile(folder.filePath("out.car")), testlib::LibraryFile(CarTable{cars[0], file[2]}));
}

}  // namespace
