#include "frmImport.h"

#include "ScriptedDialogs.h"
#include "modLoad.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

using namespace modLoad;

namespace {

using Bytes = std::array<std::uint8_t, RecordSize>;

Bytes BytesOf(const CarRecord& car)
{
    Bytes out;
    EncodeRecord(car, out.data());
    return out;
}

std::vector<Bytes> BytesOf(const CarTable& table)
{
    std::vector<Bytes> out;
    for (const CarRecord& car : table)
        out.push_back(BytesOf(car));
    return out;
}

// Every byte of every field differs between cars and between positions.
CarTable MakeLibrary(const QString& prefix, int count, int seed)
{
    CarTable table(static_cast<std::size_t>(count));
    for (int c = 0; c < count; ++c) {
        Bytes bytes;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 31 + (seed + c) * 17 + 1);
        DecodeRecord(bytes.data(), table[c]);
        table[c].Name = StoredName(QStringLiteral("%1 %2").arg(prefix).arg(c));
    }
    return table;
}

class ImportExport : public testing::Test {
protected:
    void SetUp() override
    {
        Cars = MakeLibrary(QStringLiteral("Open"), 5, 0);
        TransferCars.clear();
        ExportMode = 0;
    }
    void TearDown() override
    {
        EXPECT_EQ(dialogs.unexpected, 0) << "a dialog was asked for that the test did not expect";
        Cars.reset();
        TransferCars.clear();
    }

    QString Save(const QString& name, const CarTable& table)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(SaveCars(path, table));
        return path;
    }

    struct Outcome {
        int result = -1;
        bool shown = false;
        bool leftOpen = false;
    };

    // Runs the dialog; once it shows, drive plays the user. A dialog the
    // driver leaves open is closed, so a failing test cannot hang the run.
    Outcome RunWith(const std::function<void()>& drive)
    {
        Outcome out;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &dialog, [&] {
            out.shown = QTest::qWaitForWindowExposed(&dialog);
            if (out.shown)
                drive();
            out.leftOpen = dialog.isVisible();
            if (out.leftOpen)
                dialog.reject();
        });
        timer.start(0);
        out.result = dialog.Run();
        timer.stop();
        return out;
    }

    QListWidget* List() { return dialog.findChild<QListWidget*>(QStringLiteral("lstCars")); }

    void Click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QListWidget* list = List();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(list->item(row)).center());
    }

    void Press(const char* button) { QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton); }

    QStringList Rows()
    {
        QStringList rows;
        for (int r = 0; r < List()->count(); ++r)
            rows << List()->item(r)->text();
        return rows;
    }

    std::vector<int> Selected()
    {
        std::vector<int> rows;
        for (int r = 0; r < List()->count(); ++r)
            if (List()->item(r)->isSelected())
                rows.push_back(r);
        return rows;
    }

    // Everything the user saw of the dialog when it opened.
    void Look(QString& caption, QStringList& rows)
    {
        caption = dialog.windowTitle();
        rows = Rows();
    }

    int Asked(ScriptedDialogs::Shown::Kind kind) const
    {
        return static_cast<int>(std::count_if(dialogs.shown.begin(), dialogs.shown.end(),
                                              [kind](const ScriptedDialogs::Shown& s) { return s.kind == kind; }));
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    frmImport dialog;
};

TEST_F(ImportExport, ImportAppendsTheChosenCarsInFileOrder)
{
    CarTable file = MakeLibrary(QStringLiteral("File"), 5, 50);
    file[1].Name = (*Cars)[4].Name;  // names may repeat
    file[4].Name = StoredName(QStringLiteral("Thirteen Char"));
    const auto before = BytesOf(*Cars);
    dialogs.answer(Save(QStringLiteral("file.car"), file));

    QString caption;
    QStringList rows;
    const Outcome out = RunWith([&] {
        Look(caption, rows);
        Click(3);
        Click(1, Qt::ControlModifier);
        Press("cmdOk");
    });

    EXPECT_EQ(out.result, QDialog::Accepted);
    EXPECT_FALSE(out.leftOpen);
    EXPECT_EQ(caption, "Import");
    EXPECT_EQ(rows, QStringList({"File 0", "Open 4", "File 2", "File 3", "Thirteen Char"}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, ScriptedDialogs::Shown::Open);
    EXPECT_EQ(dialogs.shown[0].text, "Car Files (*.car)|*.car");
    const auto after = BytesOf(*Cars);
    ASSERT_EQ(after.size(), 7u);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
    EXPECT_EQ(after[5], BytesOf(file[1]));
    EXPECT_EQ(after[6], BytesOf(file[3]));
}

TEST_F(ImportExport, ExportWritesTheChosenCarsInLibraryOrder)
{
    ExportMode = 1;
    const auto before = BytesOf(*Cars);
    const QString path = dir.filePath(QStringLiteral("out.car"));
    dialogs.answer(path);

    QString caption;
    QStringList rows;
    const Outcome out = RunWith([&] {
        Look(caption, rows);
        Click(2);
        Click(0, Qt::ControlModifier);
        Press("cmdOk");
    });

    EXPECT_EQ(out.result, QDialog::Accepted);
    EXPECT_FALSE(out.leftOpen);
    EXPECT_EQ(caption, "Export");
    EXPECT_EQ(rows, QStringList({"Open 0", "Open 1", "Open 2", "Open 3", "Open 4"}));
    EXPECT_EQ(dialogs.shown.back().text, "Car Files (*.car)|*.car");
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray data = written.readAll();
    ASSERT_EQ(data.size(), HeaderSize + 2 * RecordSize);
    EXPECT_EQ(data.mid(4, 4), QByteArray("\x02\0\0\0", 4));
    CarTable saved;
    ASSERT_TRUE(LoadCars(path, saved));
    EXPECT_EQ(BytesOf(saved), (std::vector<Bytes>{before[0], before[2]}));
    EXPECT_EQ(BytesOf(*Cars), before);
}

// One dialog object serves every opening, so each one must start afresh.
TEST_F(ImportExport, OkWithNothingChosenCancelAndTheFrameChangeNothing)
{
    const auto before = BytesOf(*Cars);
    const QString file = Save(QStringLiteral("file.car"), MakeLibrary(QStringLiteral("File"), 3, 7));
    for (const std::int16_t mode : {0, 1, 0}) {
        for (const char* way : {"Ok", "Cancel", "frame"}) {
            const std::string label = std::to_string(mode) + way;
            ExportMode = mode;
            if (mode == 0)
                dialogs.answer(file);
            QString caption;
            QStringList rows;
            const Outcome out = RunWith([&] {
                Look(caption, rows);
                if (way == std::string("Ok")) {
                    Press("cmdOk");
                    return;
                }
                Click(1);
                if (way == std::string("Cancel"))
                    Press("cmdCancel");
                else
                    dialog.close();
            });
            EXPECT_EQ(caption, mode ? "Export" : "Import") << label;
            EXPECT_EQ(rows.size(), mode ? 5 : 3) << label;
            EXPECT_FALSE(out.leftOpen) << label;
            EXPECT_EQ(out.result, QDialog::Rejected) << label;
            EXPECT_EQ(BytesOf(*Cars), before) << label;
        }
    }
    EXPECT_EQ(Asked(ScriptedDialogs::Shown::Save), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(ImportExport, ImportThatReadsNothingClosesBeforeShowing)
{
    TransferCars = MakeLibrary(QStringLiteral("Earlier"), 2, 3);
    const auto cars = BytesOf(*Cars);
    const auto transfer = BytesOf(TransferCars);

    const QString path = dir.filePath(QStringLiteral("short.car"));
    {
        QFile damaged(path);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray("\x40\x05\0\0\x03\0\0\0", 8) + QByteArray(RecordSize + 10, 'x'));
    }
    CarTable scratch;
    const QString refusal = LoadCars(path, scratch).message;

    dialogs.answer(QString()).answer(path).answerOk();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Outcome out = RunWith([] {});
        EXPECT_FALSE(out.shown) << attempt;
        EXPECT_EQ(out.result, QDialog::Rejected) << attempt;
        EXPECT_EQ(BytesOf(*Cars), cars) << attempt;
        EXPECT_EQ(BytesOf(TransferCars), transfer) << attempt;
    }
    ASSERT_FALSE(refusal.isEmpty());
    EXPECT_EQ(dialogs.messages(), QStringList{refusal});
    EXPECT_EQ(dialogs.shown.back().style, ui::MsgStyle::Ok);
}

TEST_F(ImportExport, ExportStaysOpenWithItsSelectionUntilAFileIsWritten)
{
    ExportMode = 1;
    const auto before = BytesOf(*Cars);
    const QString missing = dir.filePath(QStringLiteral("no such folder/out.car"));
    const QString path = dir.filePath(QStringLiteral("out.car"));
    dialogs.answer(QString()).answer(missing).answerOk().answer(path);

    std::vector<bool> open;
    std::vector<std::vector<int>> selected;
    const Outcome out = RunWith([&] {
        Click(0);
        Click(2, Qt::ControlModifier);
        for (int attempt = 0; attempt < 2; ++attempt) {
            Press("cmdOk");
            open.push_back(dialog.isVisible());
            selected.push_back(Selected());
        }
        Press("cmdOk");
    });

    EXPECT_EQ(out.result, QDialog::Accepted);
    EXPECT_EQ(open, (std::vector<bool>{true, true}));
    EXPECT_EQ(selected, (std::vector<std::vector<int>>{{0, 2}, {0, 2}}));
    EXPECT_EQ(Asked(ScriptedDialogs::Shown::Save), 3);
    const QString refusal = SaveCars(missing, *Cars).message;
    ASSERT_FALSE(refusal.isEmpty());
    EXPECT_EQ(dialogs.messages(), QStringList{refusal});
    CarTable saved;
    ASSERT_TRUE(LoadCars(path, saved));
    EXPECT_EQ(BytesOf(saved), (std::vector<Bytes>{before[0], before[2]}));
}

TEST_F(ImportExport, ImportPastTheCarLimitIsRefusedAndTheDialogStaysOpen)
{
    Cars = CarTable(MaxCars - 2);
    const CarTable file = MakeLibrary(QStringLiteral("File"), 4, 5);
    dialogs.answer(Save(QStringLiteral("file.car"), file)).answerOk();

    std::size_t sizeAfterRefusal = 0;
    bool openAfterRefusal = false;
    std::vector<int> selectedAfterRefusal;
    const Outcome out = RunWith([&] {
        Click(0);
        Click(2, Qt::ShiftModifier);
        Press("cmdOk");
        sizeAfterRefusal = Cars->size();
        openAfterRefusal = dialog.isVisible();
        selectedAfterRefusal = Selected();
        Click(3);
        Click(1, Qt::ControlModifier);
        Press("cmdOk");
    });

    EXPECT_EQ(sizeAfterRefusal, static_cast<std::size_t>(MaxCars - 2));
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(selectedAfterRefusal, (std::vector<int>{0, 1, 2}));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains("32767"));
    EXPECT_EQ(out.result, QDialog::Accepted);
    ASSERT_EQ(Cars->size(), static_cast<std::size_t>(MaxCars));
    EXPECT_EQ(BytesOf((*Cars)[MaxCars - 2]), BytesOf(file[1]));
    EXPECT_EQ(BytesOf((*Cars)[MaxCars - 1]), BytesOf(file[3]));
}

}  // namespace
