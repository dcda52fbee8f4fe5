#pragma once

// The car data module: records, tables, the library file and the palette.
#include "CarFile.h"
#include "CarRecord.h"
#include "CarTables.h"
#include "ExactDecimal.h"
#include "ModelLimits.h"
#include "Palette.h"
#include "SaveFile.h"
