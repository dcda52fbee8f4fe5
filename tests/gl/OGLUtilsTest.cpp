#include "OGLUtils.h"

#include "FailingGLPlatform.h"
#include "GLSurface.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

namespace {

using OGLUtils::GLContext;

// Whether every dialog shown was a message of that title and style.
bool AllShownAs(const ScriptedDialogs& dialogs, const QString& title, ui::MsgStyle style)
{
    return std::ranges::all_of(dialogs.shown, [&](const auto& s) { return s.title == title && s.style == style; });
}

TEST(GLContext, EachFailedStepShowsItsMessageAndTheRestAreStillTried)
{
    const QString find = "Can't Find A Suitable PixelFormat.", set = "Can't Set The PixelFormat.",
                  create = "Can't Create A GL Rendering Context.", activate = "Can't Activate The GL Rendering Context.";
    const struct {
        QSet<QString> failing;
        QStringList calls, messages;
    } cases[] = {
        {{}, {"choose", "set 7", "create", "current 42"}, {}},
        {{"create"}, {"choose", "set 7", "create", "current 0"}, {create}},
        {{"current"}, {"choose", "set 7", "create", "current 42"}, {activate}},
        {{"choose", "set", "create", "current"}, {"choose", "set 0", "create", "current 0"}, {find, set, create, activate}},
    };
    GLSurface surface;
    for (const auto& c : cases) {
        ScriptedDialogs answers;
        answers.script = QStringList(c.messages.size(), "Ok");
        FailingGLPlatform platform(c.failing);
        EXPECT_EQ(OGLUtils::CreateGLContext(surface, 16), c.messages.isEmpty()) << qPrintable(c.calls.join(","));
        EXPECT_EQ(platform.calls, c.calls);
        EXPECT_EQ(answers.messages(), c.messages);
        EXPECT_TRUE(AllShownAs(answers, "ERROR", ui::MsgStyle::OkExclamation));
        // A context made but not made current stays recorded, so it is deleted later.
        EXPECT_EQ(GLContext, c.failing.contains("create") ? 0u : 42u);
        // A double-buffered RGBA window with 16-bit colour and depth.
        const OGLUtils::PixelFormatRequest& r = platform.request;
        EXPECT_EQ(std::make_tuple(r.nSize, r.nVersion, r.dwFlags, r.iPixelType, r.cColorBits, r.cDepthBits, r.iLayerType),
                  std::make_tuple(40, 1, 0x25u, 0, 16, 16, 0));
        GLContext = 0;
    }
}

TEST(GLContext, ReleaseTriesBothStepsClearsTheHandleAndDoesNothingWithoutAContext)
{
    FailingGLPlatform platform({"none", "delete"});
    ScriptedDialogs dialogs;
    OGLUtils::ReleaseGLContext();
    GLContext = 42;
    dialogs << "Ok" << "Ok";
    OGLUtils::ReleaseGLContext();
    OGLUtils::ReleaseGLContext();
    EXPECT_EQ(platform.calls, (QStringList{"none", "delete 42"}));
    EXPECT_EQ(dialogs.messages(), (QStringList{"Release Of DC And RC Failed.", "Release Rendering Context Failed."}));
    EXPECT_TRUE(AllShownAs(dialogs, "SHUTDOWN ERROR", ui::MsgStyle::OkInformation));
    EXPECT_EQ(GLContext, 0u);
}

// Also run at twice the pixel density.
TEST(GLContext, RealContextSizesTheViewInDevicePixelsAndSetsTheInitialState)
{
    ScriptedDialogs dialogs;
    GLSurface surface;
    surface.resize(300, 200);
    const auto viewport = [] { std::array<GLint, 4> v{}; return glGetIntegerv(GL_VIEWPORT, v.data()), v; };
    // Read before any event: a paint of the widget sets a viewport of its own.
    ASSERT_TRUE(OGLUtils::CreateGLContext(surface, 16));
    const int ratio = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariableIntValue("QT_SCALE_FACTOR") : 1;
    EXPECT_EQ(surface.devicePixelRatio(), ratio);
    EXPECT_TRUE(OGLUtils::MakeGLCurrent(surface));
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 300 * ratio, 200 * ratio}));
    // The picture the state gives: cleared grey, a near red square hiding a far green one drawn after it.
    const auto draw = [&] {
        EXPECT_TRUE(OGLUtils::MakeGLCurrent(surface));
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBegin(GL_QUADS);
        for (const auto& [red, z] : {std::pair{1.0f, -3.0f}, {0.0f, -4.0f}}) {
            glColor3f(red, 1.0f - red, 0.0f);
            for (const auto& [x, y] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}) glVertex3f(x, y, z);
        }
        glEnd();
        surface.Present();
        return surface.Picture();
    };
    const QImage first = draw();
    EXPECT_EQ(std::make_pair(first.pixel(0, 0), first.pixel(first.rect().center())), std::make_pair(qRgb(128, 128, 128), qRgb(255, 0, 0)));
    // Cleared with alpha 0, the picture is opaque all the same: the format has no alpha.
    GLubyte pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[3], 255);
    // A height of 0 counts as 1.
    OGLUtils::ResizeGLView(300, 0);
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 300, 1}));
    // Moved to another window and back, the surface draws the same.
    QWidget other;
    surface.setParent(&other), other.show(), surface.show();
    surface.setParent(nullptr), surface.show();
    OGLUtils::ResizeGLView(300 * ratio, 200 * ratio);
    EXPECT_TRUE(draw() == first);
    // Without its context the surface is off the screen; the next one shows it again and draws the same.
    OGLUtils::ReleaseGLContext();
    EXPECT_FALSE(surface.isVisible());
    ASSERT_TRUE(OGLUtils::CreateGLContext(surface, 16));
    EXPECT_TRUE(surface.isVisible());
    EXPECT_TRUE(draw() == first);
    OGLUtils::ReleaseGLContext();
}

}  // namespace
