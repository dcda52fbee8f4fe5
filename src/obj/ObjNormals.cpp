#include "modOBJ.h"

#include <algorithm>
#include <cmath>

namespace modOBJ {

ObjVertex VecSubtract(const ObjVertex& a, const ObjVertex& b)
{
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z, 0};
}

ObjVertex VecCross(const ObjVertex& a, const ObjVertex& b)
{
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X, 0};
}

ObjVertex VecNormalize(ObjVertex& v)
{
    const double length = std::sqrt(double{v.X} * v.X + double{v.Y} * v.Y + double{v.Z} * v.Z);
    if (length != 0.0)
        v = {static_cast<float>(v.X / length), static_cast<float>(v.Y / length), static_cast<float>(v.Z / length), 0};
    return v;
}

ObjVertex VecDivide(ObjVertex& v, double s)
{
    v = {static_cast<float>(v.X / s), static_cast<float>(v.Y / s), static_cast<float>(v.Z / s), 0};
    return v;
}

namespace {

bool namesVertex(std::int32_t corner)
{
    return corner >= 0 && static_cast<std::size_t>(corner) < ObjVertices.size();
}

// A face that names no vertex has no normal and counts for no vertex.
bool hasNormal(const ObjFace& f)
{
    return std::all_of(f.Corners.begin(), f.Corners.end(), namesVertex);
}

}  // namespace

void ComputeNormals()
{
    // Room for a normal of every face and every vertex, the most there can be.
    ObjNormals.assign(ObjFaces.size() + ObjVertices.size(), ObjVertex{0.0f, 0.0f, 0.0f, 0});
    std::size_t stored = 0;
    // The first stored normal equal to n, or n stored anew. A car's mesh has
    // at most 70, so a search from the first is all it takes. 0 equals -0,
    // and a NaN equals nothing.
    const auto store = [&](const ObjVertex& n) {
        std::size_t i = 0;
        while (i < stored && !(ObjNormals[i].X == n.X && ObjNormals[i].Y == n.Y && ObjNormals[i].Z == n.Z))
            ++i;
        if (i == stored)
            ObjNormals[stored++] = {n.X, n.Y, n.Z, 0};
        return static_cast<std::int32_t>(i);
    };

    for (ObjFace& f : ObjFaces) {
        f.NormalIndex = 0;
        if (!hasNormal(f))
            continue;
        const auto& [a, b, c] = f.Corners;
        ObjVertex n = VecCross(VecSubtract(ObjVertices[a], ObjVertices[b]), VecSubtract(ObjVertices[b], ObjVertices[c]));
        f.NormalIndex = store(VecNormalize(n));
    }

    // A vertex takes the mean direction of its faces, each counted once.
    for (std::size_t i = 0; i < ObjVertices.size(); ++i) {
        ObjVertex sum{0.0f, 0.0f, 0.0f, 0};
        std::uint32_t count = 0;
        for (const ObjFace& f : ObjFaces) {
            const auto corner = std::find(f.Corners.begin(), f.Corners.end(), static_cast<std::int32_t>(i));
            if (!hasNormal(f) || corner == f.Corners.end())
                continue;
            const ObjVertex& n = ObjNormals[static_cast<std::size_t>(f.NormalIndex)];
            sum = {sum.X + n.X, sum.Y + n.Y, sum.Z + n.Z, 0};
            ++count;
        }
        if (count > 0) {
            VecDivide(sum, count);
            VecNormalize(sum);
        }
        ObjVertices[i].NormalIndex = store(sum);
    }
}

}  // namespace modOBJ
