// From the host's load command to the palette shown, on the demo data and on twenty database
// files with a collection of about 50,000 chips.
#include "bench/benchfolders.h"
#include "bench/moduleload.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void loadOnTheDemoData(benchmark::State &state)
{
    static QTemporaryDir root;
    static const QString data = writeModuleData(root, 0);
    loadModuleUntilShown(state, data);
}

void loadOnTwentyFilesAndFiftyThousandChips(benchmark::State &state)
{
    static QTemporaryDir root;
    static const QString data = writeModuleData(root, 50000);
    loadModuleUntilShown(state, data);
}

} // namespace

BENCHMARK(loadOnTheDemoData)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3);
BENCHMARK(loadOnTwentyFilesAndFiftyThousandChips)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3);

int main(int argc, char *argv[])
{
    const QTemporaryDir settings;
    useBenchmarkFolders(settings);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
