#include "frmView.h"

#include "CarHistory.h"
#include "EditorSteps.h"
#include "GLScene.h"
#include "GLSurface.h"
#include "ModelFiles.h"
#include "OGLUtils.h"
#include "Picking.h"
#include "PreviewPick.h"
#include "ToolBox.h"
#include "ViewPanel.h"
#include "WireView.h"
#include "modLoad.h"

#include "Controls.h"
#include "Dialogs.h"
#include "NumberText.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QScreen>
#include <QWindow>

#include <algorithm>

std::int16_t SelectedCar = -1;
bool StopRender = true;

namespace {

constexpr int ToolBoxWidth = 83;
constexpr int InitialWidth = 544;
constexpr int InitialHeight = 390;
constexpr std::uint8_t PreviewColourBits = 16;
// Degrees an arrow key turns the preview: a drag of five pixels.
constexpr float TurnStep = 5.0f;
// The merge keys of a run of arrow presses on one vertex or sphere centre, one
// for each; the colour keys use the triangle numbers below them.
constexpr int NudgeKeys = 1000;

}  // namespace

// Of a dialog's type, without which Qt gives X no WM_TRANSIENT_FOR, but with a window's buttons.
frmView::frmView(history::CarHistory& undoStack, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint), undoStack(undoStack)
{
    setObjectName(QStringLiteral("frmView"));
    setWindowTitle(tr("Edit Model"));
    setWindowModality(Qt::ApplicationModal);
    BuildControls();
    BuildUndoActions();
    // As a dialog closes; and with the desktop's keys for closing a window.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    resize(InitialWidth, InitialHeight);
}

void frmView::BuildControls()
{
    picToolBox = new ToolBox(this);
    cmdImport = picToolBox->cmdImport, cmdExport = picToolBox->cmdExport, sPolys = picToolBox->sPolys;
    txtColour = picToolBox->txtColour, cmdFlipPoly = picToolBox->cmdFlipPoly;
    chkHeadVisible = picToolBox->chkHeadVisible, chkSpheres = picToolBox->chkSpheres;
    chkMirror = picToolBox->chkMirror;
    picCont = new ViewPanel(this);
    picXY = picCont->picXY, picYZ = picCont->picYZ, picXZ = picCont->picXZ, picPreview = picCont->picPreview;

    connect(cmdImport, &QPushButton::clicked, this, &frmView::cmdImport_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmView::cmdExport_Click);
    connect(sPolys, &QSlider::valueChanged, this, &frmView::sPolys_Change);
    connect(txtColour, &QLineEdit::textChanged, this, &frmView::txtColour_Change);
    connect(txtColour, &QLineEdit::editingFinished, this, &frmView::txtColour_Finished);
    connect(cmdFlipPoly, &QPushButton::clicked, this, &frmView::cmdFlipPoly_Click);
    // Only the user's click: setting the box when the editor opens must not
    // rewrite a stored HeadHidden value.
    connect(chkHeadVisible, &QCheckBox::clicked, this, &frmView::chkHeadVisible_Click);
    connect(chkSpheres, &QCheckBox::clicked, this, &frmView::chkSpheres_Click);
    connect(picToolBox, &ToolBox::ChooseColour, this, &frmView::Palette_Choose);
    for (WireView* view : {picXY, picYZ, picXZ}) {
        connect(view, &WireView::MouseDown, this, &frmView::View_MouseDown);
        connect(view, &WireView::MouseUp, this, &frmView::View_MouseUp);
        connect(view, &WireView::MouseMove, this, &frmView::View_MouseMove);
        connect(view, &WireView::PickStep, this, &frmView::View_PickStep);
        connect(view, &WireView::Nudge, this, &frmView::View_Nudge);
    }
    connect(picPreview, &GLSurface::Repaint, this, &frmView::picPreview_Paint);
    connect(picCont, &ViewPanel::PreviewPress, this, &frmView::picPreview_MouseDown);
    connect(picCont, &ViewPanel::PreviewMove, this, &frmView::picPreview_MouseMove);
    connect(picCont, &ViewPanel::PreviewClick, this, &frmView::picPreview_Click);
    connect(picCont, &ViewPanel::PreviewArrow, this, &frmView::picPreview_KeyDown);
}

// As in the main window, Undo and Redo sit in the window's context menu, which
// a right click on the toolbox or a view opens. Not on the preview: a drag
// with any button turns the model there.
void frmView::BuildUndoActions()
{
    steps = new EditorSteps(undoStack, *this);
    picPreview->setContextMenuPolicy(Qt::PreventContextMenu);
    connect(steps, &EditorSteps::Take, this, &frmView::TakeStep);
    connect(&undoStack, &QUndoStack::indexChanged, this, &frmView::UndoStack_IndexChanged);
    UndoStack_IndexChanged();
}

modLoad::CarRecord& frmView::Car() const
{
    return (*modLoad::Cars)[static_cast<std::size_t>(SelectedCar)];
}

QString frmView::CarName() const
{
    return history::StepName(Car().Name);
}

void frmView::Run()
{
    Load();
    while (!StopRender) {
        if (frameDue)
            RenderFrame();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    OGLUtils::ReleaseGLContext();
}

void frmView::Load()
{
    // Over the window it belongs to, as a dialog opens; Qt makes it the
    // window's transient on X and its child on Wayland.
    if (const QWidget* owner = parentWidget())
        ui::PlaceOver(*this, *owner->window());
    show();
    ScaleXY = ScaleYZ = ScaleXZ = editor::ViewScale;
    // A screen of another pixel ratio changes the preview's pixels.
    connect(windowHandle(), &QWindow::screenChanged, this, &frmView::Form_Resize, Qt::UniqueConnection);
    Form_Resize();
    StopRender = false;
    // Without a context the views still draw and the preview area stays empty.
    OGLUtils::CreateGLContext(*picPreview, PreviewColourBits);
    chkSpheres->setChecked(false), chkMirror->setChecked(false), SelectedSphere = -1;
    ShowRecord();
    UndoStack_IndexChanged();
}

// The toolbox shows the record: the slider over its triangles, keeping the
// number while it exists, the head box, and through the slider's handler the
// colour of the selected triangle; the next frame shows it too.
void frmView::ShowRecord()
{
    // A car without triangles still gets a range: triangle 0 alone.
    sPolys->setRange(0, std::max(modLoad::UsedPolys(Car()) - 1, 0));
    chkHeadVisible->setChecked(Car().HeadHidden == 0);
    sPolys_Change();
}

void frmView::RequestFrame()
{
    frameDue = true;
}

void frmView::RenderFrame()
{
    frameDue = false;
    if (OGLUtils::MakeGLCurrent(*picPreview))
        DrawGLScene();
    DrawWireFrame();
    OGLUtils::SwapGLBuffers(*picPreview);
}

void frmView::DrawGLScene()
{
    editor::DrawCarScene(Car(), {SelectedPoly, SelectedVertex, RotX, RotY, SelectedSphere});
}

void frmView::DrawWireFrame()
{
    for (WireView* view : {picXY, picYZ, picXZ})
        view->Draw(Car(), ScaleOf(*view), SelectedVertex, chkSpheres->isChecked(), SelectedSphere);
}

void frmView::resizeEvent(QResizeEvent*)
{
    Form_Resize();
}

void frmView::Form_Resize()
{
    // A window smaller than the toolbox leaves the drawing areas empty.
    const int innerWidth = width(), innerHeight = height();
    picToolBox->setGeometry(0, 0, ToolBoxWidth, innerHeight);
    picCont->setGeometry(ToolBoxWidth, 0, std::max(innerWidth - ToolBoxWidth, 0), innerHeight);
    picCont->Place();
    // While the editor runs, the views follow at once too, also while a modal
    // dialog holds the loop. A closed editor's car may be gone.
    if (!StopRender)
        DrawWireFrame();
    RequestFrame();
}

void frmView::closeEvent(QCloseEvent*)
{
    // A release cannot reach a closed window; a drag must not outlive it.
    EndDrag();
    picToolBox->ClosePalette();
    StopRender = true;
    OGLUtils::ReleaseGLContext();
}

// The car becomes `after` in one step; a drag in progress ends first, as a
// step of its own.
void frmView::Record(const modLoad::CarRecord& after, const QString& text, int mergeKey)
{
    EndDrag();
    if (steps->Push(SelectedCar, Car(), after, text, mergeKey))
        RequestFrame();
}

// A drag is one step from the record at its first move to the record now.
void frmView::EndDrag()
{
    DragButton = 0;
    if (!dragStart)
        return;
    const modLoad::CarRecord before = *dragStart;
    dragStart.reset();
    const QString text = EditorSteps::MoveText(Selected(), dragPartner, CarName());
    steps->Push(SelectedCar, before, Car(), text, history::ChangeCar::NoMerge);
}

// With Mirror X checked, the vertex or wheel that moves with the selected one.
editor::Handle frmView::Partner() const
{
    return chkMirror->isChecked() ? editor::MirrorHandle(Car(), Selected()) : editor::Handle{};
}

void frmView::UndoStack_IndexChanged()
{
    steps->ShowActions(SelectedCar);
}

// Undoes or redoes the next step, which the actions, enabled only for the
// editor's steps, have checked; the toolbox and the next frame show it.
void frmView::TakeStep(bool back)
{
    // A drag in progress is the step an undo takes back.
    EndDrag();
    back ? undoStack.undo() : undoStack.redo();
    ShowRecord();
    // The vertex under the pointer may have moved away, or another come.
    if (pointerView)
        View_MouseMove(pointerView, pointerAt);
}

void frmView::cmdImport_Click()
{
    QString fileName;
    if (const std::optional<modLoad::CarRecord> after = editor::ImportModel(this, Car(), fileName)) {
        const QString text = history::StepText(QFileInfo(fileName).fileName());
        Record(*after, tr("Import %1 into %2").arg(text, CarName()));
        ShowRecord();
    }
}

void frmView::cmdExport_Click()
{
    editor::ExportModel(this, Car(), SelectedCar, undoStack);
}

void frmView::sPolys_Change()
{
    SelectedPoly = sPolys->value();
    RequestFrame();
    const std::uint8_t colour = Car().PolyColour[static_cast<std::size_t>(SelectedPoly)];
    txtColour->setText(QString::number(colour));
    picToolBox->FrameColour(colour);
}

void frmView::txtColour_Change()
{
    const QString text = txtColour->text();
    if (text.isEmpty())
        return;
    // Read as the value prompt reads numbers, rounded from the digits typed;
    // anything else leaves the colour.
    const std::optional<qint64> number = numbertext::TextToWhole(text);
    if (!number || *number < 0 || *number > 255)
        return;
    // The keystrokes on one triangle are one step.
    SetColour(static_cast<std::uint8_t>(*number), SelectedPoly);
}

// As typing the number would, but each swatch chosen is a step of its own.
void frmView::Palette_Choose(int colour)
{
    SetColour(static_cast<std::uint8_t>(colour), history::ChangeCar::NoMerge);
    const QSignalBlocker block(txtColour);
    txtColour->setText(QString::number(colour));
}

void frmView::SetColour(std::uint8_t colour, int mergeKey)
{
    modLoad::CarRecord after = Car();
    after.PolyColour[static_cast<std::size_t>(SelectedPoly)] = colour;
    Record(after, tr("Set Colour of Triangle %1 of %2").arg(SelectedPoly).arg(CarName()), mergeKey);
    picToolBox->FrameColour(colour);
}

// Enter, or leaving the box, shows the number stored, whatever was typed.
void frmView::txtColour_Finished()
{
    const QSignalBlocker block(txtColour);
    txtColour->setText(QString::number(Car().PolyColour[static_cast<std::size_t>(SelectedPoly)]));
}

void frmView::cmdFlipPoly_Click()
{
    // The normal table has 30 entries; triangles 30 to 39 have no normal of their number.
    if (!modLoad::VertexInModel(SelectedPoly))
        return;
    modLoad::CarRecord after = Car();
    modLoad::Vector& normal = after.Normals[static_cast<std::size_t>(SelectedPoly)];
    normal = {-normal.X, -normal.Y, -normal.Z};
    Record(after, tr("Flip Normal %1 of %2").arg(SelectedPoly).arg(CarName()));
}

void frmView::chkHeadVisible_Click()
{
    modLoad::CarRecord after = Car();
    after.HeadHidden = chkHeadVisible->isChecked() ? 0 : 1;
    const QString text = after.HeadHidden ? tr("Hide Head of %1") : tr("Show Head of %1");
    Record(after, text.arg(CarName()));
}

void frmView::chkSpheres_Click()
{
    if (!chkSpheres->isChecked())
        EndDrag(), SelectedSphere = -1;
    RequestFrame();
}

void frmView::View_MouseDown(WireView*, int button)
{
    // Also a drag whose release was lost ends here.
    EndDrag();
    if (Selected() != editor::Handle{})
        DragButton = button, dragPartner = Partner();
}

void frmView::View_MouseUp(WireView*, int)
{
    EndDrag();
}

// Picked with the keys, the vertex stays picked after an undo, wherever the pointer rests.
void frmView::View_PickStep(WireView*, int step)
{
    EndDrag();
    pointerView = nullptr;
    const editor::Handle next = editor::NextHandle(Car(), Selected(), step, chkSpheres->isChecked());
    SelectedVertex = next.vertex, SelectedSphere = next.sphere;
    RequestFrame();
}

// A pixel of the view per press along its two axes; the presses of a run on one vertex or centre are one step.
void frmView::View_Nudge(WireView* view, QPoint pixels)
{
    if (!editor::HandlePoint(Car(), Selected()))
        return;
    modLoad::CarRecord after = Car();
    const editor::Handle partner = Partner();
    editor::NudgeHandle(after, Selected(), partner, view->Axes(), QPointF(pixels) / ScaleOf(*view));
    const int key = SelectedVertex != -1 ? SelectedVertex : modLoad::MaxVertices + SelectedSphere;
    Record(after, EditorSteps::MoveText(Selected(), partner, CarName()), NudgeKeys + key);
}

void frmView::View_MouseMove(WireView* view, QPointF position)
{
    pointerView = view;
    pointerAt = position;
    TrackVertex(*view, position, ScaleOf(*view));
}

void frmView::TrackVertex(const WireView& view, QPointF position, float scale)
{
    const QPointF units = view.ToUnits(position, scale);
    const auto h = static_cast<float>(units.x()), v = static_cast<float>(units.y());
    modLoad::CarRecord& car = Car();
    const editor::ViewAxes axes = view.Axes();

    if (Selected() != editor::Handle{} && (DragButton & 1)) {
        if (!dragStart)
            dragStart = car;
        editor::MoveHandle(car, Selected(), dragPartner, axes, h, v);
        RequestFrame();
        return;
    }

    const editor::Handle before = Selected();
    const editor::Handle picked = editor::PickHandle(car, axes, h, v, chkSpheres->isChecked());
    SelectedVertex = picked.vertex, SelectedSphere = picked.sphere;
    if (picked != before)
        RequestFrame();
}

void frmView::picPreview_Paint()
{
    // Also while a modal dialog runs its own event loop and no frame is drawn.
    if (OGLUtils::GLContext != 0)
        DrawGLScene();
}

void frmView::picPreview_MouseDown(QPointF position)
{
    LastX = static_cast<float>(position.x()), LastY = static_cast<float>(position.y());
}

void frmView::picPreview_MouseMove(Qt::MouseButtons buttons, QPointF position)
{
    if (buttons == Qt::NoButton)
        return;
    const float x = static_cast<float>(position.x()), y = static_cast<float>(position.y());
    RotY = RotY + LastX - x;
    RotX = RotX + LastY - y;
    LastX = x;
    LastY = y;
    RequestFrame();
}

// An arrow key turns the model as a drag of a few pixels that way does.
void frmView::picPreview_KeyDown(QPoint step)
{
    RotY -= TurnStep * static_cast<float>(step.x());
    RotX -= TurnStep * static_cast<float>(step.y());
    RequestFrame();
}

// The frontmost triangle under the pointer becomes the selected one.
void frmView::picPreview_Click(QPointF position)
{
    const int picked = editor::PickTriangle(Car(), {RotX, RotY, picPreview->size()}, position);
    if (picked != -1)
        sPolys->setValue(picked);
}
