#include "CarHistory.h"

#include <QAction>

namespace history {

void CarHistory::NameActions(QAction& undo, const QUndoCommand* undoStep, QAction& redo, const QUndoCommand* redoStep)
{
    undo.setEnabled(undoStep);
    undo.setText(undoStep ? tr("Undo %1").arg(undoStep->text()) : tr("Undo"));
    redo.setEnabled(redoStep);
    redo.setText(redoStep ? tr("Redo %1").arg(redoStep->text()) : tr("Redo"));
}

std::pair<QAction*, QAction*> CarHistory::NewActions(QObject* parent)
{
    auto* undo = new QAction(parent);
    undo->setObjectName(QStringLiteral("actUndo"));
    undo->setShortcuts(QKeySequence::Undo);
    auto* redo = new QAction(parent);
    redo->setObjectName(QStringLiteral("actRedo"));
    redo->setShortcuts(QKeySequence::Redo);
    connect(undo, &QAction::triggered, this, &QUndoStack::undo);
    connect(redo, &QAction::triggered, this, &QUndoStack::redo);
    // Through the stack alone, as a QUndoStack: it clears itself, and so
    // steps, when it is destroyed, after the window that owns it is gone.
    const auto name = [stack = static_cast<QUndoStack*>(this), undo, redo] {
        NameActions(*undo, stack->command(stack->index() - 1), *redo, stack->command(stack->index()));
    };
    connect(this, &QUndoStack::indexChanged, undo, name);
    name();
    return {undo, redo};
}

}  // namespace history
