#include "db/collectionqueries.h"

#include "core/collectionsettings.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "db/querylog.h"
#include "db/querysupport.h"

#include <QSqlRecord>

#include <algorithm>

namespace Sorven::DB {

namespace {

constexpr int RichMood = 4;
constexpr int OffwhiteMood = 5;
constexpr int NeutralMood = 6;
// Every mood except offwhite and neutral; never stored.
constexpr int AllMoods = 7;

constexpr int ContrastScheme = 2;
constexpr int WideContrastScheme = 3;
constexpr int DramaticScheme = 5;
constexpr int ComplementaryNeutralScheme = 8;

QString statement(const char *sql)
{
    return QString::fromLatin1(sql);
}

using Statement = std::function<CollectionStatement()>;

// Reads the first row of the statement's answer into row; noRow when it answers none.
int readFirstRow(const QUuid &uuid, const Statement &sql, int noRow, QSqlRecord &row)
{
    return queryCollection(uuid, sql, [&](QSqlQuery &query) -> int {
        if (!query.next())
            return noRow;
        row = query.record();
        return Success;
    });
}

// Loads the chip of the statement's first row; noRow when it answers none.
int readFirstEntry(const QUuid &uuid, const Statement &sql, int noRow, ColorEntry &entry)
{
    entry.clear();
    QSqlRecord row;
    if (const int result = readFirstRow(uuid, sql, noRow, row); result < 0)
        return result;
    entry.load(row);
    return Success;
}

// Builds the page from its row and reads its chips with chipsSql, whose placeholders are the
// values and then the page's id. The page is assigned only when both succeed.
int deliverPage(const QUuid &uuid, const QSqlRecord &row, const char *chipsSql, QVariantList values,
                ColorPage &page)
{
    ColorPage loaded(row);
    values.append(loaded.id);
    const int result = queryCollection(
        uuid,
        [&] {
            return CollectionStatement {statement(chipsSql), values};
        },
        [&](QSqlQuery &query) {
            forEachRow(query, [&](const QSqlRecord &row, const ColumnLayout &columns) {
                loaded.entries.append(ColorEntry(row, columns));
            });
            return Success;
        });
    if (result < 0)
        return result;
    loaded.sortEntries();
    page = std::move(loaded);
    return Success;
}

// The first row of the walk statement with the first comparison, else, wrapping around, with
// the second one; NoMatch when neither answers. The statement's open placeholders are the
// comparison and the value.
int walk(const QUuid &uuid, const std::function<QString()> &sql, const char *first,
         const char *second, int value, QSqlRecord &row)
{
    for (const char *comparison : {first, second}) {
        const int result = readFirstRow(
            uuid,
            [&] {
                return CollectionStatement {
                    sql().arg(QLatin1String(comparison), QStringLiteral("%1")), {value}};
            },
            NoMatch, row);
        // Only a statement that fails or finds nothing tries the other way round.
        if (result != QueryFailed && result != NoMatch)
            return result;
    }
    return NoMatch;
}

// Whether a COUNT(*) statement counts more than none: false when it fails, unconnected when
// the collection cannot be connected.
bool countsAny(const QUuid &uuid, const Statement &sql, bool unconnected)
{
    bool any = unconnected;
    const int result = queryCollection(uuid, sql, [&](QSqlQuery &query) {
        // A value that is not a number counts none.
        any = query.next() && query.value(0).toLongLong() > 0;
        return Success;
    });
    return result != QueryFailed && any;
}

} // namespace

const char *const CollectionSql
    = " SELECT *  FROM COLLECTION C  WHERE C.UUID = '%1' COLLATE NOCASE";

int loadCollection(const QUuid &uuid, QSharedPointer<Collection> &collection)
{
    collection.reset();
    QSqlRecord row;
    const auto sql = [&] {
        return CollectionStatement {statement(CollectionSql).arg(uuid.toString(QUuid::WithBraces))};
    };
    if (const int result = readFirstRow(uuid, sql, QueryFailed, row); result < 0)
        return result;
    collection = QSharedPointer<Collection>::create(row);
    return Success;
}

const char *const EntryByIdSql
    = R"(SELECT    R.*,    %1 AS COLLECTION_ID FROM    "ROW" R WHERE     R.ID = %2 )";

int loadEntryById(const QUuid &uuid, qint64 rowId, ColorEntry &entry)
{
    return readFirstEntry(
        uuid,
        [&] {
            return CollectionStatement {statement(EntryByIdSql), {collectionId(uuid), rowId}};
        },
        QueryFailed, entry);
}

const char *const EntryByCodeInCollectionSql
    = R"(SELECT R.*, CMAP.COLLECTION_ID FROM "ROW" R JOIN PAGE P ON R.PAGE_ID = P.ID JOIN )"
      R"(COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID WHERE CMAP.COLLECTION_ID = %1 AND )"
      R"(R.CODE = %2 COLLATE NOCASE ORDER BY P.PAGE_INDEX, R.ROW_INDEX LIMIT 1)";

int loadEntryByCode(const QUuid &uuid, const QString &code, ColorEntry &entry)
{
    const auto sql = [&] {
        return CollectionStatement {statement(EntryByCodeInCollectionSql),
                                    {collectionId(uuid), code}};
    };
    return readFirstEntry(uuid, sql, NoMatch, entry);
}

const char *const EntryAtSql
    = "SELECT *  FROM \"ROW\" R       JOIN PAGE P ON R.PAGE_ID = P.ID       JOIN "
      "COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE CMAP.COLLECTION_ID = %1 AND       "
      " P.PAGE_INDEX = %2 AND        R.ROW_INDEX = %3 ";

int loadEntryAt(const QUuid &uuid, int pageIndex, int rowIndex, ColorEntry &entry)
{
    // Bound rather than pasted, so that one prepared statement serves the thousands of chips a
    // palette file may name.
    const auto sql = [&] {
        return CollectionStatement {statement(EntryAtSql),
                                    {collectionId(uuid), pageIndex, rowIndex}};
    };
    return readFirstEntry(uuid, sql, QueryFailed, entry);
}

const char *const PageSql
    = "SELECT * FROM     PAGE P     LEFT JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID "
      "WHERE     CMAP.COLLECTION_ID = %1 AND P.PAGE_INDEX = %2 ";
// Also the chips of the page found by walking page by page.
const char *const PageChipsSql
    = R"(SELECT     R.*,     %1 AS COLLECTION_ID FROM     "ROW" R WHERE     R.PAGE_ID = %2 )";

int loadPage(const QUuid &uuid, int pageIndex, ColorPage &page)
{
    QSqlRecord row;
    const auto sql = [&] {
        return CollectionStatement {statement(PageSql), {collectionId(uuid), pageIndex}};
    };
    if (const int result = readFirstRow(uuid, sql, QueryFailed, row); result < 0)
        return result;
    return deliverPage(uuid, row, PageChipsSql, {collectionId(uuid)}, page);
}

const char *const PageByIdSql
    = " SELECT *  FROM PAGE P       JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE "
      "CMAP.COLLECTION_ID = %1        AND P.ID = %2 ";
const char *const PageByIdChipsSql
    = "SELECT * FROM \"ROW\" R  JOIN PAGE P ON R.PAGE_ID = P.ID  JOIN COLLECTION_PAGE_MAP CMAP "
      "ON P.ID = CMAP.PAGE_ID  WHERE CMAP.COLLECTION_ID = %1 AND        R.PAGE_ID = %2 ";

int loadPageById(const QUuid &uuid, qint64 pageId, bool pageOnly, ColorPage &page)
{
    QSqlRecord row;
    const auto sql = [&] {
        return CollectionStatement {statement(PageByIdSql), {collectionId(uuid), pageId}};
    };
    if (const int result = readFirstRow(uuid, sql, QueryFailed, row); result < 0)
        return result;
    if (!pageOnly)
        return deliverPage(uuid, row, PageByIdChipsSql, {collectionId(uuid)}, page);
    page = ColorPage(row);
    return Success;
}

int loadIndexedEntry(const ItemIndex &index, ColorEntry &entry)
{
    entry.clear();
    if (!index.refersToChip())
        return QueryFailed;
    if (const int result = loadEntryById(index.collection, index.rowId, entry); result < 0)
        return result;
    ColorPage page;
    if (entry.pageId != index.pageId
        || loadPageById(index.collection, index.pageId, true, page) != Success) {
        entry.clear();
        return QueryFailed;
    }
    return Success;
}

const char *const WalkSelectSql = " SELECT %1 ";
const char *const MoodFilterSql = " AND P.MOOD = %1 ";
const char *const AllMoodsFilterSql = " AND P.MOOD != %1 AND P.MOOD != %2 ";
const char *const ExteriorFilterSql = " AND P.EXTERIOR = 1 ";

const char *const SegmentWalkFromSql
    = " FROM PAGE P       LEFT JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE "
      "CMAP.COLLECTION_ID = %1 AND ";
const char *const SegmentWalkCompareSql = " P.SEGMENT %1 %2 ";
const char *const SegmentWalkOrderSql = " ORDER BY P.SEGMENT ASC, P.PAGE_INDEX ASC LIMIT 1 ";

namespace {

// The segment walk for the columns `what`; comparison and segment are left open.
QString segmentWalkSql(const QUuid &uuid, const char *what, int mood, bool exterior)
{
    QString sql = statement(WalkSelectSql).arg(QLatin1String(what))
        + statement(SegmentWalkFromSql).arg(collectionId(uuid)) + statement(SegmentWalkCompareSql);
    // Offwhite and neutral pages are left out of the all-moods walk even with the exterior
    // filter; the page-by-page walk differs there.
    sql += mood == AllMoods ? statement(AllMoodsFilterSql).arg(OffwhiteMood).arg(NeutralMood)
                            : statement(MoodFilterSql).arg(mood);
    if (exterior)
        sql += statement(ExteriorFilterSql);
    return sql + statement(SegmentWalkOrderSql);
}

// The first page row of the wanted segment, or of the segment the walk wraps around to.
int walkToSegment(const QUuid &uuid, const char *what, int segment, int mood, bool exterior,
                  QSqlRecord &row)
{
    const auto sql = [&] { return segmentWalkSql(uuid, what, mood, exterior); };
    return walk(uuid, sql, ">=", "<", segment, row);
}

} // namespace

int findSegment(const QUuid &uuid, int segment, int mood, bool exterior, int &foundSegment)
{
    foundSegment = segment;
    QSqlRecord row;
    if (const int result = walkToSegment(uuid, "SEGMENT", segment, mood, exterior, row); result < 0)
        return result;
    foundSegment = row.value(0).toInt();
    return Success;
}

int findFirstPageIndex(const QUuid &uuid, int segment, int mood, bool exterior, int &pageIndex)
{
    pageIndex = -1;
    QSqlRecord row;
    if (const int result = walkToSegment(uuid, "PAGE_INDEX", segment, mood, exterior, row);
        result < 0)
        return result;
    pageIndex = row.value(0).toInt();
    return Success;
}

// No collection column: these chips take the collection stored with the chip.
const char *const SegmentPageChipsSql = R"(SELECT * FROM "ROW" R  WHERE        R.PAGE_ID = %1 )";

int loadFirstPageInSegment(const QUuid &uuid, int segment, int mood, bool exterior, ColorPage &page)
{
    QSqlRecord row;
    if (const int result = walkToSegment(uuid, "*", segment, mood, exterior, row); result < 0)
        return result;
    return deliverPage(uuid, row, SegmentPageChipsSql, {}, page);
}

const char *const AdjacentWalkFromSql
    = " FROM PAGE P       LEFT JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE "
      "CMAP.COLLECTION_ID = %1 ";
const char *const AdjacentWalkCompareSql = " AND P.PAGE_INDEX %1 %2 ";
const char *const BackwardWalkOrderSql = " ORDER BY P.PAGE_INDEX DESC LIMIT 1 ";
const char *const ForwardWalkOrderSql = " ORDER BY P.PAGE_INDEX ASC LIMIT 1 ";

// The page-by-page walk; comparison and page index are left open.
namespace {

QString adjacentWalkSql(const QUuid &uuid, bool backwards, int mood, bool exterior)
{
    QString sql = statement(WalkSelectSql).arg(QLatin1Char('*'))
        + statement(AdjacentWalkFromSql).arg(collectionId(uuid))
        + statement(AdjacentWalkCompareSql);
    if (mood != AllMoods)
        sql += statement(MoodFilterSql).arg(mood);
    if (exterior)
        sql += statement(ExteriorFilterSql);
    else if (mood == AllMoods)
        sql += statement(AllMoodsFilterSql).arg(OffwhiteMood).arg(NeutralMood);
    return sql + statement(backwards ? BackwardWalkOrderSql : ForwardWalkOrderSql);
}

} // namespace

int loadAdjacentPage(const QUuid &uuid, int pageIndex, bool backwards, int mood, bool exterior,
                     ColorPage &page)
{
    // The second try keeps the ordering, so it lands on the far end of the deck.
    const char *const towards = backwards ? "<" : ">";
    const char *const wrapped = backwards ? ">" : "<";
    const auto sql = [&] { return adjacentWalkSql(uuid, backwards, mood, exterior); };
    QSqlRecord row;
    if (const int result = walk(uuid, sql, towards, wrapped, pageIndex, row); result < 0)
        return result;
    return deliverPage(uuid, row, PageChipsSql, {collectionId(uuid)}, page);
}

const char *const ExteriorPagesWithMoodSql
    = " SELECT COUNT(*)  FROM PAGE P       JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID "
      " WHERE CMAP.COLLECTION_ID = %1 AND        P.EXTERIOR = 1 AND        P.MOOD = %2 ";

bool hasExteriorPagesWithMood(const QUuid &uuid, int mood)
{
    const auto sql = [&] {
        return CollectionStatement {statement(ExteriorPagesWithMoodSql),
                                    {collectionId(uuid), mood}};
    };
    // Without a database the filter is offered rather than hidden.
    return countsAny(uuid, sql, true);
}

const char *const CollectionChipSql
    = R"(SELECT COUNT(*) FROM "ROW" R JOIN COLLECTION_PAGE_MAP CMAP ON R.PAGE_ID = CMAP.PAGE_ID )"
      "WHERE CMAP.COLLECTION_ID = %1 AND R.ID = :ROW_ID";

bool collectionHasChip(const QUuid &uuid, qint64 rowId)
{
    const auto sql = [&] {
        return CollectionStatement {statement(CollectionChipSql),
                                    {collectionId(uuid)},
                                    {{QStringLiteral(":ROW_ID"), rowId}}};
    };
    return countsAny(uuid, sql, false);
}

const char *const SegmentsSql
    = "SELECT DISTINCT     P.SEGMENT FROM     PAGE P     LEFT JOIN COLLECTION_PAGE_MAP CMAP ON "
      "P.ID = CMAP.PAGE_ID WHERE     CMAP.COLLECTION_ID = %1 ";

int loadSegments(const QUuid &uuid, QVector<int> &segments)
{
    segments.clear();
    const auto sql = [&] {
        return CollectionStatement {statement(SegmentsSql), {collectionId(uuid)}};
    };
    const int result = queryCollection(uuid, sql, [&](QSqlQuery &query) {
        while (query.next())
            segments.append(query.value(0).toInt());
        return Success;
    });
    if (result < 0)
        return result;
    std::sort(segments.begin(), segments.end());
    return segments.isEmpty() ? QueryFailed : Success;
}

const char *const ComplementaryNeutralSchemeSql
    = "SELECT     COUNT(*) FROM     PAGE_SCHEME PS WHERE     PS.PAGE_ID = (SELECT ID          "
      "         FROM PAGE P                        JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = "
      "CMAP.PAGE_ID                   WHERE                       CMAP.COLLECTION_ID = %1 AND "
      "P.PAGE_INDEX = %2 )     AND PS.SCHEME_ID = %3 ";

bool hasComplementaryNeutralScheme(const QUuid &uuid, int pageIndex)
{
    const auto sql = [&] {
        return CollectionStatement {statement(ComplementaryNeutralSchemeSql),
                                    {collectionId(uuid), pageIndex, ComplementaryNeutralScheme}};
    };
    return countsAny(uuid, sql, true);
}

const char *const SchemePagesSql
    = "SELECT     TP.PAGE_INDEX FROM     PAGE_SCHEME PS     JOIN PAGE SP ON PS.PAGE_ID = SP.ID   "
      "  JOIN PAGE TP ON PS.SCHEME_PAGE_ID = TP.ID     JOIN COLLECTION_PAGE_MAP SCMAP ON SP.ID = "
      "SCMAP.PAGE_ID WHERE     (PS.SCHEME_ID = %3) AND     (SP.PAGE_INDEX = %2 AND "
      "SCMAP.COLLECTION_ID = %1) ";

int loadSchemePages(const QUuid &uuid, int pageIndex, int schemeId, QList<ColorPage> &pages)
{
    pages.clear();
    const auto sql = [&] {
        return CollectionStatement {statement(SchemePagesSql),
                                    {collectionId(uuid), pageIndex, schemeId}};
    };
    QVector<int> pageIndexes;
    const int result = queryCollection(uuid, sql, [&](QSqlQuery &query) {
        while (query.next())
            pageIndexes.append(query.value(0).toInt());
        return Success;
    });
    if (result < 0)
        return result;
    for (const int schemePageIndex : pageIndexes) {
        ColorPage page;
        if (loadPage(uuid, schemePageIndex, page) == Success)
            pages.append(page);
    }
    return Success;
}

namespace {

// The chip at the 1-based position on the page, which the scheme statements start from.
int sourceChip(const QUuid &uuid, int pageIndex, int rowPosition, ColorEntry &chip)
{
    ColorPage page;
    if (const int result = loadPage(uuid, pageIndex, page); result < 0)
        return result;
    if (rowPosition < 1 || rowPosition > page.entries.size())
        return RowOutsidePage;
    chip = page.entries.at(rowPosition - 1);
    return Success;
}

bool dramaticGateOpen(const ColorEntry &chip)
{
    return chip.neutral || chip.white;
}

bool complementaryNeutralGateOpen(const ColorEntry &chip)
{
    return chip.mood == RichMood;
}

enum class Echo { Statement, Nothing };

// Appends the rows of the scheme statement sql, whose placeholders take the collection's id,
// the source chip's id and the values.
int readSchemeEntries(const QUuid &uuid, const char *sql, const ColorEntry &chip,
                      QVariantList values, Echo echo, QVector<ColorEntry> &entries)
{
    values.prepend(chip.id);
    values.prepend(collectionId(uuid));
    if (echo == Echo::Statement) {
        QString text = statement(sql);
        for (const QVariant &value : std::as_const(values))
            text = text.arg(value.toLongLong());
        qCDebug(queryLog).noquote() << text;
    }
    return queryCollection(
        uuid,
        [&] {
            return CollectionStatement {statement(sql), values};
        },
        [&](QSqlQuery &query) {
            forEachRow(query, [&](const QSqlRecord &row, const ColumnLayout &columns) {
                entries.append(ColorEntry(row, columns));
            });
            return Success;
        });
}

} // namespace

const char *const SchemeEntriesSql
    = "SELECT     %1 AS COLLECTION_ID,     R.ID,     R.PAGE_ID,     M.ROW_ORDER AS ROW_INDEX,   "
      "  R.CODE,     R.SEGMENT,     R.RED,     R.GREEN,     R.BLUE,     R.L,     R.A,     R.B,  "
      "   R.NEUTRAL,     R.WHITE,     R.MOOD,     R.NAME0,     R.NAME1,     R.NAME2,     "
      "R.NAME3,     R.NAME4,     R.NAME5,     R.NAME6,     R.NAME7,     R.NAME8,     R.NAME9,   "
      "  R.EXTRA0,     R.EXTRA1,     R.EXTRA2,     R.EXTRA3,     R.EXTRA4,     R.EXTRA5,     "
      "R.EXTRA6,     R.EXTRA7,     R.EXTRA8,     R.EXTRA9 FROM     ROW_SCHEME_MAP M     JOIN "
      "\"ROW\" R ON M.SCHEME_ROW_ID = R.ID WHERE     M.COLLECTION_ID = %1     AND M.ROW_ID = %2 "
      "    AND M.SCHEME_ID = %3 ORDER BY     M.PAGE_ORDER ASC,     M.ROW_ORDER ASC ";

int loadSchemeEntries(const QUuid &uuid, int schemeId, int pageIndex, int rowPosition,
                      QVector<ColorEntry> &entries)
{
    entries.clear();
    ColorEntry chip;
    if (const int result = sourceChip(uuid, pageIndex, rowPosition, chip); result < 0)
        return result;
    if ((schemeId == DramaticScheme && !dramaticGateOpen(chip))
        || (schemeId == ComplementaryNeutralScheme && !complementaryNeutralGateOpen(chip)))
        return Success;
    return readSchemeEntries(uuid, SchemeEntriesSql, chip, {schemeId}, Echo::Statement, entries);
}

const char *const SchemePageEntriesSql
    = "SELECT   %1 AS COLLECTION_ID,   R.ID,   R.PAGE_ID,   SM.\"ORDER\" AS PAGE_ORDER,   "
      "R.ROW_INDEX,   R.CODE,   R.SEGMENT,   R.RED,   R.GREEN,   R.BLUE,   R.L,   R.A,   R.B,   "
      "R.NEUTRAL,   R.WHITE,   R.MOOD,   R.NAME0,   R.NAME1,   R.NAME2,   R.NAME3,   R.NAME4,   "
      "R.NAME5,   R.NAME6,   R.NAME7,   R.NAME8,   R.NAME9,   R.EXTRA0,   R.EXTRA1,   R.EXTRA2, "
      "  R.EXTRA3,   R.EXTRA4,   R.EXTRA5,   R.EXTRA6,   R.EXTRA7,   R.EXTRA8,   R.EXTRA9 FROM  "
      " ROW_TO_PAGE_SCHEME SM   JOIN \"ROW\" R ON SM.SCHEME_PAGE_ID = R.PAGE_ID WHERE       "
      "SM.COLLECTION_ID = %1   AND SM.ROW_ID = %2   AND SM.SCHEME_ID = %3 ORDER BY   "
      "SM.\"ORDER\" ASC,    R.ROW_INDEX ASC ";

int loadSchemePageEntries(const QUuid &uuid, int schemeId, int pageIndex, int rowPosition,
                          QVector<ColorEntry> &entries)
{
    entries.clear();
    ColorEntry chip;
    if (const int result = sourceChip(uuid, pageIndex, rowPosition, chip); result < 0)
        return result;
    if (schemeId == DramaticScheme && !dramaticGateOpen(chip))
        return Success;
    return readSchemeEntries(uuid, SchemePageEntriesSql, chip, {schemeId}, Echo::Statement,
                             entries);
}

const char *const ContrastSchemeEntriesSql
    = "SELECT     %1 AS COLLECTION_ID,     R.ID,     R.PAGE_ID,     M.ROW_ORDER AS ROW_INDEX,   "
      "  R.CODE,     R.SEGMENT,     R.RED,     R.GREEN,     R.BLUE,     R.L,     R.A,     R.B,  "
      "   R.NEUTRAL,     R.WHITE,     R.MOOD,     R.NAME0,     R.NAME1,     R.NAME2,     "
      "R.NAME3,     R.NAME4,     R.NAME5,     R.NAME6,     R.NAME7,     R.NAME8,     R.NAME9,   "
      "  R.EXTRA0,     R.EXTRA1,     R.EXTRA2,     R.EXTRA3,     R.EXTRA4,     R.EXTRA5,     "
      "R.EXTRA6,     R.EXTRA7,     R.EXTRA8,     R.EXTRA9,    (CASE WHEN M.SCHEME_ID = %4 AND "
      "M.PAGE_ORDER = 0 THEN -1           WHEN M.SCHEME_ID = %3 AND M.PAGE_ORDER = 0 THEN 0     "
      "      WHEN M.SCHEME_ID = %4 AND M.PAGE_ORDER = 1 THEN 1           ELSE 100      END) AS "
      "MY_ORDER FROM     ROW_SCHEME_MAP M     JOIN \"ROW\" R ON M.SCHEME_ROW_ID = R.ID WHERE    "
      " M.COLLECTION_ID = %1     AND M.ROW_ID = %2     AND M.SCHEME_ID IN (%3, %4) ORDER BY     "
      "MY_ORDER ASC ";

int loadContrastSchemeEntries(const QUuid &uuid, int pageIndex, int rowPosition,
                              QVector<ColorEntry> &entries)
{
    entries.clear();
    ColorEntry chip;
    if (const int result = sourceChip(uuid, pageIndex, rowPosition, chip); result < 0)
        return result;
    return readSchemeEntries(uuid, ContrastSchemeEntriesSql, chip,
                             {ContrastScheme, WideContrastScheme}, Echo::Nothing, entries);
}

const char *const TrendGroupsSql
    = " SELECT *  FROM FUTURES_GROUP FG  WHERE FG.COLLECTION_ID IN (0, %1) ";
const char *const TrendEntriesSql
    = "SELECT * FROM FUTURES_ENTRY FE  WHERE        FE.FUTURES_GROUP_ID = %1  ORDER BY "
      "FE.\"ORDER\" ";

namespace {

int readTrendEntries(const QUuid &uuid, TrendoraGroup &group)
{
    const int result = queryCollection(
        uuid,
        [&] {
            return CollectionStatement {statement(TrendEntriesSql), {group.id}};
        },
        [&](QSqlQuery &query) {
            forEachRow(query, [&](const QSqlRecord &row, const ColumnLayout &columns) {
                group.entries.append(TrendoraEntry(row, columns));
            });
            return Success;
        });
    std::stable_sort(group.entries.begin(), group.entries.end(),
                     [](const TrendoraEntry &left, const TrendoraEntry &right) {
                         return left.order < right.order;
                     });
    return result;
}

} // namespace

int loadTrendGroups(const QUuid &uuid, QHash<qint64, TrendoraGroup> &groups)
{
    groups = {};
    const auto sql = [&] {
        return CollectionStatement {statement(TrendGroupsSql), {collectionId(uuid)}};
    };
    const int result = queryCollection(uuid, sql, [&](QSqlQuery &query) -> int {
        while (query.next()) {
            TrendoraGroup group(query.record());
            if (const int read = readTrendEntries(uuid, group); read < 0)
                return read;
            groups.insert(group.id, group);
        }
        return Success;
    });
    // A group whose colours cannot be read is not shown half empty.
    if (result < 0)
        groups = {};
    return result;
}

const char *const ProductsSql
    = "SELECT    PR.* FROM     ROW_PRODUCT_MAP M     JOIN PRODUCT PR ON PR.ID = M.PRODUCT_ID "
      "WHERE     M.ROW_ID = :ROW_ID";

namespace {

// Runs the statement sql, whose :ROW_ID is the chip's id, and hands the open query to read.
int queryOfChip(const QUuid &uuid, const char *sql, qint64 rowId,
                const std::function<void(QSqlQuery &query)> &read)
{
    return queryCollection(
        uuid,
        [&] {
            return CollectionStatement {statement(sql), {}, {{QStringLiteral(":ROW_ID"), rowId}}};
        },
        [&](QSqlQuery &query) {
            read(query);
            return Success;
        });
}

} // namespace

int loadProductNames(const QUuid &uuid, qint64 rowId, QStringList &names)
{
    names.clear();
    return queryOfChip(uuid, ProductsSql, rowId, [&](QSqlQuery &query) {
        const QSqlRecord columns = query.record();
        const int nameColumn = columns.indexOf(QStringLiteral("NAME"));
        const int codeColumn = columns.indexOf(QStringLiteral("PRODUCT_CODE"));
        const QString separator
            = codeColumn < 0 ? QString() : CollectionSettings::productNameCodeSeparator(uuid);
        while (query.next()) {
            QString name = query.value(nameColumn).toString();
            if (const QString code
                = codeColumn < 0 ? QString() : query.value(codeColumn).toString();
                !code.isEmpty())
                name += separator + code;
            names.append(name);
        }
    });
}

int loadProductCodes(const QUuid &uuid, qint64 rowId, QStringList &codes)
{
    codes.clear();
    return queryOfChip(uuid, ProductsSql, rowId, [&](QSqlQuery &query) {
        const int codeColumn = query.record().indexOf(QStringLiteral("PRODUCT_CODE"));
        while (codeColumn >= 0 && query.next()) {
            if (const QString code = query.value(codeColumn).toString(); !code.isEmpty())
                codes.append(code);
        }
    });
}

const char *const ProductGroupNamesSql
    = "SELECT    PG.NAME FROM     ROW_PRODUCT_GROUP_MAP M     JOIN PRODUCT_GROUP PG ON PG.ID = "
      "M.PRODUCT_GROUP_ID WHERE     M.ROW_ID = :ROW_ID";

int loadProductGroupNames(const QUuid &uuid, qint64 rowId, QStringList &names)
{
    names.clear();
    return queryOfChip(uuid, ProductGroupNamesSql, rowId, [&](QSqlQuery &query) {
        while (query.next())
            names.append(query.value(0).toString());
    });
}

const char *const TexturesSql
    = "SELECT     * FROM     TEXTURE T WHERE     T.COLLECTION_ID in (0, %1)";

int loadTextures(const QUuid &uuid, QHash<qint64, Texture> &textures)
{
    textures = {};
    const auto sql = [&] {
        return CollectionStatement {statement(TexturesSql), {collectionId(uuid)}};
    };
    return queryCollection(uuid, sql, [&](QSqlQuery &query) {
        while (query.next()) {
            const Texture texture(query.record());
            textures.insert(texture.id, texture);
        }
        return Success;
    });
}

const char *const TextureMapSql
    = "SELECT     TM.TEXTURE_ID,     TM.PAGE_ID,     TM.ALPHA,     TM.NAME FROM     TEXTURE_MAP "
      "TM     JOIN TEXTURE T ON T.ID = TM.TEXTURE_ID WHERE     TM.PAGE_ID = :PAGE_ID";

int loadTextureMap(const QUuid &uuid, qint64 pageId, QVector<TextureMapEntry> &entries)
{
    entries.clear();
    const auto sql = [&] {
        return CollectionStatement {
            statement(TextureMapSql), {}, {{QStringLiteral(":PAGE_ID"), pageId}}};
    };
    return queryCollection(uuid, sql, [&](QSqlQuery &query) {
        while (query.next())
            entries.append(TextureMapEntry(query.record()));
        return Success;
    });
}

} // namespace Sorven::DB
