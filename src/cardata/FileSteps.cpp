#include "FileSteps.h"

#include "SaveCalls.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>
#include <random>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace modLoad::steps {

namespace {

// As many links as the system itself follows before it gives up.
constexpr int MaxLinks = 40;

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

}  // namespace

FdDevice::FdDevice(int fd) : fd_(fd)
{
    QIODevice::open(WriteOnly | Unbuffered);
}

qint64 FdDevice::writeData(const char* data, qint64 size)
{
    for (;;) {
        const ssize_t n = SystemCalls().write(fd_, data, static_cast<size_t>(size));
        if (n >= 0) {
            written_ += n;
            return n;
        }
        if (errno != EINTR) {
            error_ = errno;
            setErrorString(qt_error_string(errno));
            return -1;
        }
    }
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArrayLiteral(".") : slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

FileResult Resolve(const QString& fileName, Target& target)
{
    target.path = QFile::encodeName(fileName);
    for (int links = 0;; ++links) {
        if (::lstat(target.path.constData(), &target.st) != 0)
            return errno == ENOENT ? FileResult{} : FileFault(Text::tr(CannotWrite), fileName, qt_error_string(errno));
        if (!S_ISLNK(target.st.st_mode)) {
            target.exists = true;
            return {};
        }
        char to[PATH_MAX];
        const ssize_t n = links == MaxLinks ? (errno = ELOOP, -1) : ::readlink(target.path.constData(), to, sizeof to);
        if (n < 0)
            return FileFault(Text::tr(CannotWrite), fileName, qt_error_string(errno));
        const QByteArray link(to, n);
        target.path = link.startsWith('/') ? link : FolderOf(target.path) + '/' + link;
    }
}

// A pipe is opened without waiting for a reader: with none, the open fails at once.
FileResult WriteDirectly(const QString& fileName, const QByteArray& path, const WriteBody& body)
{
    const SaveCalls& sys = SystemCalls();
    const int fd = sys.open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0);
    if (fd < 0) {
        if (errno == ENXIO)
            return FileFault(Text::tr("Cannot write \"%1\": no program is reading from it."), fileName);
        return FileFault(Text::tr(CannotWrite), fileName, qt_error_string(errno));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FdDevice out(fd);
    bool written;
    {
        const PipeSignalHeld held;
        written = body(out);
    }
    const int closed = sys.close(fd) == 0 ? 0 : errno;
    if (!written || closed)
        return FileFault(Text::tr(NotWritten), fileName, qt_error_string(written ? closed : out.error()));
    return {};
}

// Only `overwritten` bytes of the old go back: past a file-size limit below
// the old length nothing more could have been written.
bool RestoreInPlace(const QByteArray& path, const QByteArray& old, qint64 overwritten, off_t oldSize)
{
    const SaveCalls& sys = SystemCalls();
    const int fd = sys.open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY, 0);
    if (fd < 0)
        return false;
    FdDevice out(fd);
    const bool restored = WriteAll(out, old.constData(), std::min<qint64>(overwritten, old.size())) &&
                          sys.ftruncate(fd, oldSize) == 0 && sys.fdatasync(fd) == 0;
    return sys.close(fd) == 0 && restored;
}

FileResult WriteInPlace(const QString& fileName, const Target& target, qint64 size, const WriteBody& body,
                        QByteArray& old)
{
    const SaveCalls& sys = SystemCalls();
    const int fd = sys.open(target.path.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY, 0);
    if (fd < 0)
        return FileFault(Text::tr(CannotWrite), fileName, qt_error_string(errno));
    const off_t oldSize = target.st.st_size;
    old = QByteArray(std::min<qint64>(oldSize, size), Qt::Uninitialized);
    for (qsizetype got = 0; got < old.size();) {
        const ssize_t n = sys.pread(fd, old.data() + got, static_cast<size_t>(old.size() - got), got);
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            sys.close(fd);
            return FileFault(Text::tr(Unchanged), fileName, qt_error_string(error));
        }
        got += n;
    }
    FdDevice out(fd);
    int error = 0;
    if (!body(out))
        error = out.error();
    else if (sys.ftruncate(fd, size) != 0 || sys.fdatasync(fd) != 0)
        error = errno;
    if (sys.close(fd) != 0 && !error)
        error = errno;
    if (!error)
        return {};
    if (RestoreInPlace(target.path, old, out.written(), oldSize))
        return FileFault(Text::tr(Unchanged), fileName, qt_error_string(error));
    return FileFault(Text::tr("Could not write \"%1\": %2. The file may be damaged."), fileName, qt_error_string(error));
}

int CreateTemporary(const QByteArray& path, mode_t mode, QByteArray& temporary)
{
    static std::minstd_rand random(static_cast<unsigned>(::getpid() ^ ::time(nullptr)));
    const qsizetype slash = path.lastIndexOf('/');
    // Short enough that the characters added keep it a valid name.
    const QByteArray base = path.mid(slash + 1).left(NAME_MAX - 16);
    for (int tries = 0;; ++tries) {
        temporary = path.left(slash + 1) + '.' + base + '.' + QByteArray::number(static_cast<quint32>(random()), 36) + '~';
        const int fd = SystemCalls().open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST || tries == 100)
            return fd;
    }
}

int CopyOwnerAndMode(int fd, const struct stat& old)
{
    const SaveCalls& sys = SystemCalls();
    if (sys.fchown(fd, old.st_uid, old.st_gid) != 0) {
        if (errno != EPERM)
            return errno;
        if (sys.fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 && errno != EPERM)
            return errno;
    }
    return sys.fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

int WriteAndSync(int fd, const WriteBody& body)
{
    const SaveCalls& sys = SystemCalls();
    FdDevice out(fd);
    int error = !body(out) ? out.error() : sys.fdatasync(fd) != 0 ? errno : 0;
    if (sys.close(fd) != 0 && !error)
        error = errno;
    return error;
}

int SyncFolder(const QByteArray& folder)
{
    const SaveCalls& sys = SystemCalls();
    const int fd = sys.open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        return errno;
    const int synced = sys.fsync(fd) == 0 ? 0 : errno;
    const int closed = sys.close(fd) == 0 ? 0 : errno;
    return synced ? synced : closed;
}

}  // namespace modLoad::steps
