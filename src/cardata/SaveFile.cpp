#include "SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace modLoad {

namespace {

constexpr const char* Unchanged = "Could not write \"%1\": %2. The file was not changed.";

// A device or a named pipe, written where it is. A pipe is opened without
// waiting for a reader: with none, the open fails at once.
FileResult writeDirectly(const QString& fileName, const WriteBody& body)
{
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENXIO)
            return FileFault("Cannot write \"%1\": no program is reading from it.", fileName);
        return FileFault("Cannot write \"%1\": %2.", fileName, qt_error_string(errno));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile out;
    if (!out.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileFault("Cannot write \"%1\": %2.", fileName, out.errorString());
    }
    if (!body(out))
        return FileFault("Could not write \"%1\": %2.", fileName, out.errorString());
    return {};
}

// For a file that cannot be replaced where it lies, as in a folder the user may
// not write to: the new content is written over the old and the file cut to
// its length. The bytes it overwrites are kept, and put back should it fail.
FileResult writeInPlace(const QString& fileName, qint64 size, const WriteBody& body)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return FileFault("Cannot write \"%1\": %2.", fileName, file.errorString());
    const qint64 oldSize = file.size();
    const QByteArray old = file.read(size);
    if (old.size() != std::min(oldSize, size))
        return FileFault(Unchanged, fileName, file.errorString());
    if (file.seek(0) && body(file) && file.resize(size))
        return {};
    const QString why = file.errorString();
    // Only what was overwritten goes back: past a file-size limit below the old
    // length nothing more could be written.
    const qint64 overwritten = std::min<qint64>(file.pos(), old.size());
    if (file.seek(0) && WriteAll(file, old.constData(), overwritten) && file.resize(oldSize))
        return FileFault(Unchanged, fileName, why);
    return FileFault("Could not write \"%1\": %2. The file may be damaged.", fileName, why);
}

}  // namespace

bool WriteAll(QIODevice& out, const char* data, qint64 size)
{
    while (size > 0) {
        const qint64 written = out.write(data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

FileResult SaveFile(const QString& fileName, qint64 size, const WriteBody& body)
{
    const QFileInfo info(fileName);
    if (info.isDir())
        return FileFault("Cannot write \"%1\": it is a folder.", fileName);
    if (info.exists() && !info.isFile())
        return writeDirectly(fileName, body);

    // Unbuffered, so that each failure is seen at the write where it happens.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (info.exists())
            return writeInPlace(fileName, size, body);
        return FileFault("Cannot write \"%1\": %2.", fileName, file.errorString());
    }
    // QSaveFile can commit after a short write, so every write is checked by the body.
    if (!body(file)) {
        const QString why = file.errorString();
        file.cancelWriting();
        return FileFault(Unchanged, fileName, why);
    }
    if (!file.commit()) {
        // As for another user's file in a shared folder with the sticky bit.
        if (file.error() == QFileDevice::RenameError && info.exists())
            return writeInPlace(fileName, size, body);
        return FileFault(Unchanged, fileName, file.errorString());
    }
    return {};
}

FileResult SaveFile(const QString& fileName, const QByteArray& bytes)
{
    return SaveFile(fileName, bytes.size(),
                    [&](QIODevice& out) { return WriteAll(out, bytes.constData(), bytes.size()); });
}

FileResult CheckRegularFile(const QString& fileName)
{
    struct stat st {};
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    const char* what = S_ISDIR(st.st_mode)    ? "a folder"
                       : S_ISFIFO(st.st_mode) ? "a named pipe"
                       : S_ISSOCK(st.st_mode) ? "a socket"
                                              : "a device";
    return FileFault("Cannot read \"%1\": it is %2, not a file.", fileName, QString::fromLatin1(what));
}

}  // namespace modLoad
