#include "ModelLimits.h"

#include "CarFile.h"

#include <algorithm>
#include <cmath>

namespace modLoad {

int LastPolyNumber(const CarRecord& car)
{
    // Halves cannot occur for a whole PolyPointCount; lrint rounds to nearest.
    return static_cast<int>(std::lrint(car.PolyPointCount / 3.0 - 1.0));
}

int ClaimedPolys(const CarRecord& car)
{
    return LastPolyNumber(car) + 1;
}

int UsedPolys(const CarRecord& car)
{
    return std::min(ClaimedPolys(car), MaxPolys);
}

QStringList ModelFaults(const CarRecord& car)
{
    QStringList faults;
    if (ClaimedPolys(car) > MaxPolys)
        faults << Text::tr("PolyPointCount %1 claims %2 triangles, and a model holds %3")
                      .arg(car.PolyPointCount)
                      .arg(ClaimedPolys(car))
                      .arg(MaxPolys);
    if (car.VertexCount > MaxVertices)
        faults << Text::tr("VertexCount is %1, and a model holds %2 vertices").arg(car.VertexCount).arg(MaxVertices);
    int outside = 0;
    int first = -1;
    for (int p = 0; p < UsedPolys(car); ++p) {
        if (!PolyInModel(car.Polys[p])) {
            ++outside;
            if (first < 0)
                first = p;
        }
    }
    if (outside > 0) {
        const Poly& poly = car.Polys[first];
        const int corner = std::max({poly.A, poly.B, poly.C});
        const QString text =
            outside == 1
                ? Text::tr("1 triangle in use names a vertex past %1 (triangle %2 names vertex %3)")
                : Text::tr("%1 triangles in use name a vertex past %2 (triangle %3 names vertex %4)").arg(outside);
        faults << text.arg(MaxVertices - 1).arg(first).arg(corner);
    }
    return faults;
}

}  // namespace modLoad
