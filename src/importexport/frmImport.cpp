#include "frmImport.h"

#include "CarSteps.h"
#include "Dialogs.h"
#include "modLoad.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString CarFilter()
{
    return QCoreApplication::translate("frmImport", "Car Files (*.car)|*.car");
}

}  // namespace

frmImport::frmImport(history::CarHistory& undoStack, QWidget* parent)
    : QDialog(parent),
      undoStack(undoStack),
      lstCars(new QListWidget(this)),
      cmdOk(new QPushButton(tr("Ok"), this)),
      cmdCancel(new QPushButton(tr("Cancel"), this))
{
    lstCars->setObjectName(QStringLiteral("lstCars"));
    lstCars->setAccessibleName(tr("Cars"));
    lstCars->setAccessibleDescription(tr("The cars to copy; choose one or more"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    lstCars->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // All rows are one line high; telling the list so keeps a library of
    // thousands of cars quick to fill.
    lstCars->setUniformItemSizes(true);
    cmdOk->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstCars);
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    resize(320, 380);

    connect(cmdOk, &QPushButton::clicked, this, &frmImport::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmImport::cmdCancel_Click);
}

int frmImport::Run()
{
    if (!Load())
        return QDialog::Rejected;
    return exec();
}

// Returns false when loading closed the dialog before it was shown.
bool frmImport::Load()
{
    if (modLoad::ExportMode != 0) {
        setWindowTitle(tr("Export"));
        FillCarList(*modLoad::Cars);
        return true;
    }

    setWindowTitle(tr("Import"));
    // This dialog is not visible yet, so the file choice and any message sit
    // over the window that opened it.
    const QString fileName = ui::OpenFileDialog(parentWidget(), CarFilter());
    if (fileName.isEmpty())
        return false;
    // A pipe or a device is refused before anything opens it: reading one could block the window for good.
    modLoad::FileResult loaded = modLoad::CheckRegularFile(fileName);
    if (loaded)
        loaded = modLoad::LoadCars(fileName, modLoad::TransferCars);
    if (!loaded) {
        ui::MsgBox(parentWidget(), loaded.message);
        return false;
    }
    FillCarList(modLoad::TransferCars);
    return true;
}

void frmImport::cmdOk_Click()
{
    const auto chosen = static_cast<std::int16_t>(lstCars->selectedItems().size());
    if (chosen == 0) {
        reject();
        return;
    }
    if (modLoad::ExportMode != 0)
        ExportChosenCars(chosen);
    else
        ImportChosenCars(chosen);
}

void frmImport::cmdCancel_Click()
{
    reject();
}

void frmImport::FillCarList(const modLoad::CarTable& table)
{
    lstCars->clear();
    lstCars->addItems(modLoad::NamesInList(table));
}

void frmImport::ImportChosenCars(std::int16_t chosen)
{
    const std::size_t room = static_cast<std::size_t>(modLoad::MaxCars) - modLoad::Cars->size();
    if (static_cast<std::size_t>(chosen) > room) {
        // The selection stays, so the user can drop some cars and try again.
        ui::MsgBox(this, tr("These cars would take the library past %1 cars. It has room for %2 more.")
                             .arg(modLoad::MaxCars)
                             .arg(room));
        return;
    }
    modLoad::CarTable cars = ChosenCars(modLoad::TransferCars, chosen);
    const QString text = chosen == 1 ? tr("Import 1 car") : tr("Import %1 cars").arg(chosen);
    undoStack.push(new history::AddCars(undoStack, std::move(cars), text));
    accept();
}

void frmImport::ExportChosenCars(std::int16_t chosen)
{
    modLoad::TransferCars = ChosenCars(*modLoad::Cars, chosen);

    const QString fileName = ui::SaveFileDialog(this, CarFilter(), [this](const QString& name) {
        return ui::ReplaceQuestion(name, undoStack.IsLibraryFile(name));
    });
    if (fileName.isEmpty())
        return;
    const bool libraryFile = undoStack.IsLibraryFile(fileName);
    // As for Load, so that a pipe or a device never blocks the window. On a
    // failed write the list and selection stay, so another file can be chosen.
    modLoad::FileResult saved = modLoad::CheckRegularFile(fileName, modLoad::Use::Write);
    if (saved)
        saved = modLoad::SaveCars(fileName, modLoad::TransferCars);
    if (!saved) {
        ui::MsgBox(this, saved.message);
        return;
    }
    // The library on disk is no longer the one open: closing asks to save it.
    if (libraryFile)
        undoStack.resetClean();
    accept();
}

// A copy of the car of every selected row of `from`, in row order.
modLoad::CarTable frmImport::ChosenCars(const modLoad::CarTable& from, std::int16_t chosen) const
{
    modLoad::CarTable to(static_cast<std::size_t>(chosen));
    std::int16_t k = 0;
    const auto rows = static_cast<std::int16_t>(lstCars->count());
    for (std::int16_t r = 0; r < rows; ++r) {
        if (lstCars->item(r)->isSelected()) {
            modLoad::CopyCar(from[static_cast<std::size_t>(r)], to[static_cast<std::size_t>(k)]);
            ++k;
        }
    }
    return to;
}
