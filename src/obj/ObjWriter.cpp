#include "modLoad.h"
#include "modOBJ.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace modOBJ {

namespace {

using modLoad::CarRecord;
using modLoad::FileFault;
using modLoad::FileResult;

// A decimal that reads back as the same float whether a reader parses a
// float or a double first; nine digits where the shortest one does not (-0).
QByteArray number(float value)
{
    if (const std::optional<QByteArray> decimal = modLoad::ExactDecimal(value))
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

// The text as one comment line. Control characters and line separators,
// which would end the comment and have the rest read as OBJ, are written as
// \xNN or \uNNNN.
QByteArray comment(const QString& text)
{
    QString shown;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code < 0x20 || (code >= 0x7f && code < 0xa0))
            shown += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
        else if (code == 0x2028 || code == 0x2029)
            shown += QStringLiteral("\\u%1").arg(code, 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return "# " + shown.toUtf8() + '\n';
}

}  // namespace

QString ModelText(const CarRecord& car, const QString& title, QByteArray& text)
{
    const QStringList faults = modLoad::ModelFaults(car);
    if (!faults.isEmpty())
        return Text::tr("the car lies outside the model: %1.").arg(faults.join(QStringLiteral("; ")));

    const int polys = modLoad::UsedPolys(car);
    int vertices = car.VertexCount;
    for (int p = 0; p < polys; ++p)
        vertices = std::max({vertices, car.Polys[p].A + 1, car.Polys[p].B + 1, car.Polys[p].C + 1});
    if (vertices == 0)
        return Text::tr("the car has no model to export: no vertices and no triangles.");
    for (int i = 0; i < vertices; ++i) {
        if (!finite(car.Vertices[i]) || !finite(car.Normals[i]))
            return Text::tr("vertex %1 or its normal has a coordinate that is not a finite number, "
                            "which OBJ cannot hold.")
                .arg(i);
    }

    text = comment(title);
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
    return {};
}

FileResult ExportOBJ(const QString& fileName, const CarRecord& car, const QString& title)
{
    QByteArray text;
    const QString fault = ModelText(car, title, text);
    if (!fault.isEmpty())
        return FileFault(Text::tr("Cannot export the model to \"%1\": %2"), fileName, fault);
    return modLoad::SaveFile(fileName, text);
}

}  // namespace modOBJ
