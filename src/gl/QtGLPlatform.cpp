#include "QtGLPlatform.h"

#include <QOpenGLContext>
#include <QWindow>

#include <algorithm>

namespace OGLUtils {

QtGLPlatform::QtGLPlatform() = default;
QtGLPlatform::~QtGLPlatform() = default;

std::optional<QSurfaceFormat> QtGLPlatform::FormatFor(const PixelFormatRequest& request)
{
    const std::uint32_t needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if ((request.dwFlags & needed) != needed || request.iPixelType != PFD_TYPE_RGBA ||
        request.iLayerType != PFD_MAIN_PLANE)
        return std::nullopt;
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    // Fixed-function GL 1.1 and GLU need the compatibility profile.
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setSwapBehavior((request.dwFlags & PFD_DOUBLEBUFFER) ? QSurfaceFormat::DoubleBuffer
                                                                : QSurfaceFormat::SingleBuffer);
    // The colour bits spread over red, green and blue, green taking what is
    // left over first: 16 gives 5-6-5.
    const int share = request.cColorBits / 3, left = request.cColorBits % 3;
    format.setRedBufferSize(share + (left > 1 ? 1 : 0));
    format.setGreenBufferSize(share + (left > 0 ? 1 : 0));
    format.setBlueBufferSize(share);
    format.setAlphaBufferSize(0);
    format.setDepthBufferSize(request.cDepthBits);
    format.setStencilBufferSize(0);
    // Swap with the screen's refresh where the platform can, so an open
    // editor does not draw frames nobody sees.
    format.setSwapInterval(1);
    return format;
}

int QtGLPlatform::ChoosePixelFormat(QWindow&, const PixelFormatRequest& request)
{
    const std::optional<QSurfaceFormat> format = FormatFor(request);
    if (!format)
        return 0;
    formats_.push_back(*format);
    return static_cast<int>(formats_.size());
}

bool QtGLPlatform::SetPixelFormat(QWindow& surface, int format, const PixelFormatRequest&)
{
    if (format < 1 || format > static_cast<int>(formats_.size()))
        return false;
    const QSurfaceFormat& chosen = formats_[static_cast<std::size_t>(format - 1)];
    if (surface.surfaceType() == QSurface::OpenGLSurface && surface.handle() && surface.requestedFormat() == chosen)
        return true;
    // A native window takes its format when it is made, so an existing one is made again.
    const bool visible = surface.isVisible();
    surface.destroy();
    surface.setSurfaceType(QSurface::OpenGLSurface);
    surface.setFormat(chosen);
    surface.create();
    surface.setVisible(visible);
    return surface.handle() != nullptr;
}

GLHandle QtGLPlatform::CreateContext(QWindow& surface)
{
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(surface.requestedFormat());
    if (!context->create())
        return 0;
    contexts_.push_back(std::move(context));
    return reinterpret_cast<GLHandle>(contexts_.back().get());
}

std::vector<std::unique_ptr<QOpenGLContext>>::const_iterator QtGLPlatform::find(GLHandle context) const
{
    return std::find_if(contexts_.begin(), contexts_.end(),
                        [&](const auto& c) { return reinterpret_cast<GLHandle>(c.get()) == context; });
}

bool QtGLPlatform::MakeCurrent(QWindow* surface, GLHandle context)
{
    if (!surface && context == 0) {
        if (QOpenGLContext* current = QOpenGLContext::currentContext())
            current->doneCurrent();
        return true;
    }
    const auto found = find(context);
    return found != contexts_.end() && surface && (*found)->makeCurrent(surface);
}

bool QtGLPlatform::DeleteContext(GLHandle context)
{
    const auto found = find(context);
    if (found == contexts_.end())
        return false;
    contexts_.erase(found);
    return true;
}

void QtGLPlatform::SwapBuffers(QWindow& surface, GLHandle context)
{
    if (const auto found = find(context); found != contexts_.end() && surface.isExposed())
        (*found)->swapBuffers(&surface);
}

}  // namespace OGLUtils
