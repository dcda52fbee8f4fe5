#pragma once

// The model editor on one car, and the helpers its tests share.

#include "frmView.h"

#include "CarHistory.h"
#include "FailingGLPlatform.h"
#include "GLSurface.h"
#include "Palette.h"
#include "QtGLPlatform.h"
#include "ScriptedDialogs.h"
#include "TestLibrary.h"
#include "WireView.h"
#include "modOBJ.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QOpenGLContext>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace editortest {

using modLoad::CarRecord;
using modLoad::Vector;
using enum QTest::MouseAction;

const float NaN = std::numeric_limits<float>::quiet_NaN();
const QColor Blue(0, 0, 255), Grey(128, 128, 128), Black(0, 0, 0);

// No triangles, every vertex at the origin, the wheels and the head out of sight.
inline CarRecord EmptyCar()
{
    CarRecord car{};
    car.SpherePos.fill({0.0f, 0.0f, 50.0f});
    return car;
}

// Triangle p in use, its corners moved to the points given if any.
inline void SetTriangle(CarRecord& car, int p, modLoad::Poly corners, std::uint8_t colour = 0, std::initializer_list<Vector> at = {})
{
    car.Polys[p] = corners;
    car.PolyColour[p] = colour;
    car.PolyPointCount = static_cast<std::uint8_t>(std::max<int>(car.PolyPointCount, 3 * (p + 1)));
    for (std::size_t k = 0; const Vector& v : at) car.Vertices[std::array{corners.A, corners.B, corners.C}[k++]] = v;
}

// A triangle across the middle of the preview.
inline void Middle(CarRecord& car, int p, std::uint8_t colour) { SetTriangle(car, p, {0, 1, 2}, colour, {{-1, -1, 0}, {1, -1, 0}, {0, 1, 0}}); }

inline QColor PaletteColour(int n) { return QColor(modLoad::Palette[n].Red, modLoad::Palette[n].Green, modLoad::Palette[n].Blue); }

inline bool Near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 && std::abs(a.blue() - b.blue()) <= 2;
}

// Black, or the colour given, within a device pixel of the model point (h, v) of a view, 50 pixels a unit
// about its centre.
inline bool Ink(const WireView* view, double h, double v, QPointF offset = {}, QRgb ink = qRgb(0, 0, 0))
{
    const QImage& picture = view->Picture();
    const QPoint at = ((QPointF(h * 50 + view->width() / 2.0, v * 50 + view->height() / 2.0) + offset) *
                       picture.devicePixelRatio()).toPoint();
    for (int i = 0; i < 9; ++i)
        if (const QPoint p = at + QPoint(i % 3 - 1, i / 3 - 1); picture.rect().contains(p) && picture.pixel(p) == ink)
            return true;
    return false;
}

// Qt's contexts, counting the frames presented.
struct CountingGLPlatform : OGLUtils::QtGLPlatform {
    CountingGLPlatform() { OGLUtils::SetGLPlatform(this); }
    ~CountingGLPlatform() override { OGLUtils::SetGLPlatform(nullptr); }
    void SwapBuffers(GLSurface& s, OGLUtils::GLHandle c) override { ++frames, QtGLPlatform::SwapBuffers(s, c); }
    int frames = 0;
};

// The model editor on the only car of a library, opened without its loop so tests draw frames one at a time.
class EditorTest : public testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        modLoad::BuildPalette();
        modLoad::Cars = modLoad::CarTable{EmptyCar()};
        SelectedCar = 0;
    }
    void TearDown() override
    {
        view.close();
        EXPECT_EQ(OGLUtils::GLContext, 0u);
        modLoad::Cars.reset();
    }

    // Opens the editor at the given inner size and draws the first frame.
    void Open(QSize size = {544, 390})
    {
        view.resize(size);
        view.Load();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.RenderFrame();
    }
    template <typename T = QWidget> T* Control(const char* name) const { return view.findChild<T*>(name); }
    GLSurface* Preview() const { return Control<GLSurface>("picPreview"); }
    CarRecord& Car() const { return (*modLoad::Cars)[0]; }
    void Click(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }
    // Through the window, as the window system delivers it: to the widget under the pointer or the one pressed.
    void Mouse(QTest::MouseAction action, QWidget* on, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseEvent(action, view.windowHandle(), button, {}, on->mapTo(&view, at));
    }
    // No context current, as after another part of the program drew.
    void NoneCurrent() { if (QOpenGLContext* current = QOpenGLContext::currentContext()) current->doneCurrent(); }
    QRect Viewport() const
    {
        EXPECT_TRUE(OGLUtils::MakeGLCurrent(*Preview()));
        GLint v[4];
        glGetIntegerv(GL_VIEWPORT, v);
        return QRect(v[0], v[1], v[2], v[3]);
    }
    // A pixel of the middle row of the picture the preview shows; by default the middle one.
    QColor Pixel(int x = -1) const
    {
        const QImage& picture = Preview()->Picture();
        return picture.pixelColor(x < 0 ? picture.width() / 2 : x, picture.height() / 2);
    }

    ScriptedDialogs dialogs;
    CountingGLPlatform platform;
    history::CarHistory history;
    frmView view{history};
};

}  // namespace editortest
