#include "Picking.h"

#include "ModelLimits.h"

#include <algorithm>
#include <cmath>

namespace editor {

int PickVertex(const modLoad::CarRecord& car, ViewAxes axes, float h, float v)
{
    int picked = -1;
    const int used = modLoad::UsedPolys(car);
    for (int p = 0; p < used; ++p) {
        const modLoad::Poly& poly = car.Polys[p];
        for (const int i : {poly.A, poly.B, poly.C}) {
            if (!modLoad::VertexInModel(i))
                continue;
            const double dh = static_cast<double>(h) - Coordinate(car.Vertices[i], axes.H);
            const double dv = static_cast<double>(v) - Coordinate(car.Vertices[i], axes.V);
            if (std::sqrt(dh * dh + dv * dv) < PickRadius)
                picked = i;
        }
    }
    return picked;
}

Pickable PickableVertices(const modLoad::CarRecord& car)
{
    Pickable pickable{};
    const int used = modLoad::UsedPolys(car);
    for (int p = 0; p < used; ++p)
        for (const int i : {car.Polys[p].A, car.Polys[p].B, car.Polys[p].C})
            if (modLoad::VertexInModel(i))
                pickable[static_cast<std::size_t>(i)] = true;
    return pickable;
}

int NextPickable(std::span<const bool> pickable, int from, int step)
{
    if (std::find(pickable.begin(), pickable.end(), true) == pickable.end())
        return -1;
    const int count = static_cast<int>(pickable.size());
    int i = from >= 0 && from < count ? from : step > 0 ? -1 : count;
    do
        i = (i + step + count) % count;
    while (!pickable[static_cast<std::size_t>(i)]);
    return i;
}

}  // namespace editor
