#include "tools/democollections.h"

#include "db/connections.h"
#include "tools/democapsure.h"
#include "tools/democolor.h"
#include "tools/demodatabasewriter.h"
#include "tools/demoimages.h"
#include "tools/demopalette.h"
#include "tools/demosettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QScopeGuard>

#include <filesystem>

namespace Sorven::Demo {

namespace {

const QUuid DemoNamespace("{6f3d2a52-7c1b-4d7e-9a0b-5e6c2f1d8a40}");

const QString InteriorFile = QStringLiteral("vexa-interior.db");
const QString ExteriorFile = QStringLiteral("vexa-exterior.db");
const QString BenchmarkFile = QStringLiteral("vexa-benchmark.db");
// Files in the making carry a suffix the palette does not read.
const QString PartSuffix = QStringLiteral(".part");

using F = DemoFamily;

QStringList tabs(std::initializer_list<const char *> pages)
{
    QStringList list;
    for (const char *page : pages)
        list << QString::fromLatin1(page);
    return list;
}

DemoCollectionPlan interiorSpec(const QString &systemId, const QString &name, int chips)
{
    DemoCollectionPlan plan;
    plan.uuid = demoCollectionUuid(systemId);
    plan.systemId = systemId;
    plan.name = name;
    plan.cardMode = QStringLiteral("ModeCardToCard");
    plan.chipCount = chips;
    // Card-to-card collections show whole pages; their chip pairs need not fill a row.
    plan.schemeRowChips = 2;
    plan.families
        = {F::Offwhite, F::LightNeutral, F::DarkNeutral, F::Pastel, F::Clear, F::Medium, F::Bright,
           F::Vivid,    F::Muted,        F::Dusty,       F::Earthy, F::Rich,  F::Deep};
    plan.exteriorFamilies = {F::Offwhite, F::DarkNeutral, F::Muted, F::Earthy, F::Deep};
    plan.tabOrder
        = tabs({"PageOfColorSchemes", "PageOfTrendora", "PageOfTextures", "PageOfProducts"});
    return plan;
}

QList<DemoCollectionPlan> defaultSpecs()
{
    DemoCollectionPlan interior
        = interiorSpec(QStringLiteral("VXI"), QStringLiteral("Vexa Interior Colours"), 1000);
    interior.fileName = InteriorFile;
    interior.codePrefix = QStringLiteral("VX");
    interior.capsurePriority = 1;
    interior.seed = 1001;

    DemoCollectionPlan accent;
    accent.uuid = demoCollectionUuid(QStringLiteral("VXA"));
    accent.systemId = QStringLiteral("VXA");
    accent.name = QStringLiteral("Vexa Accent Colours");
    accent.fileName = InteriorFile;
    accent.codePrefix = QStringLiteral("VA");
    accent.order = 3;
    accent.cardMode = QStringLiteral("ModeColorToColor");
    accent.chipCount = 540;
    accent.schemeRowChips = 5;
    accent.maxChipsOnAPage = 5;
    accent.families
        = {F::Offwhite, F::LightNeutral, F::DarkNeutral, F::Clear, F::Bright, F::Vivid, F::Rich};
    accent.exteriorFamilies = {F::DarkNeutral, F::Rich};
    accent.capsurePriority = 3;
    accent.listsProducts = false;
    accent.tabOrder
        = tabs({"PageOfColorSchemes", "PageOfProducts", "PageOfTextures", "PageOfTrendora"});
    accent.seed = 3003;

    DemoCollectionPlan exterior;
    exterior.uuid = demoCollectionUuid(QStringLiteral("VXE"));
    exterior.systemId = QStringLiteral("VXE");
    exterior.name = QStringLiteral("Vexa Exterior Colours");
    exterior.fileName = ExteriorFile;
    exterior.codePrefix = QStringLiteral("VE");
    exterior.order = 2;
    exterior.surface = DemoSurface::Exterior;
    exterior.cardMode = QStringLiteral("ModeColorToCard");
    exterior.chipCount = 672;
    exterior.minPageChips = 7;
    exterior.maxPageChips = 7;
    exterior.maxChipsOnAPage = 7;
    exterior.families = {F::Offwhite, F::LightNeutral, F::DarkNeutral, F::Muted,
                         F::Dusty,    F::Earthy,       F::Medium,      F::Deep};
    exterior.exteriorFamilies = exterior.families;
    exterior.capsurePriority = 2;
    exterior.tabOrder
        = tabs({"PageOfColorSchemes", "PageOfTextures", "PageOfProducts", "PageOfTrendora"});
    exterior.seed = 2002;

    DemoCollectionPlan powder;
    powder.uuid = demoCollectionUuid(QStringLiteral("PLV"));
    powder.systemId = QStringLiteral("PLV");
    powder.name = QStringLiteral("Polvaron Powder Coatings");
    powder.fileName = ExteriorFile;
    powder.codePrefix = QStringLiteral("PV");
    powder.order = 4;
    powder.cardType = DemoCardType::Polvaron;
    powder.surface = DemoSurface::Powder;
    powder.cardMode = QStringLiteral("ModeColorToColor");
    powder.chipCount = 480;
    powder.minPageChips = 8;
    powder.maxPageChips = 8;
    powder.schemeRowChips = 1;
    powder.maxChipsOnAPage = 8;
    powder.families = {F::LightNeutral, F::DarkNeutral, F::Clear, F::Vivid, F::Deep};
    powder.exteriorFamilies = powder.families;
    powder.madeToOrderShare = 0.3;
    powder.capsurePriority = 4;
    powder.tabOrder
        = tabs({"PageOfColorSchemes", "PageOfProducts", "PageOfTextures", "PageOfTrendora"});
    powder.seed = 4004;

    return {interior, accent, exterior, powder};
}

DemoCollectionPlan scaleSpec(int chips)
{
    DemoCollectionPlan plan = interiorSpec(QStringLiteral("BENCH"),
                                           QStringLiteral("Vexa Benchmark (%1)").arg(chips), chips);
    plan.fileName = BenchmarkFile;
    plan.codePrefix = QStringLiteral("BX");
    plan.order = 90;
    plan.capsurePriority = 9;
    plan.seed = 9009;
    return plan;
}

DemoThemeLook lookOf(const DemoCollection &collection)
{
    DemoThemeLook look;
    look.title = collection.plan.name;
    const QString count = QLocale(QLocale::English).toString(collection.chipCount());
    look.subtitle = collection.plan.cardType == DemoCardType::Polvaron
        ? QStringLiteral("Powder coatings · %1 colours").arg(count)
        : QStringLiteral("%1 colours on %2 cards").arg(count).arg(collection.pages.size());
    for (int segment : {1, 2, 3, 5, 8, 10}) {
        const DemoPage &page
            = collection.pages[collection.pageNumber(segment, collection.pagesPerSegment / 2)];
        look.accents << page.chips[page.chips.size() / 2].color;
    }
    return look;
}

DemoAssets drawAssets()
{
    DemoAssets assets;
    assets.themeImages = sharedThemeImages();
    DemoThemeLook look {
        QStringLiteral("Vexa Colour Collections"), QStringLiteral("Colour for every surface"), {}};
    for (int segment : {1, 2, 3, 5, 8, 10})
        look.accents << wheelColor(segment);
    assets.systemWideImages = assets.themeImages;
    assets.systemWideImages.insert(collectionThemeImages(look));
    for (const QList<DemoTexture> &list :
         {sharedTextures(), exteriorTextures(), powderTextures()}) {
        for (const DemoTexture &texture : list)
            assets.textures.insert(texture.kind,
                                   pngBytes(textureImage(texture.kind, QSize(148, 96))));
    }
    return assets;
}

// One chip of a collection that the capture device "measured".
DemoChip measuredChip(const DemoCollection &collection, int ordinal)
{
    for (const DemoPage &page : collection.pages) {
        if (ordinal < page.firstChip + page.chips.size())
            return page.chips[ordinal - page.firstChip];
    }
    return collection.pages.last().chips.last();
}

// Puts the finished file in place of an earlier one in one step, so that a failure leaves the
// earlier file as it was.
bool replaceFile(const QString &from, const QString &to, QString &error)
{
    std::error_code code;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), code);
    if (code)
        error
            = QStringLiteral("cannot write %1: %2").arg(to, QString::fromStdString(code.message()));
    return !code;
}

// Writes one database file with its collections, under a name the palette does not read until
// the file is complete.
bool writeDatabaseFile(const QString &path, const QList<DemoCollectionPlan> &specs,
                       const DemoAssets &assets, DemoBuildResult &result, QList<DemoChip> &measured)
{
    const QString part = path + PartSuffix;
    const auto discard = qScopeGuard([&part] { QFile::remove(part); });
    DemoDatabaseWriter writer(part);
    if (!writer.open() || !writer.writeSystemWide(assets)) {
        result.error = writer.errorText();
        return false;
    }
    const QString fileName = QFileInfo(path).fileName();
    for (const DemoCollectionPlan &plan : specs) {
        if (plan.fileName != fileName)
            continue;
        const DemoCollection collection = generateCollection(plan);
        if (!writer.writeCollection(collection, assets,
                                    collectionThemeImages(lookOf(collection)))) {
            result.error = writer.errorText();
            return false;
        }
        result.collections << DemoCollectionSummary {fileName,
                                                     plan.name,
                                                     plan.systemId,
                                                     plan.uuid,
                                                     int(collection.pages.size()),
                                                     collection.chipCount()};
        if (plan.fileName != BenchmarkFile)
            measured << measuredChip(collection, collection.chipCount() / 3);
    }
    if (!writer.finish()) {
        result.error = writer.errorText();
        return false;
    }
    if (!replaceFile(part, path, result.error))
        return false;
    result.files << path;
    return true;
}

} // namespace

QString demoDatabaseFolder(const QString &outputRoot)
{
    const QString dataPath
        = QDir(outputRoot).filePath(QStringLiteral("Orvo Kalin/Vexa Plugin/SQLite"));
    return QDir::fromNativeSeparators(DB::collectionDatabaseFolder(dataPath));
}

QUuid demoCollectionUuid(const QString &systemId)
{
    return QUuid::createUuidV5(DemoNamespace, systemId);
}

DemoBuildResult buildDemoCollections(const QString &outputRoot, const DemoOptions &options)
{
    DemoBuildResult result;
    if (options.scaleChips != 0
        && (options.scaleChips < MinimumScaleChips || options.scaleChips > MaximumScaleChips)) {
        result.error = QStringLiteral("--scale takes %1 to %2 chips")
                           .arg(MinimumScaleChips)
                           .arg(MaximumScaleChips);
        return result;
    }
    const QString folder = demoDatabaseFolder(outputRoot);
    if (!QDir().mkpath(folder)) {
        result.error = QStringLiteral("cannot create %1").arg(folder);
        return result;
    }
    QList<DemoCollectionPlan> specs = defaultSpecs();
    if (options.scaleChips > 0)
        specs << scaleSpec(options.scaleChips);

    const DemoAssets assets = drawAssets();
    QList<DemoChip> measured;
    QStringList fileNames;
    for (const DemoCollectionPlan &plan : specs) {
        if (!fileNames.contains(plan.fileName))
            fileNames << plan.fileName;
    }
    for (const QString &fileName : fileNames) {
        if (!writeDatabaseFile(QDir(folder).filePath(fileName), specs, assets, result, measured))
            return result;
    }
    // The folder shows what the last build asked for: no benchmark collection left from before.
    const QString benchmark = QDir(folder).filePath(BenchmarkFile);
    if (options.scaleChips == 0 && QFile::exists(benchmark) && !QFile::remove(benchmark))
        result.error = QStringLiteral("cannot remove %1").arg(benchmark);
    const QString capsure
        = QDir(outputRoot).filePath(capsureFolderName() + QLatin1Char('/') + capsureFileName());
    if (result.error.isEmpty())
        writeCapsureSample(capsure, measured, result.error);
    return result;
}

} // namespace Sorven::Demo
