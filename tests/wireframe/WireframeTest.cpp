#include "Handles.h"
#include "PreviewPick.h"

#include <QList>

#include <gtest/gtest.h>

#include <tuple>

namespace {

using editor::Handle;
using modLoad::CarRecord;
using modLoad::Vector;

std::tuple<float, float, float> At(const Vector& v) { return {v.X, v.Y, v.Z}; }

// Triangle 0 at the given corners, vertices 0 to 2.
CarRecord OneTriangle(Vector a, Vector b, Vector c)
{
    CarRecord car{};
    car.PolyPointCount = 3, car.Polys[0] = {0, 1, 2};
    car.Vertices[0] = a, car.Vertices[1] = b, car.Vertices[2] = c;
    car.SpherePos.fill({9, 9, 9});
    return car;
}

// In a flat view a centre is picked only with the spheres shown and, for the head, while it shows; of a vertex
// and a centre under the pointer the nearer wins, a tie going to the vertex.
TEST(Handles, TheNearerOfAVertexAndAShownCentreIsPickedATieGoingToTheVertex)
{
    CarRecord car = OneTriangle({0.25f, 0, 7}, {5, 5, 0}, {5, 5, 0});
    car.SpherePos[1] = {0.5f, 0, -3}, car.SpherePos[4] = {0, 0.125f, 0}, car.HeadHidden = 1;
    const auto pick = [&](float h, bool spheres) { return editor::PickHandle(car, editor::XYAxes, h, 0, spheres); };
    EXPECT_EQ(pick(0.5f, false), (Handle{0, -1}));
    EXPECT_EQ(pick(0.5f, true), (Handle{-1, 1}));
    EXPECT_EQ(pick(0.375f, true), (Handle{0, -1}));  // as near to both
    EXPECT_EQ(pick(0.75f, true), (Handle{-1, 1}));
    EXPECT_EQ(pick(0.8125f, true), Handle{});
    EXPECT_EQ(pick(-0.125f, true), Handle{});  // the head hidden
    car.HeadHidden = 0;
    EXPECT_EQ(pick(-0.125f, true), (Handle{-1, 4}));
    // Page Down goes round the vertices in use, then the shown centres.
    Handle at;
    QList<Handle> round;
    for (int i = 0; i < 9; ++i) round << (at = editor::NextHandle(car, at, 1, true));
    EXPECT_EQ(round, (QList<Handle>{{0, -1}, {1, -1}, {2, -1}, {-1, 0}, {-1, 1}, {-1, 2}, {-1, 3}, {-1, 4}, {0, -1}}));
    EXPECT_EQ(std::make_pair(editor::NextHandle(car, {0, -1}, -1, true), editor::NextHandle(car, {2, -1}, 1, false)),
              std::make_pair(Handle{-1, 4}, Handle{0, -1}));
}

// A vertex's partner is a vertex the pointer can pick at its mirror image across X = 0, each coordinate
// within 0.001; none for a vertex on the plane. Wheels pair by axle; the head has none. Moving one moves
// the partner to the mirror image, in the view's two coordinates only.
TEST(Handles, MirrorPartnersAreFoundAtThePressAndMovedToTheMirrorImage)
{
    CarRecord car = OneTriangle({0.5f, 0.2f, 0.3f}, {-0.5f, 0.2005f, 0.2995f}, {0.0009f, 1, 1});
    car.Vertices[3] = {-0.5f, 0.2f, 0.3f};  // in no triangle
    car.Polys[1] = {2, 2, 4}, car.PolyPointCount = 6, car.Vertices[4] = {-0.0009f, 1, 1};
    const auto partner = [&](Handle h) { return editor::MirrorHandle(car, h); };
    EXPECT_EQ(partner({0, -1}), (Handle{1, -1}));
    EXPECT_EQ(partner({1, -1}), (Handle{0, -1}));
    EXPECT_EQ(partner({2, -1}), Handle{});
    car.Vertices[1].Y = 0.2012f;  // and vertex 3, at the image, is in no triangle
    EXPECT_EQ(partner({0, -1}), Handle{});
    EXPECT_EQ(std::make_tuple(partner({-1, 0}), partner({-1, 3}), partner({-1, 4})),
              std::make_tuple(Handle{-1, 1}, Handle{-1, 2}, Handle{}));

    car.Vertices[1].Y = 0.2f;
    editor::MoveHandle(car, {0, -1}, {1, -1}, editor::XZAxes, 0.8f, -0.6f);
    EXPECT_EQ(std::make_pair(At(car.Vertices[0]), At(car.Vertices[1])),
              std::make_pair(std::make_tuple(0.8f, 0.2f, -0.6f), std::make_tuple(-0.8f, 0.2f, -0.6f)));
    editor::NudgeHandle(car, {-1, 2}, {-1, 3}, editor::YZAxes, {0.5, -1});
    EXPECT_EQ(std::make_pair(At(car.SpherePos[2]), At(car.SpherePos[3])),
              std::make_pair(std::make_tuple(9.0f, 9.5f, 8.0f), std::make_tuple(9.0f, 9.5f, 8.0f)));
}

// The preview's pixel maps to the frontmost triangle under it, as the preview draws it: in a 400 x 300
// preview a point 1 unit right of the middle, at the model's depth, shows at x = 260.4.
TEST(PreviewPick, TheFrontmostTriangleUnderThePointerIsPicked)
{
    CarRecord car = OneTriangle({0.9f, -0.1f, 0}, {1.1f, -0.1f, 0}, {1, 0.1f, 0});
    car.Polys[1] = {3, 4, 5}, car.PolyPointCount = 6;  // nearer to the eye, across the middle
    car.Vertices[3] = {-1, -1, 1}, car.Vertices[4] = {1, -1, 1}, car.Vertices[5] = {0, 1, 1};
    const auto pick = [&](float rotY, QPointF at) { return editor::PickTriangle(car, {0, rotY, {400, 300}}, at); };
    EXPECT_EQ(std::make_tuple(pick(0, {259.5, 150}), pick(0, {252, 150}), pick(0, {200, 150}), pick(0, {5, 5})),
              std::make_tuple(0, -1, 1, -1));
    // Turned half round, the far one is in front.
    car.Vertices[0] = {-1, -1, 0}, car.Vertices[1] = {1, -1, 0}, car.Vertices[2] = {0, 1, 0};
    EXPECT_EQ(std::make_pair(pick(0, {200, 150}), pick(180, {200, 150})), std::make_pair(1, 0));
    // A corner behind the eye, or a triangle past those in use, is not picked.
    car.Vertices[3].Z = 7;
    EXPECT_EQ(pick(0, {200, 150}), 0);
    car.PolyPointCount = 3, car.Vertices[3].Z = 1;
    EXPECT_EQ(pick(0, {200, 150}), 0);
}

}  // namespace
