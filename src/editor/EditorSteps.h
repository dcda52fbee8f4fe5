#pragma once

#include "CarSteps.h"
#include "Handles.h"

#include <QObject>

#include <cstdint>

class QAction;
class QWidget;

// The model editor's side of the library's history: its edits of one car as
// steps, and its Undo and Redo. These sit in the window's context menu with
// the desktop's keys, and take back and do again only the steps that change
// that car in place, so that no step moves or removes the car under the editor.
class EditorSteps : public QObject {
    Q_OBJECT

public:
    EditorSteps(history::CarHistory& stack, QWidget& window);

    // The car at `car` goes from `before` to `after` in one step, merged with
    // the step before under the same key. False when the step changes nothing:
    // even such a step would drop the steps that could be redone.
    bool Push(std::int16_t car, const modLoad::CarRecord& before, const modLoad::CarRecord& after,
              const QString& text, int mergeKey);

    // The name of a step that moves `handle`, and `partner` with it, of the car named `car`.
    static QString MoveText(editor::Handle handle, editor::Handle partner, const QString& car);

    // Enables Undo and Redo for the car's steps, each named after its step.
    void ShowActions(std::int16_t car);

signals:
    // Undo (back) or Redo was chosen, for a step of the car last shown.
    void Take(bool back);

private:
    const history::ChangeCar* CarStep(int index, std::int16_t car) const;

    history::CarHistory& stack;
    QAction* actUndo;
    QAction* actRedo;
};
