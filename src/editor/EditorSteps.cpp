#include "EditorSteps.h"

#include <QAction>
#include <QWidget>

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

void EditorSteps::ShowActions(std::int16_t car)
{
    history::CarHistory::NameActions(*actUndo, CarStep(stack.index() - 1, car), *actRedo, CarStep(stack.index(), car));
}
