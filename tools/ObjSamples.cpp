#include "ObjSamples.h"

#include "DemoLibrary.h"
#include "modOBJ.h"

#include <QString>

#include <array>
#include <vector>

namespace samples {

using modOBJ::ObjVertex;

QByteArray WedgeObjLF()
{
    return WedgeObj().replace("\r\n", "\n");
}

namespace {

// A flat floor, a deck with a sloping nose, in the axes of the demo cars.
constexpr std::array<ObjVertex, 8> KartVertices{{
    {-0.7f, -1.5f, -0.15f, 0}, {0.7f, -1.5f, -0.15f, 0}, {0.7f, 1.4f, -0.15f, 0}, {-0.7f, 1.4f, -0.15f, 0},
    {-0.6f, -0.5f, -0.6f, 0}, {0.6f, -0.5f, -0.6f, 0}, {0.6f, 1.4f, -0.6f, 0}, {-0.6f, 1.4f, -0.6f, 0},
}};
// Floor, deck, nose, tail, right and left side, corners counted from 0.
constexpr std::array<std::array<int, 4>, 6> KartQuads{{
    {0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4}, {3, 2, 6, 7}, {1, 2, 6, 5}, {0, 3, 7, 4},
}};

QByteArray number(float v, int decimals)
{
    return QByteArray::number(v, 'f', decimals);
}

}  // namespace

QByteArray KartObj()
{
    QByteArray text = "# Kart for the OBJ import, made by makesamples\n"
                      "# Written the way 3D programs export a model.\n"
                      "o Kart\n";
    ObjVertex centre{0, 0, 0, 0};
    for (const ObjVertex& v : KartVertices) {
        text += "v  " + number(v.X, 6) + ' ' + number(v.Y, 6) + ' ' + number(v.Z, 6) + '\n';
        centre = {centre.X + v.X / 8, centre.Y + v.Y / 8, centre.Z + v.Z / 8, 0};
    }
    for (const ObjVertex& v : KartVertices)
        text += "vt " + number((v.X + 0.7f) / 1.4f, 4) + ' ' + number((v.Y + 1.5f) / 2.9f, 4) + '\n';

    // Each side is split in two triangles whose corners run counter-clockwise seen from outside.
    std::vector<std::array<int, 3>> faces;
    for (std::array<int, 4> q : KartQuads) {
        const auto& p = KartVertices;
        ObjVertex n = modOBJ::VecCross(modOBJ::VecSubtract(p[q[1]], p[q[0]]), modOBJ::VecSubtract(p[q[2]], p[q[0]]));
        const ObjVertex out = modOBJ::VecSubtract(p[q[0]], centre);
        if (n.X * out.X + n.Y * out.Y + n.Z * out.Z < 0) {
            std::swap(q[1], q[3]);
            n = {-n.X, -n.Y, -n.Z, 0};
        }
        modOBJ::VecNormalize(n);
        text += "vn " + number(n.X, 4) + ' ' + number(n.Y, 4) + ' ' + number(n.Z, 4) + '\n';
        faces.push_back({q[0], q[1], q[2]});
        faces.push_back({q[0], q[2], q[3]});
    }

    text += "g body\nusemtl paint\ns off\n";
    for (std::size_t j = 0; j < faces.size(); ++j) {
        text += 'f';
        for (const int corner : faces[j]) {
            const QByteArray v = QByteArray::number(corner + 1);
            text += ' ' + v + '/' + v + '/' + QByteArray::number(j / 2 + 1);
        }
        text += '\n';
    }
    return text;
}

}  // namespace samples
