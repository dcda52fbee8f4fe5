#pragma once

#include <QString>
#include <QStringList>

namespace cli {

enum ExitStatus { ExitOk = 0, ExitRefused = 1, ExitUsage = 2 };

// The commands, their arguments and what they do, for --help.
QString CommandHelp();

// Runs the command named first, with the arguments after it; the exit status.
// With namesOnly, list prints only the cars' names.
int RunCommand(const QStringList& arguments, bool namesOnly = false);

// Says what is wrong with the command line; the exit status for it.
int UsageError(const QString& message);

// The status once all that was printed has been written; a refusal when the
// standard output could not take it, as on a full disk.
int Flushed(int status);

}  // namespace cli
