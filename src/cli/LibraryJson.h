#pragma once

#include "JsonSource.h"
#include "modLoad.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace cli {

// The whole library as JSON: every field of every record under its own name,
// in file order. A float is written as the shortest decimal that reads back to
// the same bits, or, where none does (NaN, infinities, -0), as a string of its
// bits ("0x7fc00000"); the blocks of unknown meaning are hex strings of their
// bytes in file order. Written as it is made, a car at a time; false when the
// device fails.
bool DumpJson(const modLoad::CarTable& cars, QIODevice& out);
QByteArray DumpJson(const modLoad::CarTable& cars);

struct JsonLibrary {
    modLoad::CarTable cars;
    // Empty on success; else where the first fault is and what is wrong.
    QString error;
};

// Reads JSON in the form DumpJson writes, as a stream: only standard JSON in
// UTF-8, a key given once in each object, every field of every car. A name
// may be shorter than 13 characters; it is then stored as the editor stores a
// new name. A decimal becomes a float with one rounding. A key that names no
// field ends the reading where it stands; else a fault of the text itself is
// told first, then a key given twice, then the first value that does not fit
// a library.
JsonLibrary BuildFromJson(JsonSource& source);
JsonLibrary BuildFromJson(const QByteArray& json);

}  // namespace cli
