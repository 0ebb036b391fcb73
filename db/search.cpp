#include "db/search.h"

#include "db/connections.h"
#include "db/opencollection.h"
#include "db/phraseindex.h"
#include "db/querysupport.h"

#include <QSqlRecord>

#include <algorithm>
#include <optional>
#include <utility>

namespace Sorven::DB {

namespace {

struct NameOrders
{
    QVector<qint64> pageNameSearch;
    QVector<qint64> pageNameDisplay;
    QVector<qint64> pageExtraDisplay;
    QVector<qint64> rowNameSearch;
    QVector<qint64> rowNameDisplay;
    QVector<qint64> rowExtraDisplay;
};

NameOrders &nameOrders()
{
    static NameOrders orders;
    return orders;
}

QString statement(const char *sql)
{
    return QString::fromLatin1(sql);
}

// One text per usable column of the order, the column's number substituted into pattern.
QStringList perColumn(const QVector<qint64> &order, const QString &pattern)
{
    QStringList texts;
    for (const int column : nameColumns(order))
        texts.append(pattern.arg(column));
    return texts;
}

// The searched chip columns, upper-cased: the row name search order's names, then the code.
QStringList rowColumns()
{
    QStringList columns = perColumn(rowNameSearchOrder(), QStringLiteral("UPPER(R.NAME%1)"));
    columns << QStringLiteral("UPPER(R.CODE)");
    return columns;
}

} // namespace

QVector<int> nameColumns(const QVector<qint64> &order)
{
    QVector<int> columns;
    for (const qint64 number : order) {
        if (number >= 0 && number <= 9)
            columns.append(int(number));
    }
    return columns;
}

const QVector<qint64> &pageNameSearchOrder()
{
    return nameOrders().pageNameSearch;
}

const QVector<qint64> &pageNameDisplayOrder()
{
    return nameOrders().pageNameDisplay;
}

const QVector<qint64> &pageExtraDisplayOrder()
{
    return nameOrders().pageExtraDisplay;
}

const QVector<qint64> &rowNameSearchOrder()
{
    return nameOrders().rowNameSearch;
}

const QVector<qint64> &rowNameDisplayOrder()
{
    return nameOrders().rowNameDisplay;
}

const QVector<qint64> &rowExtraDisplayOrder()
{
    return nameOrders().rowExtraDisplay;
}

const char *const NameOrderSql
    = "SELECT     S.VALUE FROM     SETTING S WHERE     S.COLLECTION_ID = %1 AND     S.NAME = "
      ":NAME COLLATE NOCASE ORDER BY     S.VALUE_INDEX ASC";

namespace {

QVector<qint64> readNameOrder(const QUuid &uuid, const char *key)
{
    QVector<qint64> order;
    const auto sql = [&] {
        return CollectionStatement {statement(NameOrderSql),
                                    {collectionId(uuid)},
                                    {{QStringLiteral(":NAME"), QLatin1String(key)}}};
    };
    queryCollection(uuid, sql, [&](QSqlQuery &query) {
        while (query.next())
            order.append(query.value(0).toLongLong());
        return Success;
    });
    return order;
}

} // namespace

void loadNameOrders(const QUuid &uuid)
{
    NameOrders &orders = nameOrders();
    orders = {};
    // Connected once here, so that an unknown collection costs one reading of the folder, not six.
    if (connectCollection(uuid) != Success)
        return;
    const std::pair<const char *, QVector<qint64> NameOrders::*> lists[] = {
        {"page.name.search.order", &NameOrders::pageNameSearch},
        {"page.name.display.order", &NameOrders::pageNameDisplay},
        {"page.extra.display.order", &NameOrders::pageExtraDisplay},
        {"row.name.search.order", &NameOrders::rowNameSearch},
        {"row.name.display.order", &NameOrders::rowNameDisplay},
        {"row.extra.display.order", &NameOrders::rowExtraDisplay},
    };
    for (const auto &[key, list] : lists)
        orders.*list = readNameOrder(uuid, key);
}

const char *const PageNameEntriesSql
    = "SELECT DISTINCT P.NAME%2 AS ENTRY FROM PAGE P LEFT JOIN COLLECTION_PAGE_MAP CMAP ON P.ID "
      "= CMAP.PAGE_ID WHERE CMAP.COLLECTION_ID = %1";
const char *const RowNameEntriesSql
    = "SELECT DISTINCT R.NAME%2 AS ENTRY FROM ROW R LEFT JOIN PAGE P ON R.PAGE_ID = P.ID LEFT "
      "JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID WHERE CMAP.COLLECTION_ID = %1";
const char *const CodeEntriesSql
    = "SELECT DISTINCT R.CODE AS ENTRY FROM ROW R LEFT JOIN PAGE P ON R.PAGE_ID = P.ID LEFT JOIN "
      "COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID WHERE CMAP.COLLECTION_ID = %1";
// The length of the trimmed entry, so that empty and blank names are no completions.
const char *const CompletionEntriesSql
    = "SELECT DISTINCT ENTRY FROM (%1) WHERE LENGTH(TRIM(ENTRY)) > 0";

namespace {

QString completionEntriesSql(const QUuid &uuid)
{
    const QString collection = QString::number(collectionId(uuid));
    QStringList parts
        = perColumn(pageNameSearchOrder(), statement(PageNameEntriesSql).arg(collection))
        + perColumn(rowNameSearchOrder(), statement(RowNameEntriesSql).arg(collection));
    parts << statement(CodeEntriesSql).arg(collection);
    return statement(CompletionEntriesSql).arg(parts.join(u" UNION "));
}

QStringList readCompletionEntries(QSqlQuery &query)
{
    QStringList entries;
    while (query.next()) {
        // TRIM in the statement removes spaces only.
        if (QString entry = query.value(0).toString(); !entry.trimmed().isEmpty())
            entries.append(entry);
    }
    PhraseIndex::sortForCompletion(entries);
    return entries;
}

} // namespace

int completionEntries(const QUuid &uuid, QStringList &entries)
{
    entries.clear();
    const int result = queryCollection(
        uuid, [&] { return CollectionStatement {completionEntriesSql(uuid)}; },
        [&](QSqlQuery &query) {
            entries = readCompletionEntries(query);
            return Success;
        });
    if (result < 0)
        return result;
    return entries.isEmpty() ? QueryFailed : Success;
}

QFuture<QStringList> completionEntriesLater(const QUuid &uuid)
{
    if (connectCollection(uuid) < 0)
        return QtFuture::makeReadyFuture(QStringList());
    return OpenCollection::of(uuid)->scan().then(
        [](const CollectionScan &scan) { return scan.completion; });
}

// The pages of the collection with their searched names, and every chip of those pages with
// its searched names and code. The chips come in the table's order, the order in which a scan
// of the table meets them, so that of two chips with the same text the earlier one is found.
const char *const PhrasePagesSql
    = "SELECT P.ID, P.SEGMENT, P.PAGE_INDEX, P.MOOD, P.EXTERIOR%2 FROM PAGE P JOIN "
      "COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID WHERE CMAP.COLLECTION_ID = %1";
const char *const PhraseChipsSql
    = "SELECT R.PAGE_ID, R.ROW_INDEX%2, R.CODE FROM \"ROW\" R WHERE R.PAGE_ID IN (SELECT "
      "PAGE_ID FROM COLLECTION_PAGE_MAP WHERE COLLECTION_ID = %1) ORDER BY R.ID";

namespace {

enum PhrasePageColumn { PageIdColumn, SegmentColumn, PageIndexColumn, MoodColumn, ExteriorColumn };
constexpr int FirstPageNameColumn = ExteriorColumn + 1;
enum PhraseChipColumn { ChipPageColumn, RowIndexColumn };
constexpr int FirstChipTextColumn = RowIndexColumn + 1;

ScanStatements phraseStatements(const QUuid &uuid)
{
    const QString collection = QString::number(collectionId(uuid));
    return {
        statement(PhrasePagesSql)
            .arg(collection,
                 perColumn(pageNameSearchOrder(), QStringLiteral(", P.NAME%1")).join(QString())),
        statement(PhraseChipsSql)
            .arg(collection,
                 perColumn(rowNameSearchOrder(), QStringLiteral(", R.NAME%1")).join(QString())),
        {}};
}

// NULL is equal to nothing, and a blob is never equal to a text.
void addText(PhraseIndex &index, const QVariant &value, const PhraseIndex::Match &match)
{
    if (value.typeId() == QMetaType::QString)
        index.add(value.toString(), match);
}

// A page of the collection, with its names until its first chip has added them to the index.
struct PhrasePage
{
    PhraseIndex::Match match;
    QVariantList names;
};

QHash<qint64, PhrasePage> readPhrasePages(QSqlQuery &query)
{
    QHash<qint64, PhrasePage> pages;
    const int columns = query.record().count();
    while (query.next()) {
        PhrasePage &page = pages[query.value(PageIdColumn).toLongLong()];
        page.match = {query.value(PageIndexColumn).toInt(), -1, query.value(SegmentColumn).toInt(),
                      query.value(MoodColumn).toInt(), query.value(ExteriorColumn).toInt() != 0};
        for (int column = FirstPageNameColumn; column < columns; ++column)
            page.names.append(query.value(column));
    }
    return pages;
}

// The search index from one pass over the chips; nothing once cancelled. A page's names lead
// to it from its first chip on, before that chip's own texts.
std::optional<PhraseIndex> readPhrases(QSqlQuery &query, QHash<qint64, PhrasePage> &pages,
                                       const std::atomic_bool &cancelled)
{
    const int columns = query.record().count();
    PhraseIndex index;
    while (query.next()) {
        if (cancelled.load(std::memory_order_relaxed))
            return std::nullopt;
        const auto page = pages.find(query.value(ChipPageColumn).toLongLong());
        if (page == pages.end())
            continue;
        for (const QVariant &name : std::exchange(page->names, {}))
            addText(index, name, page->match);
        PhraseIndex::Match chip = page->match;
        chip.rowIndex = query.value(RowIndexColumn).toInt();
        for (int column = FirstChipTextColumn; column < columns; ++column)
            addText(index, query.value(column), chip);
    }
    return index;
}

// Runs the statement on a connection of the calling thread's own and hands the query to read.
void readOwn(const QString &path, const QString &sql, const std::function<void(QSqlQuery &)> &read)
{
    withOwnConnection(path, [&](const QSqlDatabase &database) {
        QSqlQuery query(database);
        query.setForwardOnly(true);
        if (runStatement(query, sql))
            read(query);
        else
            logSqlError(query.lastError());
    });
}

} // namespace

void preparePhraseSearch(const QUuid &uuid)
{
    if (connectCollection(uuid) == Success)
        OpenCollection::of(uuid)->scan();
}

int findPhrase(const QUuid &uuid, const QString &phrase, int &pageIndex, int &rowIndex,
               int &segment, int &mood, bool &exterior)
{
    pageIndex = -1;
    rowIndex = -1;
    segment = -1;
    mood = 0;
    exterior = false;
    // A stale index would quietly lead the search astray, and checking costs one look at the file.
    OpenCollection::forgetIfChanged(uuid);
    if (const int result = connectCollection(uuid); result < 0)
        return result;
    OpenCollection *open = OpenCollection::of(uuid);
    const std::optional<PhraseIndex> index = open->scan().result().phrases;
    if (!index) {
        open->forgetScan();
        return QueryFailed;
    }
    const PhraseIndex::Match *match = index->find(phrase);
    if (!match)
        return NoMatch;
    pageIndex = match->pageIndex;
    rowIndex = match->rowIndex;
    segment = match->segment;
    mood = match->mood;
    exterior = match->exterior;
    return Success;
}

const char *const CapsureCollectionIdsSql
    = "SELECT     * FROM     CAPSURE_COLLECTION_IDS_BY_PRIORITY ";

int capsureCollectionPriorities(const QUuid &fileOf, QVector<CapsurePriority> &priorities)
{
    priorities.clear();
    const auto sql = [] { return CollectionStatement {statement(CapsureCollectionIdsSql)}; };
    return queryCollection(fileOf, sql, [&](QSqlQuery &query) {
        while (query.next())
            priorities.append({query.value(0).toLongLong(), query.value(1).toInt()});
        return Success;
    });
}

int capsureCollectionIds(QVector<qint64> &ids)
{
    ids.clear();
    QVector<CapsurePriority> priorities;
    const int result = capsureCollectionPriorities(SystemWideCollectionUuid, priorities);
    for (const CapsurePriority &collection : std::as_const(priorities))
        ids.append(collection.collectionId);
    return result;
}

const char *const CapsureCandidatesSql
    = "SELECT     R.*,     CMAP.COLLECTION_ID FROM     ROW R     JOIN PAGE P ON R.PAGE_ID = "
      "P.ID     JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID     INNER JOIN "
      "CAPSURE_COLLECTION_IDS_BY_PRIORITY T1 ON CMAP.COLLECTION_ID = T1.COLLECTION_ID WHERE     "
      "UPPER(:NAME_OR_CODE) IN (%2) ORDER BY     T1.PRIORITY ASC";

int capsureCandidatesInFile(const QUuid &fileOf, const QString &nameOrCode,
                            QVector<ColorEntry> &entries)
{
    entries.clear();
    const auto sql = [&] {
        return CollectionStatement {
            statement(CapsureCandidatesSql).arg(rowColumns().join(QStringLiteral(", "))),
            {},
            {{QStringLiteral(":NAME_OR_CODE"), nameOrCode}}};
    };
    return queryCollection(fileOf, sql, [&](QSqlQuery &query) {
        forEachRow(query, [&](const QSqlRecord &row, const ColumnLayout &columns) {
            entries.append(ColorEntry(row, columns));
        });
        return Success;
    });
}

int capsureCandidates(const QString &nameOrCode, QVector<ColorEntry> &entries)
{
    return capsureCandidatesInFile(SystemWideCollectionUuid, nameOrCode, entries);
}

const char *const LabSamplesSql
    = "SELECT R.ID,R.RED,R.GREEN,R.BLUE,R.L,R.A,R.B  FROM \"ROW\" R       JOIN PAGE P ON "
      "R.PAGE_ID = P.ID       JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE "
      "CMAP.COLLECTION_ID = %1 ";

namespace {

QVector<LabSample> readLabSamples(QSqlQuery &query, const std::atomic_bool &cancelled)
{
    QVector<LabSample> samples;
    while (query.next() && !cancelled.load(std::memory_order_relaxed)) {
        samples.append({query.value(4).toDouble(), query.value(5).toDouble(),
                        query.value(6).toDouble(), query.value(0).toLongLong()});
    }
    return samples;
}

} // namespace

int loadLabSamples(const QUuid &uuid, QVector<LabSample> &samples)
{
    samples.clear();
    const auto sql = [&] {
        return CollectionStatement {statement(LabSamplesSql), {collectionId(uuid)}};
    };
    // A failed statement is a failure, not a collection without chips.
    return queryCollection(uuid, sql, [&](QSqlQuery &query) {
        samples = readLabSamples(query, std::atomic_bool(false));
        return Success;
    });
}

QFuture<QVector<LabSample>> loadLabSamplesLater(const QUuid &uuid)
{
    if (connectCollection(uuid) < 0)
        return QtFuture::makeReadyFuture(QVector<LabSample>());
    return OpenCollection::of(uuid)->colors();
}

ScanStatements collectionScanStatements(const QUuid &uuid)
{
    ScanStatements statements = phraseStatements(uuid);
    statements.colors = statement(LabSamplesSql).arg(collectionId(uuid));
    return statements;
}

CollectionScan scanPhrases(const QString &path, const ScanStatements &statements,
                           const std::atomic_bool &cancelled)
{
    CollectionScan scan;
    QHash<qint64, PhrasePage> pages;
    readOwn(path, statements.pages, [&](QSqlQuery &query) { pages = readPhrasePages(query); });
    readOwn(path, statements.chips,
            [&](QSqlQuery &query) { scan.phrases = readPhrases(query, pages, cancelled); });
    if (scan.phrases)
        scan.completion = scan.phrases->completion();
    return scan;
}

QVector<LabSample> scanColors(const QString &path, const QString &sql,
                              const std::atomic_bool &cancelled)
{
    QVector<LabSample> samples;
    readOwn(path, sql, [&](QSqlQuery &query) { samples = readLabSamples(query, cancelled); });
    // Part of the table is no answer.
    return cancelled ? QVector<LabSample>() : samples;
}

namespace {

// The first chip the statement finds in the file of the system-wide collection. Connecting
// first, so that a lookup works before anything else has used that file.
int findSystemWideEntry(const CollectionStatement &sql, ColorEntry &entry)
{
    entry.clear();
    return queryCollection(
        SystemWideCollectionUuid, [&] { return sql; },
        [&](QSqlQuery &query) {
            if (!query.next())
                return QueryFailed;
            entry.load(query.record());
            return Success;
        });
}

} // namespace

const char *const EntryByColorSql
    = "SELECT * FROM \"ROW\" R      JOIN PAGE P ON R.PAGE_ID = P.ID      JOIN "
      "COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE CMAP.COLLECTION_ID IN (SELECT     "
      "C.ID FROM     COLLECTION C     JOIN SETTING S ON S.COLLECTION_ID = C.ID WHERE     S.NAME "
      "= 'collection.enabled' COLLATE NOCASE AND     S.VALUE != 0 ORDER BY     C.\"ORDER\" "
      "ASC)    AND RED = %1     AND GREEN = %2     AND BLUE = %3 ";

int findEntryByColor(const QColor &color, ColorEntry &entry)
{
    return findSystemWideEntry(
        {statement(EntryByColorSql), {color.red(), color.green(), color.blue()}}, entry);
}

const char *const EntryByCodeSql
    = "SELECT * FROM \"ROW\" R      JOIN PAGE P ON R.PAGE_ID = P.ID      JOIN "
      "COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE CMAP.COLLECTION_ID IN (SELECT     "
      "C.ID FROM     COLLECTION C     JOIN SETTING S ON S.COLLECTION_ID = C.ID WHERE     S.NAME "
      "= 'collection.enabled' COLLATE NOCASE AND     S.VALUE != 0 ORDER BY     C.\"ORDER\" "
      "ASC)    AND R.CODE = :CODE COLLATE NOCASE";

int findEntryByCode(const QString &code, ColorEntry &entry)
{
    return findSystemWideEntry({statement(EntryByCodeSql), {}, {{QStringLiteral(":CODE"), code}}},
                               entry);
}

void waitForLaterReads()
{
    OpenCollection::waitForScans();
}

} // namespace Sorven::DB
