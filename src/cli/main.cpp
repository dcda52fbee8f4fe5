#include "Commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <optional>

int main(int argc, char* argv[])
{
    // A write past the file-size limit must fail with a message, as in the editor.
    std::signal(SIGXFSZ, SIG_IGN);
    // Qt's own notes concern a display or a session, which velmar-car never
    // uses (render draws offscreen); only its errors are worth a line.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "velmar-car: %s\n", qPrintable(message));
    });
    // Only to read the command line: render makes an application of its own,
    // with fonts, and the other commands need none.
    std::optional<QCoreApplication> app(std::in_place, argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmar-car"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMAR_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads, compares and converts the car libraries (.car) of the Velmar Car Editor.\n\n") +
        cli::CommandHelp());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption names(QStringLiteral("names"),
                                   QStringLiteral("With list: only the cars' names, one a line, as CAR takes them."));
    parser.addOption(names);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("One of the commands above."),
                                 QStringLiteral("command [arguments]"));
    if (!parser.parse(QCoreApplication::arguments()))
        return cli::UsageError(parser.errorText());
    if (parser.isSet(help) || parser.isSet(version)) {
        const QString text = parser.isSet(help) ? parser.helpText()
                                                : QStringLiteral("velmar-car %1\n").arg(QStringLiteral(VELMAR_VERSION));
        std::fputs(qPrintable(text), stdout);
        return cli::Flushed(cli::ExitOk);
    }
    const QStringList command = parser.positionalArguments();
    const bool namesOnly = parser.isSet(names);
    app.reset();
    return cli::RunCommand(command, namesOnly);
}
