#pragma once

#include "OGLUtils.h"

#include <QPointer>
#include <QSurfaceFormat>

#include <optional>
#include <vector>

namespace OGLUtils {

// Contexts through Qt: a format is a QSurfaceFormat built from the request,
// given to the widget before its context is made. The widget holds its
// context; deleting the context takes the widget off the screen, and the next
// context for it shows it again.
class QtGLPlatform : public GLPlatform {
public:
    int ChoosePixelFormat(GLSurface& surface, const PixelFormatRequest& request) override;
    bool SetPixelFormat(GLSurface& surface, int format, const PixelFormatRequest& request) override;
    GLHandle CreateContext(GLSurface& surface) override;
    bool MakeCurrent(GLSurface* surface, GLHandle context) override;
    bool DeleteContext(GLHandle context) override;
    void SwapBuffers(GLSurface& surface, GLHandle context) override;

    // The window format a request asks for, or none when it asks for
    // something other than a double-buffered RGBA OpenGL window.
    static std::optional<QSurfaceFormat> FormatFor(const PixelFormatRequest& request);

private:
    struct Bound {
        GLHandle context;
        QPointer<GLSurface> surface;
    };
    std::vector<Bound>::iterator find(GLHandle context);

    std::optional<QSurfaceFormat> chosen_;
    std::vector<Bound> bound_;
};

}  // namespace OGLUtils
