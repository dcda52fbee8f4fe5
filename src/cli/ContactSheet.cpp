#include "ContactSheet.h"

#include "CarText.h"
#include "WireFrame.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

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
    QImage sheet(static_cast<int>(columns) * (TileWidth + 1) + 1, static_cast<int>(rows) * (TileHeight + 1) + 1,
                 QImage::Format_RGB32);
    if (sheet.isNull())
        return sheet;
    sheet.fill(Background);
    QPainter painter(&sheet);
    QFont font = painter.font();
    font.setPixelSize(14);
    painter.setFont(font);
    for (std::size_t tile = 0; tile < count; ++tile) {
        const modLoad::CarRecord& car = cars[first + tile];
        const QRect area(tileCorner(tile), QSize(TileWidth, TileHeight));
        painter.fillRect(area.adjusted(-1, -1, 1, 1), Frame);
        painter.fillRect(area, Background);
        painter.setPen(Qt::black);
        painter.drawText(QRect(area.topLeft() + QPoint(8, 0), QSize(TileWidth - 16, NameHeight)),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption(car, first + tile));
        for (int v = 0; v < 3; ++v) {
            const QRect view = ViewRect(tile, v);
            if (v > 0)
                painter.fillRect(view.left() - 1, view.top(), 1, ViewSide, Divider);
            painter.save();
            painter.setClipRect(view);
            painter.translate(view.topLeft());
            editor::DrawWireView(painter, view.size(), car, Views[v], editor::ViewScale, -1);
            painter.restore();
        }
    }
    return sheet;
}

}  // namespace cli
