#pragma once

#include <QWidget>

#include <cstdint>

namespace history {
class CarHistory;
}

class frmImport;
class frmView;
class QAction;
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

    // Loads a library file as Load does once a file is chosen: first the
    // question about unsaved changes, then the file, or a message when it
    // cannot be read.
    void OpenLibrary(const QString& fileName);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

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
    void ShowStep(std::int16_t car);

private:
    void InitTables();
    void BuildControls();
    void FillCarNames();
    void SelectCar(std::int16_t position);
    frmImport& TransferDialog();
    frmView& ModelEditor();
    void BuildUndoActions();
    bool SaveLibrary(const QString& fileName);
    bool MayDropChanges(const QString& before);

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
    QAction* actUndo;
    QAction* actRedo;
    history::CarHistory* undoStack;
    frmImport* transferDialog = nullptr;
    frmView* modelEditor = nullptr;
};
