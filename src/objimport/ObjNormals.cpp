#include "modOBJ.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

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

// Stores normals in ObjNormals, each distinct one once, and finds an equal one
// through a hash in place of a search from entry 0 upwards, with the same
// answer: the first one stored wins, 0 equals -0, and a NaN equals nothing
// (so a normal with a NaN is stored anew each time).
class NormalStore {
public:
    explicit NormalStore(std::size_t most) : slots_(std::bit_ceil(std::max<std::size_t>(2 * most, 2)), Empty)
    {
        shift_ = 64 - std::countr_zero(slots_.size());
    }

    std::int32_t add(const ObjVertex& n)
    {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash(n);; i = (i + 1) & mask) {
            const std::int32_t index = slots_[i];
            if (index == Empty)
                return slots_[i] = store(n);
            const ObjVertex& s = ObjNormals[static_cast<std::size_t>(index)];
            if (s.X == n.X && s.Y == n.Y && s.Z == n.Z)
                return index;
        }
    }

private:
    static constexpr std::int32_t Empty = -1;

    std::int32_t store(const ObjVertex& n)
    {
        ObjNormals[stored_] = {n.X, n.Y, n.Z, 0};
        return static_cast<std::int32_t>(stored_++);
    }

    std::size_t hash(const ObjVertex& n) const
    {
        // Adding 0 turns -0 into 0, so equal normals hash alike.
        const auto bits = [](float f) { return std::uint64_t{std::bit_cast<std::uint32_t>(f + 0.0f)}; };
        std::uint64_t h = (bits(n.X) << 32 | bits(n.Y)) * 0x9E3779B97F4A7C15ULL;
        h = (h ^ bits(n.Z)) * 0xC2B2AE3D27D4EB4FULL;
        return static_cast<std::size_t>(h >> shift_);
    }

    std::vector<std::int32_t> slots_;
    int shift_;
    std::size_t stored_ = 0;
};

bool namesVertex(std::int32_t corner)
{
    return corner >= 0 && static_cast<std::size_t>(corner) < ObjVertices.size();
}

// A face whose corner names no vertex has no normal and counts for no vertex.
bool hasNormal(const ObjFace& f)
{
    return std::all_of(f.Corners.begin(), f.Corners.end(), namesVertex);
}

// Calls visit(vertex, face) for each vertex of each face with a normal, in
// face order; a face that names a vertex twice visits it once.
template <typename Visit>
void forEachCorner(Visit visit)
{
    for (std::size_t j = 0; j < ObjFaces.size(); ++j) {
        const auto& [a, b, c] = ObjFaces[j].Corners;
        if (!hasNormal(ObjFaces[j]))
            continue;
        visit(a, j);
        if (b != a)
            visit(b, j);
        if (c != a && c != b)
            visit(c, j);
    }
}

}  // namespace

void ComputeNormals()
{
    const std::size_t vertexCount = ObjVertices.size();
    ObjNormals.assign(ObjFaces.size() + vertexCount, ObjVertex{0.0f, 0.0f, 0.0f, 0});
    NormalStore normals(ObjNormals.size());

    for (ObjFace& f : ObjFaces) {
        f.NormalIndex = 0;
        if (!hasNormal(f))
            continue;
        const auto& [a, b, c] = f.Corners;
        const ObjVertex e1 = VecSubtract(ObjVertices[a], ObjVertices[b]);
        const ObjVertex e2 = VecSubtract(ObjVertices[b], ObjVertices[c]);
        ObjVertex n = VecCross(e1, e2);
        f.NormalIndex = normals.add(VecNormalize(n));
    }

    // The faces of each vertex, in face order, found once for all vertices.
    std::vector<std::size_t> start(vertexCount + 1, 0);
    forEachCorner([&](std::int32_t v, std::size_t) { ++start[static_cast<std::size_t>(v) + 1]; });
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<std::size_t> facesOf(start.back());
    std::vector<std::size_t> next(start.begin(), start.end() - 1);
    forEachCorner([&](std::int32_t v, std::size_t j) { facesOf[next[static_cast<std::size_t>(v)]++] = j; });

    for (std::size_t i = 0; i < vertexCount; ++i) {
        ObjVertex n{0.0f, 0.0f, 0.0f, 0};
        for (std::size_t k = start[i]; k < start[i + 1]; ++k) {
            const ObjVertex& faceNormal = ObjNormals[static_cast<std::size_t>(ObjFaces[facesOf[k]].NormalIndex)];
            n = {n.X + faceNormal.X, n.Y + faceNormal.Y, n.Z + faceNormal.Z, 0};
        }
        if (const std::size_t k = start[i + 1] - start[i]; k > 0) {
            VecDivide(n, static_cast<double>(k));
            VecNormalize(n);
        }
        ObjVertices[i].NormalIndex = normals.add(n);
    }
}

}  // namespace modOBJ
