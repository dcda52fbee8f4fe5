// Reading a million-triangle OBJ file with normals, against Debian's
// tinyobjloader reading the same file in the same run, and the Import command
// refusing a file of the largest size it reads.
#include "BenchSupport.h"
#include "modOBJ.h"

#include <tiny_obj_loader.h>

#include <chrono>
#include <random>

#include <sys/resource.h>

using bench::folder;

namespace {

// Writes the file a line at a time through a small buffer, so that making it
// does not raise the peak memory the refusal reports.
class FileWriter {
public:
    explicit FileWriter(const QString& path) : file_(path)
    {
        if (!file_.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
    }
    ~FileWriter() { flush(); }

    template <typename... Args>
    void line(const char* format, Args... args)
    {
        char text[128];
        buffer_.append(text, std::snprintf(text, sizeof text, format, args...));
        if (buffer_.size() > (1 << 20))
            flush();
    }
    qint64 size() const { return file_.size() + buffer_.size(); }

private:
    void flush()
    {
        if (file_.write(buffer_) != buffer_.size())
            qFatal("cannot write %s", qPrintable(file_.fileName()));
        buffer_.clear();
    }

    QFile file_;
    QByteArray buffer_;
};

// A million triangles over the 32767 vertices that 16-bit corners can name,
// with a normal per vertex, each corner naming both as "a//a": about 40 MB.
QString meshFile(const char* name, const char* lineEnd)
{
    const QString path = folder().filePath(QString::fromLatin1(name));
    constexpr int vertices = 32767;
    std::mt19937 random(3);
    std::uniform_real_distribution<float> coordinate(-2.0f, 2.0f);
    std::uniform_int_distribution<int> corner(1, vertices);
    FileWriter out(path);
    for (const char* kind : {"v", "vn"}) {
        for (int i = 0; i < vertices; ++i)
            out.line("%s %.6f %.6f %.6f%s", kind, double{coordinate(random)}, double{coordinate(random)},
                     double{coordinate(random)}, lineEnd);
    }
    for (int j = 0; j < 1'000'000; ++j) {
        const int a = corner(random), b = corner(random), c = corner(random);
        out.line("f %d//%d %d//%d %d//%d%s", a, a, b, b, c, c, lineEnd);
    }
    return path;
}

// Vertex lines up to the largest size the import reads.
QString hugeFile()
{
    const QString path = folder().filePath(QStringLiteral("huge.obj"));
    FileWriter out(path);
    for (int i = 0; out.size() < modOBJ::MaxFileSize - 64; ++i)
        out.line("v %d.5 -1.25 0.75\r\n", i % 1000);
    return path;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Ours and tinyobjloader read the file in turn, each going first every other
// time, so that a busy machine weighs on both alike. Ours reads the vertices
// and triangles; tinyobjloader the normals too.
void ReadAgainstTinyObjLoader(benchmark::State& state, const QString& path)
{
    using Clock = std::chrono::steady_clock;
    const auto ours = [&] {
        if (!modOBJ::ReadOBJMesh(path) || modOBJ::ObjFaces.size() != 1'000'000)
            state.SkipWithError(qPrintable(modOBJ::ReadOBJMesh(path).message));
        benchmark::DoNotOptimize(modOBJ::ObjFaces.data());
    };
    const auto theirs = [&] {
        tinyobj::ObjReader reader;
        if (!reader.ParseFromFile(path.toStdString()) || reader.GetShapes().at(0).mesh.indices.size() != 3'000'000)
            state.SkipWithError("tinyobjloader failed");
        benchmark::DoNotOptimize(reader.GetAttrib().normals.data());
    };
    Clock::duration oursTime{}, theirsTime{};
    bool oursFirst = true;
    for (auto _ : state) {
        const auto start = Clock::now();
        oursFirst ? ours() : theirs();
        const auto middle = Clock::now();
        oursFirst ? theirs() : ours();
        const auto end = Clock::now();
        oursTime += oursFirst ? middle - start : end - middle;
        theirsTime += oursFirst ? end - middle : middle - start;
        oursFirst = !oursFirst;
    }
    const auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    state.counters["ours_ms"] = benchmark::Counter(ms(oursTime), benchmark::Counter::kAvgIterations);
    state.counters["tinyobj_ms"] = benchmark::Counter(ms(theirsTime), benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = ms(oursTime) / ms(theirsTime);
}

void ImportRefusal(benchmark::State& state, const QString& path)
{
    modLoad::CarRecord car{};
    for (auto _ : state) {
        if (modOBJ::ImportOBJ(path, car))
            state.SkipWithError("the import took the file");
    }
    // Run before the meshes are read: the peak of the whole process so far.
    state.counters["peak_MB"] = peakMegabytes();
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("ImportOBJ refusing 256 MB", ImportRefusal, hugeFile())
        ->Unit(benchmark::kMillisecond)->MinTime(1.0);
    for (const auto& [end, name] : {std::pair{"\r\n", "CRLF"}, std::pair{"\n", "LF"}}) {
        const QString path = meshFile(name, end);
        benchmark::RegisterBenchmark((std::string("ReadOBJMesh against tinyobjloader ") + name).c_str(),
                                     ReadAgainstTinyObjLoader, path)
            ->Unit(benchmark::kMillisecond)->MinTime(4.0);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
