#include "EditorSteps.h"

#include <QAction>
#include <QWidget>

#include <array>

EditorSteps::EditorSteps(history::CarHistory& stack, QWidget& window)
    : QObject(&window), stack(stack), actUndo(new QAction(&window)), actRedo(new QAction(&window))
{
    actUndo->setObjectName(QStringLiteral("actUndo"));
    actUndo->setShortcuts(QKeySequence::Undo);
    actRedo->setObjectName(QStringLiteral("actRedo"));
    actRedo->setShortcuts(QKeySequence::Redo);
    window.addActions({actUndo, actRedo});
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(actUndo, &QAction::triggered, this, [this] { emit Take(true); });
    connect(actRedo, &QAction::triggered, this, [this] { emit Take(false); });
}

bool EditorSteps::Push(std::int16_t car, const modLoad::CarRecord& before, const modLoad::CarRecord& after,
                       const QString& text, int mergeKey)
{
    if (history::SameRecord(before, after))
        return false;
    stack.push(new history::ChangeCar(stack, car, before, after, text, mergeKey));
    return true;
}

// The step at `index` of the stack when it changes the car in place.
const history::ChangeCar* EditorSteps::CarStep(int index, std::int16_t car) const
{
    const auto* step = dynamic_cast<const history::ChangeCar*>(stack.command(index));
    return step && step->Car() == car ? step : nullptr;
}

QString EditorSteps::MoveText(editor::Handle handle, editor::Handle partner, const QString& car)
{
    if (handle.vertex != -1 && partner.vertex != -1)
        return tr("Move Vertices %1 and %2 of %3").arg(handle.vertex).arg(partner.vertex).arg(car);
    if (handle.vertex != -1 || handle.sphere == -1)
        return tr("Move Vertex %1 of %2").arg(handle.vertex).arg(car);
    if (partner.sphere != -1)
        return (handle.sphere < 2 ? tr("Move Front Wheels of %1") : tr("Move Rear Wheels of %1")).arg(car);
    const std::array names{tr("Move Right Front Wheel of %1"), tr("Move Left Front Wheel of %1"),
                           tr("Move Right Rear Wheel of %1"), tr("Move Left Rear Wheel of %1"), tr("Move Head of %1")};
    return names.at(static_cast<std::size_t>(handle.sphere)).arg(car);
}

void EditorSteps::ShowActions(std::int16_t car)
{
    history::CarHistory::NameActions(*actUndo, CarStep(stack.index() - 1, car), *actRedo, CarStep(stack.index(), car));
}
