#pragma once

#include "CarFile.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>

#include <functional>

namespace modLoad {

// Writes the body to its device; false as soon as a write fails.
using WriteBody = std::function<bool(QIODevice&)>;

// The one way every program here writes a file. A regular file, or a new
// one, gets a whole new file beside it that takes its place, so a failure
// leaves the old one as it was; where no new file can take its place, the old
// one is written over in place and restored on failure. A device or a named
// pipe is written in place and never replaced; a pipe that nobody reads is
// refused at once rather than waited for, and one whose reader leaves fails
// the write rather than ending the program. Size is the number of bytes the
// body writes. The message names the file and the real cause.
FileResult SaveFile(const QString& fileName, qint64 size, const WriteBody& body);
FileResult SaveFile(const QString& fileName, const QByteArray& bytes);

// Writes all of data unless the device fails; a short write is tried again
// for the rest, so a full disk shows as the device's own error.
bool WriteAll(QIODevice& out, const char* data, qint64 size);

// Opens the file named in it for reading. A named pipe that nobody writes to
// is refused at once rather than waited for.
FileResult OpenForReading(QFile& file);

// Refuses, before anything opens it, what is not a regular file: a folder, a
// device, a named pipe or a socket could block a reader or never end. A file
// that does not exist passes, so that opening it tells why.
FileResult CheckRegularFile(const QString& fileName);

}  // namespace modLoad
