#include "SaveFile.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace modLoad {

namespace {

QString unchanged()
{
    return Text::tr("Could not write \"%1\": %2. The file was not changed.");
}

// While it lives, a reader that leaves a pipe fails the write with EPIPE
// instead of ending the program with SIGPIPE; a signal so raised is taken
// back, unless one was already pending.
class PipeSignalHeld {
public:
    PipeSignalHeld()
    {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe_, &old_);
    }
    ~PipeSignalHeld()
    {
        const timespec now{};
        if (!wasPending_)
            while (sigtimedwait(&pipe_, nullptr, &now) == SIGPIPE) {
            }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    sigset_t pipe_, old_;
    bool wasPending_;
};

// A device or a named pipe, written where it is. A pipe is opened without
// waiting for a reader: with none, the open fails at once.
FileResult writeDirectly(const QString& fileName, const WriteBody& body)
{
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENXIO)
            return FileFault(Text::tr("Cannot write \"%1\": no program is reading from it."), fileName);
        return FileFault(Text::tr("Cannot write \"%1\": %2."), fileName, qt_error_string(errno));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile out;
    if (!out.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileFault(Text::tr("Cannot write \"%1\": %2."), fileName, out.errorString());
    }
    const PipeSignalHeld held;
    if (!body(out))
        return FileFault(Text::tr("Could not write \"%1\": %2."), fileName, out.errorString());
    return {};
}

// For a file that cannot be replaced where it lies, as in a folder the user may
// not write to: the new content is written over the old and the file cut to
// its length. The bytes it overwrites are kept, and put back should it fail.
FileResult writeInPlace(const QString& fileName, qint64 size, const WriteBody& body)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return FileFault(Text::tr("Cannot write \"%1\": %2."), fileName, file.errorString());
    const qint64 oldSize = file.size();
    const QByteArray old = file.read(size);
    if (old.size() != std::min(oldSize, size))
        return FileFault(unchanged(), fileName, file.errorString());
    if (file.seek(0) && body(file) && file.resize(size))
        return {};
    const QString why = file.errorString();
    // Only what was overwritten goes back: past a file-size limit below the old
    // length nothing more could be written.
    const qint64 overwritten = std::min<qint64>(file.pos(), old.size());
    if (file.seek(0) && WriteAll(file, old.constData(), overwritten) && file.resize(oldSize))
        return FileFault(unchanged(), fileName, why);
    return FileFault(Text::tr("Could not write \"%1\": %2. The file may be damaged."), fileName, why);
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
    if (fileName.isEmpty())
        return FileFault(Text::tr("Cannot write \"%1\": no file name was given."), fileName);
    struct stat st {};
    const bool exists = ::stat(QFile::encodeName(fileName).constData(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode))
            return FileFault(Text::tr("Cannot write \"%1\": it is a folder."), fileName);
        if (S_ISSOCK(st.st_mode))
            return FileFault(Text::tr("Cannot write \"%1\": it is a socket, not a file."), fileName);
        return writeDirectly(fileName, body);
    }

    // Unbuffered, so that each failure is seen at the write where it happens.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (exists)
            return writeInPlace(fileName, size, body);
        return FileFault(Text::tr("Cannot write \"%1\": %2."), fileName, file.errorString());
    }
    // QSaveFile can commit after a short write, so every write is checked by the body.
    if (!body(file)) {
        const QString why = file.errorString();
        file.cancelWriting();
        return FileFault(unchanged(), fileName, why);
    }
    if (!file.commit()) {
        // As for another user's file in a shared folder with the sticky bit.
        if (file.error() == QFileDevice::RenameError && exists)
            return writeInPlace(fileName, size, body);
        return FileFault(unchanged(), fileName, file.errorString());
    }
    return {};
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
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // Unbuffered: readers take large pieces, which go straight where they are wanted.
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileFault(Text::tr("Cannot open \"%1\": %2."), fileName, file.errorString());
    }
    return {};
}

FileResult CheckRegularFile(const QString& fileName)
{
    struct stat st {};
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    const QString what = S_ISDIR(st.st_mode)    ? Text::tr("Cannot read \"%1\": it is a folder, not a file.")
                         : S_ISFIFO(st.st_mode) ? Text::tr("Cannot read \"%1\": it is a named pipe, not a file.")
                         : S_ISSOCK(st.st_mode) ? Text::tr("Cannot read \"%1\": it is a socket, not a file.")
                                                : Text::tr("Cannot read \"%1\": it is a device, not a file.");
    return FileFault(what, fileName);
}

}  // namespace modLoad
