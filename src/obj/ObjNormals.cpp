#include "modOBJ.h"

#include <algorithm>
#include <bit>
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

// Stores normals in ObjNormals, each distinct one once, and finds an equal one
// through a hash in place of a search from entry 0 upwards, with the same
// answer: the first one stored wins, 0 equals -0, and a NaN equals nothing
// (so a normal with a NaN is stored anew each time).
class NormalStore {
public:
    explicit NormalStore(std::size_t most)
        : slots_(std::bit_ceil(std::max<std::size_t>(most + most / 2, 2)), Slot{Empty, 0}),
          shift_(64 - std::countr_zero(slots_.size()))
    {
    }

    // Starts bringing the place of a normal that is soon added into the cache.
    void prefetch(const ObjVertex& n) const { __builtin_prefetch(&slots_[hash(n) >> shift_]); }

    std::int32_t add(const ObjVertex& n)
    {
        const std::uint64_t h = hash(n);
        const auto tag = static_cast<std::uint32_t>(h >> 16);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = h >> shift_;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.index == Empty) {
                slot = {store(n), tag};
                return slot.index;
            }
            if (slot.tag == tag) {
                const ObjVertex& s = ObjNormals[static_cast<std::size_t>(slot.index)];
                if (s.X == n.X && s.Y == n.Y && s.Z == n.Z)
                    return slot.index;
            }
        }
    }

private:
    static constexpr std::int32_t Empty = -1;

    // A tag of the hash spares most reads of ObjNormals for normals that differ.
    struct Slot {
        std::int32_t index;
        std::uint32_t tag;
    };

    std::int32_t store(const ObjVertex& n)
    {
        ObjNormals[stored_] = {n.X, n.Y, n.Z, 0};
        return static_cast<std::int32_t>(stored_++);
    }

    static std::uint64_t hash(const ObjVertex& n)
    {
        // Adding 0 turns -0 into 0, so equal normals hash alike.
        const auto bits = [](float f) { return std::uint64_t{std::bit_cast<std::uint32_t>(f + 0.0f)}; };
        const std::uint64_t h = (bits(n.X) << 32 | bits(n.Y)) * 0x9E3779B97F4A7C15ULL;
        return (h ^ bits(n.Z)) * 0xC2B2AE3D27D4EB4FULL;
    }

    std::vector<Slot> slots_;
    const int shift_;
    std::size_t stored_ = 0;
};

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
    const std::size_t vertexCount = ObjVertices.size();
    ObjNormals.assign(ObjFaces.size() + vertexCount, ObjVertex{0.0f, 0.0f, 0.0f, 0});
    NormalStore normals(ObjNormals.size());

    // Each vertex sums the normals of its faces as the faces come, so in face
    // order, without a look at every face for every vertex.
    std::vector<ObjVertex> sums(vertexCount, ObjVertex{0.0f, 0.0f, 0.0f, 0});
    std::vector<std::uint32_t> counts(vertexCount, 0);
    const auto count = [&](std::int32_t corner, const ObjVertex& n) {
        ObjVertex& s = sums[static_cast<std::size_t>(corner)];
        s = {s.X + n.X, s.Y + n.Y, s.Z + n.Z, 0};
        ++counts[static_cast<std::size_t>(corner)];
    };

    // The face normals first, so that the store can fetch their places a few faces ahead.
    std::vector<ObjVertex> faceNormals(ObjFaces.size(), ObjVertex{0.0f, 0.0f, 0.0f, 0});
    for (std::size_t j = 0; j < ObjFaces.size(); ++j) {
        if (hasNormal(ObjFaces[j])) {
            const auto& [a, b, c] = ObjFaces[j].Corners;
            const ObjVertex e1 = VecSubtract(ObjVertices[a], ObjVertices[b]);
            const ObjVertex e2 = VecSubtract(ObjVertices[b], ObjVertices[c]);
            faceNormals[j] = VecCross(e1, e2);
            VecNormalize(faceNormals[j]);
        }
    }

    constexpr std::size_t ahead = 16;
    for (std::size_t j = 0; j < ObjFaces.size(); ++j) {
        if (j + ahead < faceNormals.size())
            normals.prefetch(faceNormals[j + ahead]);
        ObjFace& f = ObjFaces[j];
        f.NormalIndex = 0;
        if (!hasNormal(f))
            continue;
        const auto& [a, b, c] = f.Corners;
        const ObjVertex& n = faceNormals[j];
        f.NormalIndex = normals.add(n);
        // The stored normal may differ from n in the sign of a zero, but a sum
        // that starts at +0 comes out the same.
        count(a, n);
        if (b != a)
            count(b, n);
        if (c != a && c != b)
            count(c, n);
    }

    for (std::size_t i = 0; i < vertexCount; ++i) {
        ObjVertex n{0.0f, 0.0f, 0.0f, 0};
        if (counts[i] > 0) {
            n = sums[i];
            VecDivide(n, counts[i]);
            VecNormalize(n);
        }
        ObjVertices[i].NormalIndex = normals.add(n);
    }
}

}  // namespace modOBJ
