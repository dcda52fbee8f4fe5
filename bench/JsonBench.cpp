// velmar-car dump, build and render on the largest library, run as the user
// runs them: the throughput of dump and build in megabytes of JSON a second,
// render's time for its 656 sheets, and the peak memory of each against the
// size of the library itself.
#include "BenchSupport.h"
#include "DemoLibrary.h"
#include "modLoad.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

using bench::folder;

namespace {

// The demo cars over and over: the JSON of believable records, some 170 MB.
const QString& libraryPath()
{
    static const QString path = [] {
        const modLoad::CarTable demo = samples::DemoLibrary();
        modLoad::CarTable cars;
        for (int k = 0; k < modLoad::MaxCars; ++k)
            cars.push_back(demo[static_cast<std::size_t>(k) % demo.size()]);
        const QString p = folder().filePath("big.car");
        if (!modLoad::SaveCars(p, cars))
            qFatal("cannot write %s", qPrintable(p));
        return p;
    }();
    return path;
}

const QString& jsonPath()
{
    static const QString path = folder().filePath("big.json");
    return path;
}

struct Run {
    double seconds;
    long peakKilobytes;
};

// Runs velmar-car with the arguments, its standard output into a file.
Run velmarCar(std::initializer_list<const char*> args, const QString& output)
{
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(QFile::encodeName(output).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        std::vector<const char*> argv{VELMAR_CLI};
        argv.insert(argv.end(), args);
        argv.push_back(nullptr);
        execv(VELMAR_CLI, const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    clock_gettime(CLOCK_MONOTONIC, &end);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("velmar-car failed");
    return {static_cast<double>(end.tv_sec - start.tv_sec) + 1e-9 * static_cast<double>(end.tv_nsec - start.tv_nsec),
            usage.ru_maxrss};
}

std::map<std::string, long> peaks;

void record(benchmark::State& state, const char* name, const Run& run)
{
    state.SetIterationTime(run.seconds);
    peaks[name] = std::max(peaks[name], run.peakKilobytes);
}

void Dump(benchmark::State& state)
{
    const QByteArray library = QFile::encodeName(libraryPath());
    for (auto _ : state)
        record(state, "dump", velmarCar({"dump", library.constData()}, jsonPath()));
    state.SetBytesProcessed(state.iterations() * QFileInfo(jsonPath()).size());
}

void Build(benchmark::State& state)
{
    const QByteArray json = QFile::encodeName(jsonPath());
    const QByteArray built = QFile::encodeName(folder().filePath("built.car"));
    for (auto _ : state)
        record(state, "build", velmarCar({"build", json.constData(), built.constData()}, "/dev/null"));
    state.SetBytesProcessed(state.iterations() * QFileInfo(jsonPath()).size());
}

// Every sheet of the library, written to files in memory and taken away after.
void Render(benchmark::State& state)
{
    const QByteArray library = QFile::encodeName(libraryPath());
    QDir sheets(folder().filePath("sheets"));
    for (auto _ : state) {
        sheets.mkpath(".");
        record(state, "render",
               velmarCar({"render", library.constData(), QFile::encodeName(sheets.filePath("big.png")).constData()},
                         "/dev/null"));
        state.counters["sheets"] = static_cast<double>(sheets.entryList(QDir::Files).size());
        sheets.removeRecursively();
    }
}

BENCHMARK(Dump)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3.0);
BENCHMARK(Build)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3.0);
// Under a minute a run on 2 cores: one run tells.
BENCHMARK(Render)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const double library = static_cast<double>(QFileInfo(libraryPath()).size()) / 1024.0;
    for (const auto& [name, peak] : peaks)
        std::printf("%s: peak memory %.0f MB, %.2f times the library's %.0f MB\n", name.c_str(),
                    static_cast<double>(peak) / 1024.0, static_cast<double>(peak) / library, library / 1024.0);
    benchmark::Shutdown();
    return 0;
}
