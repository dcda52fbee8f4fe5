#include "frmMain.h"

#include <QApplication>

#include <csignal>

int main(int argc, char* argv[])
{
    // A save past the file-size limit must fail with a message, not kill the editor.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Velmar Car Editor"));
    frmMain window;
    window.show();
    return QApplication::exec();
}
