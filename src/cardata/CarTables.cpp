#include "CarTables.h"

namespace modLoad {

std::optional<CarTable> Cars;
CarTable TransferCars;
std::int16_t ExportMode = 0;
std::array<QString, ParameterCount> ParameterNames;

void FillParameterNames()
{
    static const char* const names[ParameterCount] = {
        "Size of Right Front Wheel", "Size of Left Front Wheel", "Size of Right Rear Wheel",
        "Size of Left Rear Wheel",   "Grip on Oil",              "Grip on Tarmac",
        "Grip on Tarmac 2",          "Grip on Grass",            "Grip on Mud",
        "Grip on Gravel",            "Grip on Gravel 2",         "Grip on Sand",
        "Grip on Sand 2",            "Grip on Snow",             "Grip on Ice",
        "Grip on Kerb",              "Grip on Kerb 2",           "Grip on Loose Gravel",
        "Slowdown on Oil",           "Slowdown on Tarmac",       "Slowdown on Tarmac 2",
        "Slowdown on Grass",         "Slowdown on Mud",          "Slowdown on Gravel",
        "Slowdown on Gravel 2",      "Slowdown on Sand",         "Slowdown on Sand 2",
        "Slowdown on Snow",          "Slowdown on Ice",          "Slowdown on Kerb",
        "Slowdown on Kerb2",         "Slowdown on Loose Gravel", "Air Resistance",
        "Downforce/Wings",           "Power",                    "Top Speed",
        "Sliding",                   "Mass",                     "Balance",
        "AI Value",
    };
    for (int i = 0; i < ParameterCount; ++i)
        ParameterNames[i] = QString::fromLatin1(names[i]);
}

QStringList NamesInList(const CarTable& table)
{
    QStringList names;
    names.reserve(static_cast<qsizetype>(table.size()));
    for (const CarRecord& car : table)
        names << NameInList(car.Name);
    return names;
}

}  // namespace modLoad
