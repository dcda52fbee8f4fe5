#pragma once

#include "CarFile.h"

#include <QDialog>

#include <cstdint>

namespace history {
class CarHistory;
}

class QListWidget;
class QPushButton;

// Copies chosen cars between the open library and another library file: an
// import when modLoad::ExportMode is 0, an export otherwise. An import is a
// step of the library's history.
class frmImport : public QDialog {
    Q_OBJECT

public:
    explicit frmImport(history::CarHistory& undoStack, QWidget* parent = nullptr);

    // Loads for the current ExportMode, then shows the dialog modally unless
    // loading already closed it. modLoad::Cars must hold a library. Returns
    // Accepted when cars were imported or exported, Rejected otherwise.
    int Run();

private:
    bool Load();
    void cmdOk_Click();
    void cmdCancel_Click();

    void FillCarList(const modLoad::CarTable& table);
    void ImportChosenCars(std::int16_t chosen);
    void ExportChosenCars(std::int16_t chosen);
    modLoad::CarTable ChosenCars(const modLoad::CarTable& from, std::int16_t chosen) const;

    history::CarHistory& undoStack;
    QListWidget* lstCars;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
};
