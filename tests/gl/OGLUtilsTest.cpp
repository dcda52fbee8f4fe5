#include "OGLUtils.h"

#include "FailingGLPlatform.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"

#include <QTest>
#include <QWindow>

#include <GL/gl.h>

#include <cmath>

#include <gtest/gtest.h>

namespace {

using OGLUtils::GLContext;

struct GLContextTest : testing::Test {
    void SetUp() override { surface.resize(300, 200); }
    void TearDown() override { GLContext = 0; }

    QStringList titlesAndStyles() const
    {
        QStringList out;
        for (const ScriptedDialogs::Shown& s : dialogs.shown)
            out << QStringLiteral("%1 %2").arg(s.title).arg(static_cast<int>(s.style));
        return out;
    }

    ScriptedDialogs dialogs;
    QWindow surface;
};

TEST_F(GLContextTest, EachFailedStepShowsItsMessageAndTheRestAreStillTried)
{
    struct Case {
        QSet<QString> failing;
        QStringList calls, messages;
    };
    const QString find = "Can't Find A Suitable PixelFormat.", set = "Can't Set The PixelFormat.",
                  create = "Can't Create A GL Rendering Context.", activate = "Can't Activate The GL Rendering Context.";
    const Case cases[] = {
        {{}, {"choose", "set 7", "create", "current 42"}, {}},
        {{"choose"}, {"choose", "set 0", "create", "current 42"}, {find}},
        {{"create"}, {"choose", "set 7", "create", "current 0"}, {create}},
        {{"current"}, {"choose", "set 7", "create", "current 42"}, {activate}},
        {{"choose", "set", "create", "current"}, {"choose", "set 0", "create", "current 0"}, {find, set, create, activate}},
    };
    for (const Case& c : cases) {
        ScriptedDialogs answers;
        for (int i = 0; i < c.messages.size(); ++i)
            answers << "Ok";
        FailingGLPlatform platform(c.failing);
        EXPECT_EQ(OGLUtils::CreateGLContext(surface, 16), c.messages.isEmpty()) << qPrintable(c.calls.join(","));
        EXPECT_EQ(platform.calls, c.calls);
        EXPECT_EQ(answers.messages(), c.messages);
        for (const ScriptedDialogs::Shown& shown : answers.shown) {
            EXPECT_EQ(shown.title, "ERROR");
            EXPECT_EQ(shown.style, ui::MsgStyle::OkExclamation);
        }
        // A context made but not made current stays recorded, so it is deleted later.
        EXPECT_EQ(GLContext, c.failing.contains("create") ? 0u : 42u);
        GLContext = 0;
    }
}

TEST_F(GLContextTest, TheRequestAsksForADoubleBufferedRgbaWindowWithSixteenBitColourAndDepth)
{
    FailingGLPlatform platform;
    OGLUtils::CreateGLContext(surface, 16);
    const OGLUtils::PixelFormatRequest& r = platform.request;
    EXPECT_EQ(std::make_tuple(r.nSize, r.nVersion, r.dwFlags, r.iPixelType, r.cColorBits, r.cDepthBits, r.iLayerType),
              std::make_tuple(40, 1, 0x25u, 0, 16, 16, 0));
}

TEST_F(GLContextTest, ReleaseTriesBothStepsClearsTheHandleAndDoesNothingWithoutAContext)
{
    FailingGLPlatform platform({"none", "delete"});
    OGLUtils::ReleaseGLContext();
    EXPECT_EQ(platform.calls, QStringList());
    GLContext = 42;
    dialogs << "Ok" << "Ok";
    OGLUtils::ReleaseGLContext();
    OGLUtils::ReleaseGLContext();
    EXPECT_EQ(platform.calls, (QStringList{"none", "delete 42"}));
    EXPECT_EQ(dialogs.messages(), (QStringList{"Release Of DC And RC Failed.", "Release Rendering Context Failed."}));
    EXPECT_EQ(titlesAndStyles(), QStringList(2, QStringLiteral("SHUTDOWN ERROR %1").arg(int(ui::MsgStyle::OkInformation))));
    EXPECT_EQ(GLContext, 0u);
}

std::array<GLint, 4> Viewport()
{
    std::array<GLint, 4> v{};
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
}

TEST_F(GLContextTest, RealContextSizesTheViewInDevicePixelsAndSetsTheInitialState)
{
    surface.setSurfaceType(QSurface::OpenGLSurface);
    surface.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&surface));
    ASSERT_TRUE(OGLUtils::CreateGLContext(surface, 16));
    EXPECT_EQ(dialogs.shown.size(), 0u);
    const double ratio = surface.devicePixelRatio();
    EXPECT_EQ(ratio, qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariableIntValue("QT_SCALE_FACTOR") : 1);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, static_cast<GLint>(300 * ratio), static_cast<GLint>(200 * ratio)}));
    EXPECT_TRUE(surface.format().swapBehavior() == QSurfaceFormat::DoubleBuffer);
    EXPECT_GE(surface.format().depthBufferSize(), 16);

    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), (std::vector<GLfloat>{0.5f, 0.5f, 0.5f, 0.0f}));
    GLfloat depth;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
    GLint func, shade;
    glGetIntegerv(GL_DEPTH_FUNC, &func);
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    EXPECT_EQ(std::make_tuple(depth, glIsEnabled(GL_DEPTH_TEST), func, shade, glIsEnabled(GL_LIGHTING)),
              std::make_tuple(1.0f, GLboolean(GL_TRUE), GL_LEQUAL, GL_SMOOTH, GLboolean(GL_FALSE)));

    // A height of 0 counts as 1; the projection is 45 degrees high with the
    // width-to-height aspect, near 0.1 and far 100.
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
    for (const auto& [width, height, aspect] : {std::tuple{300, 0, 300.0}, {400, 300, 4.0 / 3.0}}) {
        OGLUtils::ResizeGLView(width, height);
        EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, width, std::max(height, 1)}));
        GLdouble m[16];
        glGetDoublev(GL_PROJECTION_MATRIX, m);
        EXPECT_NEAR(m[0], f / aspect, 1e-6);
        EXPECT_NEAR(m[5], f, 1e-6);
        EXPECT_NEAR(m[10], -100.1 / 99.9, 1e-6);
        EXPECT_NEAR(m[14], -2 * 100 * 0.1 / 99.9, 1e-6);
        GLint mode;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
    }
    OGLUtils::ReleaseGLContext();
    EXPECT_EQ(GLContext, 0u);
    EXPECT_EQ(dialogs.shown.size(), 0u);
}

}  // namespace
