// Reading a million-triangle OBJ file with its normals, against Debian's
// tinyobjloader reading the same file, and the Import command refusing it.
#include "BenchSupport.h"
#include "modOBJ.h"

#include <tiny_obj_loader.h>

#include <random>

using bench::folder;

namespace {

// A million triangles over the 32767 vertices that 16-bit corners can name,
// each with texture and normal numbers as exporters write them: about 40 MB.
QString meshFile(const char* name, const char* lineEnd)
{
    const QString path = folder().filePath(QString::fromLatin1(name));
    constexpr int vertices = 32767;
    std::mt19937 random(3);
    std::uniform_real_distribution<float> coordinate(-2.0f, 2.0f);
    std::uniform_int_distribution<int> corner(1, vertices);
    QByteArray text;
    text.reserve(44 << 20);
    char line[96];
    const auto append = [&](int length) { text.append(line, length); };
    for (const char* kind : {"v", "vn"}) {
        for (int i = 0; i < vertices; ++i)
            append(std::snprintf(line, sizeof line, "%s %.6f %.6f %.6f%s", kind, double{coordinate(random)},
                                 double{coordinate(random)}, double{coordinate(random)}, lineEnd));
    }
    for (int i = 0; i < vertices; ++i)
        append(std::snprintf(line, sizeof line, "vt %.6f %.6f%s", double{coordinate(random)},
                             double{coordinate(random)}, lineEnd));
    for (int j = 0; j < 1'000'000; ++j) {
        const int a = corner(random), b = corner(random), c = corner(random);
        append(std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d%s", a, a, a, b, b, b, c, c, c, lineEnd));
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

const QString& crlfFile()
{
    static const QString path = meshFile("mesh-crlf.obj", "\r\n");
    return path;
}

const QString& lfFile()
{
    static const QString path = meshFile("mesh-lf.obj", "\n");
    return path;
}

void ReadOBJWithNormals(benchmark::State& state, const QString& path)
{
    for (auto _ : state) {
        if (!modOBJ::ReadOBJ(path) || modOBJ::ObjFaces.size() != 1'000'000)
            state.SkipWithError(qPrintable(modOBJ::ReadOBJ(path).message));
        benchmark::DoNotOptimize(modOBJ::ObjNormals.data());
    }
}

void TinyObjLoader(benchmark::State& state, const QString& path)
{
    for (auto _ : state) {
        tinyobj::ObjReader reader;
        if (!reader.ParseFromFile(path.toStdString()) || reader.GetShapes().at(0).mesh.indices.size() != 3'000'000)
            state.SkipWithError("tinyobjloader failed");
        benchmark::DoNotOptimize(reader.GetAttrib().vertices.data());
    }
}

void ImportRefusal(benchmark::State& state, const QString& path)
{
    modLoad::CarRecord car{};
    for (auto _ : state) {
        if (modOBJ::ImportOBJ(path, car))
            state.SkipWithError("the import took a million triangles");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    for (const auto& [end, path] : {std::pair{"CRLF", &crlfFile()}, std::pair{"LF", &lfFile()}}) {
        const std::string suffix = std::string(" ") + end;
        benchmark::RegisterBenchmark(("ReadOBJ" + suffix).c_str(), ReadOBJWithNormals, *path)
            ->Unit(benchmark::kMillisecond)->MinTime(2.0);
        benchmark::RegisterBenchmark(("tinyobjloader" + suffix).c_str(), TinyObjLoader, *path)
            ->Unit(benchmark::kMillisecond)->MinTime(2.0);
    }
    benchmark::RegisterBenchmark("ImportOBJ refusal CRLF", ImportRefusal, crlfFile())
        ->Unit(benchmark::kMillisecond)->MinTime(2.0);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("read CRLF", "ReadOBJ CRLF", "tinyobjloader CRLF", "tinyobjloader");
    reporter.printRatio("read LF", "ReadOBJ LF", "tinyobjloader LF", "tinyobjloader");
    benchmark::Shutdown();
    return 0;
}
