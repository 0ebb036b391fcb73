// The texture pane on the demo data, on a page with six tiles: a repaint as the user sees it
// after a row change (the tint of every tile follows the selected chip), and the per-pixel
// tinting of six tiles alone, which the pane keeps from repeating for a tint it has drawn.
#include "bench/medianclock.h"
#include "core/collectionsettings.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "palette/texturetint.h"
#include "tools/democollections.h"
#include "widgets/texturesviewport.h"
#include "widgets/textureswidget.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>

using namespace Sorven;

namespace {

// The pane's place in the main widget.
const QSize PaneSize {565, 226};
constexpr int Tiles = 6;

QUuid benchmarkCollection()
{
    return Demo::demoCollectionUuid(QStringLiteral("VXI"));
}

struct Fixture
{
    TexturesWidget pane;
    QImage image;
    int rows = 1;
};

Fixture *fixture = nullptr;

// Walks the rows of the page: each repaint shows another chip's colour.
void repaintAfterRowChange(benchmark::State &state)
{
    const QUuid uuid = benchmarkCollection();
    TexturesViewport *viewport = fixture->pane.texturesViewport();
    int row = 0;
    measureMedian(state, [&] {
        row = row % fixture->rows + 1;
        UserSettings::setRowIndex(uuid, row);
        viewport->render(&fixture->image);
    });
}

void repaintSameChip(benchmark::State &state)
{
    UserSettings::setRowIndex(benchmarkCollection(), 1);
    TexturesViewport *viewport = fixture->pane.texturesViewport();
    measureMedian(state, [&] { viewport->render(&fixture->image); });
}

void tintSixTiles(benchmark::State &state)
{
    QHash<qint64, DB::Texture> textures;
    DB::loadTextures(benchmarkCollection(), textures);
    const QList<TexturesViewport::Placement> &placements
        = fixture->pane.texturesViewport()->placements();
    int hue = 0;
    measureMedian(state, [&] {
        hue = (hue + 7) % 360;
        const QColor tint = QColor::fromHsv(hue, 160, 200);
        for (const TexturesViewport::Placement &placement : placements) {
            const QImage texture = textures.constFind(placement.entry.textureId)->image;
            benchmark::DoNotOptimize(
                tintTexture(texture.copy(QRect(QPoint(0, 0), placement.tile.size())), tint,
                            placement.entry.alpha));
        }
    });
}

BENCHMARK(repaintAfterRowChange)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(repaintSameChip)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(tintSixTiles)->UseManualTime()->Unit(benchmark::kMillisecond);

// The first page of the collection that shows six tiles; its chip count.
int selectPageWithSixTiles(TexturesWidget &pane)
{
    const QUuid uuid = benchmarkCollection();
    UserSettings::setLastUsedCollection(uuid);
    CollectionSettings::setCurrentCollection(uuid);
    pane.selectedCollectionChanged(uuid);
    DB::ColorPage page;
    int pageIndex = 0;
    while (DB::loadAdjacentPage(uuid, pageIndex, false, MoodAll, false, page) == DB::Success
           && page.pageIndex > pageIndex) {
        pageIndex = page.pageIndex;
        UserSettings::setPageIndex(uuid, pageIndex);
        pane.selectedPageChanged();
        if (pane.texturesViewport()->placements().size() == Tiles)
            return int(page.entries.size());
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir root;
    qputenv("VEXA_COMMON_APPDATA", root.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root.path() + QStringLiteral("/config")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const Demo::DemoBuildResult built = Demo::buildDemoCollections(root.path(), {});
    if (!built.error.isEmpty() || DB::connectCollection(benchmarkCollection()) != DB::Success) {
        std::fprintf(stderr, "cannot build the demo collections: %s\n", qPrintable(built.error));
        return 1;
    }
    Fixture instance;
    fixture = &instance;
    instance.pane.resize(PaneSize);
    instance.pane.show();
    instance.rows = selectPageWithSixTiles(instance.pane);
    if (instance.rows == 0) {
        std::fprintf(stderr, "no page with %d textures\n", Tiles);
        return 1;
    }
    instance.image
        = QImage(instance.pane.texturesViewport()->size(), QImage::Format_ARGB32_Premultiplied);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
