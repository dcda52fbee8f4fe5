#pragma once

#include "modLoad.h"

#include <QByteArray>
#include <QString>

namespace cli {

// The whole library as JSON: every field of every record under its own name,
// in file order. A float is written as the shortest decimal that reads back to
// the same bits, or, where none does (NaN, infinities, -0), as a string of its
// bits ("0x7fc00000"); the blocks of unknown meaning are hex strings of their
// bytes in file order.
QByteArray DumpJson(const modLoad::CarTable& cars);

struct JsonLibrary {
    modLoad::CarTable cars;
    // Empty on success; else where the first fault is and what is wrong.
    QString error;
};

// Reads JSON in the form DumpJson writes. A name may be shorter than 13
// characters; it is then stored as the editor stores a new name.
JsonLibrary BuildFromJson(const QByteArray& json);

}  // namespace cli
