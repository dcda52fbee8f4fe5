#include "MainWindowFixture.h"

#include "CommandLine.h"
#include "HostileLibrary.h"
#include "NumberText.h"
#include "WireView.h"
#include "modOBJ.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QSlider>
#include <QUrl>

#include <bit>
#include <cerrno>
#include <optional>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace apptest;

// Load, Save, their keys, a library named at start and one dropped. A damaged file, a pipe and a failed save
// say which file and why; they and cancels leave the files and the library as they were.
TEST_F(MainWindow, OpensAndSavesLibrariesAndRefusalsChangeNothing)
{
    const QString five = Write("five.car", MakeCars(5)), damaged = folder.filePath("damaged.car"),
                  pipe = folder.filePath("pipe.car"), missing = folder.filePath("no folder/out.car");
    testlib::WriteFile(damaged, ReadFile(five).chopped(100));
    // A pipe is refused before it is opened: a writer that never wrote would block the window.
    ASSERT_EQ(0, mkfifo(qPrintable(pipe), 0600));
    (dialogs << "Ok"), window.OpenLibrary(damaged);
    EXPECT_FALSE(modLoad::Cars.has_value());
    for (const char* control : {"cmbCars", "cmdAdd", "cmdEdit", "cmdRemove", "cmdView", "lstDetails", "cmdImport",
                                "cmdExport", "cmdSave"})
        EXPECT_FALSE(window.findChild<QWidget*>(control)->isEnabled()) << control;
    // Shortcuts go to the active window, and click their button a moment later.
    (dialogs << five), Keys(QKeySequence::Open);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Selector()->count() == 5; }));
    EXPECT_EQ(dialogs.shown.at(1).text, "Car Files (*.car)|*.car");
    EXPECT_EQ(Details()->topLevelItem(39)->text(0) + " " + Setting(39), "AI Value 9.75");
    ChooseCar(3);
    // Saving into a pipe is refused too, though a reader holds it: one that never read would block the window.
    const int reader = open(qPrintable(pipe), O_RDONLY | O_NONBLOCK);
    const QString other = Write("other.car", MakeCars(1));
    // Replacing a file other than the library's own is asked first, in Qt's words; No chooses again.
    dialogs << "" << "" << damaged << "Ok" << pipe << "Ok" << missing << "Ok" << pipe << "Ok" << five << other << "No" << ""
            << other << "Yes";
    for (const char* button : {"cmdLoad", "cmdSave", "cmdLoad", "cmdLoad", "cmdSave", "cmdSave", "cmdSave", "cmdSave", "cmdSave"})
        Click(button);
    char byte;
    EXPECT_LE(read(reader, &byte, 1), 0);  // nothing written
    close(reader);
    const QStringList messages = dialogs.messages();
    const QString replace = "other.car already exists.\nDo you want to replace it?";
    ASSERT_EQ(messages.mid(4), (QStringList{"Cannot write \"" + pipe + "\": it is a named pipe, not a file.", replace, replace}));
    EXPECT_EQ(dialogs.shown.back().style, ui::MsgStyle::YesNoWarning);
    EXPECT_EQ(ReadFile(other), ReadFile(five));
    EXPECT_TRUE(messages[0] == messages[1] && messages[1].contains(damaged + "\" is damaged:")) << qPrintable(messages[1]);
    EXPECT_TRUE(messages[2].contains(pipe + "\": it is a named pipe")) << qPrintable(messages[2]);
    EXPECT_TRUE(messages[3].contains(missing) && messages[3].contains(qt_error_string(ENOENT))) << qPrintable(messages[3]);
    EXPECT_EQ(Selector()->currentIndex(), 3);
    (dialogs << folder.filePath("copy.car")), Keys(QKeySequence::Save);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ReadFile(folder.filePath("copy.car")) == ReadFile(five); }));

    // Only a single local .car file is taken; a shorter library keeps the position in range.
    const auto drop = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(window.rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent release(window.rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
        return QApplication::sendEvent(&window, &enter) && enter.isAccepted() && QApplication::sendEvent(&window, &release);
    };
    const QUrl url = QUrl::fromLocalFile(Write("Two.CAR", MakeCars(2, 0, "Two")));
    EXPECT_FALSE(drop({url, url}) || drop({QUrl::fromLocalFile(folder.filePath("notes.txt"))}) ||
                 drop({QUrl("https://example.invalid/a.car")}));
    ASSERT_TRUE(drop({url}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Selector()->count() == 2; }));
    EXPECT_EQ(Selector()->currentText() + " " + Setting(1), "Two 1 1.25");
}

// Refused, cancelled and unchanged edits make no step, so the window closes unasked. Names lose spaces only.
TEST_F(MainWindow, EditsStoreWhatIsTypedAndRefusalsChangeNothing)
{
    Load(Write("one.car", MakeCars(1)));
    (dialogs << "Ok" << "Ok"), Click("cmdRemove");
    modLoad::Cars->resize(modLoad::MaxCars), Click("cmdAdd");
    CarTable cars = MakeCars(4);
    cars[1].Name = RawName("  Wide Name  ");
    Load(Write("four.car", cars)), ChooseCar(2);
    dialogs << "fast" << "" << "1e39" << "Ok" << "-1e-400" << "Ok" << "7" << "Thirteen Char" << "Ok" << "" << "Car 2" << "Ok"
            << "Ok" << "No" << "";
    for (int i = 0; i < 5; ++i) ActivateRow(20);
    for (int i = 0; i < 3; ++i) Click("cmdEdit");
    NewCar("   ", 0), NewCar("Named", -1), NewCar("-", 0);
    Click("cmdRemove");
    // A cancelled import shows no dialog, yet the selector is read afresh.
    (*modLoad::Cars)[0].Name = cars[0].Name = RawName("Renamed\0     "), Click("cmdImport");
    EXPECT_EQ(Selector()->itemText(0), "Renamed");
    EXPECT_EQ(dialogs.messages(), (QStringList{"A library must keep at least one car.", "A library holds at most 32767 cars.",
                                               "1e39 is too large for a 32-bit float, whose largest is 3.402823E+38.",
                                               "-1e-400 is too small for a 32-bit float, whose smallest is 1.401298E-45: it would become 0.",
                                               "Name too long", "Please enter a name", "Please select a template car", "Are you sure?"}));
    EXPECT_TRUE(window.close());
    window.show();

    ChooseCar(1), (dialogs << "  Twelve Chars "), Click("cmdEdit");
    EXPECT_EQ(dialogs.shown.back().defaultText, "Wide Name");
    ChooseCar(2), (dialogs << " \t\u00A0Tab \t " << "Yes"), Click("cmdEdit");
    NewCar("Fifteen Letters", 0), NewCar("\u00A0", 2);
    ChooseCar(3), Click("cmdRemove");
    EXPECT_EQ(dialogs.shown.back().style, ui::MsgStyle::YesNoQuestion);
    cars[1].Name = RawName("Twelve Chars\0"), cars[2].Name = RawName("\t\xA0" "Tab \t\0     ");
    cars.push_back(cars[0]), cars.back().Name = RawName("Fifteen Lette");
    cars.push_back(cars[2]), cars.back().Name = RawName("\xA0\0           ");
    cars.erase(cars.begin() + 3);
    EXPECT_EQ(SaveAs("edited.car"), LibraryFile(cars));
}

// Each kind of step, undone and redone with the keys: the library, selector and parameter list follow, the car
// the step concerns selected; the model editor's steps in the editor, its toolbox following, its keys only its car's.
TEST_F(MainWindow, EveryKindOfStepIsUndoneAndRedoneWithTheKeys)
{
    CarTable expected = MakeCars(4);
    const QString kart = testlib::Sample(folder.path(), "kart.obj"), wedge = testlib::Sample(folder.path(), "wedge.obj");
    // Car 0 has a model to drag, its head shown and colour 7 on triangle 0.
    ASSERT_TRUE(modOBJ::ImportOBJ(kart, expected[0]));
    expected[0].HeadHidden = 0, expected[0].PolyColour[0] = 7;
    const CarTable file = MakeCars(3, 7, "File");
    const QString fileName = (Load(Write("four.car", expected)), Write("file.car", file));
    frmView* editor = nullptr;  // while an editor step is made, undone and redone
    const auto click = [&](const char* name) { QTest::mouseClick(editor->findChild<QWidget*>(name), Qt::LeftButton); };
    // Vertex 0 of car 0 dragged in two moves in the XY view, ended by a release or by closing the editor.
    std::pair<float, float> landed;
    const auto drag = [&](bool release) {
        auto* xy = editor->findChild<WireView*>("picXY");
        const QPoint from = editor::MapToView(expected[0].Vertices[0], xy->Axes(), 50, xy->size()).toPoint();
        const QPoint to = from + QPoint(12, 6);
        for (const auto& [action, at] : {std::pair{MouseMove, from}, {MousePress, from}, {MouseMove, from + QPoint(5, 0)},
                                         {MouseMove, to}})
            Mouse(action, xy, at);
        release ? Mouse(MouseRelease, xy, to) : void(editor->close());
        landed = {Units(to.x(), xy->width()), Units(to.y(), xy->height())};
    };
    const auto moved = [&](CarTable& t) { std::tie(t[0].Vertices[0].X, t[0].Vertices[0].Y) = landed; };
    const struct {
        QString undo;  // the undo command's text, naming the step
        std::function<void()> make;
        std::function<void(CarTable&)> change;  // the step, made to the expected cars
        int shownBefore, shownAfter, editing = -1;  // the car the model editor is open on, the keys going to it
        const char* keysTo = nullptr;  // the editor's control that has them
    } steps[] = {
        // A decimal becomes the float nearest to it, not the float nearest to the double nearest to it.
        {"Undo Set Power of Car 1", [&] { ChooseCar(1), (dialogs << "1.000000059604644785390625"), ActivateRow(34, true); },
         [](CarTable& t) { t[1].Parameters[34] = std::bit_cast<float>(0x3F800001u); }, 1, 1},
        {"Undo Rename Car 2 to R&&D", [&] { ChooseCar(2), (dialogs << "R&D"), Click("cmdEdit"); },
         [](CarTable& t) { t[2].Name = RawName("R&D\0         "); }, 2, 2},
        {"Undo Add Added", [&] { NewCar("Added", 1); },
         [](CarTable& t) { t.push_back(t[1]), t.back().Name = RawName("Added\0       "); }, 3, 4},
        {"Undo Remove Car 1", [&] { ChooseCar(1), (dialogs << "Yes"), Click("cmdRemove"); },
         [](CarTable& t) { t.erase(t.begin() + 1); }, 1, 1},
        {"Undo Import 2 cars", [&] { (dialogs << fileName), Import({2, 0}); },
         [&](CarTable& t) { t.insert(t.end(), {file[0], file[2]}); }, 3, 4},
        {"Undo Flip Normal 0 of Car 0", [&] { click("cmdFlipPoly"); },
         [](CarTable& t) { t[0].Normals[0] = {-t[0].Normals[0].X, -t[0].Normals[0].Y, -t[0].Normals[0].Z}; }, 0, 0, 0},
        {"Undo Set Colour of Triangle 0 of Car 0", [&] { Type(editor->findChild<QLineEdit*>("txtColour"), "15"); },
         [](CarTable& t) { t[0].PolyColour[0] = 15; }, 0, 0, 0},
        // The views take no focus: the keys reach the colour box typed in last.
        {"Undo Move Vertex 0 of Car 0", [&] { drag(true); }, moved, 0, 0, 0, "txtColour"},
        {"Undo Hide Head of Car 0", [&] { click("chkHeadVisible"); }, [](CarTable& t) { t[0].HeadHidden = 1; }, 0, 0, 0},
        {"Undo Import wedge.obj into Car 0", [&] { (dialogs << wedge), click("cmdImport"); },
         [&](CarTable& t) { ASSERT_TRUE(modOBJ::ImportOBJ(wedge, t[0])); }, 0, 0, 0},
        // The button goes up over the main window.
        {"Undo Move Vertex 0 of Car 0", [&] {
             View(0, [&](frmView* opened) { editor = opened, drag(false); });
             editor = nullptr;
             Mouse(MouseRelease, &window, {});
         }, moved, 0, 0},
    };
    // The library, names listed, car selected, its parameters; in the editor the triangle's colour and head box.
    const auto shown = [&] {
        QStringList names, settings;
        for (int i = 0; i < Selector()->count(); ++i) names << Selector()->itemText(i);
        for (int row = 0; row < Details()->topLevelItemCount(); ++row) settings << Setting(row);
        if (editor)
            settings << editor->findChild<QLineEdit*>("txtColour")->text()
                     << QString::number(editor->findChild<QCheckBox*>("chkHeadVisible")->isChecked());
        return std::tuple(Encoded(*modLoad::Cars), names, Selector()->currentIndex(), settings);
    };
    const auto expect = [&](const CarTable& cars, int car) {
        QStringList settings;
        for (float value : cars[car].Parameters) settings << numbertext::SingleToText(value);
        if (editor)
            settings << QString::number(cars[car].PolyColour[editor->findChild<QSlider*>("sPolys")->value()])
                     << QString::number(cars[car].HeadHidden == 0);
        return std::tuple(Encoded(cars), modLoad::NamesInList(cars), car, settings);
    };
    for (const auto& step : steps) {
        const auto check = [&] {
            const CarTable before = expected;
            step.make(), step.change(expected);
            QObject* actions = editor ? static_cast<QObject*>(editor) : &window;
            EXPECT_EQ(actions->findChild<QAction*>("actUndo", Qt::FindDirectChildrenOnly)->text(), step.undo);
            QWidget* keys = editor && step.keysTo ? editor->findChild<QWidget*>(step.keysTo) : editor;
            Keys(QKeySequence::Undo, keys);
            EXPECT_EQ(shown(), expect(before, step.shownBefore)) << qPrintable(step.undo);
            Keys(QKeySequence::Redo, keys);
            EXPECT_EQ(shown(), expect(expected, step.shownAfter)) << qPrintable(step.undo);
        };
        step.editing < 0 ? check() : View(step.editing, [&](frmView* e) { editor = e, check(), editor = nullptr; });
    }

    // A value of another car below, an Add to redo: in the editor the keys reach neither.
    ChooseCar(1), (dialogs << "9"), ActivateRow(0);
    expected[1].Parameters[0] = 9;
    NewCar("Guard", 0), Keys(QKeySequence::Undo);
    bool disabled = false;
    View(0, [&](frmView* opened) {
        Keys(QKeySequence::Undo, opened), Keys(QKeySequence::Redo, opened);
        disabled = !opened->findChild<QAction*>("actUndo")->isEnabled() && !opened->findChild<QAction*>("actRedo")->isEnabled();
    });
    EXPECT_TRUE(disabled);
    EXPECT_EQ(SaveAs("steps.car"), LibraryFile(expected));
}

// With unsaved changes, closing and loading ask first; each row starts from first.car with one value changed.
// Save writes first.car itself, and where it cannot, says why and keeps the window. Saving makes the library
// clean, so does undoing back to the saved state; the Save button's dialog offers the library's own file.
TEST_F(MainWindow, UnsavedChangesAreSavedDiscardedOrKeptOnCloseAndOnLoad)
{
    CarTable edited = MakeCars(3);
    const QByteArray original = LibraryFile(edited);
    const QString first = Write("first.car", edited), second = Write("second.car", MakeCars(2, 5));
    edited[0].Parameters[0] = 7;
    const QString saved = folder.filePath("saved.car");
    // Load, else close; the answers; whether the window closed or the other library loaded.
    const std::tuple<bool, QStringList, bool> rows[] = {
        {false, {"Cancel"}, false}, {false, {"Save"}, true}, {false, {"Save", "Ok"}, false}, {false, {"Discard"}, true},
        {true, {"Cancel"}, false}, {true, {"Save"}, true}, {true, {"Discard"}, true},
    };
    bool unsaved = false;
    for (const auto& [load, answers, goes] : rows) {
        testlib::WriteFile(first, original);
        dialogs.script << first << QStringList(unsaved, "Discard") << "7";
        Click("cmdLoad"), ActivateRow(0);
        const std::size_t asked = dialogs.shown.size() + load;
        // A folder in the file's place fails the save.
        const bool fails = answers.size() == 2;
        if (fails) {
            QFile::remove(first);
            QDir().mkdir(first);
        }
        dialogs.script << QStringList(load, second) << answers;
        const bool went = load ? (Click("cmdLoad"), Selector()->count() == 2) : window.close();
        const QString when = load ? "loading another library" : "closing";
        EXPECT_EQ(went, goes) << qPrintable(when + " " + answers.join(" "));
        EXPECT_EQ(dialogs.shown.at(asked).text, "Save changes to first.car before " + when + "?");
        EXPECT_EQ(dialogs.shown.at(asked).style, ui::MsgStyle::SaveDiscardCancel);
        EXPECT_EQ(ReadFile(first), fails ? QByteArray() : answers[0] == "Save" ? LibraryFile(edited) : original);
        if (fails) {
            EXPECT_TRUE(dialogs.messages().constLast().contains("first.car\": it is a folder"))
                << qPrintable(dialogs.messages().constLast());
        }
        QDir().rmdir(first);
        unsaved = !goes || (!load && answers[0] == "Discard");
        window.show();
    }

    // Past the saved state the question names the library as saved.
    testlib::WriteFile(first, original);
    Load(first), (dialogs << "1" << saved << "2");
    ActivateRow(0), Click("cmdSave");
    EXPECT_EQ(dialogs.shown.back().defaultText, first);
    ActivateRow(0), Keys(QKeySequence::Undo);
    EXPECT_TRUE(window.close());
    window.show();
    Keys(QKeySequence::Undo), (dialogs << "Cancel");
    EXPECT_FALSE(window.close());
    EXPECT_EQ(dialogs.messages().constLast(), "Save changes to saved.car before closing?");
}

// A name shows as the file holds it, in Windows-1252; a typed character that no name can hold is refused and
// named, whole. Every list escapes controls and shows a name of spaces, or of none, visibly. OK on the name
// offered changes nothing, not even the bytes after its NUL.
TEST_F(MainWindow, NamesKeepWhatIsTypedAndEveryListTellsThemApart)
{
    CarTable cars = MakeCars(5);
    cars[0].Name = RawName("\x1b[2J\x93Q\x94\0     "), cars[1].Name = RawName("             ");
    cars[2].Name = RawName("\0Hidden text "), cars[3].Name = RawName("Thirteen Char"), cars[4].Name = RawName("Pad\0\x01\x02       ");
    const QString names = Write("names.car", cars);
    Load(names);
    const QStringList listed{"\\x1b[2J\u201cQ\u201d", QString(13, QChar(0x2423)), "\\x00", "Thirteen Char", "Pad"};
    const auto rows = [](QListWidget* list) {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
        return texts;
    };
    QStringList inSelector, inImport, inExport, inNewCar;
    for (int i = 0; i < Selector()->count(); ++i) inSelector << Selector()->itemText(i);
    OnModal<frmImport>([&](frmImport* d) { inImport = rows(d->findChild<QListWidget*>("lstCars")); }, [&] { (dialogs << names), Click("cmdImport"); });
    OnModal<frmImport>([&](frmImport* d) { inExport = rows(d->findChild<QListWidget*>("lstCars")); }, [&] { Click("cmdExport"); });
    OnModal<frmNewCar>([&](frmNewCar* d) {
        auto* templates = d->findChild<QComboBox*>("cmbCars");
        for (int i = 0; i < templates->count(); ++i) inNewCar << templates->itemText(i);
        d->findChild<QLineEdit*>("txtName")->setText("\U0001F3CERacer"), templates->setCurrentIndex(0);
        QTest::mouseClick(d->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    }, [&] { (dialogs << "Ok"), Click("cmdAdd"); });
    EXPECT_EQ((QList<QStringList>{inSelector, inImport, inExport, inNewCar}), QList<QStringList>(4, listed));

    for (const int car : {3, 4}) ChooseCar(car), (dialogs << QString(listed[car])), Click("cmdEdit");
    EXPECT_FALSE(window.findChild<QAction*>("actUndo")->isEnabled());
    ChooseCar(1), (dialogs << "\u65e5\u672c\u8eca" << "Ok"), Click("cmdEdit");
    ChooseCar(0), (dialogs << "\u20acuro"), Click("cmdEdit");
    EXPECT_EQ(dialogs.messages(), (QStringList{"A name cannot hold \"\U0001F3CE\" (U+1F3CE): names hold the characters of Windows-1252.",
                                               "A name cannot hold \"\u65e5\" (U+65E5): names hold the characters of Windows-1252."}));
    EXPECT_EQ(Selector()->itemText(0), "\u20acuro");
    cars[0].Name = RawName("\x80uro\0        ");
    EXPECT_EQ(SaveAs("names.car"), LibraryFile(cars));
}

// The editor's command line, before and after the toolkit takes its options.
TEST(CommandLine, AnswersHelpAndVersionAndNamesOneLibrary)
{
    const std::tuple<QStringList, std::optional<int>, QString, QString> cases[] = {
        // arguments, exit code, the start of the output, the library
        {{"lib.car"}, {}, "", "lib.car"},
        {{"--", "--help"}, {}, "", "--help"},
        {{"-platform", "xcb", "--help"}, 0, "Usage: VelmarCarEditor [FILE]\n", ""},
        {{"lib.car", "-v"}, 0, "VelmarCarEditor 0.9\n", ""},
        {{"-x", "lib.car"}, 2, "VelmarCarEditor: unknown option -x\n", ""},
        {{"a.car", "b.car"}, 2, "VelmarCarEditor: one library at a time\n", ""},
    };
    for (const auto& [arguments, exitCode, output, library] : cases) {
        const app::StartRequest request = app::ReadCommandLine(arguments);
        EXPECT_EQ(std::tuple(request.exitCode, request.output.left(output.size()), request.library),
                  std::tuple(exitCode, output, library))
            << qPrintable(arguments.join(' '));
    }
}

// The model editor on each car of odd records: hovered and dragged in every view, its last triangle recoloured
// and flipped, given a model, drawn after each; the car changes as the user changed it, and only once saved.
TEST_F(MainWindow, ViewRecordsOutsideTheModelAreEditedSafelyAndWrittenBackAsRead)
{
    CarTable expected = samples::HostileLibrary();
    const QString file = Write("hostile.car", expected), model = testlib::Sample(folder.path(), "kart.obj");
    Load(file);
    for (int car = 0; car < static_cast<int>(expected.size()); ++car) {
        CarRecord& record = expected[car];
        int dragged = 0, last = -1;
        dialogs << model;
        View(car, [&](frmView* editor) {
            for (WireView* view : editor->findChildren<WireView*>()) {
                editor->RenderFrame();
                // A corner of a triangle in use, in the model and in sight.
                QPoint at, to;
                for (int p = 0; p < modLoad::UsedPolys(record) && at.isNull(); ++p) {
                    to = editor::MapToView(record.Vertices[record.Polys[p].A % 30], view->Axes(), 50, view->size()).toPoint();
                    at = modLoad::PolyInModel(record.Polys[p]) && view->rect().adjusted(10, 10, -10, -10).contains(to) ? to : at;
                }
                to = at + QPoint(7, -4);
                Mouse(MouseMove, view, at + QPoint(1, 0)), Mouse(MouseMove, view, at);
                const int picked = editor->SelectedVertex;
                Mouse(MousePress, view, at), Mouse(MouseMove, view, to), Mouse(MouseRelease, view, to);
                if (picked >= 0 && ++dragged)
                    editor::Coordinate(record.Vertices[picked], view->Axes().H) = Units(to.x(), view->width()),
                    editor::Coordinate(record.Vertices[picked], view->Axes().V) = Units(to.y(), view->height());
            }
            auto* slider = editor->findChild<QSlider*>("sPolys");
            slider->setValue(last = slider->maximum());
            Type(editor->findChild<QLineEdit*>("txtColour"), "9");
            for (const char* button : {"cmdFlipPoly", "cmdImport"})
                QTest::mouseClick(editor->findChild<QPushButton*>(button), Qt::LeftButton), editor->RenderFrame();
        });
        EXPECT_GT(dragged, 0) << "car " << car;
        record.PolyColour[last] = 9;
        if (last < modLoad::MaxVertices)
            record.Normals[last] = {-record.Normals[last].X, -record.Normals[last].Y, -record.Normals[last].Z};
        EXPECT_TRUE(modOBJ::ImportOBJ(model, record));
    }
    EXPECT_EQ(ReadFile(file), LibraryFile(samples::HostileLibrary()));
    EXPECT_EQ(SaveAs("saved.car"), LibraryFile(expected));
}

}  // namespace
