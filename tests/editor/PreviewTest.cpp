#include "EditorFixture.h"

#include "Palette.h"

#include <QColor>

#include <GL/gl.h>

#include <functional>

namespace {

using modLoad::CarRecord;

// A pixel of the frame just drawn, before the swap, from the top left; by
// default the middle one.
QColor Pixel(int x = -1, int y = -1)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLubyte rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(x < 0 ? viewport[2] / 2 : x, y < 0 ? viewport[3] / 2 : viewport[3] - 1 - y, 1, 1, GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba);
    return QColor(rgba[0], rgba[1], rgba[2]);
}

QColor PaletteColour(int number)
{
    const modLoad::ColourRGB& c = modLoad::Palette[number];
    return QColor(c.Red, c.Green, c.Blue);
}

bool Near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 && std::abs(a.blue() - b.blue()) <= 2;
}

// A triangle across the middle of the preview, and a small one far to its right.
void Middle(CarRecord& car, int p, std::uint8_t colour)
{
    car.Vertices[0] = {-1, -1, 0};
    car.Vertices[1] = {1, -1, 0};
    car.Vertices[2] = {0, 1, 0};
    SetTriangle(car, p, {0, 1, 2}, colour);
}

void Aside(CarRecord& car, int p, std::uint8_t colour)
{
    car.Vertices[10] = {2.0f, 0, 0};
    car.Vertices[11] = {2.2f, 0, 0};
    car.Vertices[12] = {2.1f, 0.2f, 0};
    SetTriangle(car, p, {10, 11, 12}, colour);
}

TEST_F(EditorTest, TheMiddleOfThePreviewShowsWhatTheRecordAndTheSelectionSay)
{
    const QColor grey(128, 128, 128), black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0);
    const struct {
        const char* what;
        std::function<void(CarRecord&, frmView&)> setUp;
        QColor expected;
    } cases[] = {
        {"nothing", [](CarRecord&, frmView&) {}, grey},
        {"a palette colour", [](CarRecord& c, frmView&) { Middle(c, 0, 50); }, PaletteColour(50)},
        {"the selected triangle", [](CarRecord& c, frmView& v) { Middle(c, 0, 50), v.SelectedPoly = 0; }, blue},
        // 205 sets no colour: the colour set last stays.
        {"205 after the selected one", [](CarRecord& c, frmView& v) { Aside(c, 0, 50), Middle(c, 1, 205), v.SelectedPoly = 0; }, blue},
        {"205 after a coloured one", [](CarRecord& c, frmView&) { Aside(c, 0, 60), Middle(c, 1, 205); }, PaletteColour(60)},
        {"205 first, the head shown", [](CarRecord& c, frmView&) { Middle(c, 0, 205); }, PaletteColour(4)},
        {"205 first, the head hidden", [](CarRecord& c, frmView&) { Middle(c, 0, 205), c.HeadHidden = 1; }, black},
        {"a colour past the palette", [](CarRecord& c, frmView&) { Middle(c, 0, 200); }, QColor(255, 0, 255)},
        {"a corner past the vertex table", [](CarRecord& c, frmView&) { Middle(c, 0, 50), c.Polys[0].C = 30; }, grey},
        {"triangle 39 of a count past 40", [](CarRecord& c, frmView&) { Middle(c, 39, 50), c.PolyPointCount = 255; }, PaletteColour(50)},
        {"the head", [](CarRecord& c, frmView&) { c.SpherePos[4] = {0, 0, 0}; }, PaletteColour(4)},
        {"the head hidden by 7", [](CarRecord& c, frmView&) { c.SpherePos[4] = {0, 0, 0}, c.HeadHidden = 7; }, grey},
        {"a wheel", [](CarRecord& c, frmView&) { c.SpherePos[2] = {0, 0, 0}, c.Parameters[2] = 0.5f; }, black},
        {"the selected vertex", [](CarRecord& c, frmView& v) { c.Vertices[3] = {0, 0, 1}, v.SelectedVertex = 3; }, red},
        {"a selected vertex past the table", [](CarRecord& c, frmView& v) { Middle(c, 0, 50), v.SelectedVertex = 30; }, PaletteColour(50)},
    };
    Open();
    for (const auto& c : cases) {
        Car() = EmptyCar();
        // No triangle selected: the slider never gives 40.
        view.SelectedPoly = 40;
        view.SelectedVertex = -1;
        c.setUp(Car(), view);
        view.DrawGLScene();
        EXPECT_TRUE(Near(Pixel(), c.expected)) << c.what << ": " << qPrintable(Pixel().name());
    }
}

TEST_F(EditorTest, DraggingOverThePreviewTurnsTheModelADegreeAPixel)
{
    Car().Vertices[0] = {1.5f, -0.5f, 0};
    Car().Vertices[1] = {2.5f, -0.5f, 0};
    Car().Vertices[2] = {2, 0.5f, 0};
    SetTriangle(Car(), 0, {0, 1, 2}, 50);
    Open();
    view.SelectedPoly = 40;
    // Where the triangle's middle lies before and after half a turn about Y.
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int right = viewport[2] / 2 + static_cast<int>(viewport[2] * 0.34), left = viewport[2] - 1 - right;
    view.DrawGLScene();
    EXPECT_TRUE(Near(Pixel(right), PaletteColour(50)) && !Near(Pixel(left), PaletteColour(50)));
    QTest::mousePress(Surface(), Qt::LeftButton, {}, {200, 60});
    QTest::mouseMove(Surface(), {110, 90});
    QTest::mouseMove(Surface(), {20, 90});
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, {20, 90});
    // Without a button held the pointer turns nothing.
    QTest::mouseMove(Surface(), {150, 150});
    EXPECT_EQ(std::make_pair(view.RotX, view.RotY), std::make_pair(-30.0f, 180.0f));
    view.DrawGLScene();
    EXPECT_TRUE(Near(Pixel(left), PaletteColour(50)) && !Near(Pixel(right), PaletteColour(50)));
}

}  // namespace
