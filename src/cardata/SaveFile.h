#pragma once

#include "FileResult.h"
#include "WriteAll.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>

#include <functional>
#include <vector>

// SaveFile is the one way every program here writes a file, and it keeps
// this contract:
// - A regular file, or a new name, is replaced atomically: the content goes to
//   a new file beside it, which takes the old one's mode, and its owner and
//   group wherever the process may set them, before it takes its place.
// - Every step's result is checked, each sync's too: the new file's data is
//   synced before the rename, the folder after it. A failure at any step
//   leaves the old file byte-identical (a new name absent) and no temporary
//   file, and is reported with the step's cause; velmar-car then exits 1.
// - Where no new file can take the old one's place (a folder the user may not
//   write to, another user's file in a shared folder), the file is written
//   over in place and synced, and its old bytes are put back on failure.
// - Links are followed to the file they name; a loop or a chain too deep is
//   refused with the system's words, nothing created or replaced.
// - A device or a named pipe is written where it is, never replaced; a pipe
//   that nobody reads is refused at once rather than waited for, and one whose
//   reader leaves fails the write rather than ending the program. Folders and
//   sockets are refused. The windows, which must never wait, first refuse all
//   that is not a regular file or a new name (CheckRegularFile, Use::Write).
// - An existing file the process may not write is refused, as it stands.

namespace modLoad {

// Size is the number of bytes the body writes. The message names the file and
// the real cause.
FileResult SaveFile(const QString& fileName, qint64 size, const WriteBody& body);
FileResult SaveFile(const QString& fileName, const QByteArray& bytes);

// Several files saved as one: each is written in full when added, beside its
// name, and all take their places at Commit, or none does. A failed Add or
// Commit, or a batch dropped uncommitted, leaves every file as it was, but a
// device or a pipe, which is written when added.
class FileBatch {
public:
    FileBatch();
    ~FileBatch();
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    FileResult Add(const QString& fileName, qint64 size, const WriteBody& body);
    FileResult Commit();

private:
    struct Pending;
    bool RollBack();
    std::vector<Pending> pending_;
};

// Opens the file named in it for reading. A named pipe that nobody writes to
// is refused at once rather than waited for.
FileResult OpenForReading(QFile& file);

// Refuses, before anything opens it, what is not a regular file: a folder, a
// device, a named pipe or a socket could block a reader or writer or never
// end. A name that does not exist passes, so that opening it tells why.
enum class Use { Read, Write };
FileResult CheckRegularFile(const QString& fileName, Use use = Use::Read);

// Whether the two names lead to one existing file.
bool SameFile(const QString& a, const QString& b);

}  // namespace modLoad
