#include "tools/demodatabasewriter.h"

#include "db/schema.h"
#include "tools/democolor.h"
#include "tools/demointegerbatch.h"
#include "tools/demoproducts.h"
#include "tools/demoschemes.h"
#include "tools/demosqlbatch.h"
#include "tools/demotexts.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <array>

namespace Sorven::Demo {

namespace {

const QStringList SettingColumns {"COLLECTION_ID", "NAME", "VALUE", "VALUE_INDEX"};
const QStringList LocaleColumns {"COLLECTION_ID", "LOCALE", R"("KEY")", "STRING"};
const QStringList ThemeColumns {"COLLECTION_ID", "ITEM_KEY", "ITEM_DATA"};
const QStringList ProductGroupColumns {"ID", "NAME"};
const QStringList ProductColumns {"ID", "NAME", "PRODUCT_CODE"};
const QStringList ProductGroupMapColumns {"PRODUCT_GROUP_ID", "PRODUCT_ID"};
const QStringList TrendGroupColumns {"ID", "COLLECTION_ID", "NAME", "DEFAULT_OPEN", R"("ORDER")"};
const QStringList TrendEntryColumns {
    "COLLECTION_ID", "FUTURES_GROUP_ID", "ROW_ID", "NAME_1", "NAME_2", "RED", "GREEN",
    "BLUE",          R"("ORDER")"};
const QStringList PageColumns {"ID",       "COLLECTION_ID", "PAGE_INDEX", "SEGMENT", "NAME",
                               "EXTERIOR", "MOOD",          "NAME0",      "EXTRA0"};
const QStringList PageMapColumns {"COLLECTION_ID", "PAGE_ID"};
const QStringList TextureMapColumns {"TEXTURE_ID", "PAGE_ID", "ALPHA", "NAME"};
const QStringList RowColumns {"ID",      "COLLECTION_ID", "PAGE_ID", "ROW_INDEX", "CODE",   "NAME",
                              "SEGMENT", "RED",           "GREEN",   "BLUE",      "L",      "A",
                              "B",       "NEUTRAL",       "WHITE",   "MOOD",      "IS_MTO", "NAME0",
                              "NAME1",   "EXTRA0"};
const QStringList RowNameColumns {"ROW_ID", "NAME_INDEX", "NAME"};
const QStringList RowProductColumns {"COLLECTION_ID", "ROW_ID", "PRODUCT_ID"};
const QStringList RowProductGroupColumns {"COLLECTION_ID", "ROW_ID", "PRODUCT_GROUP_ID"};
const QStringList PageSchemeColumns {"COLLECTION_ID", "PAGE_ID", "SCHEME_PAGE_ID", "SCHEME_ID",
                                     R"("ORDER")"};

constexpr qint64 SystemWide = 0;
const QString FontFaces = QStringLiteral("Liberation Sans,8;Arial,8;DejaVu Sans,8");
const QString SelectorTextColor = QStringLiteral("232,232,232");

QVariant textOrNull(const QString &text)
{
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

// A trend colour of its own, not a chip of a collection.
struct TrendColor
{
    const char *name;
    double lightness;
    double chroma;
    double hue;
};

} // namespace

DemoDatabaseWriter::DemoDatabaseWriter(const QString &path)
    : m_path(path), m_connection(QStringLiteral("vexa-demo:") + path)
{ }

DemoDatabaseWriter::~DemoDatabaseWriter()
{
    if (!m_database.isValid())
        return;
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

// Bulk writing needs no journal: a file that is not finished is thrown away.
const std::array<const char *, 5> WritePragmas {
    "PRAGMA journal_mode = OFF",  "PRAGMA synchronous = OFF",   "PRAGMA locking_mode = EXCLUSIVE",
    "PRAGMA temp_store = MEMORY", "PRAGMA cache_size = -65536",
};

bool DemoDatabaseWriter::open()
{
    if (QFile::exists(m_path) && !QFile::remove(m_path))
        return fail(QStringLiteral("cannot replace the file"));
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_database.setDatabaseName(m_path);
    if (!m_database.open())
        return fail(m_database.lastError().text());
    for (const char *pragma : WritePragmas) {
        if (!exec(pragma))
            return false;
    }
    if (!m_database.transaction())
        return fail(m_database.lastError().text());
    // Indexes follow in finish(): building them over rows already in place is much faster
    // than keeping them up to date row by row.
    for (const QString &statement : DB::schemaStatements()) {
        if (statement.startsWith(QLatin1String("CREATE TABLE")) && !exec(statement))
            return false;
    }
    const QStringList seeds = DB::seedStatements();
    return std::all_of(seeds.cbegin(), seeds.cend(),
                       [this](const QString &seed) { return exec(seed); });
}

bool DemoDatabaseWriter::finish()
{
    for (const QString &statement : DB::schemaStatements()) {
        if (!statement.startsWith(QLatin1String("CREATE TABLE")) && !exec(statement))
            return false;
    }
    if (!m_database.commit())
        return fail(m_database.lastError().text());
    m_database.close();
    return true;
}

const char *const InsertFontFacesSql = "INSERT INTO THEME(COLLECTION_ID, ITEM_KEY, ITEM_DATA) "
                                       "VALUES(?, 'list.of.preferred.font.faces', ?)";

bool DemoDatabaseWriter::writeSystemWide(const DemoAssets &assets)
{
    if (!writeSettings(SystemWide, demoSystemWideSettings())
        || !writeTexts(SystemWide, QStringLiteral("Colour Collections"))
        || !writeTheme(SystemWide, assets.systemWideImages)
        || !exec(InsertFontFacesSql, {SystemWide, FontFaces.toUtf8()}) || !writeProducts()
        || !writeSharedTrends())
        return false;
    const QList<DemoTexture> textures = sharedTextures();
    return std::all_of(textures.cbegin(), textures.cend(),
                       [this, &assets](const DemoTexture &texture) {
                           return writeTexture(SystemWide, texture, assets);
                       });
}

const char *const InsertCollectionSql
    = R"(INSERT INTO COLLECTION(ID, UUID, SYSTEMID, VERSION, NAME, "ORDER") VALUES(?, ?, ?, 1, ?, ?))";

bool DemoDatabaseWriter::writeCollection(const DemoCollection &collection, const DemoAssets &assets,
                                         const QMap<QString, QByteArray> &ownImages)
{
    const DemoCollectionPlan &plan = collection.plan;
    const qint64 collectionId = m_nextCollectionId++;
    if (!exec(InsertCollectionSql,
              {collectionId, plan.uuid.toString(QUuid::WithBraces).toUpper(), plan.systemId,
               plan.name, plan.order}))
        return false;
    const QList<DemoTexture> own = plan.surface == DemoSurface::Exterior ? exteriorTextures()
        : plan.surface == DemoSurface::Powder                            ? powderTextures()
                                                                         : QList<DemoTexture>();
    for (const DemoTexture &texture : own) {
        if (!writeTexture(collectionId, texture, assets))
            return false;
    }
    QMap<QString, QByteArray> images = assets.themeImages;
    images.insert(ownImages);
    m_firstPageId = m_nextPageId;
    m_firstRowId = m_nextRowId;
    m_nextPageId += collection.pages.size();
    m_nextRowId += collection.chipCount();
    return writeSettings(collectionId, demoCollectionSettings(plan))
        && writeTexts(collectionId, plan.name) && writeTheme(collectionId, images)
        && writePages(collectionId, collection) && writeChips(collectionId, collection)
        && writeSchemes(collectionId, collection) && writeTrends(collectionId, collection);
}

bool DemoDatabaseWriter::writeSettings(qint64 collectionId, const QList<DemoSetting> &settings)
{
    DemoSqlBatch batch(m_database, QStringLiteral("SETTING"), SettingColumns);
    for (const DemoSetting &setting : settings)
        batch.add({collectionId, setting.name, setting.value, setting.valueIndex});
    return flush(batch);
}

bool DemoDatabaseWriter::writeTexts(qint64 collectionId, const QString &collectionName)
{
    DemoSqlBatch batch(m_database, QStringLiteral("LOCALE"), LocaleColumns);
    for (const auto &[key, text] : demoLocaleTexts(collectionName))
        batch.add({collectionId, QStringLiteral("en"), key, text});
    return flush(batch);
}

bool DemoDatabaseWriter::writeTheme(qint64 collectionId, const QMap<QString, QByteArray> &images)
{
    DemoSqlBatch batch(m_database, QStringLiteral("THEME"), ThemeColumns);
    for (auto it = images.cbegin(); it != images.cend(); ++it)
        batch.add({collectionId, it.key(), it.value()});
    // Theme items are read as blobs, colours included.
    batch.add({collectionId, QStringLiteral("color.widget.collectionselector.text"),
               SelectorTextColor.toLatin1()});
    return flush(batch);
}

bool DemoDatabaseWriter::writeProducts()
{
    DemoSqlBatch groups(m_database, QStringLiteral("PRODUCT_GROUP"), ProductGroupColumns);
    DemoSqlBatch products(m_database, QStringLiteral("PRODUCT"), ProductColumns);
    DemoSqlBatch map(m_database, QStringLiteral("PRODUCT_PRODUCT_GROUP_MAP"),
                     ProductGroupMapColumns);
    for (const DemoProductGroup &group : demoProductGroups())
        groups.add({group.id, group.name});
    for (const DemoProduct &product : demoProducts()) {
        products.add({product.id, product.name, product.code});
        map.add({product.groupId, product.id});
    }
    return flush(groups, products, map);
}

const char *const InsertTextureSql
    = "INSERT INTO TEXTURE(ID, COLLECTION_ID, NAME, IMAGE, BASE_ALPHA) VALUES(?, ?, ?, ?, 1.0)";

bool DemoDatabaseWriter::writeTexture(qint64 collectionId, const DemoTexture &texture,
                                      const DemoAssets &assets)
{
    const qint64 id = m_nextTextureId++;
    m_textures.insert(texture.kind, {id, texture});
    return exec(InsertTextureSql,
                {id, collectionId, texture.name, assets.textures.value(texture.kind)});
}

bool DemoDatabaseWriter::writeSharedTrends()
{
    const QList<QPair<QString, QList<TrendColor>>> groups {
        {QStringLiteral("2026 · Earth and clay"),
         {{"Terracotta Path", 0.62, 0.11, 45.0},
          {"Sun-baked Clay", 0.72, 0.08, 60.0},
          {"Olive Grove", 0.55, 0.07, 115.0},
          {"Sandstone", 0.84, 0.04, 75.0},
          {"Umber", 0.40, 0.06, 55.0},
          {"Raw Linen", 0.92, 0.02, 85.0}}},
        {QStringLiteral("2026 · Coastal light"),
         {{"Sea Glass", 0.86, 0.05, 180.0},
          {"Harbour Blue", 0.55, 0.09, 240.0},
          {"Driftwood Grey", 0.72, 0.015, 80.0},
          {"Salt Air", 0.95, 0.01, 210.0},
          {"Kelp", 0.45, 0.06, 150.0},
          {"Coral Reef", 0.72, 0.12, 30.0}}},
    };
    DemoSqlBatch groupBatch(m_database, QStringLiteral("FUTURES_GROUP"), TrendGroupColumns);
    DemoSqlBatch entryBatch(m_database, QStringLiteral("FUTURES_ENTRY"), TrendEntryColumns);
    // Shared groups follow the collections' own, which are ordered 1, 2, 3.
    int order = 10;
    for (const auto &[name, colors] : groups) {
        const qint64 groupId = m_nextTrendGroupId++;
        groupBatch.add({groupId, SystemWide, name, 0, order++});
        int entryOrder = 1;
        for (const TrendColor &trend : colors) {
            const QColor color = colorFromOklch(trend.lightness, trend.chroma, trend.hue);
            entryBatch.add({SystemWide, groupId, QVariant(QMetaType::fromType<qint64>()),
                            QString::fromUtf8(trend.name), QStringLiteral("Trend colour"),
                            color.red(), color.green(), color.blue(), entryOrder++});
        }
    }
    return flush(groupBatch, entryBatch);
}

bool DemoDatabaseWriter::writePages(qint64 collectionId, const DemoCollection &collection)
{
    DemoSqlBatch pages(m_database, QStringLiteral("PAGE"), PageColumns);
    DemoIntegerBatch map(m_database, QStringLiteral("COLLECTION_PAGE_MAP"), PageMapColumns);
    DemoSqlBatch textures(m_database, QStringLiteral("TEXTURE_MAP"), TextureMapColumns);
    for (int number = 0; number < collection.pages.size(); ++number) {
        const DemoPage &page = collection.pages[number];
        const qint64 id = pageId(number);
        pages.add({id, collectionId, page.pageIndex, page.segment, page.name, page.exterior ? 1 : 0,
                   page.mood, page.name, page.extra});
        map.add({collectionId, id});
        for (const auto &[textureId, texture] : pageTextures(collection.plan.surface, page))
            textures.add({textureId, id, texture.alpha, texture.name});
    }
    return flush(pages, map, textures);
}

bool DemoDatabaseWriter::writeChips(qint64 collectionId, const DemoCollection &collection)
{
    DemoSqlBatch rows(m_database, QStringLiteral(R"("ROW")"), RowColumns);
    DemoSqlBatch names(m_database, QStringLiteral("ROW_NAME"), RowNameColumns);
    DemoIntegerBatch products(m_database, QStringLiteral("ROW_PRODUCT_MAP"), RowProductColumns);
    DemoIntegerBatch groups(m_database, QStringLiteral("ROW_PRODUCT_GROUP_MAP"),
                            RowProductGroupColumns);
    for (int number = 0; number < collection.pages.size(); ++number) {
        const DemoPage &page = collection.pages[number];
        for (int position = 0; position < page.chips.size(); ++position) {
            const DemoChip &chip = page.chips[position];
            const qint64 id = rowId(collection, number, position);
            rows.add({id,
                      collectionId,
                      pageId(number),
                      chip.rowIndex,
                      chip.code,
                      chip.name,
                      page.segment,
                      chip.color.red(),
                      chip.color.green(),
                      chip.color.blue(),
                      chip.l,
                      chip.a,
                      chip.b,
                      chip.neutral ? 1 : 0,
                      chip.white ? 1 : 0,
                      page.mood,
                      chip.madeToOrder ? 1 : 0,
                      chip.name,
                      textOrNull(chip.secondName),
                      chip.extra});
            names.add({id, 1, chip.name});
            if (!chip.secondName.isEmpty())
                names.add({id, 2, chip.secondName});
            const QList<int> productIds = productsOf(collection.plan.cardType, page, chip);
            for (int product : productIds)
                products.add({collectionId, id, product});
            for (int group : productGroupsOf(productIds))
                groups.add({collectionId, id, group});
        }
    }
    return flush(rows, names, products, groups);
}

// The chips of the collection being written, counted per page, for the scheme runs below.
const char *const CreatePageSizesSql
    = "CREATE TEMP TABLE DEMO_PAGE_SIZE (PAGE_ID integer PRIMARY KEY, CHIPS integer NOT NULL)";
const char *const FillPageSizesSql = R"(INSERT INTO DEMO_PAGE_SIZE
    SELECT PAGE_ID, COUNT(*) FROM "ROW" WHERE COLLECTION_ID = ? GROUP BY PAGE_ID)";
const char *const DropPageSizesSql = "DROP TABLE temp.DEMO_PAGE_SIZE";

// Every chip of a page takes part in its page's schemes with the same pages.
const char *const InsertRowToPageSchemesSql = R"(INSERT INTO ROW_TO_PAGE_SCHEME
    (COLLECTION_ID, ROW_ID, SCHEME_ID, SCHEME_PAGE_ID, "ORDER")
    SELECT R.COLLECTION_ID, R.ID, PS.SCHEME_ID, PS.SCHEME_PAGE_ID, PS."ORDER"
    FROM "ROW" R JOIN PAGE_SCHEME PS ON PS.PAGE_ID = R.PAGE_ID
    WHERE R.COLLECTION_ID = ?)";

// For a chip and a scheme page, the run of at most ? chips of that page whose position matches
// the chip's position on its own page, so that light chips pair with light ones.
const char *const InsertRowSchemesSql = R"(INSERT INTO ROW_SCHEME_MAP
    (COLLECTION_ID, ROW_ID, SCHEME_ID, SCHEME_ROW_ID, PAGE_ORDER, ROW_ORDER)
    SELECT W.COLLECTION_ID, W.ROW_ID, W.SCHEME_ID, T.ID, W.PAGE_ORDER, T.ROW_INDEX - W.FIRST + 1
    FROM (SELECT *, MAX(0, MIN(CENTRE - RUN / 2, TARGET_CHIPS - RUN)) + 1 AS FIRST
          FROM (SELECT R.COLLECTION_ID, R.ID AS ROW_ID, PS.SCHEME_ID, PS.SCHEME_PAGE_ID,
                       PS."ORDER" AS PAGE_ORDER, MIN(?, M.CHIPS) AS RUN, M.CHIPS AS TARGET_CHIPS,
                       CASE WHEN S.CHIPS > 1
                            THEN CAST((R.ROW_INDEX - 1) * (M.CHIPS - 1) * 1.0 / (S.CHIPS - 1) + 0.5
                                      AS INTEGER)
                            ELSE (M.CHIPS - 1) / 2 END AS CENTRE
                FROM "ROW" R
                JOIN PAGE_SCHEME PS ON PS.PAGE_ID = R.PAGE_ID
                JOIN DEMO_PAGE_SIZE S ON S.PAGE_ID = R.PAGE_ID
                JOIN DEMO_PAGE_SIZE M ON M.PAGE_ID = PS.SCHEME_PAGE_ID
                WHERE R.COLLECTION_ID = ?)) W
    JOIN "ROW" T ON T.PAGE_ID = W.SCHEME_PAGE_ID
                AND T.ROW_INDEX BETWEEN W.FIRST AND W.FIRST + W.RUN - 1)";

bool DemoDatabaseWriter::writeSchemes(qint64 collectionId, const DemoCollection &collection)
{
    DemoIntegerBatch pageSchemes(m_database, QStringLiteral("PAGE_SCHEME"), PageSchemeColumns);
    const DemoSchemes schemes(collection);
    for (int number = 0; number < collection.pages.size(); ++number) {
        for (int scheme : schemes.schemesOf(number)) {
            const QList<int> targets = schemes.schemePages(number, scheme);
            for (int order = 0; order < targets.size(); ++order)
                pageSchemes.add(
                    {collectionId, pageId(number), pageId(targets[order]), scheme, order});
        }
    }
    // The chip-level tables follow from the page-level one; the database derives the millions
    // of rows of a benchmark collection far faster than they could be sent to it.
    return flush(pageSchemes) && exec(CreatePageSizesSql) && exec(FillPageSizesSql, {collectionId})
        && exec(InsertRowToPageSchemesSql, {collectionId})
        && exec(InsertRowSchemesSql, {collection.plan.schemeRowChips, collectionId})
        && exec(DropPageSizesSql);
}

bool DemoDatabaseWriter::writeTrends(qint64 collectionId, const DemoCollection &collection)
{
    // Each group takes the middle chip of one page in every other segment, of the first
    // family listed that the collection has.
    const QList<QPair<QString, QList<DemoFamily>>> groups {
        {QStringLiteral("Colours of the season"),
         {DemoFamily::Clear, DemoFamily::Medium, DemoFamily::Dusty}},
        {QStringLiteral("Soft neutrals"), {DemoFamily::LightNeutral, DemoFamily::Offwhite}},
        {QStringLiteral("Bold accents"), {DemoFamily::Vivid, DemoFamily::Rich, DemoFamily::Deep}},
    };
    DemoSqlBatch groupBatch(m_database, QStringLiteral("FUTURES_GROUP"), TrendGroupColumns);
    DemoSqlBatch entryBatch(m_database, QStringLiteral("FUTURES_ENTRY"), TrendEntryColumns);
    const QList<DemoFamily> &families = collection.plan.families;
    for (int order = 0; order < groups.size(); ++order) {
        const auto &[name, wanted] = groups[order];
        const auto family = std::find_if(wanted.cbegin(), wanted.cend(), [&families](DemoFamily f) {
            return families.contains(f);
        });
        if (family == wanted.cend())
            continue;
        const qint64 groupId = m_nextTrendGroupId++;
        groupBatch.add({groupId, collectionId, name, order == 0 ? 1 : 0, order + 1});
        int entryOrder = 1;
        for (int segment = 1 + order % 2; segment <= SegmentCount; segment += 2) {
            const int number = collection.pageNumber(segment, int(families.indexOf(*family)));
            if (number < 0)
                continue;
            const DemoPage &page = collection.pages[number];
            const int position = int(page.chips.size()) / 2;
            const DemoChip &chip = page.chips[position];
            entryBatch.add({collectionId, groupId, rowId(collection, number, position), chip.name,
                            chip.code, chip.color.red(), chip.color.green(), chip.color.blue(),
                            entryOrder++});
        }
    }
    return flush(groupBatch, entryBatch);
}

QList<DemoDatabaseWriter::PlacedTexture>
DemoDatabaseWriter::pageTextures(DemoSurface surface, const DemoPage &page) const
{
    using Kind = DemoTextureKind;
    const QList<Kind> kinds = surface == DemoSurface::Exterior
        ? QList<Kind> {Kind::Render, Kind::Weatherboard, Kind::Concrete, Kind::LimeWash,
                       Kind::Plaster}
        : surface == DemoSurface::Powder
        ? QList<Kind> {Kind::HammerFinish, Kind::FineStructure, Kind::BrushedMetal}
        : QList<Kind> {Kind::Plaster,  Kind::Linen,    Kind::Oak,
                       Kind::LimeWash, Kind::Concrete, Kind::BrushedMetal};
    // Every third page shows a second row of tiles.
    const int count = std::min(int(kinds.size()), page.position % 3 == 0 ? 6 : 3);
    const int start = (page.segment + page.position) % int(kinds.size());
    QList<PlacedTexture> textures;
    for (int i = 0; i < count; ++i) {
        const Kind kind = kinds[(start + i) % kinds.size()];
        if (m_textures.contains(kind))
            textures << m_textures.value(kind);
    }
    return textures;
}

qint64 DemoDatabaseWriter::pageId(int pageNumber) const
{
    return m_firstPageId + pageNumber;
}

qint64 DemoDatabaseWriter::rowId(const DemoCollection &collection, int pageNumber,
                                 int position) const
{
    return m_firstRowId + collection.pages[pageNumber].firstChip + position;
}

bool DemoDatabaseWriter::exec(const char *sql, const QVariantList &values)
{
    return exec(QString::fromLatin1(sql), values);
}

bool DemoDatabaseWriter::exec(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(m_database);
    if (!query.prepare(sql))
        return fail(query.lastError().text());
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    return query.exec() || fail(query.lastError().text());
}

template<typename... Batches>
bool DemoDatabaseWriter::flush(Batches &...batches)
{
    // Every batch is flushed; the first error is the one reported.
    QString error;
    const auto flushOne = [&error](auto &batch) {
        if (!batch.flush() && error.isEmpty())
            error = batch.errorText();
    };
    (flushOne(batches), ...);
    return error.isEmpty() || fail(error);
}

bool DemoDatabaseWriter::fail(const QString &error)
{
    m_error = QStringLiteral("%1: %2").arg(m_path, error);
    return false;
}

} // namespace Sorven::Demo
