#include "frmView.h"

#include "GLScene.h"
#include "GLSurface.h"
#include "OGLUtils.h"
#include "WireView.h"
#include "modLoad.h"
#include "modOBJ.h"

#include "Dialogs.h"
#include "NumberText.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
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

frmView::frmView(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmView"));
    setWindowTitle(QStringLiteral("Edit Model"));
    setWindowModality(Qt::ApplicationModal);
    BuildControls();
    resize(InitialWidth, InitialHeight);
}

void frmView::BuildControls()
{
    picToolBox = named(new QWidget(this), "picToolBox");
    cmdImport = named(new QPushButton(QStringLiteral("Import"), picToolBox), "cmdImport");
    cmdExport = named(new QPushButton(QStringLiteral("Export"), picToolBox), "cmdExport");
    sPolys = named(new QSlider(Qt::Horizontal, picToolBox), "sPolys");
    lblColour = named(new QLabel(QStringLiteral("Colour:"), picToolBox), "lblColour");
    txtColour = named(new QLineEdit(picToolBox), "txtColour");
    lblColour->setBuddy(txtColour);
    cmdFlipPoly = named(new QPushButton(QStringLiteral("Flip Poly"), picToolBox), "cmdFlipPoly");
    chkHeadVisible = named(new QCheckBox(QStringLiteral("Head Vis."), picToolBox), "chkHeadVisible");

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

modLoad::CarRecord& frmView::Car() const
{
    return (*modLoad::Cars)[static_cast<std::size_t>(SelectedCar)];
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
    StopRender = true;
    OGLUtils::ReleaseGLContext();
    // A release cannot reach a closed window; a drag must not outlive it.
    DragButton = 0;
}

void frmView::cmdImport_Click()
{
    // Every file is offered: models come with many extensions.
    const QString fileName = ui::OpenFileDialog(this);
    if (fileName.isEmpty())
        return;
    const modLoad::FileResult result = modOBJ::ImportOBJ(fileName, Car());
    RequestFrame();
    if (!result)
        ui::MsgBox(this, result.message);
}

void frmView::cmdExport_Click()
{
    const QString fileName = ui::SaveFileDialog(this, QStringLiteral("Wavefront OBJ (*.obj)|*.obj"));
    if (fileName.isEmpty())
        return;
    const QString title = QStringLiteral("%1, car %2").arg(modLoad::NameAsShown(Car().Name)).arg(SelectedCar);
    const modLoad::FileResult result = modOBJ::ExportOBJ(fileName, Car(), title);
    if (!result)
        ui::MsgBox(this, result.message);
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
    const std::optional<qint64> number = ui::TextToWhole(text);
    if (number && *number >= 0 && *number <= 255)
        Car().PolyColour[static_cast<std::size_t>(SelectedPoly)] = static_cast<std::uint8_t>(*number);
    RequestFrame();
}

void frmView::cmdFlipPoly_Click()
{
    // The normal table has 30 entries; triangles 30 to 39 have no normal of their number.
    if (!modLoad::VertexInModel(SelectedPoly))
        return;
    modLoad::Vector& normal = Car().Normals[static_cast<std::size_t>(SelectedPoly)];
    normal = {-normal.X, -normal.Y, -normal.Z};
    RequestFrame();
}

void frmView::chkHeadVisible_Click()
{
    Car().HeadHidden = chkHeadVisible->isChecked() ? 0 : 1;
    RequestFrame();
}

float frmView::ScaleOf(const WireView& view) const
{
    return &view == picXY ? ScaleXY : &view == picYZ ? ScaleYZ : ScaleXZ;
}

void frmView::View_MouseDown(WireView*, int button)
{
    if (SelectedVertex != -1)
        DragButton = button;
}

void frmView::View_MouseUp(WireView*, int)
{
    DragButton = 0;
}

void frmView::View_MouseMove(WireView* view, QPointF position)
{
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
