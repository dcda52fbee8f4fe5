#include "LibraryDiff.h"

#include "CarText.h"
#include "NumberText.h"

#include <bit>
#include <cstring>

namespace cli {

using modLoad::CarRecord;

namespace {

template <typename T>
bool same(const T& x, const T& y)
{
    return std::memcmp(&x, &y, sizeof(T)) == 0;
}

QString quotedName(const CarRecord& car)
{
    return u'"' + PrintableName(car.Name) + u'"';
}

QString headText(std::uint8_t value)
{
    if (value == 0)
        return QStringLiteral("shown");
    return value == 1 ? QStringLiteral("hidden") : QStringLiteral("hidden (HeadHidden %1)").arg(value);
}

QString parameterChange(float from, float to)
{
    const QString a = numbertext::SingleToText(from);
    const QString b = numbertext::SingleToText(to);
    if (a != b)
        return a + QStringLiteral(" -> ") + b;
    // Seven digits hide the change: show the bits.
    const auto bits = [](float v) { return QString::number(std::bit_cast<std::uint32_t>(v), 16).rightJustified(8, u'0'); };
    return QStringLiteral("%1 -> %2 (bits %3 -> %4)").arg(a, b, bits(from), bits(to));
}

QStringList carChanges(const CarRecord& a, const CarRecord& b)
{
    QStringList lines;
    if (!same(a.Name, b.Name)) {
        lines << (PrintableName(a.Name) != PrintableName(b.Name)
                      ? QStringLiteral("name: %1 -> %2").arg(quotedName(a), quotedName(b))
                      : QStringLiteral("name: the bytes after the shown name changed"));
    }
    for (int i = 0; i < modLoad::ParameterCount; ++i)
        if (!same(a.Parameters[i], b.Parameters[i]))
            lines << modLoad::ParameterNames[i] + QStringLiteral(": ") + parameterChange(a.Parameters[i], b.Parameters[i]);
    if (a.VertexCount != b.VertexCount)
        lines << QStringLiteral("vertices: %1 -> %2").arg(a.VertexCount).arg(b.VertexCount);
    if (modLoad::ClaimedPolys(a) != modLoad::ClaimedPolys(b))
        lines << QStringLiteral("triangles: %1 -> %2").arg(modLoad::ClaimedPolys(a)).arg(modLoad::ClaimedPolys(b));
    else if (a.PolyPointCount != b.PolyPointCount)
        lines << QStringLiteral("PolyPointCount: %1 -> %2").arg(a.PolyPointCount).arg(b.PolyPointCount);
    if (a.HeadHidden != b.HeadHidden)
        lines << QStringLiteral("head: %1 -> %2").arg(headText(a.HeadHidden), headText(b.HeadHidden));

    QStringList model;
    if (!same(a.Vertices, b.Vertices))
        model << QStringLiteral("vertex positions");
    if (!same(a.Normals, b.Normals))
        model << QStringLiteral("normals");
    if (!same(a.Polys, b.Polys))
        model << QStringLiteral("triangle corners");
    if (!same(a.PolyColour, b.PolyColour))
        model << QStringLiteral("triangle colours");
    if (!same(a.SpherePos, b.SpherePos))
        model << QStringLiteral("wheel and head positions");
    if (!model.isEmpty())
        lines << QStringLiteral("model changed: ") + model.join(QStringLiteral(", "));

    QStringList unknown;
    const auto check = [&unknown](bool equal, const char* field) {
        if (!equal)
            unknown << QLatin1String(field);
    };
    check(same(a.Text3, b.Text3), "Text3");
    check(same(a.ExtraVector, b.ExtraVector), "ExtraVector");
    check(a.ExtraByte1 == b.ExtraByte1, "ExtraByte1");
    check(a.ExtraByte2 == b.ExtraByte2, "ExtraByte2");
    check(same(a.ExtraPolys, b.ExtraPolys), "ExtraPolys");
    check(a.ExtraByte3 == b.ExtraByte3, "ExtraByte3");
    check(same(a.ExtraVectors, b.ExtraVectors), "ExtraVectors");
    if (!unknown.isEmpty())
        lines << QStringLiteral("fields of unknown use changed: ") + unknown.join(QStringLiteral(", "));
    return lines;
}

QString carTitle(std::size_t positionA, std::size_t positionB, const CarRecord& car)
{
    if (positionA == positionB)
        return QStringLiteral("Car %1, %2").arg(QString::number(positionA), quotedName(car));
    return QStringLiteral("Car %1 (%2 in the second library), %3")
        .arg(QString::number(positionA), QString::number(positionB), quotedName(car));
}

}  // namespace

QStringList DiffLines(const modLoad::CarTable& a, const modLoad::CarTable& b, const QString& nameA,
                      const QString& nameB)
{
    modLoad::FillParameterNames();
    QStringList lines;
    if (a.size() != b.size())
        lines << QStringLiteral("\"%1\" has %2, \"%3\" has %4.")
                     .arg(nameA, a.size() == 1 ? QStringLiteral("1 car") : QStringLiteral("%1 cars").arg(a.size()), nameB,
                          QString::number(b.size()));

    const auto sameName = [&](std::size_t i, std::size_t j) {
        return modLoad::NameAsShown(a[i].Name) == modLoad::NameAsShown(b[j].Name);
    };
    const std::size_t shorter = std::min(a.size(), b.size());
    std::size_t front = 0;
    while (front < shorter && sameName(front, front))
        ++front;
    std::size_t back = 0;
    while (back < shorter - front && sameName(a.size() - 1 - back, b.size() - 1 - back))
        ++back;

    const std::size_t middleA = a.size() - back;
    const std::size_t middleB = b.size() - back;
    const auto pair = [&](std::size_t i, std::size_t j) {
        const QStringList changes = carChanges(a[i], b[j]);
        if (changes.isEmpty())
            return;
        lines << carTitle(i, j, a[i]) + u':';
        for (const QString& change : changes)
            lines << QStringLiteral("  ") + change;
    };
    for (std::size_t i = 0; i < middleA && i < middleB; ++i)
        pair(i, i);
    for (std::size_t i = middleB; i < middleA; ++i)
        lines << QStringLiteral("Car %1, %2: only in \"%3\"").arg(QString::number(i), quotedName(a[i]), nameA);
    for (std::size_t j = middleA; j < middleB; ++j)
        lines << QStringLiteral("Car %1, %2: only in \"%3\"").arg(QString::number(j), quotedName(b[j]), nameB);
    for (std::size_t k = 0; k < back; ++k)
        pair(middleA + k, middleB + k);
    return lines;
}

}  // namespace cli
