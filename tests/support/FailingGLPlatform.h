#pragma once

#include "OGLUtils.h"

#include <QSet>
#include <QStringList>

// A window system whose named steps fail ("choose", "set", "create",
// "current", "none", "delete"); every call is recorded. Contexts are numbers, never real, so nothing is drawn.
struct FailingGLPlatform final : OGLUtils::GLPlatform {
    explicit FailingGLPlatform(QSet<QString> failing = {}) : failing(std::move(failing)) { OGLUtils::SetGLPlatform(this); }
    ~FailingGLPlatform() override { OGLUtils::SetGLPlatform(nullptr); }

    int ChoosePixelFormat(GLSurface&, const OGLUtils::PixelFormatRequest& asked) override { return request = asked, step("choose") ? 7 : 0; }
    bool SetPixelFormat(GLSurface&, int format, const OGLUtils::PixelFormatRequest&) override { return step("set", format); }
    OGLUtils::GLHandle CreateContext(GLSurface&) override { return step("create") ? 42 : 0; }
    bool MakeCurrent(GLSurface* surface, OGLUtils::GLHandle context) override
    {
        return surface ? step("current", static_cast<qint64>(context)) : step("none");
    }
    bool DeleteContext(OGLUtils::GLHandle context) override { return step("delete", static_cast<qint64>(context)); }
    void SwapBuffers(GLSurface&, OGLUtils::GLHandle) override {}

    QSet<QString> failing;
    QStringList calls;
    OGLUtils::PixelFormatRequest request{};

    // Records the call, with its number if it has one; false when the step fails.
    bool step(const QString& name, qint64 number = -1)
    {
        return calls << (number < 0 ? name : name + ' ' + QString::number(number)), !failing.contains(name);
    }
};
