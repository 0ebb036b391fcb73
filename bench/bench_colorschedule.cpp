// The colour schedule of a full My Palette, 24 chips of the demo collections: gathering the
// chips' data and making the PDF, and the same written to a file as the button does.
#include "bench/demobenchmain.h"
#include "bench/medianclock.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "palette/colorschedule.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir &root()
{
    static QTemporaryDir folder;
    return folder;
}

// The first 24 chips of the first collection, page by page.
Sorven::PaletteModel fullPalette()
{
    Sorven::PaletteModel palette;
    palette.setDescription(QStringLiteral("Harbour evening, ground floor"));
    const QUuid collection = Sorven::DB::availableCollections().value(0);
    const QList<QPoint> cells = Sorven::PaletteModel::cells();
    qsizetype filled = 0;
    for (int pageIndex = 1; filled < cells.size() && pageIndex < 100; ++pageIndex) {
        Sorven::DB::ColorPage page;
        Sorven::DB::loadPage(collection, pageIndex, page);
        for (const Sorven::DB::ColorEntry &chip : std::as_const(page.entries)) {
            if (filled < cells.size())
                palette.setEntry(cells.at(filled++), {collection, chip.pageId, chip.id});
        }
    }
    return palette;
}

void schedule24Chips(benchmark::State &state)
{
    const Sorven::PaletteModel palette = fullPalette();
    if (palette.filledCells().size() != 24) {
        state.SkipWithError("the demo collection has no 24 chips to schedule");
        return;
    }
    measureMedian(state, [&] {
        const Sorven::ColorSchedule schedule(palette, Sorven::DB::availableCollections().value(0));
        benchmark::DoNotOptimize(
            schedule.pdf(QDate::currentDate(), Sorven::ColorSchedule::pageSizeFor(QLocale())));
    });
}

void schedule24ChipsSaved(benchmark::State &state)
{
    const Sorven::PaletteModel palette = fullPalette();
    const QString path = QDir(root().path()).filePath(QStringLiteral("schedule.pdf"));
    measureMedian(state, [&] {
        const Sorven::ColorSchedule schedule(palette, Sorven::DB::availableCollections().value(0));
        if (!schedule.save(path))
            state.SkipWithError("the schedule could not be written");
    });
}

BENCHMARK(schedule24Chips)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);
BENCHMARK(schedule24ChipsSaved)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

} // namespace

int main(int argc, char **argv)
{
    return runOnDemoCollections(argc, argv, root());
}
