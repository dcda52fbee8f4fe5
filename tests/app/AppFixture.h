#pragma once

#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "frmMain.h"
#include "modLoad.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class QComboBox;
class QTreeWidget;

// Cars named "Car 0", "Car 1", ... whose fields hold bytes that differ from car to car.
modLoad::CarTable MakeCars(int count);
QByteArray FileBytes(const QString& path);
constexpr qsizetype RecordOffset(int car) { return modLoad::HeaderSize + qsizetype{modLoad::RecordSize} * car; }
QByteArray Record(const QByteArray& file, int car);
QByteArray LibraryFile(const QList<QByteArray>& records);

// The main window, shown with no library open; every dialog is answered from `dialogs`.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QComboBox* Selector() const;
    QTreeWidget* Details() const;
    bool Enabled(const char* control) const;
    QString Setting(int row) const;

    QString WriteLibrary(const QString& fileName, const modLoad::CarTable& cars);
    // What a user does.
    void Click(const char* button);
    void Load(const QString& path);
    QByteArray SaveAs(const QString& fileName);
    void ChooseCar(int index);
    void ActivateRow(int row, bool byKeyboard = false);

    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    frmMain window;
};
