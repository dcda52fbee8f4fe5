#pragma once

#include "CarFile.h"

#include <QDialog>

#include <cstdint>

class QListWidget;
class QPushButton;

// Copies chosen cars between the open library and another library file: an
// import when modLoad::ExportMode is 0, an export otherwise.
class frmImport : public QDialog {
    Q_OBJECT

public:
    explicit frmImport(QWidget* parent = nullptr);

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
    void CopyChosenCars(const modLoad::CarTable& from, modLoad::CarTable& to, std::int16_t k) const;

    QListWidget* lstCars;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
};
