#include "frmImport.h"

#include "OnModal.h"
#include "OrdinaryUser.h"
#include "QtPrinters.h"
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
using testlib::Encoded;

namespace {

class ImportExport : public testing::Test {
protected:
    void SetUp() override { Cars = testlib::MakeCars(5, 0, "Open"), TransferCars.clear(), ExportMode = 0; }
    void TearDown() override
    {
        EXPECT_EQ(dialogs.unexpected, 0) << "a dialog was asked for that the test did not expect";
        EXPECT_EQ(dialogs.script, QStringList()) << "answers left for dialogs that never showed";
        Cars.reset();
    }

    QString Write(const QString& name, const CarTable& cars) { return testlib::WriteLibrary(folder.filePath(name), cars); }
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
    frmImport dialog;
    int result = -1;
};

TEST_F(ImportExport, ImportAppendsTheChosenRowsInFileOrderButNeverPastTheCarLimit)
{
    const CarRecord old = testlib::MakeCars(1)[0];
    Cars = CarTable(MaxCars - 2, old);
    const CarTable file = testlib::MakeCars(4, 50, "File");
    dialogs << Write("file.car", file) << "Ok";
    QString lastRow;
    QList<int> kept;
    ASSERT_TRUE(Run([&] {
        lastRow = List()->item(3)->text();
        Click(0);
        Click(2, Qt::ShiftModifier);
        Press("cmdOk");
        kept = Selected();
        Click(3);
        Click(1, Qt::ControlModifier);
        Press("cmdOk");
    }));
    EXPECT_EQ(dialog.windowTitle(), "Import");
    EXPECT_EQ(dialogs.shown.at(0).text, "Car Files (*.car)|*.car");
    EXPECT_EQ(lastRow, "File 3");
    EXPECT_EQ(kept, (QList<int>{0, 1, 2}));
    EXPECT_TRUE(dialogs.messages().value(0).contains("32767"));
    EXPECT_EQ(result, QDialog::Accepted);
    ASSERT_EQ(Cars->size(), std::size_t(MaxCars));
    EXPECT_EQ(Encoded(Cars->front()) + Encoded((*Cars)[MaxCars - 3]), Encoded(old) + Encoded(old));
    EXPECT_EQ(Encoded((*Cars)[MaxCars - 2]) + Encoded(Cars->back()), Encoded(file[1]) + Encoded(file[3]));
}

TEST_F(ImportExport, OkWithNothingChosenCancelAndTheFrameChangeNothingInEitherMode)
{
    const QByteArray before = Encoded(*Cars);
    const QString file = Write("file.car", testlib::MakeCars(3, 7, "File"));
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
            EXPECT_EQ(after, QList<int>{-1}) << mode << qPrintable(way);
            EXPECT_EQ(result, QDialog::Rejected) << mode << qPrintable(way);
            EXPECT_EQ(Encoded(*Cars), before) << mode << qPrintable(way);
        }
    }
    EXPECT_EQ(dialogs.shown.size(), 3u) << "only the import file choices";
}

TEST_F(ImportExport, ImportClosesBeforeShowingWhenNoFileIsChosenOrTheFileIsRefused)
{
    TransferCars = testlib::MakeCars(2, 3, "Earlier");
    const QByteArray cars = Encoded(*Cars), transfer = Encoded(TransferCars);
    const QString damaged = folder.filePath("short.car");
    testlib::WriteFile(damaged, testlib::LibraryFile(QByteArray(RecordSize + 10, 'x'), 3));
    dialogs << "" << damaged << "Ok";
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_FALSE(Run([] {}));
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_EQ(Encoded(*Cars) + Encoded(TransferCars), cars + transfer);
    }
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains("short.car") && dialogs.messages()[0].contains("damaged:"));
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
    EXPECT_EQ(dialog.windowTitle(), "Export");
    EXPECT_EQ(kept, (QList<QList<int>>{{0, 2}, {0, 2}, {0, 2}, {-1}}));
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages()[0].contains("no such folder/out.car") &&
                dialogs.messages()[0].contains(qt_error_string(ENOENT)));
    EXPECT_TRUE(dialogs.messages()[1].contains(locked) && dialogs.messages()[1].contains(qt_error_string(EACCES)));
    EXPECT_TRUE(QDir(locked).isEmpty());
    chmod(qPrintable(locked), 0755);
    EXPECT_EQ(testlib::ReadFile(path), testlib::LibraryFile(Encoded((*Cars)[0]) + Encoded((*Cars)[2]), 2));
    EXPECT_EQ(Encoded(*Cars), before);
}

}  // namespace
