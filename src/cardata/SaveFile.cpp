#include "SaveFile.h"

#include "FileSteps.h"
#include "SaveCalls.h"

#include <QFile>

#include <cerrno>
#include <map>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace modLoad {

using namespace steps;

SaveCalls& SystemCalls()
{
    static SaveCalls calls{
        [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
        ::write,
        ::pread,
        ::ftruncate,
        ::fchmod,
        ::fchown,
        ::fdatasync,
        ::fsync,
        [](const char* from, const char* to, unsigned flags) { return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags); },
        ::close,
    };
    return calls;
}

namespace {

constexpr const char* Unsynced =
    QT_TRANSLATE_NOOP("modLoad", "Could not write \"%1\": %2. The new file is in place but may not be on the disk yet.");

bool renameBack(const QByteArray& from, const QByteArray& to)
{
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0;
}

}  // namespace

struct FileBatch::Pending {
    QString fileName;
    Target target;
    QByteArray temporary;  // the new file, until it takes its place; then the old one, when swapped
    QByteArray old;        // what an in-place write replaced
    qint64 size = 0;
    bool inPlace = false;
    bool placed = false;
    bool swapped = false;
};

FileBatch::FileBatch() = default;

FileBatch::~FileBatch()
{
    RollBack();
}

FileResult FileBatch::Add(const QString& fileName, qint64 size, const WriteBody& body)
{
    if (fileName.isEmpty())
        return FileFault(Text::tr("Cannot write \"%1\": no file name was given."), fileName);
    Pending file{fileName, {}, {}, {}, size};
    if (const FileResult resolved = Resolve(fileName, file.target); !resolved)
        return resolved;
    const struct stat& st = file.target.st;
    if (file.target.exists && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode))
            return FileFault(Text::tr("Cannot write \"%1\": it is a folder."), fileName);
        if (S_ISSOCK(st.st_mode))
            return FileFault(Text::tr("Cannot write \"%1\": it is a socket, not a file."), fileName);
        return WriteDirectly(fileName, file.target.path, body);
    }
    if (file.target.exists && ::faccessat(AT_FDCWD, file.target.path.constData(), W_OK, AT_EACCESS) != 0)
        return FileFault(Text::tr(CannotWrite), fileName, qt_error_string(errno));

    const int fd = CreateTemporary(file.target.path, file.target.exists ? 0600 : 0666, file.temporary);
    if (fd < 0) {
        // As in a folder the user may not write to.
        if (file.target.exists && (errno == EACCES || errno == EPERM)) {
            file.inPlace = true;
            if (const FileResult written = WriteInPlace(fileName, file.target, size, body, file.old); !written)
                return written;
            file.placed = true;
            pending_.push_back(std::move(file));
            return {};
        }
        return FileFault(Text::tr(CannotWrite), fileName, qt_error_string(errno));
    }
    int error = file.target.exists ? CopyOwnerAndMode(fd, st) : 0;
    if (error)
        SystemCalls().close(fd);
    else
        error = WriteAndSync(fd, body);
    if (error) {
        ::unlink(file.temporary.constData());
        return FileFault(Text::tr(file.target.exists ? Unchanged : NotWritten), fileName, qt_error_string(error));
    }
    pending_.push_back(std::move(file));
    return {};
}

FileResult FileBatch::Commit()
{
    const SaveCalls& sys = SystemCalls();
    std::map<QByteArray, std::size_t> folders;  // each with the first file put in it
    for (std::size_t k = 0; k < pending_.size(); ++k) {
        Pending& file = pending_[k];
        if (file.placed)
            continue;
        const QByteArray& path = file.target.path;
        // The old file is swapped to the temporary name rather than dropped, so
        // that it can come back until the folder is synced. A file system that
        // cannot swap names drops it.
        int renamed = file.target.exists ? sys.rename(file.temporary.constData(), path.constData(), RENAME_EXCHANGE) : -1;
        file.swapped = renamed == 0;
        if (!file.swapped && (!file.target.exists || errno == EINVAL || errno == EOPNOTSUPP))
            renamed = sys.rename(file.temporary.constData(), path.constData(), 0);
        if (renamed == 0) {
            file.placed = true;
            folders.emplace(FolderOf(path), k);
            continue;
        }
        const int error = errno;
        // As for another user's file in a shared folder with the sticky bit:
        // the new content goes over the old one in place.
        if (file.target.exists && (error == EACCES || error == EPERM)) {
            QFile written(QFile::decodeName(file.temporary));
            const QByteArray bytes = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
            ::unlink(file.temporary.constData());
            file.temporary.clear();
            file.inPlace = true;
            const FileResult inPlace = bytes.size() != file.size
                                           ? FileFault(Text::tr(Unchanged), file.fileName, written.errorString())
                                           : WriteInPlace(file.fileName, file.target, file.size,
                                                          [&](QIODevice& out) { return WriteAll(out, bytes.constData(), bytes.size()); },
                                                          file.old);
            file.placed = inPlace.ok;
            if (inPlace)
                continue;
            RollBack();
            return inPlace;
        }
        const FileResult fault = FileFault(Text::tr(file.target.exists ? Unchanged : NotWritten), file.fileName, qt_error_string(error));
        RollBack();
        return fault;
    }
    for (const auto& [folder, first] : folders) {
        if (const int error = SyncFolder(folder)) {
            const Pending& file = pending_[first];
            const char* text = !RollBack() ? Unsynced : file.target.exists ? Unchanged : NotWritten;
            return FileFault(Text::tr(text), file.fileName, qt_error_string(error));
        }
    }
    for (const Pending& file : pending_)
        if (file.swapped)
            ::unlink(file.temporary.constData());
    pending_.clear();
    return {};
}

// Puts back, last first, what was put in place, and removes the new files.
// False when an old file could not come back.
bool FileBatch::RollBack()
{
    bool restored = true;
    for (auto file = pending_.rbegin(); file != pending_.rend(); ++file) {
        if (file->placed && file->inPlace)
            restored &= RestoreInPlace(file->target.path, file->old, file->old.size(), file->target.st.st_size);
        else if (file->placed && file->swapped) {
            if (!renameBack(file->temporary, file->target.path)) {
                restored = false;
                continue;  // the old file stays, under the temporary name
            }
        } else if (file->placed && !file->target.exists)
            ::unlink(file->target.path.constData());
        else if (file->placed)
            restored = false;
        if (!file->temporary.isEmpty())
            ::unlink(file->temporary.constData());
    }
    pending_.clear();
    return restored;
}

FileResult SaveFile(const QString& fileName, qint64 size, const WriteBody& body)
{
    FileBatch batch;
    const FileResult added = batch.Add(fileName, size, body);
    return added ? batch.Commit() : added;
}

FileResult SaveFile(const QString& fileName, const QByteArray& bytes)
{
    return SaveFile(fileName, bytes.size(),
                    [&](QIODevice& out) { return WriteAll(out, bytes.constData(), bytes.size()); });
}

FileResult OpenForReading(QFile& file)
{
    const QString fileName = file.fileName();
    if (fileName.isEmpty())
        return FileFault(Text::tr("Cannot open \"%1\": no file name was given."), fileName);
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return FileFault(Text::tr("Cannot open \"%1\": %2."), fileName, qt_error_string(errno));
    // A pipe with no writer reads as ended at once, one with a writer but no
    // bytes yet would wait: a byte taken now tells them apart, and goes back.
    struct stat st {};
    char first = 0;
    const ssize_t peeked = ::fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode) ? ::read(fd, &first, 1) : -1;
    if (peeked == 0) {
        ::close(fd);
        return FileFault(Text::tr("Cannot read \"%1\": no program is writing to it."), fileName);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // Unbuffered: readers take large pieces, which go straight where they are wanted.
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileFault(Text::tr("Cannot open \"%1\": %2."), fileName, file.errorString());
    }
    if (peeked == 1)
        file.ungetChar(first);
    return {};
}

FileResult CheckRegularFile(const QString& fileName, Use use)
{
    struct stat st {};
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    const QString what = S_ISDIR(st.st_mode)    ? Text::tr("it is a folder, not a file.")
                         : S_ISFIFO(st.st_mode) ? Text::tr("it is a named pipe, not a file.")
                         : S_ISSOCK(st.st_mode) ? Text::tr("it is a socket, not a file.")
                                                : Text::tr("it is a device, not a file.");
    return FileFault(use == Use::Read ? Text::tr("Cannot read \"%1\": %2") : Text::tr("Cannot write \"%1\": %2"),
                     fileName, what);
}

bool SameFile(const QString& a, const QString& b)
{
    struct stat one {}, other {};
    return ::stat(QFile::encodeName(a).constData(), &one) == 0 && ::stat(QFile::encodeName(b).constData(), &other) == 0 &&
           one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

}  // namespace modLoad
