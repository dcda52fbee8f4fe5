#include "frmImport.h"

#include "CarHistory.h"

#include "OnModal.h"
#include "OrdinaryUser.h"
#include "ScriptedDialogs.h"
#include "TestLibrary.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include <sys/stat.h>

using namespace modLoad;
using namespace testlib;

namespace {

class ImportExport : public testing::Test {
protected:
    void SetUp() override { Cars = MakeCars(5, 0, "Open"), TransferCars.clear(), ExportMode = 0; }
    void TearDown() override { Cars.reset(); }

    // Runs the dialog, drive playing the user once it shows; false when it never showed.
    bool Run(const std::function<void()>& drive)
    {
        bool shown = false;
        OnModal<frmImport>([&](frmImport*) { shown = true, drive(); }, [&] { result = dialog.Run(); });
        return shown;
    }
    QListWidget* List() { return dialog.findChild<QListWidget*>("lstCars"); }
    void Click(int row, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, keys, List()->visualItemRect(List()->item(row)).center());
    }
    void Press(const char* button) { QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton); }
    // The selected rows, or {-1} once the dialog has closed.
    QList<int> Selected()
    {
        QList<int> rows;
        for (int row = 0; row < List()->count(); ++row)
            if (List()->item(row)->isSelected())
                rows << row;
        return dialog.isVisible() ? rows : QList<int>{-1};
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    history::CarHistory undoStack;
    frmImport dialog{undoStack};
    int result = -1;
};

TEST_F(ImportExport, ImportAppendsTheChosenRowsInFileOrderButNeverPastTheCarLimit)
{
    const CarRecord old = MakeCars(1)[0];
    Cars = CarTable(MaxCars - 2, old);
    const CarTable file = MakeCars(4, 50, "File");
    dialogs << WriteFile(folder.filePath("file.car"), file) << "Ok";
    QList<int> kept;
    ASSERT_TRUE(Run([&] {
        Click(0);
        Click(2, Qt::ShiftModifier);
        Press("cmdOk");
        kept = Selected();
        Click(3);
        Click(1, Qt::ControlModifier);
        Press("cmdOk");
    }));
    EXPECT_EQ(dialogs.shown.at(0).text, "Car Files (*.car)|*.car");
    EXPECT_EQ(kept, (QList<int>{0, 1, 2}));
    EXPECT_TRUE(dialogs.messages().value(0).contains("32767"));
    EXPECT_EQ(result, QDialog::Accepted);
    ASSERT_EQ(Cars->size(), std::size_t(MaxCars));
    EXPECT_EQ(Encoded((*Cars)[MaxCars - 3]) + Encoded((*Cars)[MaxCars - 2]) + Encoded(Cars->back()),
              Encoded(old) + Encoded(file[1]) + Encoded(file[3]));
}

// Ok with no row chosen, Cancel and the window's close button in either mode,
// and an import whose file choice is cancelled or refused before it shows,
// a named pipe before it is opened.
TEST_F(ImportExport, NothingChosenCancelledOrRefusedChangesNothing)
{
    const QByteArray before = Encoded(*Cars);
    const QString file = WriteFile(folder.filePath("file.car"), MakeCars(3, 7, "File"));
    for (const std::int16_t mode : {0, 1}) {
        for (const QString way : {"cmdOk", "cmdCancel", "frame"}) {
            ExportMode = mode;
            if (mode == 0)
                dialogs << file;
            QList<int> after;
            ASSERT_TRUE(Run([&] {
                if (way != "cmdOk")
                    Click(1);
                way == "frame" ? void(dialog.close()) : Press(qPrintable(way));
                after = Selected();
            }));
            EXPECT_EQ(std::make_pair(after, result), std::make_pair(QList<int>{-1}, int{QDialog::Rejected}))
                << mode << qPrintable(way);
            EXPECT_EQ(Encoded(*Cars), before) << mode << qPrintable(way);
        }
    }
    ExportMode = 0;
    TransferCars = MakeCars(2, 3, "Earlier");
    const QByteArray transfer = Encoded(TransferCars);
    const QString damaged = folder.filePath("short.car");
    WriteFile(damaged, LibraryFile(QByteArray(RecordSize + 10, 'x'), 3));
    const QString pipe = folder.filePath("pipe.car");
    ASSERT_EQ(0, mkfifo(qPrintable(pipe), 0600));
    dialogs << "" << damaged << "Ok" << pipe << "Ok";
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_FALSE(Run([] {}));
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_EQ(Encoded(*Cars) + Encoded(TransferCars), before + transfer);
    }
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages()[0].contains("short.car") && dialogs.messages()[0].contains("damaged:"));
    EXPECT_TRUE(dialogs.messages()[1].contains("pipe.car\": it is a named pipe"));
}

TEST_F(ImportExport, ExportKeepsItsSelectionThroughACancelledOrFailedSaveAndWritesItInListOrder)
{
    ExportMode = 1;
    const QByteArray before = Encoded(*Cars);
    const QString path = folder.filePath("out.car"), locked = folder.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    ASSERT_EQ(0, chmod(qPrintable(folder.path()), 0777));
    ASSERT_EQ(0, chmod(qPrintable(locked), 0555));
    dialogs << "" << folder.filePath("no such folder/out.car") << "Ok" << locked + "/out.car" << "Ok" << path;
    QList<QList<int>> kept;
    {
        const OrdinaryUser user;
        ASSERT_TRUE(Run([&] {
            Click(2);
            Click(0, Qt::ControlModifier);
            for (int attempt = 0; attempt < 4; ++attempt)
                Press("cmdOk"), kept << Selected();
        }));
    }
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(kept, (QList<QList<int>>{{0, 2}, {0, 2}, {0, 2}, {-1}}));
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages()[0].contains("no such folder/out.car") &&
                dialogs.messages()[0].contains(qt_error_string(ENOENT)));
    EXPECT_TRUE(dialogs.messages()[1].contains(locked) && dialogs.messages()[1].contains(qt_error_string(EACCES)));
    EXPECT_TRUE(QDir(locked).isEmpty());
    chmod(qPrintable(locked), 0755);
    EXPECT_EQ(ReadFile(path), LibraryFile(Encoded((*Cars)[0]) + Encoded((*Cars)[2]), 2));
    EXPECT_EQ(Encoded(*Cars), before);
}

}  // namespace
