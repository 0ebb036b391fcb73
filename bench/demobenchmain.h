#pragma once

#include "bench/benchfolders.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

// The main of a benchmark that reads the demo collections below root in a GUI application.
inline int runOnDemoCollections(int argc, char **argv, const QTemporaryDir &root)
{
    useBenchmarkFolders(root);
    QGuiApplication application(argc, argv);
    if (const QString error = writeBenchmarkCollections(root, 0); !error.isEmpty()) {
        std::fprintf(stderr, "cannot build the demo collections: %s\n", qPrintable(error));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
