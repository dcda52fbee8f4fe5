#pragma once

#include "modLoad.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstddef>
#include <deque>
#include <future>

namespace cli {

// A contact sheet shows cars in tiles, SheetColumns to a row. A tile holds the
// car's position and name over its XY, YZ and XZ views, side by side, drawn
// as the editor draws them: editor::ViewScale pixels per unit about each view's
// centre, so a view shows 2.6 units either side of the model's origin.
constexpr int SheetColumns = 2;
constexpr int ViewSide = 260;
// 25 rows of tiles: some 1570 by 7130 grey pixels, 11 MB to draw.
constexpr std::size_t SheetCars = 50;

// Where view v (0 XY, 1 YZ, 2 XZ) of the tile-th tile lies on a sheet.
QRect ViewRect(std::size_t tile, int v);

// The sheet of the count cars from first on (count at most SheetCars); a null
// image when there is no memory for it. Names are drawn as text, so a
// QGuiApplication must exist.
QImage ContactSheet(const modLoad::CarTable& cars, std::size_t first, std::size_t count);

// A sheet as PNG: empty when there was no memory to draw it (drawn false), or
// when it could not be compressed (why says why).
struct EncodedSheet {
    QByteArray png;
    bool drawn = true;
    QString why;
};

// The sheets of a library, SheetCars cars to a sheet, drawn and compressed
// ahead of the caller on as many threads as the machine has cores, and given
// in order by Next. The table must outlive the queue, which waits for the
// sheets in work when it goes.
class SheetQueue {
public:
    explicit SheetQueue(const modLoad::CarTable& cars);
    EncodedSheet Next();

private:
    const modLoad::CarTable& cars_;
    std::size_t queued_ = 0;
    std::deque<std::future<EncodedSheet>> ahead_;
};

}  // namespace cli
