#include <QApplication>

#include <gtest/gtest.h>

#include <csignal>

// Tests of windows need one application object for the whole run.
int main(int argc, char** argv)
{
    std::signal(SIGXFSZ, SIG_IGN);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Velmar Car Editor"));
    return RUN_ALL_TESTS();
}
