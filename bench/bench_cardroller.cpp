// The card roller on a collection of about 50,000 chips: a full repaint, and a click on a chip
// through the main widget's answer (the stored position) to the repaint it causes. Every paint
// reads three pages and the navigation values again, so this is the cost a user feels.
#include "bench/benchfolders.h"
#include "bench/medianclock.h"
#include "core/collectionsettings.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"
#include "palette/collectioncolortable.h"
#include "tools/democollections.h"
#include "widgets/cardrollerwidget.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace Sorven;

namespace {

constexpr int ScaleChips = 50000;
// About the roller's place in the main widget.
const QSize RollerSize {380, 330};

QUuid benchmarkCollection()
{
    return Demo::demoCollectionUuid(QStringLiteral("BENCH"));
}

// What the main widget does with the roller's signals: store the new position and ask for one
// repaint, which the event loop would coalesce.
class MainWidgetStandIn : public QObject
{
public:
    explicit MainWidgetStandIn(CardRollerWidget &roller) : m_roller(roller)
    {
        connect(&roller, &CardRollerWidget::roll, this, &MainWidgetStandIn::rollCards);
        connect(&roller, &CardRollerWidget::rowChangedInteractively, this, [this](int row) {
            UserSettings::setRowIndex(benchmarkCollection(), row);
            m_dirty = true;
        });
    }

    void repaintIfAsked(QImage &image)
    {
        if (m_dirty)
            m_roller.render(&image);
        m_dirty = false;
    }

private:
    void rollCards(Direction dir)
    {
        const QUuid uuid = benchmarkCollection();
        DB::ColorPage page;
        if (DB::loadAdjacentPage(uuid, UserSettings::pageIndex(uuid), dir == Backward,
                                 UserSettings::moodFilter(uuid), UserSettings::exteriorColors(uuid),
                                 page)
            != DB::Success)
            return;
        if (page.segment != UserSettings::segmentIndex(uuid))
            UserSettings::setSegmentIndex(uuid, page.segment);
        UserSettings::setPageIndex(uuid, page.pageIndex);
        m_dirty = true;
    }

    CardRollerWidget &m_roller;
    bool m_dirty = false;
};

struct Fixture
{
    CardRollerWidget roller;
    QImage image {RollerSize, QImage::Format_ARGB32_Premultiplied};
    int startPage = 1;
};

Fixture *fixture = nullptr;

void click(CardRollerWidget &roller, const QPoint &pos)
{
    const QPointF global = roller.mapToGlobal(QPointF(pos));
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&roller, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&roller, &release);
}

QPoint chipCentre(const CardRollerWidget &roller, int slot, int position)
{
    return roller.indexRect({slot, position}).center();
}

void fullRepaint(benchmark::State &state)
{
    UserSettings::setPageIndex(benchmarkCollection(), fixture->startPage);
    measureMedian(state, [] { fixture->roller.render(&fixture->image); });
}

// Alternates between two rows of the current card, so every click selects another row.
void clickCurrentCardToRepainted(benchmark::State &state)
{
    const QUuid uuid = benchmarkCollection();
    UserSettings::setPageIndex(uuid, fixture->startPage);
    CardRollerWidget &roller = fixture->roller;
    MainWidgetStandIn main(roller);
    roller.render(&fixture->image);
    int position = 0;
    measureMedian(state, [&] {
        position = position == 0 ? 1 : 0;
        click(roller, chipCentre(roller, CardRollerWidget::CurrentCard, position));
        main.repaintIfAsked(fixture->image);
    });
}

// A chip of the next card: the deck rolls one page and the row is selected on it.
void clickSideCardToRepainted(benchmark::State &state)
{
    const QUuid uuid = benchmarkCollection();
    UserSettings::setPageIndex(uuid, fixture->startPage);
    CardRollerWidget &roller = fixture->roller;
    MainWidgetStandIn main(roller);
    roller.render(&fixture->image);
    int position = 0;
    measureMedian(state, [&] {
        position = position == 0 ? 1 : 0;
        click(roller, chipCentre(roller, CardRollerWidget::NextCard, position));
        main.repaintIfAsked(fixture->image);
    });
}

// The main widget's part of a click alone: the settings store writes the row through to disk.
void storeRowIndex(benchmark::State &state)
{
    const QUuid uuid = benchmarkCollection();
    int row = 1;
    measureMedian(state, [&] {
        row = row == 1 ? 2 : 1;
        UserSettings::setRowIndex(uuid, row);
    });
}

BENCHMARK(fullRepaint)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(clickCurrentCardToRepainted)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(clickSideCardToRepainted)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(storeRowIndex)->UseManualTime()->Unit(benchmark::kMillisecond);

// The selected collection as the main widget prepares it: name orders, settings cache and
// colour table, then a page in the middle of the deck.
bool selectBenchmarkCollection(int &startPage)
{
    const QUuid uuid = benchmarkCollection();
    if (DB::connectCollection(uuid) != DB::Success)
        return false;
    UserSettings::setLastUsedCollection(uuid);
    DB::loadNameOrders(uuid);
    CollectionSettings::setCurrentCollection(uuid);
    loadCollectionColorTable(uuid);
    DB::ColorPage first;
    DB::ColorPage last;
    if (DB::loadAdjacentPage(uuid, 0, false, MoodAll, false, first) != DB::Success
        || DB::loadAdjacentPage(uuid, first.pageIndex, true, MoodAll, false, last) != DB::Success)
        return false;
    startPage = (first.pageIndex + last.pageIndex) / 2;
    DB::ColorPage middle;
    if (DB::loadPage(uuid, startPage, middle) != DB::Success)
        return false;
    UserSettings::setSegmentIndex(uuid, middle.segment);
    UserSettings::setRowIndex(uuid, 1);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir root;
    useBenchmarkFolders(root);
    QApplication application(argc, argv);
    const QString error = writeBenchmarkCollections(root, ScaleChips);
    int startPage = 0;
    if (!error.isEmpty() || !selectBenchmarkCollection(startPage)) {
        std::fprintf(stderr, "cannot build the benchmark collection: %s\n", qPrintable(error));
        return 1;
    }
    Fixture instance;
    instance.startPage = startPage;
    fixture = &instance;
    instance.roller.resize(RollerSize);
    instance.roller.show();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
