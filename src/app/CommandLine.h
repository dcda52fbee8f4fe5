#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace app {

// What the editor's command line asks for: a text to print and an exit status
// without opening a window, or the library to open at start (empty for none).
struct StartRequest {
    std::optional<int> exitCode;
    QString output;  // for standard output when the exit code is 0, else for standard error
    QString library;
};

// Reads the arguments after the program's name: --help and --version (-h,
// -v) are answered wherever they stand before "--"; one file names the
// library to open; any other option, or a second file, is a usage error.
// Needs no application object, so --help and --version are answered before a
// display is opened; the toolkit's own options count as unknown until the
// toolkit has taken them from the command line.
StartRequest ReadCommandLine(const QStringList& arguments);

}  // namespace app
