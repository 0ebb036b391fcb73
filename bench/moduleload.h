#pragma once

// From the host's load command to the palette shown: mapping the module, its initialisation
// message with the collection discovery, and the palette window with every widget.
#include "bench/medianclock.h"
#include "tools/democollections.h"

#include <rxregsvc.h>
#include <windows.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

inline bool paletteShown()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (widget->objectName() == QLatin1String("MainWidget"))
            return widget->isVisible();
    }
    return false;
}

// The resident memory of the process in MB, as the kernel reports it; 0 where it does not.
inline double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QRegularExpression vmRss(QStringLiteral("^VmRSS:\\s+(\\d+) kB"),
                                   QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = vmRss.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toDouble() / 1024.0 : 0;
}

// Loads and unloads the module on the data below root; only the load is timed. The resident
// memory with the palette shown is reported as rss_mb.
inline void loadModuleUntilShown(benchmark::State &state, const QString &root)
{
    using EntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void *);
    qputenv("VEXA_COMMON_APPDATA", QFile::encodeName(root));
    int packet = 0;
    HMODULE module = nullptr;
    EntryPoint entryPoint = nullptr;
    bool shown = true;
    const auto unload = [&] {
        if (entryPoint)
            entryPoint(AcRx::kUnloadAppMsg, &packet);
        if (module)
            FreeLibrary(module);
        module = nullptr;
        entryPoint = nullptr;
        QCoreApplication::processEvents();
    };
    measureMedian(state, unload, [&] {
        module = LoadLibraryA(VEXA_MODULE_PATH);
        entryPoint = reinterpret_cast<EntryPoint>(GetProcAddress(module, "acrxEntryPoint"));
        shown = shown && entryPoint && entryPoint(AcRx::kInitAppMsg, &packet) == AcRx::kRetOK
            && paletteShown();
    });
    state.counters["rss_mb"] = residentMegabytes();
    unload();
    if (!shown)
        state.SkipWithError("the palette did not show");
}

// The demo collections, with the benchmark collection of about scaleChips chips and copies of
// the demo files up to twenty database files when scaleChips is not 0; the data root.
inline QString writeModuleData(const QTemporaryDir &root, int scaleChips)
{
    Sorven::Demo::DemoOptions options;
    options.scaleChips = scaleChips;
    if (const QString error = Sorven::Demo::buildDemoCollections(root.path(), options).error;
        !error.isEmpty())
        qFatal("%s", qPrintable(error));
    if (scaleChips > 0) {
        const QDir folder(Sorven::Demo::demoDatabaseFolder(root.path()));
        const QStringList files = folder.entryList({QStringLiteral("*.db")});
        for (int copy = int(files.size()); copy < 20; ++copy)
            QFile::copy(folder.filePath(files.at(copy % files.size())),
                        folder.filePath(QStringLiteral("copy%1.db").arg(copy)));
    }
    return root.path();
}
