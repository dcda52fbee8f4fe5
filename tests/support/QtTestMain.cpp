#include <QApplication>

#include <gtest/gtest.h>

#include <csignal>

// Tests of windows need one application object for the whole run, named as
// the editor names itself.
int main(int argc, char** argv)
{
    std::signal(SIGXFSZ, SIG_IGN);
    testing::InitGoogleTest(&argc, argv);
    // The build lists the tests with no display at hand; windows go offscreen
    // unless the caller chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmar Car Editor"));
    return RUN_ALL_TESTS();
}
