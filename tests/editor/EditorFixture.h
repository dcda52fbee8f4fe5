#pragma once

#include "frmView.h"

#include "OGLUtils.h"
#include "ScriptedDialogs.h"
#include "modLoad.h"

#include <QLocale>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

// A car with no triangles, every vertex at the origin and the wheels and the
// head far out of sight; tests add what they draw.
inline modLoad::CarRecord EmptyCar()
{
    modLoad::CarRecord car{};
    car.Name = modLoad::StoredName(QStringLiteral("Test"));
    for (modLoad::Vector& centre : car.SpherePos)
        centre = {0.0f, 0.0f, 50.0f};
    return car;
}

inline void SetTriangle(modLoad::CarRecord& car, int p, modLoad::Poly corners, std::uint8_t colour = 0)
{
    car.Polys[p] = corners;
    car.PolyColour[p] = colour;
    car.PolyPointCount = static_cast<std::uint8_t>(std::max<int>(car.PolyPointCount, 3 * (p + 1)));
}

// The model editor on the only car of a library, opened without its render
// loop so tests draw frames one at a time.
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
        EXPECT_EQ(dialogs.unexpected, 0) << "a dialog was shown that the test did not expect";
        modLoad::Cars.reset();
    }

    // Opens the editor at the given inner size and waits until the preview can be seen.
    void Open(QSize size = {544, 390})
    {
        view.resize(size);
        view.Load();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        ASSERT_TRUE(QTest::qWaitFor([&] { return Surface()->isExposed(); }));
        view.RenderFrame();
    }

    QWindow* Surface() const { return view.windowHandle()->findChild<QWindow*>("previewSurface"); }
    template <typename T = QWidget>
    T* Control(const char* name) const
    {
        return view.findChild<T*>(name);
    }
    modLoad::CarRecord& Car() const { return (*modLoad::Cars)[0]; }

    ScriptedDialogs dialogs;
    frmView view;
};
