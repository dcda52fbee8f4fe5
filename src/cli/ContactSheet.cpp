#include "ContactSheet.h"

#include "CarText.h"
#include "WireFrame.h"

#include <QFont>
#include <QPainter>
#include <QThread>

#include <algorithm>

#include <png.h>

namespace cli {

namespace {

constexpr int NameHeight = 24;
constexpr int TileWidth = 3 * ViewSide + 2;  // three views and the lines between them
constexpr int TileHeight = NameHeight + ViewSide;
constexpr editor::ViewAxes Views[] = {editor::XYAxes, editor::YZAxes, editor::XZAxes};

const QColor Background(0xF2, 0xF2, 0xF2);
const QColor Frame(0xA0, 0xA0, 0xA0);
const QColor Divider(0xD4, 0xD4, 0xD4);

// Tiles sit inside a one-pixel frame that neighbours share.
QPoint tileCorner(std::size_t tile)
{
    return {1 + static_cast<int>(tile % SheetColumns) * (TileWidth + 1),
            1 + static_cast<int>(tile / SheetColumns) * (TileHeight + 1)};
}

QString caption(const modLoad::CarRecord& car, std::size_t position)
{
    return QStringLiteral("%1  %2%3").arg(QString::number(position), PrintableName(car.Name),
                                           ModelFaults(car).isEmpty() ? QString() : QStringLiteral("  (outside the model)"));
}

}  // namespace

QRect ViewRect(std::size_t tile, int v)
{
    return {tileCorner(tile) + QPoint(v * (ViewSide + 1), NameHeight), QSize(ViewSide, ViewSide)};
}

QImage ContactSheet(const modLoad::CarTable& cars, std::size_t first, std::size_t count)
{
    const std::size_t columns = std::min(count, std::size_t{SheetColumns});
    const std::size_t rows = (count + SheetColumns - 1) / SheetColumns;
    // Everything on a sheet is grey, and a grey PNG takes a third of the time
    // to compress that a coloured one takes.
    QImage sheet(static_cast<int>(columns) * (TileWidth + 1) + 1, static_cast<int>(rows) * (TileHeight + 1) + 1,
                 QImage::Format_Grayscale8);
    // A tile and its frame are drawn in colour, in which the painter is
    // fastest, into a picture small enough to stay in the processor's cache,
    // and copied onto the sheet as grey.
    QImage tile(TileWidth + 2, TileHeight + 2, QImage::Format_RGB32);
    if (sheet.isNull() || tile.isNull())
        return {};
    sheet.fill(Background);
    for (std::size_t t = 0; t < count; ++t) {
        const modLoad::CarRecord& car = cars[first + t];
        // Tile coordinates: the frame around, the tile from (1, 1).
        const QPoint corner = tileCorner(t) - QPoint(1, 1);
        {
            QPainter painter(&tile);
            QFont font = painter.font();
            font.setPixelSize(14);
            painter.setFont(font);
            painter.fillRect(tile.rect(), Frame);
            painter.fillRect(tile.rect().adjusted(1, 1, -1, -1), Background);
            painter.setPen(Qt::black);
            painter.drawText(QRect(QPoint(9, 1), QSize(TileWidth - 16, NameHeight)),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption(car, first + t));
            for (int v = 0; v < 3; ++v) {
                const QRect view = ViewRect(t, v).translated(-corner);
                if (v > 0)
                    painter.fillRect(view.left() - 1, view.top(), 1, ViewSide, Divider);
                painter.save();
                painter.setClipRect(view);
                painter.translate(view.topLeft());
                editor::DrawWireView(painter, view.size(), car, Views[v], editor::ViewScale, -1);
                painter.restore();
            }
        }
        const int width = tile.width();
        for (int y = 0; y < tile.height(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(tile.constScanLine(y));
            uchar* out = sheet.scanLine(corner.y() + y) + corner.x();
            for (int x = 0; x < width; ++x)
                out[x] = static_cast<uchar>(qGray(in[x]));
        }
    }
    return sheet;
}

SheetQueue::SheetQueue(const modLoad::CarTable& cars) : cars_(cars) {}

EncodedSheet SheetQueue::Next()
{
    const auto encode = [this](std::size_t first) {
        const QImage sheet = ContactSheet(cars_, first, std::min(SheetCars, cars_.size() - first));
        EncodedSheet encoded;
        if (sheet.isNull()) {
            encoded.drawn = false;
            return encoded;
        }
        // Compressing takes most of a sheet's time. libpng's fast writing,
        // without the row filters it would otherwise try on every row, takes
        // a third of the time for a file about a fifth larger.
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = static_cast<png_uint_32>(sheet.width());
        image.height = static_cast<png_uint_32>(sheet.height());
        image.format = PNG_FORMAT_GRAY;
        image.flags = PNG_IMAGE_FLAG_FAST;
        png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
        encoded.png.resize(static_cast<qsizetype>(size));
        if (png_image_write_to_memory(&image, encoded.png.data(), &size, 0, sheet.constBits(),
                                      static_cast<png_int_32>(sheet.bytesPerLine()), nullptr)) {
            encoded.png.truncate(static_cast<qsizetype>(size));
        } else {
            encoded.png.clear();
            encoded.why = QString::fromLatin1(image.message);
        }
        return encoded;
    };
    // One sheet in work per core.
    const auto cores = static_cast<std::size_t>(std::max(QThread::idealThreadCount(), 1));
    while (ahead_.size() < cores && queued_ < cars_.size()) {
        ahead_.push_back(std::async(std::launch::async, encode, queued_));
        queued_ += SheetCars;
    }
    EncodedSheet next = ahead_.front().get();
    ahead_.pop_front();
    return next;
}

}  // namespace cli
