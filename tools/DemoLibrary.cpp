#include "DemoLibrary.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

namespace samples {

using modLoad::CarRecord;
using modLoad::Vector;

namespace {

constexpr int SurfaceCount = 14;
using Surfaces = std::array<float, SurfaceCount>;

// Oil, tarmac, tarmac 2, grass, mud, gravel, gravel 2, sand, sand 2, snow,
// ice, kerb, kerb 2, loose gravel: the order of the grip and slowdown values.
constexpr Surfaces RoadGrip{0.10f, 0.95f, 0.92f, 0.45f, 0.25f, 0.55f, 0.52f,
                            0.30f, 0.28f, 0.20f, 0.08f, 0.85f, 0.82f, 0.40f};
constexpr Surfaces RoughGrip{0.15f, 0.80f, 0.78f, 0.70f, 0.62f, 0.82f, 0.80f,
                             0.66f, 0.63f, 0.45f, 0.15f, 0.75f, 0.72f, 0.78f};
constexpr Surfaces SnowGrip{0.20f, 0.70f, 0.68f, 0.55f, 0.45f, 0.65f, 0.62f,
                            0.50f, 0.48f, 0.88f, 0.60f, 0.65f, 0.62f, 0.60f};
constexpr Surfaces RoadDrag{0.020f, 0.010f, 0.012f, 0.080f, 0.150f, 0.060f, 0.065f,
                            0.180f, 0.190f, 0.100f, 0.030f, 0.020f, 0.022f, 0.090f};
constexpr Surfaces RoughDrag{0.020f, 0.015f, 0.016f, 0.040f, 0.070f, 0.030f, 0.032f,
                             0.080f, 0.085f, 0.060f, 0.030f, 0.020f, 0.021f, 0.040f};
constexpr Surfaces SnowDrag{0.020f, 0.018f, 0.019f, 0.050f, 0.090f, 0.040f, 0.042f,
                            0.100f, 0.105f, 0.025f, 0.015f, 0.025f, 0.026f, 0.050f};

// Colour numbers: dark grey underside, window glass, grey wing.
constexpr std::uint8_t Underside = 168;
constexpr std::uint8_t Windscreen = 138;
constexpr std::uint8_t SideWindow = 137;
constexpr std::uint8_t Wing = 170;
constexpr float HeadRadius = 0.35f;

struct Body {
    float length, width, clearance, belt, roof;
    float nose;                 // how far the belt line starts behind the front bumper
    float roofFront, roofRear;  // the roof's extent along Y
    float roofWidth;
    float wing;  // height of a rear wing above the roof line; 0 for none
};

struct Design {
    const char* name;
    Body body;
    float frontWheel, rearWheel, wheelbase;
    std::array<float, 3> tyres;  // share of road, rough and snow tyres
    float air, downforce, power, topSpeed, sliding, mass, balance, ai;
    std::uint8_t paint, roofPaint;
};

constexpr std::array<Design, 6> Designs{{
    {"Comet GT", {4.2f, 1.8f, 0.15f, 0.70f, 1.15f, 0.55f, -0.45f, 0.85f, 1.3f, 0.25f},
     0.33f, 0.35f, 2.6f, {1.0f, 0.0f, 0.0f}, 0.32f, 1.40f, 420.0f, 285.0f, 0.15f, 1250.0f, 0.45f, 0.92f, 148, 150},
    {"Mudlark", {3.9f, 1.8f, 0.35f, 1.05f, 1.60f, 0.35f, -0.70f, 1.25f, 1.5f, 0.0f},
     0.42f, 0.42f, 2.4f, {0.2f, 0.8f, 0.0f}, 0.45f, 0.20f, 260.0f, 175.0f, 0.35f, 1650.0f, 0.50f, 0.78f, 157, 156},
    {"Bluebird", {4.5f, 1.75f, 0.20f, 0.80f, 1.35f, 0.45f, -0.60f, 1.05f, 1.35f, 0.0f},
     0.34f, 0.34f, 2.8f, {0.85f, 0.15f, 0.0f}, 0.36f, 0.40f, 180.0f, 205.0f, 0.20f, 1380.0f, 0.52f, 0.70f, 181, 180},
    {"Dune Hopper", {3.4f, 1.7f, 0.40f, 0.90f, 1.50f, 0.25f, -0.35f, 0.90f, 1.2f, 0.0f},
     0.44f, 0.45f, 2.2f, {0.0f, 1.0f, 0.0f}, 0.50f, 0.10f, 210.0f, 160.0f, 0.45f, 980.0f, 0.40f, 0.65f, 173, 172},
    {"Hauler 9", {4.8f, 1.95f, 0.25f, 1.20f, 2.10f, 0.30f, -1.55f, 2.10f, 1.7f, 0.0f},
     0.38f, 0.40f, 3.0f, {0.7f, 0.3f, 0.0f}, 0.60f, 0.05f, 190.0f, 150.0f, 0.25f, 2400.0f, 0.58f, 0.55f, 177, 176},
    {"Ice Runner", {4.0f, 1.8f, 0.30f, 0.85f, 1.40f, 0.40f, -0.55f, 1.00f, 1.4f, 0.20f},
     0.36f, 0.37f, 2.5f, {0.2f, 0.1f, 0.7f}, 0.40f, 0.60f, 300.0f, 220.0f, 0.30f, 1300.0f, 0.48f, 0.85f, 189, 188},
}};

// Three decimals read better in the parameter list than float noise.
float tidy(float v)
{
    return std::round(v * 1000.0f) / 1000.0f;
}

Vector minus(Vector a, Vector b)
{
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}

Vector cross(Vector a, Vector b)
{
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

float dot(Vector a, Vector b)
{
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

Vector unit(Vector v)
{
    const float length = std::sqrt(dot(v, v));
    return {v.X / length, v.Y / length, v.Z / length};
}

// Appends closed, outward-facing parts to a car's model and gives every vertex
// the mean of the normals of the triangles around it.
class ModelBuilder {
public:
    explicit ModelBuilder(CarRecord& car) : car_(car) {}

    int vertex(float x, float y, float z)
    {
        car_.Vertices[vertices_] = {x, y, z};
        sums_[vertices_] = {0.0f, 0.0f, 0.0f};
        return vertices_++;
    }

    // A flat quad split in two, turned to face away from its part's centre.
    // Each corner's normal gets the quad's normal once, however it is split.
    void quad(int a, int b, int c, int d, std::uint8_t colour, Vector centre)
    {
        const auto& v = car_.Vertices;
        Vector normal = unit(cross(minus(v[b], v[a]), minus(v[c], v[a])));
        if (dot(normal, minus(v[a], centre)) < 0.0f) {
            std::swap(b, d);
            normal = {-normal.X, -normal.Y, -normal.Z};
        }
        triangle(a, b, c, colour);
        triangle(a, c, d, colour);
        for (const int i : {a, b, c, d})
            sums_[i] = {sums_[i].X + normal.X, sums_[i].Y + normal.Y, sums_[i].Z + normal.Z};
    }

    void finish()
    {
        car_.VertexCount = static_cast<std::uint8_t>(vertices_);
        car_.PolyPointCount = static_cast<std::uint8_t>(3 * triangles_);
        for (int i = 0; i < vertices_; ++i)
            car_.Normals[i] = unit(sums_[i]);
    }

private:
    void triangle(int a, int b, int c, std::uint8_t colour)
    {
        car_.Polys[triangles_] = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
                                  static_cast<std::uint8_t>(c)};
        car_.PolyColour[triangles_] = colour;
        ++triangles_;
    }

    CarRecord& car_;
    std::array<Vector, modLoad::MaxVertices> sums_{};
    int vertices_ = 0;
    int triangles_ = 0;
};

// Four corners at one height, listed front left, front right, rear right, rear left.
std::array<int, 4> ring(ModelBuilder& model, float halfWidth, float front, float rear, float height)
{
    return {model.vertex(-halfWidth, front, -height), model.vertex(halfWidth, front, -height),
            model.vertex(halfWidth, rear, -height), model.vertex(-halfWidth, rear, -height)};
}

void addBody(ModelBuilder& model, const Design& d)
{
    const Body& b = d.body;
    const float half = b.length / 2.0f;
    // A point on the belt line inside both halves of the body, so every face
    // can be told which way is out.
    const Vector centre{0.0f, 0.0f, -b.belt};
    const auto floor = ring(model, b.width / 2.0f, -half, half, b.clearance);
    const auto belt = ring(model, b.width / 2.0f, -half + b.nose, half, b.belt);
    const auto roof = ring(model, b.roofWidth / 2.0f, b.roofFront, b.roofRear, b.roof);
    model.quad(floor[0], floor[1], floor[2], floor[3], Underside, centre);
    model.quad(roof[0], roof[1], roof[2], roof[3], d.roofPaint, centre);
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        model.quad(floor[i], floor[j], belt[j], belt[i], d.paint, centre);
        model.quad(belt[i], belt[j], roof[j], roof[i], i == 0 ? Windscreen : SideWindow, centre);
    }
}

// A flat wing on the tail, standing clear of the roof.
void addWing(ModelBuilder& model, const Design& d)
{
    const Body& b = d.body;
    const float half = b.length / 2.0f;
    const float top = b.roof + b.wing;
    const Vector centre{0.0f, half - 0.25f, -(top - 0.04f)};
    const auto lower = ring(model, b.width / 2.0f, half - 0.45f, half - 0.05f, top - 0.08f);
    const auto upper = ring(model, b.width / 2.0f, half - 0.45f, half - 0.05f, top);
    model.quad(lower[0], lower[1], lower[2], lower[3], Wing, centre);
    model.quad(upper[0], upper[1], upper[2], upper[3], Wing, centre);
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        model.quad(lower[i], lower[j], upper[j], upper[i], Wing, centre);
    }
}

CarRecord makeCar(const Design& d)
{
    CarRecord car{};
    car.Name = modLoad::StoredName(d.name);

    auto& p = car.Parameters;
    p[0] = p[1] = d.frontWheel;
    p[2] = p[3] = d.rearWheel;
    const auto [road, rough, snow] = d.tyres;
    for (int s = 0; s < SurfaceCount; ++s) {
        p[4 + s] = tidy(road * RoadGrip[s] + rough * RoughGrip[s] + snow * SnowGrip[s]);
        p[18 + s] = tidy(road * RoadDrag[s] + rough * RoughDrag[s] + snow * SnowDrag[s]);
    }
    const std::array<float, 8> single{d.air, d.downforce, d.power, d.topSpeed, d.sliding, d.mass, d.balance, d.ai};
    std::copy(single.begin(), single.end(), p.begin() + 32);

    ModelBuilder model(car);
    addBody(model, d);
    if (d.body.wing > 0.0f)
        addWing(model, d);
    model.finish();

    // Right front, left front, right rear, left rear; each wheel stands on the ground.
    const float side = d.body.width / 2.0f;
    const float axle = d.wheelbase / 2.0f;
    car.SpherePos[0] = {side, -axle, GroundZ - d.frontWheel};
    car.SpherePos[1] = {-side, -axle, GroundZ - d.frontWheel};
    car.SpherePos[2] = {side, axle, GroundZ - d.rearWheel};
    car.SpherePos[3] = {-side, axle, GroundZ - d.rearWheel};
    // The driver sits left of centre, head just under the roof.
    car.SpherePos[4] = {-d.body.width / 5.0f, (d.body.roofFront + d.body.roofRear) / 2.0f,
                        -(d.body.roof - HeadRadius - 0.03f)};
    return car;
}

}  // namespace

modLoad::CarTable DemoLibrary()
{
    modLoad::CarTable cars;
    for (const Design& d : Designs)
        cars.push_back(makeCar(d));
    return cars;
}

QByteArray WedgeObj()
{
    // A door-stop wedge: a triangular prism lying on the ground, thin end forward.
    static const float vertices[][3] = {
        {-0.8f, -1.5f, 0.0f}, {0.8f, -1.5f, 0.0f}, {0.8f, 1.5f, 0.0f},  {-0.8f, 1.5f, 0.0f},
        {-0.8f, 1.5f, -1.0f}, {0.8f, 1.5f, -1.0f},
    };
    static const int faces[][3] = {
        {1, 2, 3}, {1, 3, 4}, {1, 6, 2}, {1, 5, 6}, {4, 6, 5}, {4, 3, 6}, {2, 6, 3}, {1, 4, 5},
    };
    QByteArray text = "# Wedge for the OBJ import, made by makesamples\r\n";
    for (const auto& v : vertices)
        text += QStringLiteral("v %1 %2 %3\r\n").arg(v[0], 0, 'f', 2).arg(v[1], 0, 'f', 2).arg(v[2], 0, 'f', 2).toLatin1();
    text += "vt 0.00 0.00\r\nvn 0.00 0.00 -1.00\r\n";
    for (const auto& f : faces)
        text += QStringLiteral("f %1 %2 %3\r\n").arg(f[0]).arg(f[1]).arg(f[2]).toLatin1();
    return text;
}

}  // namespace samples
