// The anchors of the start-up benchmark: a bare Qt window, built and started
// as the editor is, empty or (with --text) showing one line of text, which
// alone brings in the fonts.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        (new QLabel(QStringLiteral("Velmar Car Editor"), &window))->move(10, 10);
    window.show();
    return QApplication::exec();
}
