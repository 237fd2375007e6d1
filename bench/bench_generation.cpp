#include "engine/boardsnapshot.h"
#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <unistd.h>

using namespace gridlore;

namespace {

// A third of the live area alive, the same cells on every run.
void randomBoard(Life &life)
{
    std::mt19937 random(7);
    std::bernoulli_distribution alive(1.0 / 3.0);
    for (int i = 1; i <= life.columns(); ++i)
        for (int j = 1; j <= life.rows(); ++j)
            life.board().set(i, j, Cell(alive(random) ? 1.0 : 0.0));
}

// The main window as a user sees it, board size from the benchmark argument.
std::unique_ptr<MainWindow> windowWithBoard(int size)
{
    auto form = std::make_unique<MainWindow>();
    form->findChild<QLineEdit *>(QStringLiteral("sizeBox"))->setText(QString::number(size));
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("the main window was never shown");
    form->reset();
    randomBoard(form->life());
    return form;
}

void BM_Step(benchmark::State &state)
{
    Life life;
    life.setBoardSize(static_cast<double>(state.range(0)));
    life.clearLiveArea();
    randomBoard(life);
    for (auto _ : state) {
        life.step();
        benchmark::ClobberMemory();
    }
}

// What every change the user can take back costs twice, before and after.
void BM_SnapshotTake(benchmark::State &state)
{
    Life life;
    life.setBoardSize(static_cast<double>(state.range(0)));
    life.clearLiveArea();
    randomBoard(life);
    for (auto _ : state)
        benchmark::DoNotOptimize(BoardSnapshot(life));
}

// An undo or redo puts back a board that differs from the one shown.
void BM_SnapshotRestore(benchmark::State &state)
{
    Life life;
    life.setBoardSize(static_cast<double>(state.range(0)));
    life.clearLiveArea();
    randomBoard(life);
    const BoardSnapshot before(life);
    life.step();
    const BoardSnapshot after(life);
    bool back = false;
    for (auto _ : state) {
        (back ? before : after).restoreTo(life);
        back = !back;
        benchmark::ClobberMemory();
    }
}

// The repaint that follows a generation: the generation itself, on a board
// kept busy as in BM_Generation, is left out of the time.
void BM_RepaintAfterGeneration(benchmark::State &state)
{
    auto form = windowWithBoard(static_cast<int>(state.range(0)));
    form->view().drawCells(form->life());
    for (auto _ : state) {
        state.PauseTiming();
        if (state.iterations() % 50 == 0)
            randomBoard(form->life());
        form->life().step();
        state.ResumeTiming();
        form->view().drawCells(form->life());
    }
}

void BM_Generation(benchmark::State &state)
{
    auto form = windowWithBoard(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // Keep the board busy: a dying board paints no differently, but a
        // steady third alive is the fair load.
        state.PauseTiming();
        if (state.iterations() % 50 == 0)
            randomBoard(form->life());
        state.ResumeTiming();
        form->nextGeneration();
    }
}

// 1,000 generations by hand on a filled board, each a step to take back: what
// the steps hold, and how much the process grew for them.
void BM_HandSteps(benchmark::State &state)
{
    auto form = windowWithBoard(static_cast<int>(state.range(0)));
    const auto residentBytes = [] {
        long pages = 0;
        long resident = 0;
        if (std::FILE *statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
                resident = 0;
            std::fclose(statm);
        }
        return double(resident) * double(sysconf(_SC_PAGESIZE));
    };
    const double before = residentBytes();
    for (auto _ : state)
        for (int n = 0; n < 1000; ++n)
            form->nextGeneration();
    state.counters["steps"] = double(form->history().steps());
    state.counters["history_MB"] = double(form->history().bytes()) / (1 << 20);
    state.counters["resident_growth_MB"] = (residentBytes() - before) / (1 << 20);
}

} // namespace

BENCHMARK(BM_HandSteps)->Arg(150)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Step)->Arg(125)->Arg(150)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SnapshotTake)->Arg(150)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SnapshotRestore)->Arg(150)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintAfterGeneration)->Arg(125)->Arg(150)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Generation)->Arg(125)->Arg(150)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
