#include "modOBJ.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

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

// A face that names no vertex has no normal and counts for no vertex.
bool hasNormal(const ObjFace& f)
{
    return std::all_of(f.Corners.begin(), f.Corners.end(), NamesVertex);
}

// The unit normal of the side from which the corners run anticlockwise;
// zero for a face without area. In double precision, where no product of
// float coordinates overflows or underflows, so that every face with area
// gets a direction.
ObjVertex faceNormal(const ObjFace& f)
{
    std::array<std::array<double, 3>, 3> p;
    for (std::size_t i = 0; i < 3; ++i) {
        const ObjVertex& v = ObjVertices[static_cast<std::size_t>(f.Corners[i])];
        p[i] = {v.X, v.Y, v.Z};
    }
    const std::array<double, 3> e1{p[0][0] - p[1][0], p[0][1] - p[1][1], p[0][2] - p[1][2]};
    const std::array<double, 3> e2{p[1][0] - p[2][0], p[1][1] - p[2][1], p[1][2] - p[2][2]};
    const double x = e1[1] * e2[2] - e1[2] * e2[1], y = e1[2] * e2[0] - e1[0] * e2[2], z = e1[0] * e2[1] - e1[1] * e2[0];
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0.0)
        return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), 0};
    return {static_cast<float>(x / length), static_cast<float>(y / length), static_cast<float>(z / length), 0};
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
        f.NormalIndex = store(faceNormal(f));
    }

    // A vertex takes the mean direction of its faces, each counted once. Where
    // they cancel, it takes its first face's with area; a vertex only faces
    // without area use takes the Z axis, so that no vertex a triangle uses is
    // left without a direction. A vertex that no face uses has none.
    const auto zero = [](const ObjVertex& n) { return n.X == 0.0f && n.Y == 0.0f && n.Z == 0.0f; };
    for (std::size_t i = 0; i < ObjVertices.size(); ++i) {
        ObjVertex sum{0.0f, 0.0f, 0.0f, 0};
        std::optional<ObjVertex> first;
        std::uint32_t count = 0;
        for (const ObjFace& f : ObjFaces) {
            const auto corner = std::find(f.Corners.begin(), f.Corners.end(), static_cast<std::int32_t>(i));
            if (!hasNormal(f) || corner == f.Corners.end())
                continue;
            const ObjVertex& n = ObjNormals[static_cast<std::size_t>(f.NormalIndex)];
            sum = {sum.X + n.X, sum.Y + n.Y, sum.Z + n.Z, 0};
            if (!first && !zero(n))
                first = n;
            ++count;
        }
        if (count > 0) {
            VecDivide(sum, count);
            VecNormalize(sum);
            if (zero(sum))
                sum = first.value_or(ObjVertex{0.0f, 0.0f, 1.0f, 0});
        }
        ObjVertices[i].NormalIndex = store(sum);
    }
}

}  // namespace modOBJ
