#pragma once

#include "modLoad.h"

#include <QImage>
#include <QRect>

#include <cstddef>

namespace cli {

// A contact sheet shows cars in tiles, SheetColumns to a row. A tile holds the
// car's position and name over its XY, YZ and XZ views, side by side, drawn
// as the editor draws them: editor::ViewScale pixels per unit about each view's
// centre, so a view shows 2.6 units either side of the model's origin.
constexpr int SheetColumns = 2;
constexpr int ViewSide = 260;
// 25 rows of tiles: some 1570 by 7130 pixels, 45 MB to draw.
constexpr std::size_t SheetCars = 50;

// Where view v (0 XY, 1 YZ, 2 XZ) of the tile-th tile lies on a sheet.
QRect ViewRect(std::size_t tile, int v);

// The sheet of the count cars from first on (count at most SheetCars); a null
// image when there is no memory for it. Names are drawn as text, so a
// QGuiApplication must exist.
QImage ContactSheet(const modLoad::CarTable& cars, std::size_t first, std::size_t count);

}  // namespace cli
