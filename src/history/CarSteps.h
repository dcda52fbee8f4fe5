#pragma once

#include "CarHistory.h"
#include "CarFile.h"

#include <QString>
#include <QUndoCommand>

#include <cstdint>

namespace history {

// True when the records hold the same bytes as the file would store them.
bool SameRecord(const modLoad::CarRecord& a, const modLoad::CarRecord& b);

// A text as a step's text holds it: & doubled, as menus read it as a mnemonic.
QString StepText(QString text);

// A car's name as a step's text holds it.
QString StepName(const modLoad::CarName& name);

// One car's record changed in place: the whole record before and after.
// Steps made with the same merge key on the same car merge while they follow
// one another on the stack, so a run of keystrokes in one field is one step.
// A step that leaves the record as it was is dropped: pushing it, or merging
// back to where the run began, leaves nothing to undo.
class ChangeCar final : public QUndoCommand {
public:
    static constexpr int NoMerge = -1;

    ChangeCar(CarHistory& stack, std::int16_t car, const modLoad::CarRecord& before,
              const modLoad::CarRecord& after, const QString& text, int mergeKey = NoMerge);

    // The car the step changes.
    std::int16_t Car() const { return car; }

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    CarHistory& stack;
    const std::int16_t car;
    const modLoad::CarRecord before;
    modLoad::CarRecord after;
    const int mergeKey;
};

// Cars appended at the end of Cars: a new car, or the cars of an import.
// Holds the appended cars only.
class AddCars final : public QUndoCommand {
public:
    AddCars(CarHistory& stack, modLoad::CarTable cars, const QString& text);

    void undo() override;
    void redo() override;

private:
    CarHistory& stack;
    const modLoad::CarTable cars;
};

// The car at `position` removed, the cars after it moving up one place.
// Holds the removed car only. Declared as AddCars is, its counterpart.
class RemoveCar final : public QUndoCommand {
public:
    RemoveCar(CarHistory& stack, std::int16_t position, const QString& text);

    void undo() override;
    void redo() override;

private:
    CarHistory& stack;
    const std::int16_t position;
    const modLoad::CarRecord removed;
};

}  // namespace history
