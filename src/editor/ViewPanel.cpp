#include "ViewPanel.h"

#include "Controls.h"
#include "GLSurface.h"
#include "OGLUtils.h"
#include "WireView.h"

#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>

namespace {

// A press and release on the preview this close, in pixels, are a click.
constexpr double ClickSlack = 3.0;

}  // namespace

ViewPanel::ViewPanel(QWidget* parent)
    : QWidget(parent),
      picXY(new WireView("picXY", editor::XYAxes, this)),
      picYZ(new WireView("picYZ", editor::YZAxes, this)),
      picXZ(new WireView("picXZ", editor::XZAxes, this)),
      picPreview(new GLSurface(this))
{
    setObjectName(QStringLiteral("picCont"));
    picPreview->setObjectName(QStringLiteral("picPreview"));
    picPreview->setFocusPolicy(Qt::StrongFocus);
    picPreview->installEventFilter(this);
    setAccessibleName(tr("Views"));

    const QString viewText = tr("Hovering or Page Down and Page Up pick a vertex; dragging it or the arrow keys move it");
    for (const auto& [view, name] : {std::pair{picXY, tr("Top view (XY)")}, {picYZ, tr("Side view (YZ)")},
                                     {picXZ, tr("Back view (XZ)")}}) {
        view->setAccessibleName(name);
        view->setAccessibleDescription(viewText);
    }
    picPreview->setAccessibleName(tr("Preview"));
    picPreview->setAccessibleDescription(tr("The model in 3D; dragging over it or the arrow keys turn it, a click picks a triangle"));
}

void ViewPanel::Place()
{
    const int w = width() / 2, h = height() / 2;
    picXY->setGeometry(0, 0, w, h);
    picYZ->setGeometry(w, 0, w + 1, h);
    picXZ->setGeometry(0, h, w, h);
    const double ratio = picPreview->devicePixelRatioF();
    if (OGLUtils::MakeGLCurrent(*picPreview))
        OGLUtils::ResizeGLView(OGLUtils::DevicePixels(w + 1, ratio), OGLUtils::DevicePixels(h, ratio));
    picPreview->setGeometry(w, h, w + 1, h);
}

bool ViewPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != picPreview)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        if (const QPoint step = ui::ArrowStep(static_cast<QKeyEvent*>(event)->key()); !step.isNull())
            return emit PreviewArrow(step), true;
    }
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (!mouse)
        return QWidget::eventFilter(watched, event);
    const bool slipped = clickAt && QLineF(*clickAt, mouse->position()).length() >= ClickSlack;
    if (event->type() == QEvent::MouseButtonPress) {
        // Only a left press arms a click; any other press disarms it.
        clickAt = mouse->button() == Qt::LeftButton ? std::optional(mouse->position()) : std::nullopt;
        emit PreviewPress(mouse->position());
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (clickAt && !slipped)
            emit PreviewClick(mouse->position());
        clickAt.reset();
    } else if (event->type() == QEvent::MouseMove) {
        if (slipped)
            clickAt.reset();
        emit PreviewMove(mouse->buttons(), mouse->position());
    }
    return QWidget::eventFilter(watched, event);
}
