#include "ObjExport.h"

#include "CarText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace cli {

namespace {

// A decimal that reads back as the same float whether a reader parses a
// float or a double first; nine digits where the shortest one does not (-0).
QByteArray number(float value)
{
    if (const std::optional<QByteArray> decimal = ExactDecimal(value))
        return *decimal;
    char text[32];
    return QByteArray(text, std::to_chars(std::begin(text), std::end(text), value, std::chars_format::general, 9).ptr -
                                text);
}

bool finite(const modLoad::Vector& v)
{
    return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

QByteArray line(const char* kind, const modLoad::Vector& v)
{
    return kind + (' ' + number(v.X)) + ' ' + number(v.Y) + ' ' + number(v.Z) + '\n';
}

}  // namespace

ObjText ModelAsObj(const modLoad::CarRecord& car, const QString& title)
{
    const QStringList faults = ModelFaults(car);
    if (!faults.isEmpty())
        return {{}, QStringLiteral("the car lies outside the model: %1.").arg(faults.join(QStringLiteral("; ")))};

    const int polys = modLoad::UsedPolys(car);
    int vertices = car.VertexCount;
    for (int p = 0; p < polys; ++p)
        vertices = std::max({vertices, car.Polys[p].A + 1, car.Polys[p].B + 1, car.Polys[p].C + 1});
    if (vertices == 0)
        return {{}, QStringLiteral("the car has no model to export: no vertices and no triangles.")};
    for (int i = 0; i < vertices; ++i) {
        if (!finite(car.Vertices[i]) || !finite(car.Normals[i]))
            return {{},
                    QStringLiteral("vertex %1 or its normal has a coordinate that is not a finite number, "
                                   "which OBJ cannot hold.")
                        .arg(i)};
    }

    QByteArray text = "# " + title.toUtf8() + '\n';
    for (int i = 0; i < vertices; ++i)
        text += line("v", car.Vertices[i]);
    for (int i = 0; i < vertices; ++i)
        text += line("vn", car.Normals[i]);
    for (int p = 0; p < polys; ++p) {
        text += 'f';
        for (const int corner : {car.Polys[p].A + 1, car.Polys[p].B + 1, car.Polys[p].C + 1})
            text += ' ' + QByteArray::number(corner) + "//" + QByteArray::number(corner);
        text += '\n';
    }
    return {text, {}};
}

}  // namespace cli
