#include "CarTables.h"

namespace modLoad {

std::optional<CarTable> Cars;
CarTable TransferCars;
std::int16_t ExportMode = 0;
std::array<QString, ParameterCount> ParameterNames;

namespace {

// Marked for translation. ParameterNames keeps them in English: they are the
// keys of velmar-car's JSON and the names its output prints.
const char* const Names[ParameterCount] = {
    QT_TRANSLATE_NOOP("modLoad", "Size of Right Front Wheel"),
    QT_TRANSLATE_NOOP("modLoad", "Size of Left Front Wheel"),
    QT_TRANSLATE_NOOP("modLoad", "Size of Right Rear Wheel"),
    QT_TRANSLATE_NOOP("modLoad", "Size of Left Rear Wheel"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Oil"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Tarmac"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Tarmac 2"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Grass"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Mud"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Gravel"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Gravel 2"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Sand"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Sand 2"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Snow"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Ice"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Kerb"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Kerb 2"),
    QT_TRANSLATE_NOOP("modLoad", "Grip on Loose Gravel"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Oil"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Tarmac"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Tarmac 2"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Grass"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Mud"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Gravel"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Gravel 2"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Sand"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Sand 2"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Snow"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Ice"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Kerb"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Kerb2"),
    QT_TRANSLATE_NOOP("modLoad", "Slowdown on Loose Gravel"),
    QT_TRANSLATE_NOOP("modLoad", "Air Resistance"),
    QT_TRANSLATE_NOOP("modLoad", "Downforce/Wings"),
    QT_TRANSLATE_NOOP("modLoad", "Power"),
    QT_TRANSLATE_NOOP("modLoad", "Top Speed"),
    QT_TRANSLATE_NOOP("modLoad", "Sliding"),
    QT_TRANSLATE_NOOP("modLoad", "Mass"),
    QT_TRANSLATE_NOOP("modLoad", "Balance"),
    QT_TRANSLATE_NOOP("modLoad", "AI Value"),
};

}  // namespace

void FillParameterNames()
{
    for (int i = 0; i < ParameterCount; ++i)
        ParameterNames[i] = QString::fromLatin1(Names[i]);
}

QString ParameterCaption(int parameter)
{
    return Text::tr(Names[parameter]);
}

QStringList NamesAsShown(const CarTable& table)
{
    QStringList names;
    names.reserve(static_cast<qsizetype>(table.size()));
    for (const CarRecord& car : table)
        names << NameAsShown(car.Name);
    return names;
}

}  // namespace modLoad
