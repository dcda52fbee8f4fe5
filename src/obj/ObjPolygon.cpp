#include "ObjPolygon.h"

#include <cmath>
#include <utility>
#include <vector>

namespace modOBJ {

namespace {

using Normal = std::array<double, 3>;

// A corner seen in the polygon's plane.
struct Point {
    double u;
    double v;

    bool operator==(const Point&) const = default;
};

// Twice the signed area of the triangle a, b, c: positive when it runs anticlockwise.
double turn(const Point& a, const Point& b, const Point& c)
{
    return (b.u - a.u) * (c.v - a.v) - (b.v - a.v) * (c.u - a.u);
}

std::array<double, 3> position(const ObjVertex& p)
{
    return {p.X, p.Y, p.Z};
}

Normal cross(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// The normal of the polygon's plane by Newell's sum, which holds for concave
// and slightly bent polygons alike. Where that sum is zero (a figure of
// eight), the normal of the first two corners that span a plane with the
// first; zero when the corners all lie on one line.
Normal planeNormal(const std::vector<std::array<double, 3>>& p)
{
    const std::size_t n = p.size();
    Normal normal{};
    for (std::size_t i = 0; i < n; ++i) {
        const auto& a = p[i];
        const auto& b = p[(i + 1) % n];
        normal[0] += (a[1] - b[1]) * (a[2] + b[2]);
        normal[1] += (a[2] - b[2]) * (a[0] + b[0]);
        normal[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    const auto from0 = [&](std::size_t i) {
        return std::array{p[i][0] - p[0][0], p[i][1] - p[0][1], p[i][2] - p[0][2]};
    };
    std::size_t first = 1;
    while (normal == Normal{} && first < n && from0(first) == std::array<double, 3>{})
        ++first;
    for (std::size_t i = first + 1; normal == Normal{} && i < n; ++i)
        normal = cross(from0(first), from0(i));
    return normal;
}

}  // namespace

bool SplitPolygon(std::span<const std::int32_t> corners, ObjFace* out)
{
    const std::size_t n = corners.size();
    std::vector<std::array<double, 3>> positions(n);
    for (std::size_t i = 0; i < n; ++i)
        positions[i] = position(ObjVertices[static_cast<std::size_t>(corners[i])]);
    const Normal normal = planeNormal(positions);
    if (normal == Normal{})
        return false;

    // Seen along the normal's largest component, the other two as u and v,
    // in the order that makes the polygon run anticlockwise.
    const double x = std::fabs(normal[0]), y = std::fabs(normal[1]), z = std::fabs(normal[2]);
    const int along = z >= x && z >= y ? 2 : x >= y ? 0 : 1;
    int u = (along + 1) % 3, v = (along + 2) % 3;
    if (normal[static_cast<std::size_t>(along)] < 0)
        std::swap(u, v);
    std::vector<Point> p(n);
    for (std::size_t i = 0; i < n; ++i)
        p[i] = {positions[i][static_cast<std::size_t>(u)], positions[i][static_cast<std::size_t>(v)]};

    const auto triangle = [&](std::size_t a, std::size_t b, std::size_t c) {
        return ObjFace{0, {corners[a], corners[b], corners[c]}};
    };
    bool convex = true;
    for (std::size_t i = 0; i < n && convex; ++i)
        convex = turn(p[(i + n - 1) % n], p[i], p[(i + 1) % n]) >= 0;
    if (convex) {
        for (std::size_t k = 0; k + 2 < n; ++k)
            out[k] = triangle(0, k + 1, k + 2);
        return true;
    }

    // Ear clipping: a corner whose triangle with its neighbours turns
    // anticlockwise and holds no other corner is cut off, until three are left.
    std::vector<std::size_t> next(n), prev(n);
    for (std::size_t i = 0; i < n; ++i) {
        next[i] = (i + 1) % n;
        prev[i] = (i + n - 1) % n;
    }
    const auto isEar = [&](std::size_t a, std::size_t b, std::size_t c) {
        if (turn(p[a], p[b], p[c]) <= 0)
            return false;
        for (std::size_t i = next[c]; i != a; i = next[i]) {
            // A corner where the polygon touches itself does not block.
            if (p[i] == p[a] || p[i] == p[b] || p[i] == p[c])
                continue;
            if (turn(p[a], p[b], p[i]) >= 0 && turn(p[b], p[c], p[i]) >= 0 && turn(p[c], p[a], p[i]) >= 0)
                return false;
        }
        return true;
    };
    std::size_t b = 0, left = n, tried = 0, k = 0;
    while (left > 3) {
        const std::size_t a = prev[b], c = next[b];
        // A polygon that crosses itself may have no ear left: then the corner is cut off anyway.
        if (tried == left || isEar(a, b, c)) {
            out[k++] = triangle(a, b, c);
            next[a] = c;
            prev[c] = a;
            --left;
            tried = 0;
        } else {
            ++tried;
        }
        b = c;
    }
    out[k] = triangle(prev[b], b, next[b]);
    return true;
}

}  // namespace modOBJ
