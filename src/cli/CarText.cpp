#include "CarText.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>

namespace cli {

bool IsControl(QChar c)
{
    const ushort code = c.unicode();
    return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

QString Printable(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        const QChar::Category kind = c.category();
        if (IsControl(c))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else if (c.unicode() > 0xFF &&
                 (kind == QChar::Other_Format || kind == QChar::Separator_Line || kind == QChar::Separator_Paragraph))
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString PrintableName(const modLoad::CarName& name)
{
    return Printable(modLoad::NameAsShown(name));
}

std::optional<QByteArray> ExactDecimal(float value)
{
    if (!std::isfinite(value) || (std::signbit(value) && value == 0.0f))
        return std::nullopt;
    char text[32];
    const auto written = std::to_chars(std::begin(text), std::end(text), value);
    // Readers parse a double and narrow it; make sure that lands on the same float.
    double read = 0;
    std::from_chars(text, written.ptr, read);
    if (std::bit_cast<std::uint32_t>(static_cast<float>(read)) != std::bit_cast<std::uint32_t>(value))
        return std::nullopt;
    return QByteArray(text, written.ptr - text);
}

QStringList ModelFaults(const modLoad::CarRecord& car)
{
    QStringList faults;
    if (modLoad::ClaimedPolys(car) > modLoad::MaxPolys)
        faults << QStringLiteral("PolyPointCount %1 claims %2 triangles, and a model holds %3")
                      .arg(car.PolyPointCount)
                      .arg(modLoad::ClaimedPolys(car))
                      .arg(modLoad::MaxPolys);
    if (car.VertexCount > modLoad::MaxVertices)
        faults << QStringLiteral("VertexCount is %1, and a model holds %2 vertices")
                      .arg(car.VertexCount)
                      .arg(modLoad::MaxVertices);
    int outside = 0;
    int first = -1;
    for (int p = 0; p < modLoad::UsedPolys(car); ++p) {
        if (!modLoad::PolyInModel(car.Polys[p])) {
            ++outside;
            if (first < 0)
                first = p;
        }
    }
    if (outside > 0) {
        const modLoad::Poly& poly = car.Polys[first];
        const int corner = std::max({poly.A, poly.B, poly.C});
        faults << QStringLiteral("%1 in use name%2 a vertex past %3 (triangle %4 names vertex %5)")
                      .arg(outside == 1 ? QStringLiteral("1 triangle") : QStringLiteral("%1 triangles").arg(outside))
                      .arg(outside == 1 ? QStringLiteral("s") : QString())
                      .arg(modLoad::MaxVertices - 1)
                      .arg(first)
                      .arg(corner);
    }
    return faults;
}

}  // namespace cli
