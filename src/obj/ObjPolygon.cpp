#include "ObjPolygon.h"

#include <cmath>
#include <utility>
#include <vector>

namespace modOBJ {

namespace {

using Position = std::array<double, 3>;

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

double distance(const Point& a, const Point& b)
{
    return std::hypot(b.u - a.u, b.v - a.v);
}

Position minus(const Position& a, const Position& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Position cross(const Position& a, const Position& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double length(const Position& a)
{
    return std::hypot(a[0], a[1], a[2]);
}

// Corners closer than this are one, and a corner this near the line through
// its neighbours lies on it: some steps of a float at the polygon's largest
// coordinate, so that rounding to floats decides nothing, far from the
// origin as near it.
double tolerance(const std::vector<Position>& p)
{
    double largest = 0.0;
    for (const Position& corner : p)
        for (const double c : corner)
            largest = std::max(largest, std::fabs(c));
    return std::ldexp(largest, -21);
}

// The corners left, in order, once those repeated in a row and those on the
// line through their neighbours are dropped, where the last meets the first too.
std::vector<std::size_t> keptCorners(const std::vector<Position>& p, double tol)
{
    const auto same = [&](std::size_t a, std::size_t b) { return length(minus(p[a], p[b])) <= tol; };
    // b between a and c adds no area: it lies on their line, or a and c meet and b is a spike's tip.
    const auto flat = [&](std::size_t a, std::size_t b, std::size_t c) {
        const Position ac = minus(p[c], p[a]);
        const double span = length(ac);
        return span <= tol || length(cross(ac, minus(p[b], p[a]))) <= tol * span;
    };
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < p.size(); ++i) {
        kept.push_back(i);
        for (bool dropped = true; dropped;) {
            const std::size_t m = kept.size();
            dropped = m >= 2 && same(kept[m - 2], kept[m - 1]);
            if (dropped)
                kept.pop_back();
            else if ((dropped = m >= 3 && flat(kept[m - 3], kept[m - 2], kept[m - 1])))
                kept.erase(kept.end() - 2);
        }
    }
    while (kept.size() >= 3) {
        const std::size_t m = kept.size();
        if (same(kept[m - 1], kept[0]) || flat(kept[m - 2], kept[m - 1], kept[0]))
            kept.pop_back();
        else if (flat(kept[m - 1], kept[0], kept[1]))
            kept.erase(kept.begin());
        else
            break;
    }
    return kept;
}

// The normal of the polygon's plane by Newell's sum, which holds for concave
// and slightly bent polygons alike; zero when its areas cancel.
Position planeNormal(const std::vector<Position>& p)
{
    Position normal{};
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Position& a = p[i];
        const Position& b = p[(i + 1) % p.size()];
        normal[0] += (a[1] - b[1]) * (a[2] + b[2]);
        normal[1] += (a[2] - b[2]) * (a[0] + b[0]);
        normal[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    return normal;
}

// Whether the edges a-b and c-d cross, each passing the other's line by more
// than the tolerance; edges that touch or run along each other do not.
bool crosses(const Point& a, const Point& b, const Point& c, const Point& d, double tol)
{
    const auto apart = [tol](double x, double y, double span) {
        return (x > tol * span && y < -tol * span) || (x < -tol * span && y > tol * span);
    };
    return apart(turn(a, b, c), turn(a, b, d), distance(a, b)) && apart(turn(c, d, a), turn(c, d, b), distance(c, d));
}

}  // namespace

SplitResult SplitPolygon(std::span<const std::int32_t> corners, ObjFace* out, std::size_t most)
{
    std::vector<Position> all(corners.size());
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const ObjVertex& v = ObjVertices[static_cast<std::size_t>(corners[i])];
        all[i] = {v.X, v.Y, v.Z};
    }
    const double tol = tolerance(all);
    const std::vector<std::size_t> kept = keptCorners(all, tol);
    const std::size_t n = kept.size();
    if (n < 3)
        return {PolygonFault::OnALine, 0};
    // Every split makes one triangle fewer than the corners left.
    if (n - 2 > most)
        return {PolygonFault::TooMany, n - 2};
    std::vector<Position> positions(n);
    for (std::size_t i = 0; i < n; ++i)
        positions[i] = all[kept[i]];
    const Position normal = planeNormal(positions);
    if (normal == Position{})
        return {PolygonFault::Crossing, 0};

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
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 2; j < n && !(i == 0 && j == n - 1); ++j)
            if (crosses(p[i], p[i + 1], p[j], p[(j + 1) % n], tol))
                return {PolygonFault::Crossing, 0};

    const auto triangle = [&](std::size_t a, std::size_t b, std::size_t c) {
        return ObjFace{0, {corners[kept[a]], corners[kept[b]], corners[kept[c]]}};
    };
    // A corner turns when its neighbours' line passes it by more than the tolerance.
    const auto turns = [&](std::size_t a, std::size_t b, std::size_t c) {
        return turn(p[a], p[b], p[c]) > tol * distance(p[a], p[c]);
    };
    bool convex = true;
    for (std::size_t i = 0; i < n && convex; ++i)
        convex = turns((i + n - 1) % n, i, (i + 1) % n);
    if (convex) {
        for (std::size_t k = 0; k + 2 < n; ++k)
            out[k] = triangle(0, k + 1, k + 2);
        return {PolygonFault::None, n - 2};
    }

    // Ear clipping: a corner that turns anticlockwise and whose triangle with
    // its neighbours holds no other corner is cut off, until three are left.
    std::vector<std::size_t> next(n), prev(n);
    for (std::size_t i = 0; i < n; ++i) {
        next[i] = (i + 1) % n;
        prev[i] = (i + n - 1) % n;
    }
    const auto isEar = [&](std::size_t a, std::size_t b, std::size_t c) {
        if (!turns(a, b, c))
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
        // No ear in a whole round: the polygon folds over itself.
        if (tried == left)
            return {PolygonFault::Crossing, 0};
        const std::size_t a = prev[b], c = next[b];
        if (isEar(a, b, c)) {
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
    if (!(turn(p[prev[b]], p[b], p[next[b]]) > 0))
        return {PolygonFault::Crossing, 0};
    out[k] = triangle(prev[b], b, next[b]);
    return {PolygonFault::None, k + 1};
}

}  // namespace modOBJ
