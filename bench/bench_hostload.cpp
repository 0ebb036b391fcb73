// From the host's load command to the palette shown: mapping the module, its initialisation
// message with the collection discovery, and the palette window with every widget.
#include "benchfolders.h"
#include "tools/democollections.h"

#include <rxregsvc.h>
#include <windows.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

using EntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void *);

bool paletteShown()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (widget->objectName() == QLatin1String("MainWidget"))
            return widget->isVisible();
    }
    return false;
}

// Loads and unloads the module on the data below root; only the load is timed.
void loadUntilShown(benchmark::State &state, const QString &root)
{
    qputenv("VEXA_COMMON_APPDATA", QFile::encodeName(root));
    int packet = 0;
    for (auto _ : state) {
        const HMODULE module = LoadLibraryA(VEXA_MODULE_PATH);
        const auto entryPoint
            = reinterpret_cast<EntryPoint>(GetProcAddress(module, "acrxEntryPoint"));
        if (!entryPoint || entryPoint(AcRx::kInitAppMsg, &packet) != AcRx::kRetOK
            || !paletteShown()) {
            state.SkipWithError("the palette did not show");
            break;
        }
        state.PauseTiming();
        entryPoint(AcRx::kUnloadAppMsg, &packet);
        FreeLibrary(module);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

QString writeDemo(QTemporaryDir &root, int scaleChips)
{
    if (const QString error = writeBenchmarkCollections(root, scaleChips); !error.isEmpty())
        qFatal("%s", qPrintable(error));
    // Copies of the demo collections fill the folder up to twenty files.
    if (scaleChips > 0) {
        const QDir folder(Sorven::Demo::demoDatabaseFolder(root.path()));
        const QStringList files = folder.entryList({QStringLiteral("*.db")});
        for (int copy = int(files.size()); copy < 20; ++copy)
            QFile::copy(folder.filePath(files.at(copy % files.size())),
                        folder.filePath(QStringLiteral("copy%1.db").arg(copy)));
    }
    return root.path();
}

void loadOnTheDemoData(benchmark::State &state)
{
    static QTemporaryDir root;
    static const QString data = writeDemo(root, 0);
    loadUntilShown(state, data);
}

void loadOnTwentyFilesAndFiftyThousandChips(benchmark::State &state)
{
    static QTemporaryDir root;
    static const QString data = writeDemo(root, 50000);
    loadUntilShown(state, data);
}

} // namespace

BENCHMARK(loadOnTheDemoData)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3);
BENCHMARK(loadOnTwentyFilesAndFiftyThousandChips)
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
