#pragma once

#include "CarRecord.h"

#include <cstdint>
#include <optional>

class QString;
class QWidget;

namespace history {
class CarHistory;
}

namespace editor {

// The model editor's Import: asks for an OBJ file, offering every file, as
// models come with many extensions, and reads its mesh into a copy of the
// car, in the car's units. The copy, with `fileName` the file chosen; nothing
// when the choice is cancelled or the file refused, the reason shown.
std::optional<modLoad::CarRecord> ImportModel(QWidget* window, const modLoad::CarRecord& car, QString& fileName);

// The model editor's Export: asks for a file name, and before replacing a
// file, and writes the model of the car at `index` to it. A pipe or a device
// is refused before it is opened, so that it never blocks the window; a
// failure is shown. Written over the open library's own file, the library
// counts as unsaved.
void ExportModel(QWidget* window, const modLoad::CarRecord& car, std::int16_t index, history::CarHistory& stack);

}  // namespace editor
