// Loading and saving the largest library, against plain reads and writes of
// the same bytes: a read into a buffer new to the process, and an atomic
// write (a new file, fdatasync, rename) as a careful save makes it, in memory
// and on the disk.
#include "BenchSupport.h"
#include "modLoad.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <random>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace modLoad;
using bench::folder;

namespace {

constexpr std::size_t LibrarySize = HeaderSize + std::size_t{MaxCars} * RecordSize;

QString writeLibrary(const char* name, unsigned seed)
{
    const QString p = folder().filePath(QLatin1String(name));
    QByteArray bytes(qsizetype{LibrarySize}, Qt::Uninitialized);
    std::mt19937 random(seed);
    for (char& b : bytes)
        b = static_cast<char>(random());
    const std::uint32_t header[2] = {RecordSize, MaxCars};
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<char>(header[i / 4] >> (8 * (i % 4)));
    QFile file(p);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(p));
    return p;
}

// Two libraries of the largest size, of different cars.
const QString& libraryPath()
{
    static const QString path = writeLibrary("big.car", 1);
    return path;
}

const QString& otherLibraryPath()
{
    static const QString path = writeLibrary("other.car", 2);
    return path;
}

QByteArray libraryBytes()
{
    QFile file(libraryPath());
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(libraryPath()));
    return file.readAll();
}

bool rawRead(const QString& path, char* into)
{
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const bool ok = fd >= 0 && read(fd, into, LibrarySize) == static_cast<ssize_t>(LibrarySize);
    if (fd >= 0)
        close(fd);
    return ok;
}

// A raw read into a buffer new to the process, as plain new[] makes it, or
// aligned and advised for huge pages as the large car tables are.
std::shared_ptr<char[]> rawReadFresh(const QString& path, bool hugePages)
{
    constexpr std::size_t HugePage = std::size_t{2} << 20;
    std::shared_ptr<char[]> bytes;
    if (hugePages) {
        const std::size_t size = (LibrarySize + HugePage - 1) / HugePage * HugePage;
        bytes.reset(static_cast<char*>(std::aligned_alloc(HugePage, size)), std::free);
        madvise(bytes.get(), size, MADV_HUGEPAGE);
    } else {
        bytes.reset(new char[LibrarySize]);
    }
    return rawRead(path, bytes.get()) ? bytes : nullptr;
}

// Times `what` in a process of its own, after `before` has run there: as a
// user meets it, with no memory freed by an earlier run to reuse. The time in
// milliseconds, or a negative number on failure.
template <typename Before, typename What>
double inFreshProcess(Before before, What what)
{
    int channel[2];
    if (pipe(channel) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(channel[0]);
        const auto kept = before();
        const auto begin = std::chrono::steady_clock::now();
        const bool ok = kept && what();
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
        if (!ok)
            ms = -1;
        _exit(write(channel[1], &ms, sizeof ms) == sizeof ms ? 0 : 1);
    }
    close(channel[1]);
    double ms = -1;
    if (pid < 0 || read(channel[0], &ms, sizeof ms) != sizeof ms)
        ms = -1;
    close(channel[0]);
    if (pid > 0)
        waitpid(pid, nullptr, 0);
    return ms;
}

// A library loaded first, or while another is open.
void LoadCarsBench(benchmark::State& state, bool second)
{
    libraryPath(), otherLibraryPath();  // made here, not in each child
    for (auto _ : state) {
        const double ms = inFreshProcess(
            [&] {
                auto open = std::make_shared<CarTable>();
                return !second || LoadCars(libraryPath(), *open) ? open : nullptr;
            },
            [] {
                CarTable cars;
                const bool ok = static_cast<bool>(LoadCars(otherLibraryPath(), cars));
                benchmark::DoNotOptimize(cars.data());
                return ok;
            });
        if (ms < 0)
            state.SkipWithError("load failed");
        state.SetIterationTime(ms / 1000);
    }
    state.SetBytesProcessed(state.iterations() * qint64{LibrarySize});
}

void RawReadFreshBench(benchmark::State& state, bool second, bool hugePages)
{
    libraryPath(), otherLibraryPath();
    for (auto _ : state) {
        const double ms = inFreshProcess(
            [&] { return second ? rawReadFresh(libraryPath(), hugePages) : std::make_shared<char[]>(1); },
            [&] { return rawReadFresh(otherLibraryPath(), hugePages) != nullptr; });
        if (ms < 0)
            state.SkipWithError("read failed");
        state.SetIterationTime(ms / 1000);
    }
    state.SetBytesProcessed(state.iterations() * qint64{LibrarySize});
}

// Saves go to memory and to the disk, where the syncs really wait for it.
QString saveFolder(bool onDisk)
{
    static QTemporaryDir disk(QStringLiteral("/var/tmp/velmar-bench-XXXXXX"));
    return onDisk ? disk.path() : folder().path();
}

void SaveCarsBench(benchmark::State& state, bool onDisk)
{
    CarTable cars;
    if (!LoadCars(libraryPath(), cars))
        state.SkipWithError("load failed");
    const QString out = saveFolder(onDisk) + "/saved.car";
    for (auto _ : state) {
        if (!SaveCars(out, cars))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * (HeaderSize + qint64{MaxCars} * RecordSize));
}

void RawAtomicWriteBench(benchmark::State& state, bool onDisk)
{
    const QByteArray bytes = libraryBytes();
    const QByteArray out = QFile::encodeName(saveFolder(onDisk) + "/raw.car");
    const QByteArray temporary = out + ".new";
    for (auto _ : state) {
        const int fd = open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        const bool ok = fd >= 0 && write(fd, bytes.constData(), bytes.size()) == bytes.size() && fdatasync(fd) == 0;
        if (fd >= 0)
            close(fd);
        if (!ok || rename(temporary.constData(), out.constData()) != 0)
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// Each load and read in a process of its own, side by side: the first library,
// then a second one while the first is open.
BENCHMARK_CAPTURE(LoadCarsBench, first, false)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_CAPTURE(RawReadFreshBench, first, false, false)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_CAPTURE(RawReadFreshBench, first_huge, false, true)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_CAPTURE(LoadCarsBench, second, true)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_CAPTURE(RawReadFreshBench, second, true, false)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_CAPTURE(RawReadFreshBench, second_huge, true, true)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
// Side by side, so that both pairs meet the same machine.
BENCHMARK_CAPTURE(SaveCarsBench, shm, false)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_CAPTURE(RawAtomicWriteBench, shm, false)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_CAPTURE(SaveCarsBench, disk, true)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(RawAtomicWriteBench, disk, true)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("load", "LoadCarsBench/first", "RawReadFreshBench/first", "raw read, fresh buffer");
    reporter.printRatio("load", "LoadCarsBench/first", "RawReadFreshBench/first_huge", "raw read, fresh huge pages");
    reporter.printRatio("second load", "LoadCarsBench/second", "RawReadFreshBench/second", "raw read, fresh buffer");
    reporter.printRatio("second load", "LoadCarsBench/second", "RawReadFreshBench/second_huge",
                        "raw read, fresh huge pages");
    reporter.printRatio("save to /dev/shm", "SaveCarsBench/shm", "RawAtomicWriteBench/shm", "raw atomic write");
    reporter.printRatio("save to disk", "SaveCarsBench/disk", "RawAtomicWriteBench/disk", "raw atomic write");
    benchmark::Shutdown();
    return 0;
}
