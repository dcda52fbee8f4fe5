#pragma once

#include <QDialog>

namespace history {
class CarHistory;
}

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the name of a new car and the car it starts as a copy of; OK
// appends the car to the library as a step of its history and closes, Cancel
// closes and changes nothing.
class frmNewCar : public QDialog {
    Q_OBJECT

public:
    explicit frmNewCar(history::CarHistory& undoStack, QWidget* parent = nullptr);

private slots:
    void cmdOk_Click();
    void cmdCancel_Click();

private:
    void BuildControls();

    history::CarHistory& undoStack;

    QLabel* Label1;
    QLineEdit* txtName;
    QLabel* Label2;
    QComboBox* cmbCars;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
};
