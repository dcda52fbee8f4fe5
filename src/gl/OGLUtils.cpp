#include "OGLUtils.h"

#include "Dialogs.h"
#include "GLSurface.h"
#include "QtGLPlatform.h"

#include <QCoreApplication>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace OGLUtils {

GLHandle GLContext = 0;

namespace {

GLPlatform* installed = nullptr;

GLPlatform& platform()
{
    static QtGLPlatform qtPlatform;
    return installed ? *installed : qtPlatform;
}

// The texts come marked for translation, and are shown in the user's language.
void showError(const char* text)
{
    ui::MsgBox(nullptr, QCoreApplication::translate("OGLUtils", text), ui::MsgStyle::OkExclamation,
               QCoreApplication::translate("OGLUtils", "ERROR"));
}

void showShutdownError(const char* text)
{
    ui::MsgBox(nullptr, QCoreApplication::translate("OGLUtils", text), ui::MsgStyle::OkInformation,
               QCoreApplication::translate("OGLUtils", "SHUTDOWN ERROR"));
}

}  // namespace

void SetGLPlatform(GLPlatform* platform)
{
    installed = platform;
}

std::int32_t DevicePixels(double logical, double ratio)
{
    return static_cast<std::int32_t>(std::lrint(logical * ratio));
}

bool CreateGLContext(GLSurface& surface, std::uint8_t colourBits)
{
    PixelFormatRequest request;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = colourBits;
    request.cDepthBits = 16;
    request.iLayerType = PFD_MAIN_PLANE;

    bool ok = true;
    const auto fail = [&](const char* text) {
        showError(text);
        ok = false;
    };
    GLPlatform& gl = platform();
    const int format = gl.ChoosePixelFormat(surface, request);
    if (format == 0)
        fail(QT_TRANSLATE_NOOP("OGLUtils", "Can't Find A Suitable PixelFormat."));
    if (!gl.SetPixelFormat(surface, format, request))
        fail(QT_TRANSLATE_NOOP("OGLUtils", "Can't Set The PixelFormat."));
    GLContext = gl.CreateContext(surface);
    if (GLContext == 0)
        fail(QT_TRANSLATE_NOOP("OGLUtils", "Can't Create A GL Rendering Context."));
    if (!gl.MakeCurrent(&surface, GLContext))
        fail(QT_TRANSLATE_NOOP("OGLUtils", "Can't Activate The GL Rendering Context."));
    const double ratio = surface.devicePixelRatioF();
    ResizeGLView(DevicePixels(surface.width(), ratio), DevicePixels(surface.height(), ratio));
    // The state belongs to the context: set here, where every context is made, so a new one draws the same.
    if (!SetupGLState())
        fail(QT_TRANSLATE_NOOP("OGLUtils", "Initialization Failed."));
    return ok;
}

void ResizeGLView(std::int32_t width, std::int32_t height)
{
    if (GLContext == 0)
        return;
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool SetupGLState()
{
    glShadeModel(GL_SMOOTH);
    glClearColor(0.5f, 0.5f, 0.5f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    return true;
}

void ReleaseGLContext()
{
    if (GLContext == 0)
        return;
    GLPlatform& gl = platform();
    if (!gl.MakeCurrent(nullptr, 0))
        showShutdownError(QT_TRANSLATE_NOOP("OGLUtils", "Release Of DC And RC Failed."));
    if (!gl.DeleteContext(GLContext))
        showShutdownError(QT_TRANSLATE_NOOP("OGLUtils", "Release Rendering Context Failed."));
    GLContext = 0;
}

bool MakeGLCurrent(GLSurface& surface)
{
    return GLContext != 0 && platform().MakeCurrent(&surface, GLContext);
}

void SwapGLBuffers(GLSurface& surface)
{
    if (GLContext != 0)
        platform().SwapBuffers(surface, GLContext);
}

}  // namespace OGLUtils
