#include "frmNewCar.h"

#include "CarSteps.h"
#include "Controls.h"
#include "Dialogs.h"
#include "modLoad.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdint>

frmNewCar::frmNewCar(history::CarHistory& undoStack, QWidget* parent) : QDialog(parent), undoStack(undoStack)
{
    setObjectName(QStringLiteral("frmNewCar"));
    setWindowTitle(tr("New Car"));
    BuildControls();

    cmbCars->addItems(modLoad::NamesAsShown(*modLoad::Cars));
    // The user must pick a template; none is preselected.
    cmbCars->setCurrentIndex(-1);
}

void frmNewCar::BuildControls()
{
    Label1 = new QLabel(tr("Name:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    Label1->setBuddy(txtName);

    Label2 = new QLabel(tr("Copy car:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    cmbCars = ui::NewLongComboBox("cmbCars", modLoad::NameLength, this);
    Label2->setBuddy(cmbCars);

    cmdOk = new QPushButton(tr("OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton(tr("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtName, 0, 1);
    grid->addWidget(cmdOk, 0, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(cmbCars, 1, 1);
    grid->addWidget(cmdCancel, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOk, &QPushButton::clicked, this, &frmNewCar::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewCar::cmdCancel_Click);
}

void frmNewCar::cmdOk_Click()
{
    if (modLoad::TrimSpaces(txtName->text()).isEmpty()) {
        ui::MsgBox(this, tr("Please enter a name"));
        return;
    }
    const auto templateCar = static_cast<std::int16_t>(cmbCars->currentIndex());
    if (templateCar < 0) {
        ui::MsgBox(this, tr("Please select a template car"));
        return;
    }
    modLoad::CarTable car(1);
    modLoad::CopyCar((*modLoad::Cars)[static_cast<std::size_t>(templateCar)], car[0]);
    // The name exactly as typed, spaces around it included.
    car[0].Name = modLoad::StoredName(txtName->text());
    const QString text = tr("Add %1").arg(history::StepName(car[0].Name));
    undoStack.push(new history::AddCars(undoStack, std::move(car), text));
    accept();
}

void frmNewCar::cmdCancel_Click()
{
    reject();
}
