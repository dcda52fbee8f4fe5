#pragma once

#include "modLoad.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace cli {

// C0 and C1 controls and DEL; every other Latin-1 character prints.
bool IsControl(QChar c);

// The name as lists show it, with control characters written as \xNN so that
// a hostile name cannot steer the terminal or break a line.
QString PrintableName(const modLoad::CarName& name);

// The model's fault list and exact floats, shared with the OBJ writer.
using modLoad::ExactDecimal;
using modLoad::ModelFaults;

}  // namespace cli
