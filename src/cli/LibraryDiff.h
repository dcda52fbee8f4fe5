#pragma once

#include "modLoad.h"

#include <QString>
#include <QStringList>

namespace cli {

// What differs between two libraries, in lines a modder reads; empty when
// they hold the same cars byte for byte. Cars are paired by name from the
// front and from the back, so a car added or removed shifts no others; the
// cars left between are paired by position, the rest are only in one library.
QStringList DiffLines(const modLoad::CarTable& a, const modLoad::CarTable& b, const QString& nameA,
                      const QString& nameB);

}  // namespace cli
