// Whole interactions on the real main widget, offscreen, with twenty database files and a
// generated collection of about 50,000 chips (VEXA_BENCH_CHIPS chooses another size): from the
// user's input to the repainted palette. Each reports its median and 95th percentile.
#include "bench/benchfolders.h"
#include "bench/medianclock.h"
#include "bench/moduleload.h"
#include "core/collectionsettings.h"
#include "core/mainwidget.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"
#include "palette/colorchipdnd.h"
#include "palette/mypalettewidget.h"
#include "tools/democollections.h"
#include "widgets/cardrollerwidget.h"
#include "widgets/collectionselectwidget.h"
#include "widgets/colorwheelwidget.h"
#include "widgets/searchwidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace Sorven;

namespace {

QString dataRoot;

QUuid benchmarkCollection()
{
    return Demo::demoCollectionUuid(QStringLiteral("BENCH"));
}

QUuid smallCollection()
{
    return Demo::demoCollectionUuid(QStringLiteral("VXA"));
}

// The chips a search and a drop go to: the first row of two pages far apart.
struct Targets
{
    int startPage = 1;
    DB::ColorEntry near;
    DB::ColorEntry far;
};

struct Palette
{
    MainWidget main;
    CollectionSelectWidget *selector = main.findChild<CollectionSelectWidget *>();
    CardRollerWidget *roller = main.findChild<CardRollerWidget *>();
    ColorWheelWidget *wheel = main.findChild<ColorWheelWidget *>();
    SearchWidget *search = main.findChild<SearchWidget *>();
    MyPaletteWidget *myPalette = main.myPalette();
    Targets targets;
};

// Built on first use; it goes before the application does.
std::unique_ptr<Palette> thePalette;

// What the event loop does next with the palette: deliver the posted events, the repaints the
// interaction asked for among them. Timers (the settings' coalesced write) are not run here;
// the settings write benchmark measures that one.
void repaint()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// Work a collection change left for later is finished before the next step is timed, so that
// the steps do not compete for the processor.
void settle()
{
    repaint();
    DB::waitForLaterReads();
    QCoreApplication::processEvents();
}

bool firstRowOfPage(const QUuid &uuid, int pageIndex, DB::ColorEntry &entry)
{
    DB::ColorPage page;
    if (DB::loadPage(uuid, pageIndex, page) != DB::Success || page.entries.isEmpty())
        return false;
    entry = page.entries.first();
    return true;
}

bool findTargets(Targets &targets)
{
    const QUuid uuid = benchmarkCollection();
    DB::ColorPage first;
    DB::ColorPage last;
    if (DB::loadAdjacentPage(uuid, 0, false, MoodAll, false, first) != DB::Success
        || DB::loadAdjacentPage(uuid, first.pageIndex, true, MoodAll, false, last) != DB::Success)
        return false;
    targets.startPage = (first.pageIndex + last.pageIndex) / 2;
    return firstRowOfPage(uuid, targets.startPage, targets.near)
        && firstRowOfPage(uuid, first.pageIndex, targets.far);
}

// The palette on the benchmark collection, in the middle of its deck, built on first use.
Palette &palette()
{
    std::unique_ptr<Palette> &palette = thePalette;
    if (palette)
        return *palette;
    const QUuid uuid = benchmarkCollection();
    DB::ensureCollectionsEnumerated();
    UserSettings::setLastUsedCollection(uuid);
    DB::loadNameOrders(uuid);
    CollectionSettings::setCurrentCollection(uuid);
    palette = std::make_unique<Palette>();
    if (!findTargets(palette->targets))
        qFatal("cannot read the benchmark collection");
    DB::ColorPage middle;
    DB::loadPage(uuid, palette->targets.startPage, middle);
    UserSettings::setSegmentIndex(uuid, middle.segment);
    UserSettings::setPageIndex(uuid, middle.pageIndex);
    UserSettings::setRowIndex(uuid, 1);
    palette->main.show();
    settle();
    return *palette;
}

void click(QWidget *widget, const QPoint &pos)
{
    const QPointF global = widget->mapToGlobal(QPointF(pos));
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void moduleLoadToPaletteShown(benchmark::State &state)
{
    loadModuleUntilShown(state, dataRoot);
}

// From the selector's signal, switching from a small collection to the large one, until done
// returns.
void switchToTheLargeCollection(benchmark::State &state, void (*done)())
{
    Palette &p = palette();
    measureMedian(
        state,
        [&] {
            emit p.selector->collectionSelectedInteractively(smallCollection());
            settle();
        },
        [&] {
            emit p.selector->collectionSelectedInteractively(benchmarkCollection());
            done();
        });
    settle();
}

// To the repainted palette; search and colour matching wait for the work still running.
void collectionSwitch(benchmark::State &state)
{
    switchToTheLargeCollection(state, repaint);
}

// Until the work left for later (search completion, colour table) is done too. rss_mb is the
// resident memory then, with the palette on the large collection.
void collectionSwitchWithDeferredWork(benchmark::State &state)
{
    switchToTheLargeCollection(state, settle);
    state.counters["rss_mb"] = residentMegabytes();
}

// Back to the large collection, its reads done, after three others were shown: what was kept
// of it may have gone to make room for them.
void returnAfterThreeOtherCollections(benchmark::State &state)
{
    Palette &p = palette();
    measureMedian(
        state,
        [&] {
            for (const char *other : {"VXA", "VXE", "PLV"}) {
                emit p.selector->collectionSelectedInteractively(
                    Demo::demoCollectionUuid(QLatin1String(other)));
                settle();
            }
        },
        [&] {
            emit p.selector->collectionSelectedInteractively(benchmarkCollection());
            settle();
        });
    state.counters["rss_mb"] = residentMegabytes();
}

// Alternates between two rows of the current card, so every click selects another row.
void currentCardChipClick(benchmark::State &state)
{
    Palette &p = palette();
    int position = 0;
    measureMedian(state, [&] {
        position = 1 - position;
        click(p.roller, p.roller->indexRect({CardRollerWidget::CurrentCard, position}).center());
        repaint();
    });
}

// A chip of the next card: the deck rolls one page forward each time, onto pages not shown
// before, as when a user rolls through the deck (rolling back would find them remembered).
void sideCardClick(benchmark::State &state)
{
    Palette &p = palette();
    measureMedian(state, [&] {
        click(p.roller, p.roller->indexRect({CardRollerWidget::NextCard, 0}).center());
        repaint();
    });
}

// One notch of the mouse wheel over the colour wheel, always the same way round, so each step
// goes to the next hue segment as when a user turns the wheel.
void colorWheelStep(benchmark::State &state)
{
    Palette &p = palette();
    measureMedian(state, [&] {
        const QPointF centre = QRectF(p.wheel->rect()).center();
        QWheelEvent wheel(centre, p.wheel->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(p.wheel, &wheel);
        repaint();
    });
}

// The code of a chip on another page typed, then Return: the search moves the palette there.
void searchReturnFindsChip(benchmark::State &state)
{
    Palette &p = palette();
    QLineEdit *edit = p.search->phraseEdit();
    bool far = false;
    measureMedian(
        state,
        [&] {
            far = !far;
            edit->setText((far ? p.targets.far : p.targets.near).code);
        },
        [&] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(edit, &press);
            repaint();
        });
}

void dragTo(QWidget *widget, const QPoint &pos, const QMimeData &data)
{
    QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    QDragMoveEvent move(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QDropEvent drop(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
}

// A chip of the card roller dropped on a cell of My Palette, alternately two chips.
void chipDroppedOnMyPalette(benchmark::State &state)
{
    Palette &p = palette();
    const QPoint cell = p.myPalette->cellRect(QPoint(1, 1)).center();
    bool far = false;
    QMimeData data;
    measureMedian(
        state,
        [&] {
            far = !far;
            const DB::ColorEntry &chip = far ? p.targets.far : p.targets.near;
            data.setData(ColorChipDndMimeType,
                         colorChipDndRecord(CardRollerDndSource, benchmarkCollection(), chip.id));
        },
        [&] {
            dragTo(p.myPalette, cell, data);
            repaint();
        });
}

// The settings' coalesced write of the navigation keys, which runs on a timer after clicks.
void navigationSettingsWrite(benchmark::State &state)
{
    const QUuid uuid = benchmarkCollection();
    int row = 1;
    measureMedian(state, [&] {
        row = row == 1 ? 2 : 1;
        UserSettings::setRowIndex(uuid, row);
        UserSettings::sync();
    });
}

void timed(benchmark::internal::Benchmark *benchmark)
{
    benchmark->UseManualTime()->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(moduleLoadToPaletteShown)->Apply(timed)->Iterations(20);
BENCHMARK(collectionSwitch)->Apply(timed)->Iterations(20);
BENCHMARK(collectionSwitchWithDeferredWork)->Apply(timed)->Iterations(10);
BENCHMARK(returnAfterThreeOtherCollections)->Apply(timed)->Iterations(10);
BENCHMARK(currentCardChipClick)->Apply(timed)->Iterations(200);
BENCHMARK(sideCardClick)->Apply(timed)->Iterations(200);
BENCHMARK(colorWheelStep)->Apply(timed)->Iterations(200);
BENCHMARK(searchReturnFindsChip)->Apply(timed)->Iterations(100);
BENCHMARK(chipDroppedOnMyPalette)->Apply(timed)->Iterations(200);
BENCHMARK(navigationSettingsWrite)->Apply(timed)->Iterations(200);

int main(int argc, char **argv)
{
    QTemporaryDir root;
    useBenchmarkFolders(root);
    QApplication application(argc, argv);
    const int chips = qEnvironmentVariableIsSet("VEXA_BENCH_CHIPS")
        ? qEnvironmentVariableIntValue("VEXA_BENCH_CHIPS")
        : 50000;
    dataRoot = writeModuleData(root, chips);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    thePalette.reset();
    return 0;
}
