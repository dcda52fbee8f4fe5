#include "Accessible.h"

#include <QAccessibleWidget>
#include <QComboBox>

namespace ui {

namespace {

// Asked anew each time, as a widget may be asked for before it is placed.
class OwnWidget final : public QAccessibleWidget {
public:
    explicit OwnWidget(QWidget* widget) : QAccessibleWidget(widget) {}

    QAccessible::Role role() const override
    {
        if (widget()->isWindow())
            return widget()->isModal() ? QAccessible::Dialog : QAccessible::Window;
        return widget()->focusPolicy() != Qt::NoFocus ? QAccessible::Canvas : QAccessible::Client;
    }
};

class NamedComboBox final : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<const QComboBox*>(widget())->currentText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Interface(const QString&, QObject* object)
{
    if (auto* box = qobject_cast<QComboBox*>(object); box && !box->accessibleName().isEmpty())
        return new NamedComboBox(box);
    // The program's own classes, not Qt's, all of whose names begin with Q.
    const QMetaObject* type = object->metaObject();
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && type->superClass() == &QWidget::staticMetaObject && type->className()[0] != 'Q')
        return new OwnWidget(widget);
    return nullptr;
}

}  // namespace

void InstallAccessibility()
{
    QAccessible::installFactory(Interface);
}

}  // namespace ui
