#pragma once

#include "CarFile.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace modLoad {

// The open library: absent until the first successful load, then one or more cars.
extern std::optional<CarTable> Cars;

// The other side of an import or export.
extern CarTable TransferCars;

// 1 makes the transfer dialog an export, 0 an import.
extern std::int16_t ExportMode;

extern std::array<QString, ParameterCount> ParameterNames;

void FillParameterNames();

// The name of parameter 0 to 39 as the windows show it, in the user's language.
QString ParameterCaption(int parameter);

// Every car's name as lists show it, in table order.
QStringList NamesAsShown(const CarTable& table);

}  // namespace modLoad
