#include "ViewPanel.h"

#include "Controls.h"
#include "GLSurface.h"
#include "OGLUtils.h"
#include "WireView.h"

#include <QKeyEvent>
#include <QMouseEvent>

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
    picPreview->setAccessibleDescription(tr("The model in 3D; dragging over it or the arrow keys turn it"));
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
    if (event->type() == QEvent::MouseButtonPress) {
        emit PreviewPress(static_cast<QMouseEvent*>(event)->position());
    } else if (event->type() == QEvent::MouseMove) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        emit PreviewMove(mouse->buttons(), mouse->position());
    } else if (event->type() == QEvent::KeyPress) {
        if (const QPoint step = ui::ArrowStep(static_cast<QKeyEvent*>(event)->key()); !step.isNull())
            return emit PreviewArrow(step), true;
    }
    return QWidget::eventFilter(watched, event);
}
