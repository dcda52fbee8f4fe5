#include "Accessible.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <csignal>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>

// State that the GL driver, the font cache and the session bus keep until the process ends.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:swrast_dri.so\nleak:libfontconfig.so\nleak:libdbus-1.so\n";
}
#endif

// Tests of windows share one application object, named as the editor names itself.
int main(int argc, char** argv)
{
    std::signal(SIGXFSZ, SIG_IGN);
    testing::InitGoogleTest(&argc, argv);
    // The build lists the tests with no display at hand: offscreen unless a platform was chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt 6.4 fails on a seatless compositor, as the tests' is, when a text field takes the focus.
    if (qgetenv("QT_QPA_PLATFORM") == "wayland") qputenv("QT_IM_MODULE", "compose");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmar Car Editor"));
    ui::InstallAccessibility();
    const int failed = RUN_ALL_TESTS();
#if defined(__SANITIZE_ADDRESS__)
    // Look for leaks while the libraries Qt loaded are still there to name their frames; the GL
    // driver is gone once the application has closed its display.
    __lsan_do_leak_check();
#endif
    return failed;
}
