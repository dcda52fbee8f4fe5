#include "Application.h"
#include "CommandLine.h"
#include "Translations.h"
#include "frmMain.h"

#include <QApplication>

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[])
{
    // A save past the file-size limit must fail with a message, not kill the editor.
    std::signal(SIGXFSZ, SIG_IGN);
    // --help and --version need no window, nor a display to open one on.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const app::StartRequest answer = app::ReadCommandLine(arguments); answer.exitCode == 0) {
        std::fputs(qPrintable(answer.output), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    app::SetUpApplication();
    app::InstallTranslations(app);
    // Read again without the toolkit's own options, which it has taken.
    const app::StartRequest request = app::ReadCommandLine(QApplication::arguments().mid(1));
    if (request.exitCode) {
        std::fputs(qPrintable(request.output), stderr);
        return *request.exitCode;
    }
    frmMain window;
    if (request.library.isEmpty())
        window.show();
    else
        app::OpenWhenShown(window, request.library);
    return QApplication::exec();
}
