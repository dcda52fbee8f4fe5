// Loading and saving the largest library, against plain reads and writes of
// the same bytes through Qt, so the cost of the field-by-field walk shows.
#include "BenchSupport.h"
#include "modLoad.h"

#include <QSaveFile>

#include <random>

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

void RawReadBench(benchmark::State& state)
{
    for (auto _ : state) {
        QFile file(libraryPath());
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        QByteArray bytes(file.size(), Qt::Uninitialized);
        if (file.read(bytes.data(), bytes.size()) != bytes.size())
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * (HeaderSize + qint64{MaxCars} * RecordSize));
}

void SaveCarsBench(benchmark::State& state)
{
    CarTable cars;
    if (!LoadCars(libraryPath(), cars))
        state.SkipWithError("load failed");
    const QString out = folder().filePath("saved.car");
    for (auto _ : state) {
        if (!SaveCars(out, cars))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * (HeaderSize + qint64{MaxCars} * RecordSize));
}

void RawWriteBench(benchmark::State& state)
{
    const QByteArray bytes = libraryBytes();
    const QString out = folder().filePath("raw.car");
    for (auto _ : state) {
        QSaveFile file(out);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

BENCHMARK(LoadCarsBench)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(RawReadBench)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(SaveCarsBench)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(RawWriteBench)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("load", "LoadCarsBench", "RawReadBench");
    reporter.printRatio("save", "SaveCarsBench", "RawWriteBench");
    benchmark::Shutdown();
    return 0;
}
