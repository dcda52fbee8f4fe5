#pragma once

#include "modLoad.h"

namespace samples {

// Cars whose records lie outside the data model in each way a library file
// can hold: triangle counts past the table, corners past the vertices, colours
// past the palette, NaN and infinite coordinates and wheel sizes, odd flags
// and names. Each car is named for its oddity unless the name is the oddity,
// and keeps enough of a demo car's model for an editor to draw. Unused slots
// and the blocks no one reads hold junk, so that a save shows what it kept.
modLoad::CarTable HostileLibrary();

}  // namespace samples
