#pragma once

#include "OGLUtils.h"

#include <QSurfaceFormat>

#include <memory>
#include <optional>
#include <vector>

class QOpenGLContext;

namespace OGLUtils {

// Contexts through Qt: a format is a QSurfaceFormat built from the request,
// set on the window before its native window is made.
class QtGLPlatform final : public GLPlatform {
public:
    QtGLPlatform();
    ~QtGLPlatform() override;

    int ChoosePixelFormat(QWindow& surface, const PixelFormatRequest& request) override;
    bool SetPixelFormat(QWindow& surface, int format, const PixelFormatRequest& request) override;
    GLHandle CreateContext(QWindow& surface) override;
    bool MakeCurrent(QWindow* surface, GLHandle context) override;
    bool DeleteContext(GLHandle context) override;
    void SwapBuffers(QWindow& surface, GLHandle context) override;

    // The window format a request asks for, or none when it asks for
    // something other than a double-buffered RGBA OpenGL window.
    static std::optional<QSurfaceFormat> FormatFor(const PixelFormatRequest& request);

private:
    std::vector<std::unique_ptr<QOpenGLContext>>::const_iterator find(GLHandle context) const;

    std::vector<QSurfaceFormat> formats_;
    std::vector<std::unique_ptr<QOpenGLContext>> contexts_;
};

}  // namespace OGLUtils
