#pragma once

#include "modLoad.h"

#include <QByteArray>
#include <QString>

namespace cli {

// The largest JSON text that can describe a library: twice the largest that
// dump writes for a car, 8 KiB, for each of the most cars a library holds,
// which leaves room for any other layout of the same values.
constexpr qint64 MaxJsonBytes = qint64{modLoad::MaxCars} * 2 * 8192;

struct JsonInput {
    QByteArray text;
    // Empty on success; else why the input was refused.
    QString error;
};

// Reads the file, or standard input for "-", as JSON text. Refuses it, having
// read no more than limit + 1 bytes, when it is longer than limit; and at the
// first byte no JSON text holds (a control character other than tab, line feed
// and carriage return), so that a binary file or a device ends at once.
JsonInput ReadJsonText(const QString& path, qint64 limit = MaxJsonBytes);

}  // namespace cli
