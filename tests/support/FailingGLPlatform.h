#pragma once

#include "OGLUtils.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QWindow>

// A window system whose named steps fail ("choose", "set", "create",
// "current", "none", "delete"); every call is recorded. Contexts are numbers,
// never real, so nothing is drawn.
class FailingGLPlatform final : public OGLUtils::GLPlatform {
public:
    explicit FailingGLPlatform(QSet<QString> failing = {}) : failing(std::move(failing))
    {
        OGLUtils::SetGLPlatform(this);
    }
    ~FailingGLPlatform() override { OGLUtils::SetGLPlatform(nullptr); }

    int ChoosePixelFormat(QWindow&, const OGLUtils::PixelFormatRequest& asked) override
    {
        request = asked;
        return step("choose") ? 7 : 0;
    }
    bool SetPixelFormat(QWindow&, int format, const OGLUtils::PixelFormatRequest&) override
    {
        return step(QStringLiteral("set %1").arg(format), "set");
    }
    OGLUtils::GLHandle CreateContext(QWindow&) override { return step("create") ? 42 : 0; }
    bool MakeCurrent(QWindow* surface, OGLUtils::GLHandle context) override
    {
        return surface ? step(QStringLiteral("current %1").arg(context), "current") : step("none");
    }
    bool DeleteContext(OGLUtils::GLHandle context) override
    {
        return step(QStringLiteral("delete %1").arg(context), "delete");
    }
    void SwapBuffers(QWindow&, OGLUtils::GLHandle) override { ++swaps; }

    QSet<QString> failing;
    QStringList calls;
    OGLUtils::PixelFormatRequest request{};
    int swaps = 0;

private:
    bool step(const QString& call, const QString& name = {})
    {
        calls << call;
        return !failing.contains(name.isEmpty() ? call : name);
    }
};
