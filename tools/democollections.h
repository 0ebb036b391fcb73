#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

// The demo collection databases: the data a user of the palette sees on first start.
namespace Sorven::Demo {

struct DemoOptions
{
    // Chips of an additional large collection for benchmarks; 0 for none.
    int scaleChips = 0;
};

struct DemoCollectionSummary
{
    QString fileName;
    QString name;
    QString systemId;
    QUuid uuid;
    int pages = 0;
    int chips = 0;
};

struct DemoBuildResult
{
    // Empty on success.
    QString error;
    QList<DemoCollectionSummary> collections;
    // Absolute paths of the database files written.
    QStringList files;
};

// The range of --scale: every segment needs a few pages, and a million chips already make a
// database of several gigabytes.
inline constexpr int MinimumScaleChips = 100;
inline constexpr int MaximumScaleChips = 1000000;

// The folder below outputRoot (the machine-wide data folder) that holds the databases.
QString demoDatabaseFolder(const QString &outputRoot);
// The identifier of the demo collection with the given system ID; the same on every build.
QUuid demoCollectionUuid(const QString &systemId);

// Writes the demo databases below outputRoot, replacing earlier ones, and the capture
// device's sample measurement below outputRoot. A file is either written completely or not
// at all.
DemoBuildResult buildDemoCollections(const QString &outputRoot, const DemoOptions &options);

} // namespace Sorven::Demo
