#pragma once

#include <QByteArray>
#include <QDialog>

#include <optional>

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

    // The bytes a name stores for the text; nothing, once a message over
    // parent has named the first character that no name can hold, or, when
    // there is a most, said that the name is longer.
    static std::optional<QByteArray> StorableName(QWidget* parent, const QString& text, qsizetype most = -1);

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
