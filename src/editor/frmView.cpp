#include "frmView.h"

#include "CarHistory.h"
#include "GLScene.h"
#include "GLSurface.h"
#include "OGLUtils.h"
#include "WireView.h"
#include "modLoad.h"
#include "modOBJ.h"

#include "Dialogs.h"
#include "NumberText.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>

std::int16_t SelectedCar = -1;
bool StopRender = true;

namespace {

constexpr int ToolBoxWidth = 83;
constexpr int InitialWidth = 544;
constexpr int InitialHeight = 390;
constexpr std::uint8_t PreviewColourBits = 16;

template <typename Control>
Control* named(Control* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

}  // namespace

frmView::frmView(history::CarHistory& undoStack, QWidget* parent)
    : QWidget(parent, Qt::Window), undoStack(undoStack)
{
    setObjectName(QStringLiteral("frmView"));
    setWindowTitle(tr("Edit Model"));
    setWindowModality(Qt::ApplicationModal);
    BuildControls();
    BuildUndoActions();
    resize(InitialWidth, InitialHeight);
}

void frmView::BuildControls()
{
    picToolBox = named(new QWidget(this), "picToolBox");
    cmdImport = named(new QPushButton(tr("Import"), picToolBox), "cmdImport");
    cmdExport = named(new QPushButton(tr("Export"), picToolBox), "cmdExport");
    sPolys = named(new QSlider(Qt::Horizontal, picToolBox), "sPolys");
    lblColour = named(new QLabel(tr("Colour:"), picToolBox), "lblColour");
    txtColour = named(new QLineEdit(picToolBox), "txtColour");
    lblColour->setBuddy(txtColour);
    cmdFlipPoly = named(new QPushButton(tr("Flip Poly"), picToolBox), "cmdFlipPoly");
    chkHeadVisible = named(new QCheckBox(tr("Head Vis."), picToolBox), "chkHeadVisible");

    auto* colourRow = new QHBoxLayout;
    colourRow->setSpacing(2);
    colourRow->addWidget(lblColour);
    colourRow->addWidget(txtColour, 1);
    auto* tools = new QVBoxLayout(picToolBox);
    tools->setContentsMargins(4, 4, 4, 4);
    tools->addWidget(cmdImport);
    tools->addWidget(cmdExport);
    tools->addWidget(sPolys);
    tools->addLayout(colourRow);
    tools->addWidget(cmdFlipPoly);
    tools->addWidget(chkHeadVisible);
    tools->addStretch(1);

    picCont = named(new QWidget(this), "picCont");
    picXY = new WireView("picXY", editor::XYAxes, picCont);
    picYZ = new WireView("picYZ", editor::YZAxes, picCont);
    picXZ = new WireView("picXZ", editor::XZAxes, picCont);
    picPreview = named(new GLSurface(picCont), "picPreview");
    picPreview->installEventFilter(this);

    connect(cmdImport, &QPushButton::clicked, this, &frmView::cmdImport_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmView::cmdExport_Click);
    connect(sPolys, &QSlider::valueChanged, this, &frmView::sPolys_Change);
    connect(txtColour, &QLineEdit::textChanged, this, &frmView::txtColour_Change);
    connect(txtColour, &QLineEdit::editingFinished, this, &frmView::txtColour_Finished);
    connect(cmdFlipPoly, &QPushButton::clicked, this, &frmView::cmdFlipPoly_Click);
    // Only the user's click: setting the box when the editor opens must not
    // rewrite a stored HeadHidden value.
    connect(chkHeadVisible, &QCheckBox::clicked, this, &frmView::chkHeadVisible_Click);
    for (WireView* view : {picXY, picYZ, picXZ}) {
        connect(view, &WireView::MouseDown, this, &frmView::View_MouseDown);
        connect(view, &WireView::MouseUp, this, &frmView::View_MouseUp);
        connect(view, &WireView::MouseMove, this, &frmView::View_MouseMove);
    }
    connect(picPreview, &GLSurface::Repaint, this, &frmView::picPreview_Paint);
}

// As in the main window, Undo and Redo sit in the window's context menu, which
// a right click on the toolbox or a view opens. Not on the preview: a drag
// with any button turns the model there. The colour box leaves the keys to
// them, so they take back the colour typed as one step.
void frmView::BuildUndoActions()
{
    actUndo = named(new QAction(this), "actUndo");
    actUndo->setShortcuts(QKeySequence::Undo);
    actRedo = named(new QAction(this), "actRedo");
    actRedo->setShortcuts(QKeySequence::Redo);
    addActions({actUndo, actRedo});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    picPreview->setContextMenuPolicy(Qt::PreventContextMenu);
    txtColour->installEventFilter(this);
    connect(actUndo, &QAction::triggered, this, &frmView::actUndo_Click);
    connect(actRedo, &QAction::triggered, this, &frmView::actRedo_Click);
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
    show();
    ScaleXY = ScaleYZ = ScaleXZ = editor::ViewScale;
    // A screen of another pixel ratio changes the preview's pixels.
    connect(windowHandle(), &QWindow::screenChanged, this, &frmView::Form_Resize, Qt::UniqueConnection);
    Form_Resize();
    StopRender = false;
    // Without a context the views still draw and the preview area stays empty.
    OGLUtils::CreateGLContext(*picPreview, PreviewColourBits);
    // A car without triangles still gets a range: triangle 0 alone.
    sPolys->setRange(0, std::max(modLoad::UsedPolys(Car()) - 1, 0));
    ShowRecord();
    UndoStack_IndexChanged();
}

// The toolbox shows the record: the head box, and through the slider's
// handler the colour of the selected triangle; the next frame shows it too.
void frmView::ShowRecord()
{
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
    editor::DrawCarScene(Car(), {SelectedPoly, SelectedVertex, RotX, RotY});
}

void frmView::DrawWireFrame()
{
    const modLoad::CarRecord& car = Car();
    picXY->Draw(car, ScaleXY, SelectedVertex);
    picYZ->Draw(car, ScaleYZ, SelectedVertex);
    picXZ->Draw(car, ScaleXZ, SelectedVertex);
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
    const int containerWidth = std::max(innerWidth - ToolBoxWidth, 0);
    picCont->setGeometry(ToolBoxWidth, 0, containerWidth, innerHeight);
    const int w = containerWidth / 2, h = innerHeight / 2;
    picXY->setGeometry(0, 0, w, h);
    picYZ->setGeometry(w, 0, w + 1, h);
    picXZ->setGeometry(0, h, w, h);
    // The view is sized before the preview takes its size and draws itself anew.
    const double ratio = picPreview->devicePixelRatioF();
    if (OGLUtils::MakeGLCurrent(*picPreview))
        OGLUtils::ResizeGLView(OGLUtils::DevicePixels(w + 1, ratio), OGLUtils::DevicePixels(h, ratio));
    picPreview->setGeometry(w, h, w + 1, h);
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
    StopRender = true;
    OGLUtils::ReleaseGLContext();
}

// The car becomes `after` in one step; a drag in progress ends first, as a
// step of its own.
void frmView::Record(const modLoad::CarRecord& after, const QString& text, int mergeKey)
{
    EndDrag();
    if (Push(Car(), after, text, mergeKey))
        RequestFrame();
}

// True when the step was pushed: not when it changes nothing, as even such a
// step would drop the steps that could be redone.
bool frmView::Push(const modLoad::CarRecord& before, const modLoad::CarRecord& after, const QString& text,
                   int mergeKey)
{
    if (history::SameRecord(before, after))
        return false;
    undoStack.push(new history::ChangeCar(undoStack, SelectedCar, before, after, text, mergeKey));
    return true;
}

// A drag is one step from the record at its first move to the record now.
void frmView::EndDrag()
{
    DragButton = 0;
    if (!dragStart)
        return;
    const modLoad::CarRecord before = *dragStart;
    dragStart.reset();
    Push(before, Car(), tr("Move Vertex %1 of %2").arg(SelectedVertex).arg(CarName()),
         history::ChangeCar::NoMerge);
}

// The step at `index` of the stack when it changes the edited car in place:
// the editor undoes and redoes no step that could move or remove its car.
const history::ChangeCar* frmView::EditorStep(int index) const
{
    const auto* step = dynamic_cast<const history::ChangeCar*>(undoStack.command(index));
    return step && step->Car() == SelectedCar ? step : nullptr;
}

void frmView::UndoStack_IndexChanged()
{
    history::CarHistory::NameActions(*actUndo, EditorStep(undoStack.index() - 1), *actRedo,
                                     EditorStep(undoStack.index()));
}

void frmView::actUndo_Click()
{
    TakeStep(true);
}

void frmView::actRedo_Click()
{
    TakeStep(false);
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
    // Every file is offered: models come with many extensions.
    const QString fileName = ui::OpenFileDialog(this);
    if (fileName.isEmpty())
        return;
    modLoad::CarRecord after = Car();
    if (const modLoad::FileResult result = modOBJ::ImportOBJ(fileName, after); !result) {
        ui::MsgBox(this, result.message);
        return;
    }
    const QString text = history::StepText(QFileInfo(fileName).fileName());
    Record(after, tr("Import %1 into %2").arg(text, CarName()));
}

void frmView::cmdExport_Click()
{
    const QString fileName = ui::SaveFileDialog(this, tr("Wavefront OBJ (*.obj)|*.obj"), [this](const QString& name) {
        return ui::ReplaceQuestion(name, undoStack.IsLibraryFile(name));
    });
    if (fileName.isEmpty())
        return;
    const bool libraryFile = undoStack.IsLibraryFile(fileName);
    const QString title = QStringLiteral("%1, car %2").arg(modLoad::NameAsShown(Car().Name)).arg(SelectedCar);
    // As for Import, so that a pipe or a device never blocks the window.
    modLoad::FileResult result = modLoad::CheckRegularFile(fileName, modLoad::Use::Write);
    if (result)
        result = modOBJ::ExportOBJ(fileName, Car(), title);
    if (!result)
        ui::MsgBox(this, result.message);
    else if (libraryFile)
        undoStack.resetClean();
}

void frmView::sPolys_Change()
{
    SelectedPoly = sPolys->value();
    RequestFrame();
    txtColour->setText(QString::number(Car().PolyColour[static_cast<std::size_t>(SelectedPoly)]));
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
    modLoad::CarRecord after = Car();
    after.PolyColour[static_cast<std::size_t>(SelectedPoly)] = static_cast<std::uint8_t>(*number);
    // The keystrokes on one triangle are one step.
    Record(after, tr("Set Colour of Triangle %1 of %2").arg(SelectedPoly).arg(CarName()), SelectedPoly);
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

float frmView::ScaleOf(const WireView& view) const
{
    return &view == picXY ? ScaleXY : &view == picYZ ? ScaleYZ : ScaleXZ;
}

void frmView::View_MouseDown(WireView*, int button)
{
    // Also a drag whose release was lost ends here.
    EndDrag();
    if (SelectedVertex != -1)
        DragButton = button;
}

void frmView::View_MouseUp(WireView*, int)
{
    EndDrag();
}

void frmView::View_MouseMove(WireView* view, QPointF position)
{
    pointerView = view;
    pointerAt = position;
    TrackVertex(*view, static_cast<float>(position.x()), static_cast<float>(position.y()), ScaleOf(*view));
}

void frmView::TrackVertex(const WireView& view, float x, float y, float scale)
{
    const float halfWidth = static_cast<float>(view.width()) / 2.0f;
    const float halfHeight = static_cast<float>(view.height()) / 2.0f;
    const float h = (x - halfWidth) / scale, v = (y - halfHeight) / scale;
    modLoad::CarRecord& car = Car();
    const editor::ViewAxes axes = view.Axes();

    if (SelectedVertex != -1 && (DragButton & 1)) {
        if (!dragStart)
            dragStart = car;
        modLoad::Vector& vertex = car.Vertices[static_cast<std::size_t>(SelectedVertex)];
        editor::Coordinate(vertex, axes.H) = h;
        editor::Coordinate(vertex, axes.V) = v;
        RequestFrame();
        return;
    }

    // The corner met last within the radius wins, not the nearest.
    const int before = SelectedVertex;
    SelectedVertex = -1;
    const int used = modLoad::UsedPolys(car);
    for (int p = 0; p < used; ++p) {
        const modLoad::Poly& poly = car.Polys[p];
        for (const int i : {poly.A, poly.B, poly.C}) {
            if (!modLoad::VertexInModel(i))
                continue;
            const double dh = static_cast<double>(h) - editor::Coordinate(car.Vertices[i], axes.H);
            const double dv = static_cast<double>(v) - editor::Coordinate(car.Vertices[i], axes.V);
            if (std::sqrt(dh * dh + dv * dv) < PickRadius)
                SelectedVertex = i;
        }
    }
    if (SelectedVertex != before)
        RequestFrame();
}

bool frmView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtColour && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            event->ignore();
            return true;
        }
    }
    if (watched == picPreview) {
        if (event->type() == QEvent::MouseButtonPress)
            picPreview_MouseDown(static_cast<QMouseEvent*>(event)->position());
        else if (event->type() == QEvent::MouseMove)
            picPreview_MouseMove(static_cast<QMouseEvent*>(event)->buttons(),
                                 static_cast<QMouseEvent*>(event)->position());
    }
    return QWidget::eventFilter(watched, event);
}

void frmView::picPreview_Paint()
{
    // Also while a modal dialog runs its own event loop and no frame is drawn.
    if (OGLUtils::GLContext != 0)
        DrawGLScene();
}

void frmView::picPreview_MouseDown(QPointF position)
{
    LastX = static_cast<float>(position.x());
    LastY = static_cast<float>(position.y());
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
