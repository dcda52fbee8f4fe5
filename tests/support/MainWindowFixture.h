#pragma once

#include "frmMain.h"

#include "ScriptedDialogs.h"
#include "TestLibrary.h"

#include <QComboBox>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// The main window with no library open; the toolkit's dialogs are answered from `dialogs`.
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
    void Click(const char* button) { QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton); }
    QString Write(const QString& name, const modLoad::CarTable& cars)
    {
        return testlib::WriteLibrary(folder.filePath(name), cars);
    }
    void Load(const QString& path) { (dialogs << path), Click("cmdLoad"); }
    // Saves with the Save button; the bytes written.
    QByteArray SaveAs(const QString& name)
    {
        dialogs << folder.filePath(name);
        Click("cmdSave");
        return testlib::ReadFile(folder.filePath(name));
    }
    // With the keys, which choose as a click in the list does.
    void ChooseCar(int position)
    {
        QTest::keyClick(Selector(), Qt::Key_Home);
        for (int i = 0; i < position; ++i)
            QTest::keyClick(Selector(), Qt::Key_Down);
        ASSERT_EQ(Selector()->currentIndex(), position);
    }

    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    frmMain window;
};
