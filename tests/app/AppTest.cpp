#include "frmMain.h"

#include "CommandLine.h"
#include "HostileLibrary.h"
#include "OnModal.h"
#include "OrdinaryUser.h"
#include "ScriptedDialogs.h"
#include "TestLibrary.h"
#include "WireView.h"
#include "frmImport.h"
#include "frmNewCar.h"
#include "frmView.h"
#include "NumberText.h"
#include "modOBJ.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <tuple>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using modLoad::CarRecord;
using modLoad::CarTable;
using testlib::Encoded;
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
    // Shortcuts work in the active window; with no window manager, a dialog
    // that closes leaves none active. The keys go to `to`, by default the main window.
    void Keys(QKeySequence::StandardKey keys, QWidget* to = nullptr)
    {
        to = to ? to : &window;
        QApplication::setActiveWindow(to->window());
        QTest::keySequence(to, keys);
    }
    // The new-car dialog: typed is the name to type ("-" presses Cancel),
    // chosen the template, -1 for none.
    void NewCar(const char* typed, int chosen)
    {
        OnModal<frmNewCar>([&](frmNewCar* dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>("txtName"), typed);
            dialog->findChild<QComboBox*>("cmbCars")->setCurrentIndex(chosen);
            QTest::mouseClick(dialog->findChild<QPushButton*>(typed == QString("-") ? "cmdCancel" : "cmdOk"),
                              Qt::LeftButton);
        }, [&] { Click("cmdAdd"); });
    }
    // The transfer dialog's button, then Ctrl-click on rows and Ok.
    void Transfer(const char* button, QList<int> rows)
    {
        OnModal<frmImport>([&](frmImport* dialog) {
            auto* list = dialog->findChild<QListWidget*>("lstCars");
            for (int row : rows)
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                                  list->visualItemRect(list->item(row)).center());
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
        }, [&] { Click(button); });
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
    // A refusal leaves the dialog open; OnModal then closes it.
    dialogs << "Ok" << "Ok";
    NewCar("   ", 0);
    NewCar("Named", -1);
    NewCar("-", 0);
    EXPECT_EQ(dialogs.messages(), (QStringList{"Please enter a name", "Please select a template car"}));
    NewCar("Fifteen Letters", 0);
    NewCar("\u00A0", 2);
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
    dialogs << Write("file.car", file);
    Transfer("cmdImport", {2});
    EXPECT_EQ(Selector()->itemText(2), "File 2");
    // A cancelled file choice shows no dialog, yet the selector is read afresh.
    (*modLoad::Cars)[0].Name = cars[0].Name = RawName("Renamed\0     ");
    dialogs << "";
    Click("cmdImport");
    EXPECT_EQ(Selector()->itemText(0), "Renamed");

    dialogs << folder.filePath("out.car");
    Transfer("cmdExport", {2, 0});
    EXPECT_EQ(ReadFile(folder.filePath("out.car")), LibraryFile(CarTable{cars[0], file[2]}));
}

// Each kind of step, undone and redone with the keys: the library, the
// selector and the parameter list follow, the car the step concerns selected.
// The model editor's steps are made, undone and redone in the editor, whose
// toolbox follows too; in it the keys reach only the steps of its car.
TEST_F(MainWindow, EveryKindOfStepIsUndoneAndRedoneWithTheKeys)
{
    CarTable expected = MakeCars(4);
    const QString kart = VELMAR_SOURCE_DIR "/samples/kart.obj", wedge = VELMAR_SOURCE_DIR "/samples/wedge.obj";
    // Car 0 has a model to drag, its head shown and colour 7 on triangle 0.
    ASSERT_TRUE(modOBJ::ImportOBJ(kart, expected[0]));
    expected[0].HeadHidden = 0;
    expected[0].PolyColour[0] = 7;
    const CarTable file = MakeCars(3, 7, "File");
    Load(Write("four.car", expected));
    const QString fileName = Write("file.car", file);
    frmView* editor = nullptr;  // while an editor step is made, undone and redone
    const auto click = [&](const char* control) {
        QTest::mouseClick(editor->findChild<QAbstractButton*>(control), Qt::LeftButton);
    };
    // Vertex 0 of car 0 dragged in the XY view, ended by a release or by
    // closing the editor; where it lands.
    QPointF dragged;
    const auto drag = [&](bool release) {
        auto* xy = editor->findChild<WireView*>("picXY");
        QWindow* window = editor->windowHandle();
        const QPoint from = editor::MapToView(expected[0].Vertices[0], xy->Axes(), 50, xy->size()).toPoint();
        const QPoint to = from + QPoint(12, 6);
        QTest::mouseMove(window, xy->mapTo(editor, from));
        QTest::mousePress(window, Qt::LeftButton, {}, xy->mapTo(editor, from));
        for (const QPoint by : {QPoint(5, 0), QPoint(9, 4), QPoint(12, 6)})
            QTest::mouseMove(window, xy->mapTo(editor, from + by));
        if (release)
            QTest::mouseRelease(window, Qt::LeftButton, {}, xy->mapTo(editor, to));
        else
            editor->close();
        dragged = QPointF((static_cast<float>(to.x()) - xy->width() / 2.0f) / 50.0f,
                          (static_cast<float>(to.y()) - xy->height() / 2.0f) / 50.0f);
    };
    const auto moveVertex = [&](CarTable& t) {
        t[0].Vertices[0].X = static_cast<float>(dragged.x()), t[0].Vertices[0].Y = static_cast<float>(dragged.y());
    };
    const struct {
        QString undo;  // the undo command's text, naming the step
        std::function<void()> make;
        std::function<void(CarTable&)> change;  // the step, made to the expected cars
        int shownBefore, shownAfter;
        int editing = -1;  // the car the model editor is open on, the keys going to it
        const char* keysTo = nullptr;  // the editor's control that has them
    } steps[] = {
        {"Undo Set Power of Car 1", [&] { ChooseCar(1), (dialogs << "280"), ActivateRow(34); },
         [](CarTable& t) { t[1].Parameters[34] = 280; }, 1, 1},
        {"Undo Rename Car 2 to R&&D", [&] { ChooseCar(2), (dialogs << "R&D"), Click("cmdEdit"); },
         [](CarTable& t) { t[2].Name = RawName("R&D\0         "); }, 2, 2},
        {"Undo Add Added", [&] { NewCar("Added", 1); },
         [](CarTable& t) { t.push_back(t[1]), t.back().Name = RawName("Added\0       "); }, 3, 4},
        {"Undo Remove Car 1", [&] { ChooseCar(1), (dialogs << "Yes"), Click("cmdRemove"); },
         [](CarTable& t) { t.erase(t.begin() + 1); }, 1, 1},
        {"Undo Import 2 cars", [&] { (dialogs << fileName), Transfer("cmdImport", {2, 0}); },
         [&](CarTable& t) { t.insert(t.end(), {file[0], file[2]}); }, 3, 4},
        {"Undo Flip Normal 0 of Car 0", [&] { click("cmdFlipPoly"); },
         [](CarTable& t) { t[0].Normals[0] = {-t[0].Normals[0].X, -t[0].Normals[0].Y, -t[0].Normals[0].Z}; }, 0, 0, 0},
        {"Undo Set Colour of Triangle 0 of Car 0", [&] {
             auto* colour = editor->findChild<QLineEdit*>("txtColour");
             colour->selectAll();
             QTest::keyClicks(colour, "15");
         }, [](CarTable& t) { t[0].PolyColour[0] = 15; }, 0, 0, 0},
        // The views take no focus: the keys reach the colour box typed in last.
        {"Undo Move Vertex 0 of Car 0", [&] { drag(true); }, moveVertex, 0, 0, 0, "txtColour"},
        {"Undo Hide Head of Car 0", [&] { click("chkHeadVisible"); }, [](CarTable& t) { t[0].HeadHidden = 1; },
         0, 0, 0},
        {"Undo Import wedge.obj into Car 0", [&] { (dialogs << wedge), click("cmdImport"); },
         [&](CarTable& t) { ASSERT_TRUE(modOBJ::ImportOBJ(wedge, t[0])); }, 0, 0, 0},
        {"Undo Move Vertex 0 of Car 0", [&] {
             ChooseCar(0);
             OnModal<frmView>([&](frmView* opened) { editor = opened, drag(false); }, [&] { Click("cmdView"); });
             editor = nullptr;
             // The button goes up over the main window.
             QTest::mouseRelease(window.windowHandle(), Qt::LeftButton);
         }, moveVertex, 0, 0},
    };
    // The library, the names listed, the car selected and its parameters, and
    // in the editor the colour of the selected triangle and the head box.
    const auto shown = [&] {
        QStringList names, settings;
        for (int i = 0; i < Selector()->count(); ++i)
            names << Selector()->itemText(i);
        for (int row = 0; row < Details()->topLevelItemCount(); ++row)
            settings << Setting(row);
        if (editor)
            settings << editor->findChild<QLineEdit*>("txtColour")->text()
                     << QString::number(editor->findChild<QCheckBox*>("chkHeadVisible")->isChecked());
        return std::tuple(Encoded(*modLoad::Cars), names, Selector()->currentIndex(), settings);
    };
    const auto expect = [&](const CarTable& cars, int car) {
        QStringList settings;
        for (float value : cars[car].Parameters)
            settings << numbertext::SingleToText(value);
        if (editor)
            settings << QString::number(cars[car].PolyColour[editor->findChild<QSlider*>("sPolys")->value()])
                     << QString::number(cars[car].HeadHidden == 0);
        return std::tuple(Encoded(cars), modLoad::NamesAsShown(cars), car, settings);
    };
    const auto actions = [&]() -> QObject& { return editor ? *static_cast<QObject*>(editor) : window; };
    for (const auto& step : steps) {
        const auto check = [&] {
            const CarTable before = expected;
            step.make();
            step.change(expected);
            EXPECT_EQ(actions().findChild<QAction*>("actUndo", Qt::FindDirectChildrenOnly)->text(), step.undo);
            QWidget* keys = editor && step.keysTo ? editor->findChild<QWidget*>(step.keysTo) : editor;
            Keys(QKeySequence::Undo, keys);
            EXPECT_EQ(shown(), expect(before, step.shownBefore)) << qPrintable(step.undo);
            Keys(QKeySequence::Redo, keys);
            EXPECT_EQ(shown(), expect(expected, step.shownAfter)) << qPrintable(step.undo);
        };
        if (step.editing < 0) {
            check();
            continue;
        }
        ChooseCar(step.editing);
        OnModal<frmView>([&](frmView* opened) { editor = opened, check(); }, [&] { Click("cmdView"); });
        editor = nullptr;
    }

    // A value of another car below, an Add to redo: in the editor the keys
    // reach neither.
    ChooseCar(1), (dialogs << "9"), ActivateRow(0);
    expected[1].Parameters[0] = 9;
    NewCar("Guard", 0);
    Keys(QKeySequence::Undo);
    ChooseCar(0);
    bool disabled = false;
    OnModal<frmView>([&](frmView* opened) {
        Keys(QKeySequence::Undo, opened), Keys(QKeySequence::Redo, opened);
        disabled = !opened->findChild<QAction*>("actUndo")->isEnabled() &&
                   !opened->findChild<QAction*>("actRedo")->isEnabled();
    }, [&] { Click("cmdView"); });
    EXPECT_TRUE(disabled);
    EXPECT_EQ(SaveAs("steps.car"), LibraryFile(expected));
}

// With unsaved changes, closing and loading ask first; each row starts from
// first.car with one value changed. Saving makes the library clean, so does
// undoing back to the saved state; a refused or cancelled edit changes nothing.
TEST_F(MainWindow, UnsavedChangesAreSavedDiscardedOrKeptOnCloseAndOnLoad)
{
    CarTable edited = MakeCars(3);
    const QString first = Write("first.car", edited), second = Write("second.car", MakeCars(2, 5));
    edited[0].Parameters[0] = 7;
    const QString saved = folder.filePath("saved.car"), failing = folder.filePath("no folder/saved.car");
    const struct {
        bool load;  // else close
        QStringList answers;
        bool goes;  // the window closed, or the other library loaded
    } rows[] = {
        {false, {"Cancel"}, false}, {false, {"Save", ""}, false}, {false, {"Save", failing, "Ok"}, false},
        {false, {"Save", saved}, true}, {false, {"Discard"}, true},
        {true, {"Cancel"}, false}, {true, {"Save", saved}, true}, {true, {"Discard"}, true},
    };
    bool unsaved = false;
    for (const auto& row : rows) {
        QFile::remove(saved);
        dialogs << first;
        if (unsaved)
            dialogs << "Discard";
        Click("cmdLoad");
        dialogs << "7";
        ActivateRow(0);
        const std::size_t asked = dialogs.shown.size() + row.load;
        dialogs.script << (row.load ? QStringList{second} : QStringList{}) + row.answers;
        const bool went = row.load ? (Click("cmdLoad"), Selector()->count() == 2) : window.close();
        const QString when = row.load ? "loading another library" : "closing";
        EXPECT_EQ(went, row.goes) << qPrintable(when + " " + row.answers.join(" "));
        EXPECT_EQ(dialogs.shown.at(asked).text, "Save changes to first.car before " + when + "?");
        EXPECT_EQ(dialogs.shown.at(asked).style, ui::MsgStyle::SaveDiscardCancel);
        EXPECT_EQ(ReadFile(saved), row.goes && row.answers[0] == "Save" ? LibraryFile(edited) : QByteArray());
        unsaved = !row.goes || (!row.load && row.answers[0] == "Discard");
        window.show();
    }

    // Refused and cancelled edits, a value given again and a car named as it
    // is change nothing.
    Load(first);
    dialogs << "fast" << "0" << "Car 0" << "Thirteen Char" << "Ok" << "No" << "";
    ActivateRow(0), ActivateRow(0);
    Click("cmdEdit"), Click("cmdEdit");
    Click("cmdRemove");
    NewCar("-", 0);
    Click("cmdImport");
    EXPECT_TRUE(window.close());
    window.show();
    // Undoing back to the saved state needs no question; past it, the
    // question names the library as saved.
    dialogs << "1" << saved << "2";
    ActivateRow(0);
    Click("cmdSave");
    ActivateRow(0);
    Keys(QKeySequence::Undo);
    EXPECT_TRUE(window.close());
    window.show();
    Keys(QKeySequence::Undo);
    dialogs << "Cancel";
    EXPECT_FALSE(window.close());
    EXPECT_EQ(dialogs.messages().constLast(), "Save changes to saved.car before closing?");
}

// A library named on the command line opens as Load opens one, and so does a
// .car file dropped on the window.
TEST_F(MainWindow, OpensTheLibraryGivenAtStartOrDroppedOnTheWindow)
{
    dialogs << "Ok";
    window.OpenLibrary(folder.filePath("missing.car"));
    EXPECT_TRUE(dialogs.messages().value(0).contains("missing.car"));
    EXPECT_FALSE(modLoad::Cars.has_value() || Enabled("cmdSave"));
    const CarTable cars = MakeCars(2), other = MakeCars(3, 4, "Other");
    window.OpenLibrary(Write("start.car", cars));
    EXPECT_EQ(Selector()->count(), 2);

    const QString dropped = Write("Dropped.CAR", other);
    const auto drop = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = window.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &enter);
        QDropEvent release(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        if (enter.isAccepted())
            QApplication::sendEvent(&window, &release);
        return enter.isAccepted();
    };
    const QUrl url = QUrl::fromLocalFile(dropped);
    EXPECT_FALSE(drop({url, url}) || drop({QUrl::fromLocalFile(folder.filePath("notes.txt"))}) ||
                 drop({QUrl("https://example.invalid/a.car")}));
    dialogs << "2" << "Discard";
    ActivateRow(0);
    ASSERT_TRUE(drop({url}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Selector()->count() == 3; }));
    EXPECT_EQ(dialogs.messages().constLast(), "Save changes to start.car before loading another library?");
    EXPECT_EQ(Encoded(*modLoad::Cars), Encoded(other));
}

// The editor's command line, before and after the toolkit takes its options.
TEST(CommandLine, AnswersHelpAndVersionAndNamesOneLibrary)
{
    const struct {
        QStringList arguments;
        std::optional<int> exitCode;
        QString output;  // its start
        QString library;
    } cases[] = {
        {{}, {}, "", ""},
        {{"lib.car"}, {}, "", "lib.car"},
        {{"--", "--help"}, {}, "", "--help"},
        {{"-platform", "xcb", "--help"}, 0, "Usage: VelmarCarEditor [FILE]\n", ""},
        {{"lib.car", "-v"}, 0, "VelmarCarEditor 0.9\n", ""},
        {{"-x", "lib.car"}, 2, "VelmarCarEditor: unknown option -x\n", ""},
        {{"a.car", "b.car"}, 2, "VelmarCarEditor: one library at a time\n", ""},
    };
    for (const auto& c : cases) {
        const app::StartRequest request = app::ReadCommandLine(c.arguments);
        EXPECT_EQ(std::tuple(request.exitCode, request.output.left(c.output.size()), request.library),
                  std::tuple(c.exitCode, c.output, c.library))
            << qPrintable(c.arguments.join(' '));
    }
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
