#include "frmImport.h"

#include "CarHistory.h"

#include "OnModal.h"
#include "ScriptedDialogs.h"
#include "TestLibrary.h"

#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // The selected rows, or {-1} once the dialog has closed.
    QList<int> Selected()
    {
        QList<int> rows;
        for (int row = 0; row < List()->count(); ++row)
            if (List()->item(row)->isSelected())
                rows << row;
        return dialog.isVisible() ? rows : QList<int>{-1};
    }
    QList<int> Press(const char* button)
    { return QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton), Selected(); }

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
        Click(0), Click(2, Qt::ShiftModifier), kept = Press("cmdOk");
        Click(3), Click(1, Qt::ControlModifier), Press("cmdOk");
    }));
    EXPECT_EQ(dialogs.shown.at(0).text, "Car Files (*.car)|*.car");
    EXPECT_EQ(kept, (QList<int>{0, 1, 2}));
    EXPECT_TRUE(dialogs.messages().value(0).contains("32767") && result == QDialog::Accepted);
    ASSERT_EQ(Cars->size(), std::size_t(MaxCars));
    EXPECT_EQ(Encoded((*Cars)[MaxCars - 3]) + Encoded((*Cars)[MaxCars - 2]) + Encoded(Cars->back()),
              Encoded(old) + Encoded(file[1]) + Encoded(file[3]));
}

// Ok with no row chosen, Cancel and the window's close button, in either
// mode; an import whose file choice is cancelled or refused never shows, a named pipe refused before it is opened.
TEST_F(ImportExport, NothingChosenCancelledOrRefusedChangesNothing)
{
    const QByteArray before = Encoded(*Cars);
    const QString file = WriteFile(folder.filePath("file.car"), MakeCars(3, 7, "File")), pipe = folder.filePath("pipe.car");
    for (const std::int16_t mode : {0, 1})
        for (const char* way : {"cmdOk", "cmdCancel", "frame"}) {
            dialogs.script << QStringList(1 - (ExportMode = mode), file);
            QList<int> after;
            ASSERT_TRUE(Run([&] {
                if (way != QString("cmdOk"))
                    Click(1);
                after = way == QString("frame") ? (dialog.close(), Selected()) : Press(way);
            }));
            EXPECT_TRUE(after == QList<int>{-1} && result == QDialog::Rejected && Encoded(*Cars) == before) << mode << way;
        }
    const QByteArray transfer = Encoded(TransferCars);
    ASSERT_EQ(0, mkfifo(qPrintable(pipe), 0600));
    ExportMode = 0, (dialogs << "" << pipe << "Ok");
    EXPECT_FALSE(Run([] {}) || Run([] {}));
    EXPECT_TRUE(result == QDialog::Rejected && Encoded(*Cars) + Encoded(TransferCars) == before + transfer);
    EXPECT_TRUE(dialogs.messages().value(0).contains(pipe + "\": it is a named pipe")) << qPrintable(dialogs.messages().value(0));
}

// A cancelled, failed or refused save keeps the list and its selection for another try: a pipe is refused before it
// is opened, though a reader holds it. Replacing a file is asked first, and the open library's own file is named so;
// once replaced, the library counts as unsaved.
TEST_F(ImportExport, ExportKeepsItsSelectionThroughACancelledOrFailedSaveAndWritesItInListOrder)
{
    const QByteArray before = Encoded(*Cars);
    const QString path = WriteFile(folder.filePath("open.car"), *Cars), missing = folder.filePath("no such folder/out.car"),
                  other = WriteFile(folder.filePath("other.car"), MakeCars(1)), pipe = folder.filePath("pipe.car");
    undoStack.SetLibraryFile(path);
    ASSERT_EQ(0, mkfifo(qPrintable(pipe), 0600));
    const int reader = open(qPrintable(pipe), O_RDONLY | O_NONBLOCK);
    ExportMode = 1, (dialogs << "" << missing << "Ok" << pipe << "Ok" << other << "No" << "" << path << "Yes");
    QList<QList<int>> kept;
    ASSERT_TRUE(Run([&] {
        Click(2), Click(0, Qt::ControlModifier);
        for (int attempt = 0; attempt < 5; ++attempt) kept << Press("cmdOk");
    }));
    char byte;
    EXPECT_LE(read(reader, &byte, 1), 0);  // nothing written
    close(reader);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(kept, (QList<QList<int>>{{0, 2}, {0, 2}, {0, 2}, {0, 2}, {-1}}));
    const QStringList messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 4);
    EXPECT_TRUE(messages[0].contains(missing + "\": " + qt_error_string(ENOENT))) << qPrintable(messages[0]);
    EXPECT_EQ(messages.mid(1), (QStringList{"Cannot write \"" + pipe + "\": it is a named pipe, not a file.",
                                            "other.car already exists.\nDo you want to replace it?",
                                            "open.car holds the open library; replacing it loses the cars saved in it.\n"
                                            "Do you want to replace it?"}));
    EXPECT_EQ(ReadFile(path), LibraryFile(Encoded((*Cars)[0]) + Encoded((*Cars)[2]), 2));
    EXPECT_EQ(ReadFile(other), LibraryFile(MakeCars(1)));
    EXPECT_EQ(Encoded(*Cars), before);
    EXPECT_FALSE(undoStack.isClean());
}

}  // namespace
