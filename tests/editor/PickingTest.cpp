#include "EditorFixture.h"

#include "WireView.h"

namespace {

// Views of 300 x 200 pixels (the right-hand column is one wider). The events go
// through the editor's window, as the window system delivers them: to the view
// under the pointer, or to the view a button went down on.
class PickingTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        Open({683, 400});
    }
    void Move(WireView* on, QPoint at) { QTest::mouseMove(view.windowHandle(), on->mapTo(&view, at)); }
    void Press(WireView* on, Qt::MouseButton button, QPoint at)
    {
        QTest::mousePress(view.windowHandle(), button, {}, on->mapTo(&view, at));
    }
    void Release(WireView* on, Qt::MouseButton button, QPoint at)
    {
        QTest::mouseRelease(view.windowHandle(), button, {}, on->mapTo(&view, at));
    }
    modLoad::Vector& Vertex(int i) const { return Car().Vertices[i]; }
};

TEST_F(PickingTest, HoveringPicksTheLastCornerWithinTheRadiusNotTheNearest)
{
    // The pointer at (175, 90) of the XY view is the model point (0.5, -0.2).
    Vertex(0) = {0.6f, -0.1f, 3};  // 0.14 away
    Vertex(1) = {0.5f, 0.15f, 0};  // 0.35 away: too far
    Vertex(2) = {0.3f, -0.2f, 0};  // 0.2 away
    auto* xy = Control<WireView>("picXY");
    ASSERT_EQ(xy->size(), QSize(300, 200));
    Move(xy, {175, 90});
    EXPECT_EQ(view.SelectedVertex, -1) << "no triangle in use";
    SetTriangle(Car(), 0, {0, 1, 2});
    Move(xy, {175, 91});
    EXPECT_EQ(view.SelectedVertex, 2);
    // A later triangle decides; corners past the vertex table are skipped.
    SetTriangle(Car(), 1, {2, 0, 1});
    SetTriangle(Car(), 2, {200, 31, 255});
    Car().PolyPointCount = 255;
    Move(xy, {176, 90});
    EXPECT_EQ(view.SelectedVertex, 0);
    Move(xy, {10, 10});
    EXPECT_EQ(view.SelectedVertex, -1);
}

TEST_F(PickingTest, ALeftDragMovesTheViewsTwoCoordinatesAlsoOutsideItAndAfterAResize)
{
    Vertex(0) = {0.5f, 7, -0.2f};
    SetTriangle(Car(), 0, {0, 0, 0});
    auto* xz = Control<WireView>("picXZ");
    // A press with nothing picked arms no drag, even when the pointer then finds a vertex.
    Press(xz, Qt::LeftButton, {20, 20});
    Move(xz, {175, 90});
    EXPECT_EQ(view.SelectedVertex, 0);
    Move(xz, {174, 90});
    EXPECT_EQ(Vertex(0).X, 0.5f);
    Release(xz, Qt::LeftButton, {174, 90});

    Press(xz, Qt::LeftButton, {175, 90});
    Move(xz, {150, 150});
    EXPECT_EQ(std::make_tuple(Vertex(0).X, Vertex(0).Y, Vertex(0).Z), std::make_tuple(0.0f, 7.0f, 1.0f));
    // The pressed view keeps the pointer beyond its edges; its size at the
    // moment of the move counts.
    Move(xz, {-50, 300});
    EXPECT_EQ(std::make_pair(Vertex(0).X, Vertex(0).Z), std::make_pair(-4.0f, 4.0f));
    view.resize(883, 400);
    ASSERT_EQ(xz->width(), 400);
    Move(xz, {225, 50});
    EXPECT_EQ(std::make_pair(Vertex(0).X, Vertex(0).Z), std::make_pair(0.5f, -1.0f));
    // Another button stops the drag; the pointer picks again.
    Press(xz, Qt::MiddleButton, {225, 50});
    Move(xz, {230, 55});
    EXPECT_EQ(std::make_tuple(Vertex(0).X, Vertex(0).Z, view.SelectedVertex), std::make_tuple(0.5f, -1.0f, 0));
    Release(xz, Qt::MiddleButton, {230, 55});
    Release(xz, Qt::LeftButton, {230, 55});

    // A right press over the vertex drags nothing.
    Vertex(0).Y = 0.2f;
    auto* yz = Control<WireView>("picYZ");
    const QPoint at = editor::MapToView(Vertex(0), editor::YZAxes, 50, yz->size()).toPoint();
    Move(yz, at);
    Press(yz, Qt::RightButton, at);
    Move(yz, at + QPoint(40, 0));
    Release(yz, Qt::RightButton, at + QPoint(40, 0));
    EXPECT_EQ(std::make_tuple(Vertex(0).X, Vertex(0).Y, Vertex(0).Z), std::make_tuple(0.5f, 0.2f, -1.0f));
    EXPECT_EQ(view.SelectedVertex, -1);
}

}  // namespace
