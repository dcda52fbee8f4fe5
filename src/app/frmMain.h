#pragma once

#include <QWidget>

#include <cstdint>

class frmImport;
class frmView;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmMain : public QWidget {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);

    // Refills the car selector, keeps the selected position (clamped to the new
    // list) and so refreshes the parameter list.
    void RefreshCarList();

private slots:
    void cmbCars_Click();
    void lstDetails_ItemActivated();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdRemove_Click();
    void cmdLoad_Click();
    void cmdSave_Click();
    void cmdImport_Click();
    void cmdExport_Click();
    void cmdView_Click();

private:
    void InitTables();
    void BuildControls();
    void SelectCar(std::int16_t position);
    frmImport& TransferDialog();
    frmView& ModelEditor();

    QLabel* Label1;
    QComboBox* cmbCars;
    QPushButton* cmdAdd;
    QPushButton* cmdEdit;
    QPushButton* cmdRemove;
    QPushButton* cmdView;
    QTreeWidget* lstDetails;
    QPushButton* cmdImport;
    QPushButton* cmdExport;
    QPushButton* cmdLoad;
    QPushButton* cmdSave;
    frmImport* transferDialog = nullptr;
    frmView* modelEditor = nullptr;
};
