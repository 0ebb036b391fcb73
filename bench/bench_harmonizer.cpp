// The harmonizer panes repainting after the user selects another chip on the same card: on each
// demo collection, and on the powder-coating collection borrowing the schemes of a collection
// of about 50,000 chips (the nearest chip is searched there on every row change).
#include "bench/benchfolders.h"
#include "bench/medianclock.h"
#include "core/collectionsettings.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"
#include "harmonizer/colorschemerpolvaronewidget.h"
#include "harmonizer/colorschemerwidget.h"
#include "tools/democollections.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

using namespace Sorven;

namespace {

constexpr int ScaleChips = 50000;
// The schemes pane of the main widget.
const QSize PaneSize {388, 226};

// The collection as the main widget selects it, on a page in the middle of the deck.
QUuid select(const QString &systemId)
{
    const QUuid uuid = Demo::demoCollectionUuid(systemId);
    UserSettings::setLastUsedCollection(uuid);
    DB::loadNameOrders(uuid);
    CollectionSettings::setCurrentCollection(uuid);
    DB::ColorPage first;
    DB::ColorPage last;
    DB::loadAdjacentPage(uuid, 0, false, MoodAll, false, first);
    DB::loadAdjacentPage(uuid, first.pageIndex, true, MoodAll, false, last);
    UserSettings::setPageIndex(uuid, (first.pageIndex + last.pageIndex) / 2);
    UserSettings::setRowIndex(uuid, 1);
    UserSettings::setSchemeKind(uuid, CollectionSettings::schemes(uuid).value(0, HarmonicScheme));
    return uuid;
}

// Alternates between the first two chips of the card: the row is stored as the main widget
// stores it, then the pane paints; only the paint is timed.
template<typename Pane>
void rowChangeToRepainted(benchmark::State &state, const QString &systemId)
{
    const QUuid uuid = select(systemId);
    Pane pane;
    pane.resize(PaneSize);
    pane.selectedCollectionChanged(uuid);
    QImage image(PaneSize, QImage::Format_ARGB32_Premultiplied);
    pane.render(&image);
    int row = 1;
    // Storing the row is the main widget's part, measured with the card roller.
    measureMedian(
        state,
        [&] {
            row = row == 1 ? 2 : 1;
            UserSettings::setRowIndex(uuid, row);
        },
        [&] { pane.render(&image); });
}

void registerBenchmarks()
{
    for (const char *systemId : {"VXI", "VXA", "VXE"})
        benchmark::RegisterBenchmark((std::string("schemer/") + systemId).c_str(),
                                     rowChangeToRepainted<ColorSchemerWidget>,
                                     QString::fromLatin1(systemId))
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("powderSchemer/PLV",
                                 rowChangeToRepainted<ColorSchemerPolvaroneWidget>,
                                 QStringLiteral("PLV"))
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    // The powder-coating collection has no schemes of its own: the colour schemer borrows
    // those of the large collection, the last one installed.
    benchmark::RegisterBenchmark("schemer/PLV-borrowing-50000",
                                 rowChangeToRepainted<ColorSchemerWidget>, QStringLiteral("PLV"))
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir root;
    useBenchmarkFolders(root);
    QApplication application(argc, argv);
    const QString error = writeBenchmarkCollections(root, ScaleChips);
    if (!error.isEmpty() || DB::ensureCollectionsEnumerated() < 0) {
        std::fprintf(stderr, "cannot build the demo collections: %s\n", qPrintable(error));
        return 1;
    }
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
