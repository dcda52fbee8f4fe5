#include "AppFixture.h"

#include "NumberText.h"

#include <QComboBox>
#include <QFile>
#include <QTest>
#include <QTreeWidget>
#include <QtEndian>

#include <cstring>

namespace {

const char* const CarControls[] = {"cmbCars", "cmdAdd", "cmdEdit", "cmdRemove", "cmdView",
                                   "lstDetails", "cmdImport", "cmdExport", "cmdSave"};

TEST_F(MainWindowTest, LoadingShowsTheCarsAndKeepsThePositionClamped)
{
    EXPECT_EQ(modLoad::ParameterNames[39], QStringLiteral("AI Value"));
    EXPECT_NE(modLoad::Palette[191].Red + modLoad::Palette[191].Green + modLoad::Palette[191].Blue, 0);
    for (const char* control : CarControls)
        EXPECT_FALSE(Enabled(control)) << control;
    Load(QString());
    EXPECT_FALSE(modLoad::Cars.has_value());
    EXPECT_FALSE(Enabled("cmdAdd"));

    modLoad::CarTable five = MakeCars(5);
    std::memcpy(five[0].Name.data(), "Racer\0       ", 13);
    std::memcpy(five[1].Name.data(), "Wide  Name   ", 13);
    const QString fivePath = WriteLibrary(QStringLiteral("five.car"), five);
    Load(fivePath);
    EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("Car Files (*.car)|*.car"));
    for (const char* control : CarControls)
        EXPECT_TRUE(Enabled(control)) << control;
    EXPECT_EQ(Selector()->itemText(0), QStringLiteral("Racer"));
    EXPECT_EQ(Selector()->itemText(1), QStringLiteral("Wide  Name   "));
    EXPECT_EQ(Selector()->currentIndex(), 0);
    ASSERT_EQ(Details()->topLevelItemCount(), 40);
    EXPECT_EQ(Details()->topLevelItem(0)->text(0), QStringLiteral("Size of Right Front Wheel"));
    EXPECT_EQ(Details()->topLevelItem(39)->text(0), QStringLiteral("AI Value"));
    EXPECT_EQ(Setting(39), ui::SingleToText(five[0].Parameters[39]));

    ChooseCar(3);
    modLoad::CarTable two = MakeCars(2);
    two[1].Parameters[0] = 99.5f;
    Load(WriteLibrary(QStringLiteral("two.car"), two));
    EXPECT_EQ(Selector()->count(), 2);
    EXPECT_EQ(Selector()->currentIndex(), 1);
    EXPECT_EQ(Setting(0), QStringLiteral("99.5"));
    Load(fivePath);
    EXPECT_EQ(Selector()->currentIndex(), 1);
}

TEST_F(MainWindowTest, EveryChoiceOfACarReadsItsValuesAfresh)
{
    Load(WriteLibrary(QStringLiteral("five.car"), MakeCars(5)));
    ChooseCar(2);
    EXPECT_EQ(Setting(1), QStringLiteral("2.25"));
    (*modLoad::Cars)[2].Parameters[1] = -3.5f;
    ChooseCar(2);
    EXPECT_EQ(Setting(1), QStringLiteral("-3.5"));

    Selector()->setFocus();
    QTest::keyClick(Selector(), Qt::Key_Down);
    EXPECT_EQ(Selector()->currentIndex(), 3);
    EXPECT_EQ(Setting(1), QStringLiteral("3.25"));
    EXPECT_EQ(Details()->topLevelItemCount(), 40);
}

TEST_F(MainWindowTest, AnsweredValuesAreStoredAndShownNormalisedAndBadOnesIgnored)
{
    const QString path = WriteLibrary(QStringLiteral("five.car"), MakeCars(5));
    QByteArray expected = FileBytes(path);
    Load(path);
    ChooseCar(1);

    const QString before = Setting(34);
    for (const char* answer : {"fast", "", "1e39"}) {
        dialogs.answer(QLatin1String(answer));
        ActivateRow(34);
        EXPECT_EQ(Setting(34), before) << answer;
    }
    dialogs.answer(QStringLiteral("1.50"));
    ActivateRow(34);
    EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("Enter new value"));
    EXPECT_EQ(dialogs.shown.back().defaultText, before);
    EXPECT_EQ(Setting(34), QStringLiteral("1.5"));
    dialogs.answer(QStringLiteral("-2E+08"));
    ActivateRow(39, true);
    EXPECT_EQ(Setting(39), QStringLiteral("-2E+08"));

    qToLittleEndian<float>(1.5f, expected.data() + RecordOffset(1) + 28 + 4 * 34);
    qToLittleEndian<float>(-2e8f, expected.data() + RecordOffset(1) + 28 + 4 * 39);
    EXPECT_EQ(SaveAs(QStringLiteral("edited.car")), expected);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(MainWindowTest, LoadAndSaveAnswerTheirShortcutsOnceALibraryIsOpen)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keySequence(&window, QKeySequence::Save);
    QTest::qWait(300);
    EXPECT_TRUE(dialogs.shown.empty());

    const QString path = WriteLibrary(QStringLiteral("five.car"), MakeCars(5));
    dialogs.answer(path);
    QTest::keySequence(&window, QKeySequence::Open);
    QTRY_COMPARE(Selector()->count(), 5);
    const QString copy = folder.filePath(QStringLiteral("copy.car"));
    dialogs.answer(copy);
    QTest::keySequence(&window, QKeySequence::Save);
    QTRY_COMPARE(FileBytes(copy), FileBytes(path));
}

TEST_F(MainWindowTest, RefusedFilesLeaveTheLibraryTheSelectionAndTheControlsAlone)
{
    const QString path = WriteLibrary(QStringLiteral("five.car"), MakeCars(5));
    const QString damaged = folder.filePath(QStringLiteral("damaged.car"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(FileBytes(path).left(RecordOffset(3) + 100));
    file.close();

    dialogs.answer(damaged).answerOk();
    Click("cmdLoad");
    EXPECT_FALSE(modLoad::Cars.has_value());
    EXPECT_FALSE(Enabled("cmdSave"));

    Load(path);
    ChooseCar(2);
    dialogs.answer(damaged).answerOk();
    Click("cmdLoad");
    dialogs.answer(folder.filePath(QStringLiteral("missing folder/out.car"))).answerOk();
    Click("cmdSave");
    ASSERT_EQ(dialogs.messages().size(), 3);
    EXPECT_TRUE(dialogs.messages()[1].contains(QStringLiteral("damaged.car")));
    EXPECT_TRUE(dialogs.messages()[2].contains(QStringLiteral("out.car")));
    EXPECT_EQ(Selector()->currentIndex(), 2);
    EXPECT_EQ(Setting(1), QStringLiteral("2.25"));
    EXPECT_TRUE(Enabled("cmdAdd"));
    EXPECT_EQ(SaveAs(QStringLiteral("kept.car")), FileBytes(path));
}

}  // namespace
