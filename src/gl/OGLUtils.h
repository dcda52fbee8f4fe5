#pragma once

#include <cstdint>

class GLSurface;

namespace OGLUtils {

// The handle of a rendering context; 0 means none.
using GLHandle = std::uintptr_t;

// What the preview asks of a window format. Every field not set is 0: no
// alpha, accumulation, stencil or auxiliary buffers.
struct PixelFormatRequest {
    std::uint16_t nSize = 40;
    std::uint16_t nVersion = 1;
    std::uint32_t dwFlags = 0;
    std::uint8_t iPixelType = 0;
    std::uint8_t cColorBits = 0;
    std::uint8_t cDepthBits = 0;
    std::uint8_t iLayerType = 0;
};

constexpr std::uint32_t PFD_DOUBLEBUFFER = 0x1;
constexpr std::uint32_t PFD_DRAW_TO_WINDOW = 0x4;
constexpr std::uint32_t PFD_SUPPORT_OPENGL = 0x20;
constexpr std::uint8_t PFD_TYPE_RGBA = 0;
constexpr std::uint8_t PFD_MAIN_PLANE = 0;

// The window system's side of a context. The built-in one works through Qt;
// tests install their own to make any step fail.
class GLPlatform {
public:
    virtual ~GLPlatform() = default;
    // The best format for the request, 0 when there is none.
    virtual int ChoosePixelFormat(GLSurface& surface, const PixelFormatRequest& request) = 0;
    virtual bool SetPixelFormat(GLSurface& surface, int format, const PixelFormatRequest& request) = 0;
    virtual GLHandle CreateContext(GLSurface& surface) = 0;
    // With no surface and context 0, leaves no context current.
    virtual bool MakeCurrent(GLSurface* surface, GLHandle context) = 0;
    virtual bool DeleteContext(GLHandle context) = 0;
    virtual void SwapBuffers(GLSurface& surface, GLHandle context) = 0;
};

// Installs a platform; nullptr restores Qt's. The caller keeps ownership.
void SetGLPlatform(GLPlatform* platform);

extern GLHandle GLContext;

// Binds a context to the surface, sizes the view and sets the initial state.
// Each failed step shows its message and the next is still tried; true only
// when every step succeeded.
bool CreateGLContext(GLSurface& surface, std::uint8_t colourBits);

// The viewport and a 45-degree perspective for a view of width by height
// pixels. Does nothing while there is no context.
void ResizeGLView(std::int32_t width, std::int32_t height);

bool SetupGLState();

// Safe to call any number of times; does nothing while there is no context.
void ReleaseGLContext();

// Makes the context current on the surface before a frame or a new view
// size; false while there is no context or it cannot be made current.
bool MakeGLCurrent(GLSurface& surface);

// Presents the frame drawn into the surface.
void SwapGLBuffers(GLSurface& surface);

// A size in pixels of the surface, counting the device pixel ratio.
std::int32_t DevicePixels(double logical, double ratio);

}  // namespace OGLUtils
