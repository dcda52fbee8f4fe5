// Loading and saving the largest library, against plain reads and writes of
// the same bytes: a read into a fresh buffer and into one used before, and an
// atomic write (a new file, fdatasync, rename) as a careful save makes it, in
// memory and on the disk.
#include "BenchSupport.h"
#include "modLoad.h"

#include <memory>
#include <random>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace modLoad;
using bench::folder;

namespace {

const QString& libraryPath()
{
    static const QString path = [] {
        const QString p = folder().filePath("big.car");
        QByteArray bytes(HeaderSize + qsizetype{MaxCars} * RecordSize, Qt::Uninitialized);
        std::mt19937 random(1);
        for (char& b : bytes)
            b = static_cast<char>(random());
        const std::uint32_t header[2] = {RecordSize, MaxCars};
        for (int i = 0; i < 8; ++i)
            bytes[i] = static_cast<char>(header[i / 4] >> (8 * (i % 4)));
        QFile file(p);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(p));
        return p;
    }();
    return path;
}

QByteArray libraryBytes()
{
    QFile file(libraryPath());
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(libraryPath()));
    return file.readAll();
}

void LoadCarsBench(benchmark::State& state)
{
    for (auto _ : state) {
        CarTable cars;
        if (!LoadCars(libraryPath(), cars))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(cars.data());
    }
    state.SetBytesProcessed(state.iterations() * (HeaderSize + qint64{MaxCars} * RecordSize));
}

bool rawRead(char* into, std::size_t size)
{
    const int fd = open(QFile::encodeName(libraryPath()).constData(), O_RDONLY | O_CLOEXEC);
    const bool ok = fd >= 0 && read(fd, into, size) == static_cast<ssize_t>(size);
    if (fd >= 0)
        close(fd);
    return ok;
}

constexpr std::size_t LibrarySize = HeaderSize + std::size_t{MaxCars} * RecordSize;

void RawReadFreshBench(benchmark::State& state)
{
    for (auto _ : state) {
        const std::unique_ptr<char[]> bytes(new char[LibrarySize]);
        if (!rawRead(bytes.get(), LibrarySize))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(bytes.get());
    }
    state.SetBytesProcessed(state.iterations() * qint64{LibrarySize});
}

void RawReadReusedBench(benchmark::State& state)
{
    std::vector<char> bytes(LibrarySize);
    for (auto _ : state) {
        if (!rawRead(bytes.data(), LibrarySize))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(bytes.data());
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

BENCHMARK(LoadCarsBench)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(RawReadFreshBench)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(RawReadReusedBench)->Unit(benchmark::kMillisecond)->MinTime(1.0);
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
    reporter.printRatio("load", "LoadCarsBench", "RawReadFreshBench", "raw read, fresh buffer");
    reporter.printRatio("load", "LoadCarsBench", "RawReadReusedBench", "raw read, reused buffer");
    reporter.printRatio("save to /dev/shm", "SaveCarsBench/shm", "RawAtomicWriteBench/shm", "raw atomic write");
    reporter.printRatio("save to disk", "SaveCarsBench/disk", "RawAtomicWriteBench/disk", "raw atomic write");
    benchmark::Shutdown();
    return 0;
}
