#pragma once

#include "SaveFile.h"

#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <utility>

class QAction;

namespace history {

// The undo stack of the open library. Every change to Cars is a step pushed
// here by the window that makes it; the main window owns the stack and hands
// it to each window that changes cars. Loading a library clears it; saving
// marks it clean. A window that works on one car, as the model editor does,
// undoes and redoes only the ChangeCar steps of that car, so that no step
// moves or removes the car under it.
class CarHistory : public QUndoStack {
    Q_OBJECT

public:
    using QUndoStack::QUndoStack;

    // Names Undo and Redo after the steps they would take, as "Undo Remove
    // Mudlark", in the user's language; an action with no step is disabled.
    static void NameActions(QAction& undo, const QUndoCommand* undoStep, QAction& redo, const QUndoCommand* redoStep);

    // Undo and Redo of the next steps, for `parent`: with the desktop's keys,
    // named "actUndo" and "actRedo", and by NameActions at every step.
    std::pair<QAction*, QAction*> NewActions(QObject* parent);

    // The file the library was loaded from or last saved to.
    const QString& LibraryFile() const { return libraryFile; }
    void SetLibraryFile(const QString& fileName) { libraryFile = fileName; }
    bool IsLibraryFile(const QString& fileName) const { return modLoad::SameFile(fileName, libraryFile); }

signals:
    // A step was done, redone or undone; `car` is the index in Cars of the car
    // it concerns, for the windows to show. It is one past the last car when
    // the step took the last cars away.
    void CarChanged(std::int16_t car);

private:
    QString libraryFile;
};

}  // namespace history
