// Times the model editor's frames on a car with all 40 triangles: the whole
// frame (preview, three views, swap), the three views alone, what drawing the
// preview off the screen adds (its frame copied into a picture and that
// picture painted), and a turn of the render loop with its events and the
// window's composition. The editor has
// its size when it opens, or the one given as WIDTHxHEIGHT after the
// benchmark options.
#include "CarHistory.h"
#include "DemoLibrary.h"
#include "GLSurface.h"
#include "frmView.h"
#include "modLoad.h"

#include <QApplication>
#include <QImage>
#include <QRegularExpression>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

frmView* editorWindow = nullptr;

// The first demo car with its triangle table filled and a vertex selected.
modLoad::CarRecord FullCar()
{
    modLoad::CarRecord car = samples::DemoLibrary().front();
    const int used = modLoad::UsedPolys(car);
    for (int p = used; p < modLoad::MaxPolys; ++p) {
        car.Polys[p] = car.Polys[p - used];
        car.PolyColour[p] = car.PolyColour[p - used];
    }
    car.PolyPointCount = 3 * modLoad::MaxPolys;
    return car;
}

void Frame(benchmark::State& state)
{
    for (auto _ : state)
        editorWindow->RenderFrame();
}

void ThreeViews(benchmark::State& state)
{
    for (auto _ : state)
        editorWindow->DrawWireFrame();
}

void PreviewCopy(benchmark::State& state)
{
    GLSurface& preview = *editorWindow->findChild<GLSurface*>("picPreview");
    QImage painted(preview.Picture().size(), QImage::Format_RGB32);
    painted.setDevicePixelRatio(preview.devicePixelRatioF());
    for (auto _ : state) {
        preview.Present();
        preview.render(&painted);
    }
}

void LoopTurn(benchmark::State& state)
{
    for (auto _ : state) {
        editorWindow->RenderFrame();
        QApplication::processEvents();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    modLoad::BuildPalette();
    modLoad::Cars = modLoad::CarTable{FullCar()};
    SelectedCar = 0;

    history::CarHistory steps;
    frmView view(steps);
    editorWindow = &view;
    if (argc > 1) {
        const QRegularExpressionMatch size = QRegularExpression(QRegularExpression::anchoredPattern("(\\d+)x(\\d+)")).match(argv[1]);
        if (!size.hasMatch()) {
            std::fprintf(stderr, "Usage: %s [benchmark options] [WIDTHxHEIGHT]\n", argv[0]);
            return 2;
        }
        view.resize(size.captured(1).toInt(), size.captured(2).toInt());
    }
    view.Load();
    while (!view.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("Editor %dx%d, pixel ratio %g\n", view.width(), view.height(), view.devicePixelRatioF());
    view.SelectedVertex = (*modLoad::Cars)[0].Polys[0].A;
    view.RotX = 30;
    view.RotY = 40;

    benchmark::RegisterBenchmark("Frame", Frame)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ThreeViews", ThreeViews)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PreviewCopy", PreviewCopy)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("LoopTurn", LoopTurn)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    view.close();
    return 0;
}
