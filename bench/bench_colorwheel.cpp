// One mouse-wheel step on the colour wheel of the palette surface, on a collection of about
// 50,000 chips: the wheel asks for the next segment with a page under the filters, the main
// widget stores it, finds the segment's first page and stores that, and the wheel and the card
// roller paint again. The step alternates towards and away from the user.
#include "bench/benchfolders.h"
#include "bench/medianclock.h"
#include "core/collectionsettings.h"
#include "core/mainwidget.h"
#include "core/usersettings.h"
#include "db/databaselayer.h"
#include "db/search.h"
#include "tools/democollections.h"
#include "widgets/cardrollerwidget.h"
#include "widgets/colorwheelwidget.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace Sorven;

namespace {

constexpr int ScaleChips = 50000;

MainWidget *surface = nullptr;

void turnWheel(ColorWheelWidget &wheel, int delta)
{
    const QPointF pos(60, 61);
    QWheelEvent event(pos, wheel.mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&wheel, &event);
}

void wheelStepToRepainted(benchmark::State &state)
{
    auto *wheel = surface->findChild<ColorWheelWidget *>();
    auto *roller = surface->findChild<CardRollerWidget *>();
    QImage wheelImage(wheel->size(), QImage::Format_ARGB32_Premultiplied);
    QImage rollerImage(roller->size(), QImage::Format_ARGB32_Premultiplied);
    const QUuid uuid = UserSettings::lastUsedCollection();
    int delta = -120;
    measureMedian(state, [&] {
        const int before = UserSettings::segmentIndex(uuid);
        turnWheel(*wheel, delta);
        wheel->render(&wheelImage);
        roller->render(&rollerImage);
        if (UserSettings::segmentIndex(uuid) == before)
            state.SkipWithError("the wheel step changed nothing");
        delta = -delta;
    });
}

BENCHMARK(wheelStepToRepainted)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir root;
    useBenchmarkFolders(root);
    QApplication application(argc, argv);
    const QString error = writeBenchmarkCollections(root, ScaleChips);
    if (!error.isEmpty()
        || DB::initializeDatabaseLayer(QCoreApplication::applicationFilePath(), QString()) != 0) {
        std::fprintf(stderr, "cannot build the benchmark collection: %s\n", qPrintable(error));
        return 1;
    }
    // The palette starts on the last used collection.
    const QUuid uuid = Demo::demoCollectionUuid(QStringLiteral("BENCH"));
    UserSettings::setLastUsedCollection(uuid);
    DB::loadNameOrders(uuid);
    CollectionSettings::setCurrentCollection(uuid);
    UserSettings::setSegmentIndex(uuid, 6);
    MainWidget widget;
    widget.show();
    QCoreApplication::processEvents();
    surface = &widget;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
