// Times the main window's work on the largest library it can hold.
#include "Dialogs.h"
#include "frmMain.h"
#include "modLoad.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <csignal>

namespace {

// Chooses `path` in every file dialog, answers every question with Yes and
// lets unsaved changes go.
class Answers final : public ui::DialogProvider {
public:
    QString path;

    ui::MsgAnswer messageBox(QWidget*, const QString&, ui::MsgStyle style, const QString&) override
    {
        return style == ui::MsgStyle::SaveDiscardCancel ? ui::MsgAnswer::Discard : ui::MsgAnswer::Yes;
    }
    QString inputBox(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&) override { return path; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return path; }
};

struct Bench {
    Answers answers;
    frmMain window;
    QComboBox* cars = window.findChild<QComboBox*>(QStringLiteral("cmbCars"));
    QPushButton* load = window.findChild<QPushButton*>(QStringLiteral("cmdLoad"));
    QPushButton* remove = window.findChild<QPushButton*>(QStringLiteral("cmdRemove"));
    QAction* undo = window.findChild<QAction*>(QStringLiteral("actUndo"));
};

Bench* bench = nullptr;

modLoad::CarTable FullLibrary()
{
    modLoad::CarTable cars(modLoad::MaxCars);
    for (std::size_t i = 0; i < cars.size(); ++i)
        cars[i].Name = modLoad::StoredName(QByteArray("Car ") + QByteArray::number(qulonglong(i)));
    return cars;
}

void LoadFullLibrary(benchmark::State& state)
{
    for (auto _ : state) {
        bench->load->click();
        benchmark::DoNotOptimize(bench->cars->count());
    }
}

void RefreshFullCarList(benchmark::State& state)
{
    for (auto _ : state) {
        bench->window.RefreshCarList();
        benchmark::DoNotOptimize(bench->cars->count());
    }
}

// Remove, then its undo, which puts the car back and moves the rest down.
void RemoveFirstOfFullLibrary(benchmark::State& state)
{
    for (auto _ : state) {
        bench->remove->click();
        state.PauseTiming();
        bench->undo->trigger();
        state.ResumeTiming();
    }
}

void UndoRemoveFirstOfFullLibrary(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        bench->remove->click();
        state.ResumeTiming();
        bench->undo->trigger();
    }
}

void OpenFullDropDown(benchmark::State& state)
{
    for (auto _ : state) {
        bench->cars->showPopup();
        QApplication::processEvents();
        bench->cars->hidePopup();
        QApplication::processEvents();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    std::signal(SIGXFSZ, SIG_IGN);
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);

    QTemporaryDir folder;
    Bench fixture;
    bench = &fixture;
    fixture.answers.path = folder.filePath(QStringLiteral("full.car"));
    if (!modLoad::SaveCars(fixture.answers.path, FullLibrary()))
        return 1;
    ui::SetDialogProvider(&fixture.answers);
    fixture.window.show();
    fixture.load->click();

    benchmark::RegisterBenchmark("LoadFullLibrary", LoadFullLibrary)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("RefreshFullCarList", RefreshFullCarList)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("RemoveFirstOfFullLibrary", RemoveFirstOfFullLibrary)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("UndoRemoveFirstOfFullLibrary", UndoRemoveFirstOfFullLibrary)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("OpenFullDropDown", OpenFullDropDown)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ui::SetDialogProvider(nullptr);
    return 0;
}
