#include "frmMain.h"

#include "frmNewCar.h"

#include "Application.h"
#include "CarHistory.h"
#include "CarSteps.h"
#include "Controls.h"
#include "Dialogs.h"
#include "frmImport.h"
#include "frmView.h"
#include "NumberText.h"
#include "modLoad.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <tuple>
#include <utility>

namespace {

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent), undoStack(new history::CarHistory(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tr("Velmar Car Editor v0.9"));
    InitTables();
    BuildControls();
    BuildUndoActions();
    setAcceptDrops(true);
    connect(undoStack, &history::CarHistory::CarChanged, this, &frmMain::ShowStep);
}

void frmMain::InitTables()
{
    modLoad::FillParameterNames();
    modLoad::BuildPalette();
}

void frmMain::BuildControls()
{
    Label1 = new QLabel(tr("Car:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    // A library may hold 32767 cars.
    cmbCars = ui::NewLongComboBox("cmbCars", modLoad::NameLength, this, tr("Car"));
    cmbCars->setAccessibleDescription(tr("The car whose parameters the list shows"));
    Label1->setBuddy(cmbCars);

    cmdAdd = makeButton("cmdAdd", tr("Add"), this);
    cmdEdit = makeButton("cmdEdit", tr("Edit"), this);
    cmdRemove = makeButton("cmdRemove", tr("Remove"), this);
    cmdView = makeButton("cmdView", tr("View"), this);

    lstDetails = new QTreeWidget(this);
    lstDetails->setObjectName(QStringLiteral("lstDetails"));
    lstDetails->setAccessibleName(tr("Parameters"));
    lstDetails->setAccessibleDescription(tr("The car's forty parameters; Enter or a double click on a row changes its value"));
    lstDetails->setHeaderLabels({tr("Name"), tr("Setting")});
    lstDetails->setRootIsDecorated(false);
    lstDetails->setUniformRowHeights(true);
    lstDetails->setAllColumnsShowFocus(true);
    lstDetails->setSelectionMode(QAbstractItemView::SingleSelection);
    lstDetails->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstDetails->header()->setSectionsMovable(false);

    // Size the list from the font, so the longest parameter name and a value in
    // exponent form fit without clipping, and about twenty rows show at once.
    const QFontMetrics metrics(lstDetails->font());
    const int pad = 3 * metrics.averageCharWidth();
    int longestName = 0;
    for (int i = 0; i < modLoad::ParameterCount; ++i)
        longestName = std::max(longestName, metrics.horizontalAdvance(modLoad::ParameterCaption(i)));
    const int nameWidth = longestName + 2 * pad;
    const int settingWidth = metrics.horizontalAdvance(QStringLiteral("-1.234568E+08")) + 2 * pad;
    lstDetails->setColumnWidth(0, nameWidth);
    lstDetails->setMinimumSize(nameWidth + settingWidth + 3 * pad, 20 * (metrics.height() + 4));

    cmdImport = makeButton("cmdImport", tr("Import..."), this);
    cmdExport = makeButton("cmdExport", tr("Export..."), this);
    cmdLoad = makeButton("cmdLoad", tr("Load..."), this);
    cmdSave = makeButton("cmdSave", tr("Save..."), this);
    cmdLoad->setShortcut(QKeySequence(QKeySequence::Open));
    cmdSave->setShortcut(QKeySequence(QKeySequence::Save));

    auto* topRow = new QHBoxLayout;
    topRow->addWidget(Label1);
    topRow->addWidget(cmbCars, 1);
    topRow->addWidget(cmdAdd);
    topRow->addWidget(cmdEdit);
    topRow->addWidget(cmdRemove);
    topRow->addWidget(cmdView);

    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(cmdImport, 1);
    bottomRow->addWidget(cmdExport, 1);
    bottomRow->addSpacing(pad);
    bottomRow->addWidget(cmdLoad, 1);
    bottomRow->addWidget(cmdSave, 1);

    auto* rows = new QVBoxLayout(this);
    rows->addLayout(topRow);
    rows->addWidget(lstDetails, 1);
    rows->addLayout(bottomRow);
    rows->setSizeConstraint(QLayout::SetFixedSize);

    // Nothing to work on until a library is loaded; Save included, as there is
    // nothing to write yet.
    for (QWidget* control : std::initializer_list<QWidget*>{cmbCars, cmdAdd, cmdEdit, cmdRemove, cmdView, lstDetails,
                                                            cmdImport, cmdExport, cmdSave})
        control->setEnabled(false);

    // activated covers every choice the user makes (mouse, keys, wheel), the
    // same car again included; changes made from code call cmbCars_Click
    // themselves, so the rows are filled once per change.
    connect(cmbCars, &QComboBox::activated, this, &frmMain::cmbCars_Click);
    // Double-click and Enter on a row both arrive as activation.
    connect(lstDetails, &QTreeWidget::itemActivated, this, &frmMain::lstDetails_ItemActivated);
    const std::pair<QPushButton*, void (frmMain::*)()> clicks[] = {
        {cmdAdd, &frmMain::cmdAdd_Click},       {cmdEdit, &frmMain::cmdEdit_Click},
        {cmdRemove, &frmMain::cmdRemove_Click}, {cmdLoad, &frmMain::cmdLoad_Click},
        {cmdSave, &frmMain::cmdSave_Click},     {cmdImport, &frmMain::cmdImport_Click},
        {cmdExport, &frmMain::cmdExport_Click}, {cmdView, &frmMain::cmdView_Click}};
    for (const auto& [button, slot] : clicks)
        connect(button, &QPushButton::clicked, this, slot);
}

// Undo and Redo sit in the window's context menu, which a right click anywhere
// in the window opens: each names the step it takes back or does again and
// shows its keys. The three rows of controls stay as they are.
void frmMain::BuildUndoActions()
{
    std::tie(actUndo, actRedo) = undoStack->NewActions(this);
    addActions({actUndo, actRedo});
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void frmMain::RefreshCarList()
{
    std::int16_t position = static_cast<std::int16_t>(cmbCars->currentIndex());
    FillCarNames();
    position = std::max<std::int16_t>(position, 0);
    position = std::min<std::int16_t>(position, static_cast<std::int16_t>(cmbCars->count() - 1));
    SelectCar(position);
}

void frmMain::FillCarNames()
{
    const QStringList names = modLoad::Cars ? modLoad::NamesInList(*modLoad::Cars) : QStringList();
    // The first item added to an empty selector selects itself; the caller
    // fills the rows once, for the position it chooses.
    const QSignalBlocker block(cmbCars);
    cmbCars->clear();
    cmbCars->addItems(names);
}

// A step was done, undone or redone: its car is selected and shown, or the
// last car when the step took the last cars away.
void frmMain::ShowStep(std::int16_t car)
{
    const auto count = static_cast<std::int16_t>(modLoad::Cars->size());
    if (cmbCars->count() == count)
        cmbCars->setItemText(car, modLoad::NameInList((*modLoad::Cars)[car].Name));
    else
        FillCarNames();
    // The row the user is on stays current, so a value undone shows beside it.
    const int row = lstDetails->indexOfTopLevelItem(lstDetails->currentItem());
    SelectCar(std::min<std::int16_t>(car, count - 1));
    if (row >= 0)
        lstDetails->setCurrentItem(lstDetails->topLevelItem(row));
}

void frmMain::SelectCar(std::int16_t position)
{
    {
        const QSignalBlocker block(cmbCars);
        cmbCars->setCurrentIndex(position);
    }
    cmbCars_Click();
}

void frmMain::cmbCars_Click()
{
    lstDetails->clear();
    const std::int16_t car = static_cast<std::int16_t>(cmbCars->currentIndex());
    if (car < 0 || !modLoad::Cars)
        return;
    const modLoad::CarRecord& record = (*modLoad::Cars)[car];
    QList<QTreeWidgetItem*> rows;
    rows.reserve(modLoad::ParameterCount);
    for (int i = 0; i < modLoad::ParameterCount; ++i)
        rows << new QTreeWidgetItem(
            QStringList{modLoad::ParameterCaption(i), numbertext::SingleToText(record.Parameters[i])});
    lstDetails->addTopLevelItems(rows);
}

void frmMain::lstDetails_ItemActivated()
{
    // The current row, selected or not: the keyboard reaches a row without selecting it.
    QTreeWidgetItem* row = lstDetails->currentItem();
    const std::int16_t car = static_cast<std::int16_t>(cmbCars->currentIndex());
    if (!row || car < 0)
        return;

    const QString answer = ui::InputBox(this, tr("Enter new value"), row->text(1));
    numbertext::Decimal read{};
    const std::optional<float> value = numbertext::TextToSingle(answer, &read);
    // Text that is no number changes nothing; a number that no float holds is told.
    if (read == numbertext::Decimal::TooLarge)
        ui::MsgBox(this, tr("%1 is too large for a 32-bit float, whose largest is %2.")
                             .arg(answer.trimmed(), numbertext::SingleToText(std::numeric_limits<float>::max())));
    if (read == numbertext::Decimal::TooSmall)
        ui::MsgBox(this, tr("%1 is too small for a 32-bit float, whose smallest is %2: it would become 0.")
                             .arg(answer.trimmed(), numbertext::SingleToText(std::numeric_limits<float>::denorm_min())));
    if (!value)
        return;
    const int parameter = lstDetails->indexOfTopLevelItem(row);
    const modLoad::CarRecord& before = (*modLoad::Cars)[car];
    modLoad::CarRecord after = before;
    after.Parameters[parameter] = *value;
    // The same value again is no step: pushing one would drop what could be redone.
    if (history::SameRecord(before, after))
        return;
    const QString text =
        tr("Set %1 of %2").arg(modLoad::ParameterCaption(parameter), history::StepName(before.Name));
    undoStack->push(new history::ChangeCar(*undoStack, car, before, after, text));
}

void frmMain::cmdAdd_Click()
{
    if (modLoad::Cars->size() >= static_cast<std::size_t>(modLoad::MaxCars)) {
        ui::MsgBox(this, tr("A library holds at most %1 cars.").arg(modLoad::MaxCars));
        return;
    }
    frmNewCar dialog(*undoStack, this);
    dialog.exec();
}

void frmMain::cmdEdit_Click()
{
    const std::int16_t car = static_cast<std::int16_t>(cmbCars->currentIndex());
    const modLoad::CarRecord& before = (*modLoad::Cars)[car];
    const modLoad::CarName& name = before.Name;

    const QString shown = modLoad::NameToEdit(name);
    const QString typed = ui::InputBox(this, tr("Please enter new name"), shown);
    // An empty answer cancels; the name offered, unchanged, changes nothing.
    const QString answer = modLoad::TrimSpaces(typed);
    if (answer.isEmpty() || typed == shown)
        return;
    // Twelve characters leave room for the NUL that ends every name given here.
    const std::optional<QByteArray> bytes = frmNewCar::StorableName(this, answer, modLoad::NameLength - 1);
    if (!bytes)
        return;
    modLoad::CarRecord after = before;
    after.Name = modLoad::StoredName(*bytes);
    if (history::SameRecord(before, after))
        return;
    const QString text = tr("Rename %1 to %2").arg(history::StepName(name), history::StepName(after.Name));
    undoStack->push(new history::ChangeCar(*undoStack, car, before, after, text));
}

void frmMain::cmdRemove_Click()
{
    modLoad::CarTable& cars = *modLoad::Cars;
    if (cars.size() == 1) {
        ui::MsgBox(this, tr("A library must keep at least one car."));
        return;
    }
    if (ui::MsgBox(this, tr("Are you sure?"), ui::MsgStyle::YesNoQuestion) != ui::MsgAnswer::Yes)
        return;

    const std::int16_t position = static_cast<std::int16_t>(cmbCars->currentIndex());
    const QString text = tr("Remove %1").arg(history::StepName(cars[position].Name));
    undoStack->push(new history::RemoveCar(*undoStack, position, text));
}

void frmMain::cmdLoad_Click()
{
    const QString fileName = ui::OpenFileDialog(this, tr("Car Files (*.car)|*.car"));
    if (fileName.isEmpty())
        return;
    OpenLibrary(fileName);
}

void frmMain::OpenLibrary(const QString& fileName)
{
    if (!MayDropChanges(tr("Save changes to %1 before loading another library?")))
        return;
    // Read into a table of its own, so a refused file leaves the open library,
    // the selection and the controls as they were.
    modLoad::CarTable loaded;
    // A pipe or a device is refused before anything opens it: reading one could block the window for good.
    modLoad::FileResult result = modLoad::CheckRegularFile(fileName);
    if (result)
        result = modLoad::LoadCars(fileName, loaded);
    if (!result) {
        ui::MsgBox(this, result.message);
        return;
    }
    modLoad::Cars = std::move(loaded);
    undoStack->clear();
    undoStack->SetLibraryFile(fileName);

    for (QWidget* control : std::initializer_list<QWidget*>{cmdAdd, cmdEdit, cmdRemove, cmbCars, lstDetails, cmdImport,
                                                            cmdExport, cmdView, cmdSave})
        control->setEnabled(true);
    RefreshCarList();
}

void frmMain::cmdSave_Click()
{
    // Replacing a file other than the library's own is asked first.
    const auto ask = [this](const QString& name) {
        return undoStack->IsLibraryFile(name) ? QString() : ui::ReplaceQuestion(name);
    };
    SaveLibrary(ui::SaveFileDialog(this, tr("Car Files (*.car)|*.car"), ask, undoStack->LibraryFile()));
}

// Saves the library to the file, to none for a cancelled dialog; true when written.
bool frmMain::SaveLibrary(const QString& fileName)
{
    if (fileName.isEmpty() || !modLoad::Cars)
        return false;
    // As for Load, so that a pipe or a device never blocks the window.
    modLoad::FileResult result = modLoad::CheckRegularFile(fileName, modLoad::Use::Write);
    if (result)
        result = modLoad::SaveCars(fileName, *modLoad::Cars);
    if (!result) {
        ui::MsgBox(this, result.message);
        return false;
    }
    undoStack->setClean();
    undoStack->SetLibraryFile(fileName);
    return true;
}

// True when the open library may go: it has no unsaved changes, or the user
// saved them or let them go. `question` names the library in place of %1.
bool frmMain::MayDropChanges(const QString& question)
{
    if (undoStack->isClean())
        return true;
    switch (ui::MsgBox(this, question.arg(QFileInfo(undoStack->LibraryFile()).fileName()), ui::MsgStyle::SaveDiscardCancel)) {
    case ui::MsgAnswer::Save:
        return SaveLibrary(undoStack->LibraryFile());
    case ui::MsgAnswer::Discard:
        return true;
    default:
        return false;
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    event->setAccepted(MayDropChanges(tr("Save changes to %1 before closing?")));
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    // Not while a dialog or the model editor works on the open library.
    if (!QApplication::activeModalWidget() && !app::DroppedLibrary(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QString fileName = app::DroppedLibrary(event->mimeData());
    if (fileName.isEmpty() || QApplication::activeModalWidget())
        return;
    event->acceptProposedAction();
    // Once the drop is over, so the question and any message do not keep the
    // program the file came from waiting.
    QMetaObject::invokeMethod(this, [this, fileName] { OpenLibrary(fileName); }, Qt::QueuedConnection);
}

// One transfer dialog serves every import and export, made on first use.
frmImport& frmMain::TransferDialog()
{
    if (!transferDialog)
        transferDialog = new frmImport(*undoStack, this);
    return *transferDialog;
}

void frmMain::cmdImport_Click()
{
    modLoad::ExportMode = 0;
    TransferDialog().Run();
    RefreshCarList();
}

void frmMain::cmdExport_Click()
{
    modLoad::ExportMode = 1;
    TransferDialog().Run();
}

// One model editor serves every opening, made on first use, so its fields
// carry over from one opening to the next.
frmView& frmMain::ModelEditor()
{
    if (!modelEditor)
        modelEditor = new frmView(*undoStack, this);
    return *modelEditor;
}

void frmMain::cmdView_Click()
{
    SelectedCar = static_cast<std::int16_t>(cmbCars->currentIndex());
    if (SelectedCar < 0 || !modLoad::Cars)
        return;
    ModelEditor().Run();
}
