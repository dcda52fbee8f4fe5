#include "CommandLine.h"

namespace app {

namespace {

const QString Usage = QStringLiteral(
    "Usage: VelmarCarEditor [FILE]\n"
    "Edits the car libraries (.car) of a racing game: the cars' handling and their models.\n"
    "\n"
    "  FILE           a car library to open at start\n"
    "  -h, --help     show this text and exit\n"
    "  -v, --version  show the version and exit\n");

StartRequest UsageError(const QString& problem)
{
    return {2, QStringLiteral("VelmarCarEditor: %1\nRun \"VelmarCarEditor --help\" for the usage.\n").arg(problem), {}};
}

}  // namespace

StartRequest ReadCommandLine(const QStringList& arguments)
{
    StartRequest request;
    QString problem;  // the first one; --help or --version later still answer
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options && (argument == QLatin1String("--help") || argument == QLatin1String("-h"))) {
            return {0, Usage, {}};
        } else if (options && (argument == QLatin1String("--version") || argument == QLatin1String("-v"))) {
            return {0, QStringLiteral("VelmarCarEditor " VELMAR_VERSION "\n"), {}};
        } else if (options && argument.startsWith(QLatin1Char('-'))) {
            if (problem.isEmpty())
                problem = QStringLiteral("unknown option %1").arg(argument);
        } else if (!request.library.isEmpty()) {
            if (problem.isEmpty())
                problem = QStringLiteral("one library at a time");
        } else {
            request.library = argument;
        }
    }
    return problem.isEmpty() ? request : UsageError(problem);
}

}  // namespace app
