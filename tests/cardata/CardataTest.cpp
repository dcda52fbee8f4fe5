#include "OrdinaryUser.h"
#include "SaveCalls.h"
#include "TestLibrary.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <memory>
#include <cstdlib>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace modLoad;
using namespace testlib;

// Allocations above the cap fail, as under a memory limit.
static std::size_t allocationCap = SIZE_MAX;
static void* capped(std::size_t size) noexcept { return size <= allocationCap ? std::malloc(size + !size) : nullptr; }
static QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

void* operator new(std::size_t size) { void* p = capped(size); return p ? p : throw std::bad_alloc(); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return capped(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
// Large car tables are aligned for huge pages.
void* operator new(std::size_t size, std::align_val_t align)
{
    const auto a = static_cast<std::size_t>(align);
    void* p = size <= allocationCap ? std::aligned_alloc(a, (size + a - 1) / a * a) : nullptr;
    return p ? p : throw std::bad_alloc();
}
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }

// The bulk copy and the field walk that big-endian hosts take agree on every byte, both ways.
TEST(CarFile, BothPathsReadEachFieldFromItsPlaceAndWriteItBack)
{
    const QByteArray bytes = RandomBytes(RecordSize, 1);
    const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    for (const auto decode : {DecodeRecord, DecodeRecordFieldwise}) {
        CarRecord car;
        decode(in, car);
        // On a little-endian host a field holds in memory the very bytes it has in the file.
        const std::tuple<const void*, int, int> fields[] = {
            {car.Name.data(), 0, 13}, {car.Text3.data(), 13, 3}, {&car.ExtraVector, 16, 12},
            {car.Parameters.data(), 28, 160}, {&car.VertexCount, 188, 1}, {&car.ExtraByte1, 189, 1},
            {&car.PolyPointCount, 190, 1}, {&car.ExtraByte2, 191, 1}, {&car.HeadHidden, 192, 1},
            {car.Polys.data(), 193, 120}, {car.PolyColour.data(), 313, 40}, {car.ExtraPolys.data(), 353, 30},
            {&car.ExtraByte3, 383, 1}, {car.Vertices.data(), 384, 360}, {car.Normals.data(), 744, 360},
            {car.ExtraVectors.data(), 1104, 180}, {car.SpherePos.data(), 1284, 60}};
        for (const auto& [field, at, size] : fields)
            EXPECT_EQ(0, std::memcmp(field, bytes.constData() + at, size)) << "field at byte " << at;
        for (const auto encode : {EncodeRecord, EncodeRecordFieldwise}) {
            QByteArray out(RecordSize, '\0');
            encode(car, reinterpret_cast<std::uint8_t*>(out.data()));
            EXPECT_EQ(out, bytes);
        }
    }
}

TEST(CarFile, LibrariesRoundTripByteForByte)
{
    QTemporaryDir dir;
    // 64 and 130 cars cross the reader's chunks of records; the largest library fills the table.
    for (const auto& [records, count] : {std::pair{RandomBytes(3 * RecordSize, 2), 3}, {RandomBytes(64 * RecordSize, 4), 64},
                                         {RandomBytes(130 * RecordSize, 5), 130},
                                         {RandomBytes(qsizetype{MaxCars} * RecordSize, 6), MaxCars}}) {
        const QByteArray file = LibraryFile(records, count);
        WriteFile(dir.filePath("in.car"), file);
        CarTable cars;
        ASSERT_TRUE(LoadCars(dir.filePath("in.car"), cars)) << count;
        ASSERT_TRUE(SaveCars(dir.filePath("out.car"), cars));
        EXPECT_EQ(ReadFile(dir.filePath("out.car")), file) << count << " cars";
    }
    // No library holds no cars, or more than 32767; the old file stays.
    const QByteArray last = ReadFile(dir.filePath("out.car"));
    for (const auto& [table, says] : {std::pair{CarTable{}, "no cars"}, {CarTable(MaxCars + 1), "at most"}})
        EXPECT_TRUE(SaveCars(dir.filePath("out.car"), table).message.contains(says)) << says;
    EXPECT_EQ(ReadFile(dir.filePath("out.car")), last);
}

TEST(CarFile, RefusedLoadsNameTheFileAndLeaveTheTableAsItWas)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("folder.car");
    const QByteArray three = RandomBytes(3 * RecordSize, 9);
    // missing.car is never written and folder.car is a folder.
    const std::pair<QString, QByteArray> files[] = {
        {"seven.car", LibraryFile({}, 1).left(7)}, {"headeronly.car", LibraryFile({}, 1)}, {"none.car", LibraryFile(three, 0)},
        {"toomany.car", LibraryFile(RandomBytes(qsizetype{MaxCars + 1} * RecordSize, 10), MaxCars + 1)},
        {"lowest.car", LibraryFile(three, INT32_MIN)}, {"one of two.car", LibraryFile(three.left(RecordSize), 2)},
        {"short.car", LibraryFile(three.chopped(1), 3)},
        {"missing.car", {}}, {"folder.car", {}}, {"pipe.car", {}}, {"", {}},
        // With allocations capped at a megabyte, a tiny file that claims every car
        // is read as far as it goes and a larger library runs out of memory.
        {"claims all.car", LibraryFile(three, MaxCars)}, {"large.car", LibraryFile(MakeCars(1000))}};
    CarTable cars = MakeCars(2);
    const QByteArray before = Encoded(cars);
    allocationCap = 1 << 20;
    for (const auto& [name, bytes] : files) {
        const QString path = name.isEmpty() ? QString() : dir.filePath(name);
        if (name == "pipe.car")
            ASSERT_EQ(0, mkfifo(qPrintable(path), 0600));  // nobody writes to it: refused at once, not waited for
        else if (name != "missing.car" && name != "folder.car" && !name.isEmpty()) WriteFile(path, bytes);
        const FileResult result = LoadCars(path, cars);
        EXPECT_TRUE(!result && result.message.contains('"' + path + '"')) << qPrintable(name);
        EXPECT_EQ(result.message.contains("memory"), name == "large.car") << qPrintable(result.message);
        EXPECT_EQ(result.message.contains("declares 2 cars but holds only 1 whole record."), name == "one of two.car");
        EXPECT_EQ(result.message.contains("no program is writing to it."), name == "pipe.car");
        EXPECT_EQ(Encoded(cars), before) << qPrintable(name);
    }
    allocationCap = SIZE_MAX;
    // Once a program writes to the pipe, the library comes whole, the byte that told so too.
    const int writer = open(qPrintable(dir.filePath("pipe.car")), O_RDWR);
    const QByteArray library = LibraryFile(MakeCars(3, 4));
    ASSERT_EQ(write(writer, library.constData(), library.size()), library.size());
    EXPECT_TRUE(LoadCars(dir.filePath("pipe.car"), cars) && Encoded(cars) == Encoded(MakeCars(3, 4)));
    close(writer);
    EXPECT_FALSE(QFile::exists(dir.filePath("missing.car")));
}

// A longer, odd old file loses its record size and trailing bytes. Where no file can take its place (a folder
// the user may not write to, or whose other users' files they may not replace) it is written in place.
TEST(CarSave, RewritesAnOddLibraryAsExactlyItsCarsKeepingPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("odd.car");
    const QByteArray records = RandomBytes(3 * RecordSize, 7);
    const auto save = [&] { OrdinaryUser user; CarTable cars; return LoadCars(path, cars) && SaveCars(path, cars); };
    for (const mode_t folder : {0777, 0555, 01777}) {
        for (const std::int32_t recordSize : {0, -1, 1000, 1352, INT32_MAX}) {
            ASSERT_EQ(0, chmod(qPrintable(dir.path()), 0755));
            QFile::remove(path);  // a file of the test's own user, whoever saved last
            WriteFile(path, LibraryFile(records, 3, recordSize) + RandomBytes(100, 8));
            ASSERT_EQ(0, chmod(qPrintable(path), 0666));
            ASSERT_EQ(0, chmod(qPrintable(dir.path()), folder));
            ASSERT_TRUE(save()) << recordSize;
            struct stat st {};
            EXPECT_TRUE(ReadFile(path) == LibraryFile(records, 3) && stat(qPrintable(path), &st) == 0 && (st.st_mode & 07777) == 0666)
                << folder << " " << recordSize;
            EXPECT_EQ(entries(dir.path()), QStringList{"odd.car"});
        }
    }
    chmod(qPrintable(dir.path()), 0755);
}

// Past the file-size limit at any point, the last write included, a save is refused with the cause, and the old file
// stays with nothing new beside it. Each save runs in a forked child, so that the limit stays there.
TEST(CarSave, FailedSavesLeaveTheOldFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lib.car");
    const QByteArray oldFile = LibraryFile(MakeCars(5, 1));
    WriteFile(path, oldFile);
    const CarTable cars = MakeCars(300, 2);
    for (const rlim_t limit : {0, HeaderSize, 100, HeaderSize + RecordSize, HeaderSize + 150 * RecordSize + 17,
                               HeaderSize + 300 * RecordSize - 17}) {
        const pid_t child = fork();
        if (child == 0) {
            const rlimit size{limit, limit};
            std::signal(SIGXFSZ, SIG_IGN);
            const FileResult result = setrlimit(RLIMIT_FSIZE, &size) == 0 ? SaveCars(path, cars) : FileResult{};
            _exit(!result && result.message.contains(path + "\": " + qt_error_string(EFBIG)) ? 0 : 1);
        }
        int status = -1;
        waitpid(child, &status, 0);
        EXPECT_TRUE(status == 0 && ReadFile(path) == oldFile && entries(dir.path()) == QStringList{"lib.car"}) << limit;
    }
}

// The real calls, and the one of the save under way that fails: each call is counted in `made`.
static SaveCalls real;
static int failAt = -1;
static QStringList made;
static bool fault(const char* call) { made << call; return made.size() - 1 == failAt && (errno = EIO, true); }

// Each system call of a save fails once, in turn, over a file, to a new name and in place: the failure gives the
// call's cause, the old file stays byte for byte (a new name stays absent), and no temporary file is left.
TEST(CarSave, EachCallFailingInTurnLeavesTheOldFile)
{
    real = SystemCalls();
    SaveCalls& sys = SystemCalls();
    sys.open = [](const char* p, int flags, mode_t mode) { return fault("open") ? -1 : real.open(p, flags, mode); };
    sys.write = [](int fd, const void* data, size_t size) { return fault("write") ? -1 : real.write(fd, data, size); };
    sys.pread = [](int fd, void* data, size_t size, off_t at) { return fault("pread") ? -1 : real.pread(fd, data, size, at); };
    sys.ftruncate = [](int fd, off_t size) { return fault("ftruncate") ? -1 : real.ftruncate(fd, size); };
    sys.fchmod = [](int fd, mode_t mode) { return fault("fchmod") ? -1 : real.fchmod(fd, mode); };
    sys.fchown = [](int fd, uid_t uid, gid_t gid) { return fault("fchown") ? -1 : real.fchown(fd, uid, gid); };
    sys.fdatasync = [](int fd) { return fault("fdatasync") ? -1 : real.fdatasync(fd); };
    sys.fsync = [](int fd) { return fault("fsync") ? -1 : real.fsync(fd); };
    sys.rename = [](const char* from, const char* to, unsigned flags) { return fault("rename") ? -1 : real.rename(from, to, flags); };
    sys.close = [](int fd) { const int closed = real.close(fd); return fault("close") ? -1 : closed; };  // closed all the same

    QTemporaryDir dir;
    const QString path = dir.filePath("lib.car");
    const QByteArray oldFile = LibraryFile(MakeCars(5, 1));
    const CarTable cars = MakeCars(300, 2);
    int points = 0;
    // In place: an ordinary user's save where the folder forbids a new file.
    for (const auto& [exists, folder, calls] : {std::tuple{true, 0755, "open fchown fchmod write fdatasync close rename fsync"},
                                                {false, 0755, "open write fdatasync close rename fsync"},
                                                {true, 0555, "open pread write ftruncate fdatasync close"}}) {
        const auto save = [&](int at) {
            chmod(qPrintable(dir.path()), 0755);
            QFile::remove(path);
            if (exists) WriteFile(path, oldFile), chmod(qPrintable(path), 0666);
            chmod(qPrintable(dir.path()), folder);
            failAt = at, made.clear();
            const std::unique_ptr<OrdinaryUser> user(folder == 0555 ? new OrdinaryUser : nullptr);
            return SaveCars(path, cars);
        };
        ASSERT_TRUE(save(-1)) << calls;
        EXPECT_EQ(ReadFile(path), LibraryFile(cars));
        const QStringList all = made;
        EXPECT_EQ([&] { QStringList kinds = all; kinds.removeDuplicates(); return kinds.join(' '); }(), calls);
        for (int at = 0; at < all.size(); ++at, ++points) {
            const FileResult result = save(at);
            chmod(qPrintable(dir.path()), 0755);
            EXPECT_TRUE(!result && result.message.contains(path + "\": " + qt_error_string(EIO)) && !result.message.contains(" may "))
                << calls << ": " << qPrintable(all[at]) << " " << at << " " << qPrintable(result.message);
            EXPECT_EQ(entries(dir.path()), exists ? QStringList{"lib.car"} : QStringList{}) << calls << " " << at;
            EXPECT_EQ(ReadFile(path), exists ? oldFile : QByteArray()) << calls << ": " << qPrintable(all[at]);
        }
    }
    SystemCalls() = real;
    EXPECT_EQ(points, 28);
}

// Root saving another user's file leaves it theirs, its mode as it was.
TEST(CarSave, KeepsTheOwnerGroupAndModeOfTheFile)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    QTemporaryDir dir;
    const QString path = dir.filePath("theirs.car");
    for (const mode_t mode : {0444, 0400, 02640}) {
        WriteFile(path, MakeCars(2));
        ASSERT_TRUE(chown(qPrintable(path), 1234, 1234) == 0 && chmod(qPrintable(path), mode) == 0);
        ASSERT_TRUE(SaveCars(path, MakeCars(3)));
        struct stat st {};
        EXPECT_TRUE(stat(qPrintable(path), &st) == 0 && st.st_uid == 1234 && st.st_gid == 1234 && (st.st_mode & 07777) == mode)
            << std::oct << mode << " became " << st.st_uid << ":" << st.st_gid << " " << (st.st_mode & 07777);
        EXPECT_EQ(ReadFile(path), LibraryFile(MakeCars(3)));
    }
}

// A link is followed to the file it names, a dangling one to the new name it gives; a loop is refused, left a loop.
TEST(CarSave, FollowsLinksAndRefusesALoop)
{
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return dir.filePath(name); };
    WriteFile(at("real.car"), MakeCars(1));
    for (const auto& [link, to] : {std::pair{"link", "real.car"}, {"chain", "link"}, {"dangling", "new.car"}, {"loop1", "loop2"}, {"loop2", "loop1"}})
        ASSERT_EQ(0, symlink(to, qPrintable(at(link))));
    EXPECT_TRUE(SaveCars(at("chain"), MakeCars(2)) && SaveCars(at("dangling"), MakeCars(3)));
    EXPECT_TRUE(ReadFile(at("real.car")) == LibraryFile(MakeCars(2)) && ReadFile(at("new.car")) == LibraryFile(MakeCars(3)));
    const FileResult loop = SaveCars(at("loop1"), MakeCars(1));
    EXPECT_TRUE(loop.message.endsWith("\"" + at("loop1") + "\": Too many levels of symbolic links.")) << qPrintable(loop.message);
    struct stat st {};
    for (const char* link : {"link", "chain", "dangling", "loop1", "loop2"})
        EXPECT_TRUE(lstat(qPrintable(at(link)), &st) == 0 && S_ISLNK(st.st_mode)) << link;
    EXPECT_EQ(entries(dir.path()).size(), 7);
}

// Devices and pipes are written where they are and stay what they were; a
// pipe nobody reads is refused at once. Only regular files pass the read check.
TEST(CarSave, WritesDevicesAndPipesInPlaceWithoutWaiting)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(0, mkfifo(qPrintable(pipe), 0600));
    const FileResult unread = SaveFile(pipe, "model");
    EXPECT_TRUE(unread.message.contains("no program is reading")) << qPrintable(unread.message);

    const int reader = open(qPrintable(pipe), O_RDONLY | O_NONBLOCK);
    char got[8] = {};
    EXPECT_TRUE(SaveFile(pipe, "model") && read(reader, got, sizeof got) == 5 && got == std::string_view("model"));
    close(reader);

    // A reader that leaves mid-write fails the save; the program goes on.
    const int leaving = open(qPrintable(pipe), O_RDONLY | O_NONBLOCK);
    const FileResult broken = SaveFile(pipe, 5, [&](QIODevice& out) { return close(leaving) == 0 && WriteAll(out, "model", 5); });
    EXPECT_TRUE(broken.message.contains(qt_error_string(EPIPE))) << qPrintable(broken.message);

    EXPECT_TRUE(SaveCars("/dev/full", MakeCars(1)).message.contains(qt_error_string(ENOSPC)) && SaveFile("/dev/null", "model"));
    struct stat st {};
    for (const char* device : {"/dev/full", "/dev/null"})
        EXPECT_TRUE(stat(device, &st) == 0 && S_ISCHR(st.st_mode)) << device;
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{AF_UNIX, {}};
    qstrncpy(address.sun_path, qPrintable(dir.filePath("socket")), sizeof address.sun_path);
    ASSERT_EQ(0, bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address));
    EXPECT_TRUE(SaveFile(dir.filePath("socket"), "model").message.contains("it is a socket"));
    EXPECT_TRUE(SaveFile("", "model").message.contains("no file name was given"));
    close(listener);
    EXPECT_EQ(entries(dir.path()), (QStringList{"pipe", "socket"}));

    for (const QString& path : {pipe, QString("/dev/zero"), dir.path()})
        EXPECT_FALSE(CheckRegularFile(path)) << qPrintable(path);
    EXPECT_TRUE(CheckRegularFile(WriteFile(dir.filePath("lib.car"), MakeCars(1))));
    EXPECT_TRUE(CheckRegularFile(dir.filePath("missing.car")));
}

// PolyPointCount / 3 - 1 rounded: 2 rounds to triangle 0, 122 claims a 41st.
TEST(CarRecord, UsedPolysRoundAndStayWithinTheTableAndTrimmingTakesOnlySpaces)
{
    CarRecord car{};
    for (const auto& [points, last, used] : {std::tuple{0, -1, 0}, {1, -1, 0}, {2, 0, 1}, {4, 0, 1}, {5, 1, 2},
                                             {6, 1, 2}, {120, 39, 40}, {121, 39, 40}, {122, 40, 40}, {255, 84, 40}}) {
        car.PolyPointCount = static_cast<std::uint8_t>(points);
        EXPECT_EQ(std::pair(LastPolyNumber(car), UsedPolys(car)), std::pair(last, used)) << points;
    }
    EXPECT_TRUE(PolyInModel({0, 29, 7}) && !PolyInModel({0, 30, 7}) && !VertexInModel(-1));
    EXPECT_EQ(TrimSpaces(QStringLiteral(" \t\u00a0Tab \t ")), QStringLiteral("\t\u00a0Tab \t"));  // only spaces go
}

// Every byte is a character of Windows-1252 and back; a character no byte holds is refused, named
// whole. Lists escape controls and show a name of spaces, or of none, visibly.
TEST(CarRecord, NamesAreWindows1252AndListedSoThatEachCanBeToldApart)
{
    for (int b = 1; b < 256; ++b) {
        const QByteArray byte(1, static_cast<char>(b));
        EXPECT_EQ(NameBytes(NameAsShown(StoredName(byte))), byte) << b;
    }
    EXPECT_EQ(NameAsShown(RawName("\x80uro \x93\x85\x94\x9F\x81\xFF\0 ")), QStringLiteral("\u20acuro \u201c\u2026\u201d\u0178\u0081\u00ff"));
    for (const auto& [text, character] : {std::pair{QStringLiteral("\u65e5\u672c"), QStringLiteral("\u65e5")},
                                          {QStringLiteral("Go \U0001F3CERacer"), QStringLiteral("\U0001F3CE")},
                                          {QStringLiteral("x\u0080"), QStringLiteral("\u0080")}}) {
        QString refused;
        EXPECT_TRUE(!NameBytes(text, &refused) && refused == character) << qPrintable(text);
    }
    const std::pair<CarName, QString> listed[] = {{RawName("\x1b[2J\x81\0       "), "\\x1b[2J\\x81"}, {RawName("             "), QString(13, QChar(0x2423))},
                                                  {RawName("  \0          "), QString(2, QChar(0x2423))}, {RawName("\0Hidden text "), "\\x00"},
                                                  {RawName(" A \0         "), " A "}};
    for (const auto& [name, shown] : listed) EXPECT_EQ(NameInList(name), shown);
}

TEST(Palette, HoldsTheFixedColoursAndRoundsBlendsDown)
{
    BuildPalette();
    BuildPalette();  // building again starts over at colour 0
    // Fixed rows, then both ends and the inside of every blended run, then the irregular rows.
    const std::tuple<int, int, int, int> samples[] = {
        {0, 160, 160, 160},  {4, 0, 96, 95},      {7, 102, 166, 230},   {29, 180, 180, 180},  {30, 40, 80, 40},
        {31, 48, 88, 44},    {44, 160, 200, 100}, {104, 245, 250, 255}, {106, 213, 212, 211}, {111, 213, 212, 15},
        {143, 113, 79, 143}, {147, 112, 176, 230}, {178, 255, 255, 255}, {191, 105, 129, 183}};
    for (const auto& [index, red, green, blue] : samples)
        EXPECT_EQ(std::tuple(+Palette[index].Red, +Palette[index].Green, +Palette[index].Blue), std::tuple(red, green, blue)) << index;
}
