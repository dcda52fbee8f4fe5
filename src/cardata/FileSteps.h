#pragma once

// The steps of a save, each through the table of system calls (SaveCalls.h).

#include "FileResult.h"
#include "WriteAll.h"

#include <QByteArray>
#include <QIODevice>

#include <cerrno>

#include <sys/stat.h>

namespace modLoad::steps {

// Marked for translation; FileFault takes them through Text::tr.
constexpr const char* CannotWrite = QT_TRANSLATE_NOOP("modLoad", "Cannot write \"%1\": %2.");
constexpr const char* NotWritten = QT_TRANSLATE_NOOP("modLoad", "Could not write \"%1\": %2.");
constexpr const char* Unchanged = QT_TRANSLATE_NOOP("modLoad", "Could not write \"%1\": %2. The file was not changed.");

// An open file written through the table of calls, each write straight to it.
class FdDevice final : public QIODevice {
public:
    explicit FdDevice(int fd);
    bool isSequential() const override { return true; }
    qint64 written() const { return written_; }
    // The cause of the failed write; EIO where the system gave none.
    int error() const { return error_ ? error_ : EIO; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    int fd_;
    qint64 written_ = 0;
    int error_ = 0;
};

// Where a save goes once links are followed: a path, and what is there now.
struct Target {
    QByteArray path;
    bool exists = false;
    struct stat st {};
};

// Follows links to the file they name, or to the new name a dangling one
// gives; a loop, or a chain longer than the system follows, is refused.
FileResult Resolve(const QString& fileName, Target& target);

// A device or a named pipe, written where it is.
FileResult WriteDirectly(const QString& fileName, const QByteArray& path, const WriteBody& body);

// Writes over the file where it lies, cut to its new length and synced; on
// failure the old bytes go back. On success `old` holds the bytes replaced,
// for RestoreInPlace.
FileResult WriteInPlace(const QString& fileName, const Target& target, qint64 size, const WriteBody& body,
                        QByteArray& old);
bool RestoreInPlace(const QByteArray& path, const QByteArray& old, qint64 overwritten, off_t oldSize);

// Creates a hidden file beside the path that no file has yet: its descriptor,
// or -1 with errno set.
int CreateTemporary(const QByteArray& path, mode_t mode, QByteArray& temporary);

// Gives the new file the old one's owner and group, or its group alone where
// the process may not give it away, or neither; then its mode. 0, or errno.
int CopyOwnerAndMode(int fd, const struct stat& old);

// Writes the body into the new file and syncs and closes it. 0, or errno.
int WriteAndSync(int fd, const WriteBody& body);

// Syncs a folder, so that a rename in it lasts. 0, or errno.
int SyncFolder(const QByteArray& folder);

QByteArray FolderOf(const QByteArray& path);

}  // namespace modLoad::steps
