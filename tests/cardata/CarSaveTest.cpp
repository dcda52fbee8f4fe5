#include "LibraryBytes.h"
#include "modLoad.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <functional>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace modLoad;
using namespace testing_bytes;

namespace {

constexpr uid_t Nobody = 65534;

// Runs body in a forked child and returns its exit code; limits and lost
// privileges stay in the child.
int inChild(const std::function<int()>& body)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// 0 when the save is refused with a message that names the file.
int refusedSave(const QString& path, const CarTable& cars)
{
    const FileResult result = SaveCars(path, cars);
    return !result && result.message.contains(path) ? 0 : 1;
}

class FailingSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        writeFile(path, oldFile);
    }
    void expectOldFileOnly() const
    {
        EXPECT_EQ(readFile(path), oldFile);
        EXPECT_EQ(entries(QFileInfo(path).path()), QStringList{"lib.car"});
    }

    QTemporaryDir dir;
    QString path = dir.filePath("lib.car");
    const QByteArray oldFile = library(randomBytes(5 * RecordSize, 20), 5);
    const CarTable cars = decoded(randomBytes(300 * RecordSize, 21));
};

}  // namespace

TEST(CarSave, ShortensALongerOldFileAndKeepsItsPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lib.car");
    writeFile(path, library(randomBytes(5 * RecordSize, 22), 5));
    ASSERT_EQ(0, chmod(qPrintable(path), 0640));
    const QByteArray two = randomBytes(2 * RecordSize, 23);

    ASSERT_TRUE(SaveCars(path, decoded(two)));

    EXPECT_EQ(readFile(path), library(two, 2));
    struct stat st {};
    ASSERT_EQ(0, stat(qPrintable(path), &st));
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(entries(dir.path()), QStringList{"lib.car"});
}

TEST_F(FailingSave, RefusesAnEmptyOrOverfullTable)
{
    EXPECT_EQ(0, refusedSave(path, {}));
    EXPECT_EQ(0, refusedSave(path, CarTable(MaxCars + 1)));
    expectOldFileOnly();
}

TEST_F(FailingSave, ToAMissingFolder)
{
    const QString missing = dir.filePath("gone/lib.car");
    EXPECT_EQ(0, refusedSave(missing, cars));
    expectOldFileOnly();
}

TEST_F(FailingSave, ToAFolderItMayNotWriteIn)
{
    // Root may write anywhere, so the save runs as nobody.
    ASSERT_EQ(0, chmod(qPrintable(dir.path()), 0755));
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    path = locked + "/lib.car";
    writeFile(path, oldFile);
    ASSERT_EQ(0, chmod(qPrintable(path), 0666));
    ASSERT_EQ(0, chmod(qPrintable(locked), 0555));

    EXPECT_EQ(0, inChild([&] {
        if (setgroups(0, nullptr) != 0 || setgid(Nobody) != 0 || setuid(Nobody) != 0)
            return 2;
        return refusedSave(path, cars);
    }));
    expectOldFileOnly();
}

TEST_F(FailingSave, WhenTheDiskIsFull)
{
    EXPECT_EQ(0, refusedSave("/dev/full", cars));
    struct stat st {};
    ASSERT_EQ(0, stat("/dev/full", &st));
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST_F(FailingSave, WhenWritesStopShort)
{
    const rlim_t half = HeaderSize + 150 * RecordSize + 17;
    for (const rlim_t limit : {rlim_t{0}, rlim_t{8}, rlim_t{100}, rlim_t{HeaderSize + RecordSize}, half}) {
        EXPECT_EQ(0, inChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{limit, limit};
            if (setrlimit(RLIMIT_FSIZE, &size) != 0)
                return 2;
            return refusedSave(path, cars);
        })) << "limit " << limit;
        expectOldFileOnly();
    }
}
