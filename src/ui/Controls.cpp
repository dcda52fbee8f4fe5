#include "Controls.h"

#include <QComboBox>
#include <QListView>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace ui {

QComboBox* NewLongComboBox(const char* objectName, int visibleCharacters, QWidget* parent,
                           const QString& accessibleName)
{
    auto* box = new QComboBox(parent);
    // Before anything asks for the box's accessible side, which is made once.
    box->setAccessibleName(accessibleName);
    box->setObjectName(QLatin1String(objectName));
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(visibleCharacters);
    if (auto* view = qobject_cast<QListView*>(box->view()))
        view->setUniformItemSizes(true);
    return box;
}

void DrawFocusFrame(QPainter& painter, const QWidget& widget)
{
    if (!widget.hasFocus())
        return;
    painter.setPen(QPen(widget.palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(widget.rect()).adjusted(1, 1, -1, -1));
}

QPoint ArrowStep(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return {-1, 0};
    case Qt::Key_Right:
        return {1, 0};
    case Qt::Key_Up:
        return {0, -1};
    case Qt::Key_Down:
        return {0, 1};
    default:
        return {};
    }
}

void PlaceOver(QWidget& window, const QWidget& owner)
{
    QRect frame = window.frameGeometry();
    frame.moveCenter(owner.frameGeometry().center());
    const QRect screen = owner.screen()->availableGeometry();
    frame.moveLeft(std::max(std::min(frame.left(), screen.right() - frame.width() + 1), screen.left()));
    frame.moveTop(std::max(std::min(frame.top(), screen.bottom() - frame.height() + 1), screen.top()));
    window.move(frame.topLeft());
}

}  // namespace ui
