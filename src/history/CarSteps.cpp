#include "CarSteps.h"

#include "CarTables.h"

#include <array>

namespace history {

namespace {

// Every ChangeCar that may merge shares one id; mergeWith checks car and key.
constexpr int MergingChange = 1;

}  // namespace

// As the file would hold them, so NaNs compare by their bits.
bool SameRecord(const modLoad::CarRecord& a, const modLoad::CarRecord& b)
{
    std::array<std::uint8_t, modLoad::RecordSize> x, y;
    modLoad::EncodeRecord(a, x.data());
    modLoad::EncodeRecord(b, y.data());
    return x == y;
}

QString StepText(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString StepName(const modLoad::CarName& name)
{
    return StepText(modLoad::NameInList(name));
}

ChangeCar::ChangeCar(CarHistory& stack, std::int16_t car, const modLoad::CarRecord& before,
                     const modLoad::CarRecord& after, const QString& text, int mergeKey)
    : QUndoCommand(text), stack(stack), car(car), before(before), after(after), mergeKey(mergeKey)
{
    setObsolete(SameRecord(before, after));
}

void ChangeCar::undo()
{
    modLoad::CopyCar(before, (*modLoad::Cars)[car]);
    emit stack.CarChanged(car);
}

void ChangeCar::redo()
{
    modLoad::CopyCar(after, (*modLoad::Cars)[car]);
    emit stack.CarChanged(car);
}

int ChangeCar::id() const
{
    return mergeKey == NoMerge ? -1 : MergingChange;
}

bool ChangeCar::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const ChangeCar*>(other);
    if (next->car != car || next->mergeKey != mergeKey)
        return false;
    modLoad::CopyCar(next->after, after);
    setObsolete(SameRecord(before, after));
    return true;
}

AddCars::AddCars(CarHistory& stack, modLoad::CarTable cars, const QString& text)
    : QUndoCommand(text), stack(stack), cars(std::move(cars))
{
}

void AddCars::undo()
{
    modLoad::CarTable& table = *modLoad::Cars;
    table.resize(table.size() - cars.size());
    emit stack.CarChanged(static_cast<std::int16_t>(table.size()));
}

void AddCars::redo()
{
    modLoad::CarTable& table = *modLoad::Cars;
    const std::size_t first = table.size();
    table.resize(first + cars.size());
    for (std::size_t i = 0; i < cars.size(); ++i)
        modLoad::CopyCar(cars[i], table[first + i]);
    emit stack.CarChanged(static_cast<std::int16_t>(first));
}

RemoveCar::RemoveCar(CarHistory& stack, std::int16_t position, const QString& text)
    : QUndoCommand(text), stack(stack), position(position), removed((*modLoad::Cars)[position])
{
}

void RemoveCar::undo()
{
    modLoad::CarTable& cars = *modLoad::Cars;
    cars.emplace_back();
    for (auto i = static_cast<std::int16_t>(cars.size() - 1); i > position; --i)
        modLoad::CopyCar(cars[i - 1], cars[i]);
    modLoad::CopyCar(removed, cars[position]);
    emit stack.CarChanged(position);
}

void RemoveCar::redo()
{
    modLoad::CarTable& cars = *modLoad::Cars;
    const auto last = static_cast<std::int16_t>(cars.size() - 1);
    for (std::int16_t i = position + 1; i <= last; ++i)
        modLoad::CopyCar(cars[i], cars[i - 1]);
    cars.pop_back();
    emit stack.CarChanged(position);
}

}  // namespace history
