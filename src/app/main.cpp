#include "frmMain.h"

#include <QApplication>

#include <csignal>

int main(int argc, char* argv[])
{
    // A save past the file-size limit must fail with a message, not kill the editor.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    // The name untitled message boxes show; as the application name rather
    // than a display name, so window captions stay exactly as each window sets them.
    QApplication::setApplicationName(QStringLiteral("Velmar Car Editor"));
    frmMain window;
    window.show();
    return QApplication::exec();
}
