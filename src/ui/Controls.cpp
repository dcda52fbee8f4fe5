#include "Controls.h"

#include <QComboBox>
#include <QListView>

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

}  // namespace ui
