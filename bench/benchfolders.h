#pragma once

#include "tools/democollections.h"

#include <QString>
#include <QTemporaryDir>

// Points the machine data folder and the user's settings below root, and the platform at
// offscreen unless one is chosen. Call before the application exists.
inline void useBenchmarkFolders(const QTemporaryDir &root)
{
    qputenv("VEXA_COMMON_APPDATA", root.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root.path() + QStringLiteral("/config")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The demo collections with the benchmark collection of about chips chips; the error text, empty
// on success.
inline QString writeBenchmarkCollections(const QTemporaryDir &root, int chips)
{
    Sorven::Demo::DemoOptions options;
    options.scaleChips = chips;
    return Sorven::Demo::buildDemoCollections(root.path(), options).error;
}
