#include "QtGLPlatform.h"

#include "GLSurface.h"

#include <QOpenGLContext>

#include <algorithm>

namespace OGLUtils {

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
    return format;
}

int QtGLPlatform::ChoosePixelFormat(GLSurface&, const PixelFormatRequest& request)
{
    chosen_ = FormatFor(request);
    return chosen_ ? 1 : 0;
}

bool QtGLPlatform::SetPixelFormat(GLSurface& surface, int format, const PixelFormatRequest&)
{
    return format == 1 && chosen_ && surface.TakeFormat(*chosen_);
}

GLHandle QtGLPlatform::CreateContext(GLSurface& surface)
{
    QOpenGLContext* made = surface.MakeContext();
    if (!made)
        return 0;
    const auto context = reinterpret_cast<GLHandle>(made);
    if (find(context) == bound_.end())
        bound_.push_back({context, &surface});
    return context;
}

std::vector<QtGLPlatform::Bound>::iterator QtGLPlatform::find(GLHandle context)
{
    std::erase_if(bound_, [](const Bound& b) { return b.surface.isNull(); });
    return std::find_if(bound_.begin(), bound_.end(), [&](const Bound& b) { return b.context == context; });
}

bool QtGLPlatform::MakeCurrent(GLSurface* surface, GLHandle context)
{
    if (!surface && context == 0) {
        if (QOpenGLContext* current = QOpenGLContext::currentContext())
            current->doneCurrent();
        return true;
    }
    const auto found = find(context);
    if (found == bound_.end() || found->surface != surface)
        return false;
    return surface->MakeCurrent();
}

bool QtGLPlatform::DeleteContext(GLHandle context)
{
    const auto found = find(context);
    if (found == bound_.end())
        return false;
    found->surface->DropContext();
    bound_.erase(found);
    return true;
}

void QtGLPlatform::SwapBuffers(GLSurface& surface, GLHandle context)
{
    if (const auto found = find(context); found != bound_.end() && found->surface == &surface)
        surface.Present();
}

}  // namespace OGLUtils
