#pragma once

// The main window with no library open, and the helpers its tests share.

#include "frmMain.h"

#include "OnModal.h"
#include "ScriptedDialogs.h"
#include "TestLibrary.h"
#include "frmImport.h"
#include "frmNewCar.h"
#include "frmView.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace apptest {


using namespace modLoad;
using namespace testlib;
using enum QTest::MouseAction;

// The left button through the window of `on`, as the window system delivers it.
inline void Mouse(QTest::MouseAction action, QWidget* on, QPoint at)
{ QTest::mouseEvent(action, on->window()->windowHandle(), Qt::LeftButton, {}, on->mapTo(on->window(), at)); }
inline void Type(QLineEdit* box, const char* text) { box->selectAll(), QTest::keyClicks(box, text); }
// Units from the centre of a view drawn at 50 pixels to the unit.
inline float Units(int pixel, int size) { return (pixel - size / 2.0f) / 50.0f; }

// The main window with no library open; the toolkit's dialogs are answered from `dialogs`.
class MainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c()), modLoad::Cars.reset(), window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { modLoad::Cars.reset(); }

    QComboBox* Selector() const { return window.findChild<QComboBox*>("cmbCars"); }
    QTreeWidget* Details() const { return window.findChild<QTreeWidget*>("lstDetails"); }
    QString Setting(int row) const { return Details()->topLevelItem(row)->text(1); }
    void Click(const char* button) { QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton); }
    QString Write(const QString& name, const CarTable& cars) { return testlib::WriteFile(folder.filePath(name), cars); }
    void Load(const QString& path) { (dialogs << path), Click("cmdLoad"); }
    QByteArray SaveAs(const QString& name) { return (dialogs << folder.filePath(name)), Click("cmdSave"), ReadFile(folder.filePath(name)); }
    // With the keys, which choose as a click in the list does.
    void ChooseCar(int position)
    {
        for (int i = -1; i < position; ++i) QTest::keyClick(Selector(), i < 0 ? Qt::Key_Home : Qt::Key_Down);
        ASSERT_EQ(Selector()->currentIndex(), position);
    }
    // Shortcuts work in the active window, and a dialog that closes leaves none active (no window manager).
    void Keys(QKeySequence::StandardKey keys, QWidget* to = nullptr)
    { QApplication::setActiveWindow(to ? to->window() : &window), QTest::keySequence(to ? to : &window, keys); }
    // The new-car dialog: the name to type ("-" presses Cancel), the template (-1 for none).
    void NewCar(const char* typed, int chosen)
    {
        OnModal<frmNewCar>([&](frmNewCar* dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>("txtName"), typed);
            dialog->findChild<QComboBox*>("cmbCars")->setCurrentIndex(chosen);
            QTest::mouseClick(dialog->findChild<QPushButton*>(typed == QString("-") ? "cmdCancel" : "cmdOk"), Qt::LeftButton);
        }, [&] { Click("cmdAdd"); });
    }
    void Import(QList<int> rows)
    {
        OnModal<frmImport>([&](frmImport* dialog) {
            auto* list = dialog->findChild<QListWidget*>("lstCars");
            for (int row : rows)
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                                  list->visualItemRect(list->item(row)).center());
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
        }, [&] { Click("cmdImport"); });
    }
    // A double click, or Return on the row the keyboard moved to, which it does not select.
    void ActivateRow(int row, bool byKeyboard = false)
    {
        QTreeWidgetItem* item = Details()->topLevelItem(row);
        Details()->scrollToItem(item);
        const QPoint at = Details()->visualItemRect(item).center();
        if (byKeyboard)
            Details()->clearSelection(), Details()->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate),
                QTest::keyClick(Details(), Qt::Key_Return);
        else
            QTest::mouseClick(Details()->viewport(), Qt::LeftButton, {}, at), QTest::mouseDClick(Details()->viewport(), Qt::LeftButton, {}, at);
    }
    // View on the car; act runs while the model editor is open.
    void View(int car, const std::function<void(frmView*)>& act)
    { ChooseCar(car), OnModal<frmView>(act, [&] { Click("cmdView"); }); }

    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    frmMain window;
};

}  // namespace apptest
