#include "Controls.h"

#include <QComboBox>
#include <QListView>
#include <QPainter>

namespace ui {

QComboBox* NewLongComboBox(const char* objectName, int visibleCharacters, QWidget* parent)
{
    auto* box = new QComboBox(parent);
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

}  // namespace ui
