#include "db/search.h"

#include "db/connections.h"
#include "db/phraseindex.h"
#include "db/querysupport.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPromise>
#include <QSqlRecord>
#include <QThreadPool>

#include <memory>
#include <optional>

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

bool run(QSqlQuery &query, const QUuid &uuid, const QString &sql, BoundValues values = {})
{
    query = collectionQuery(uuid);
    return runStatement(query, sql, values);
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
    QSqlQuery query;
    if (!run(query, uuid, statement(NameOrderSql).arg(collectionId(uuid)),
             {{":NAME", QLatin1String(key)}}))
        return order;
    while (query.next())
        order.append(query.value(0).toLongLong());
    return order;
}

} // namespace

void loadNameOrders(const QUuid &uuid)
{
    NameOrders &orders = nameOrders();
    orders = {};
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
    entries.sort(Qt::CaseInsensitive);
    return entries;
}

// The reads a collection change leaves for later run on threads of their own: the raster paint
// engine splits large fills over the global pool, and the repaint after the change would wait
// for a read to free a thread of it.
QThreadPool &laterReads()
{
    static QThreadPool pool;
    return pool;
}

// The statement is composed here, where the name orders and the collection registry live, and
// read by a worker thread on a connection of its own.
template<typename Rows>
QFuture<Rows> readLater(const QUuid &uuid, QString (*sql)(const QUuid &), Rows (*read)(QSqlQuery &))
{
    if (connectCollection(uuid) < 0)
        return QtFuture::makeReadyFuture<Rows>(Rows());
    // Shared, because the pool copies the task.
    auto promise = std::make_shared<QPromise<Rows>>();
    promise->start();
    laterReads().start([promise, path = collectionRegistry().find(uuid)->databasePath,
                        statement = sql(uuid), read] {
        Rows rows;
        runOnOwnConnection(path, statement, [&](QSqlQuery &query) { rows = read(query); });
        promise->addResult(rows);
        promise->finish();
    });
    return promise->future();
}

} // namespace

int completionEntries(const QUuid &uuid, QStringList &entries)
{
    entries.clear();
    if (const int result = connectCollection(uuid); result < 0)
        return result;
    QSqlQuery query;
    if (!run(query, uuid, completionEntriesSql(uuid)))
        return QueryFailed;
    entries = readCompletionEntries(query);
    return entries.isEmpty() ? QueryFailed : Success;
}

QFuture<QStringList> completionEntriesLater(const QUuid &uuid)
{
    return readLater(uuid, completionEntriesSql, readCompletionEntries);
}

// Every chip of the collection with its page and its searched texts: page names as PAGE_TEXT,
// chip names and the code as CHIP_TEXT. In the table's order, the order in which a scan of the
// table meets the chips, so that of two chips with the same text the earlier one is found.
const char *const PhraseIndexSql
    = "SELECT P.SEGMENT, P.PAGE_INDEX, R.ROW_INDEX, P.MOOD, P.EXTERIOR%2 FROM \"ROW\" R JOIN "
      "PAGE P ON R.PAGE_ID = P.ID JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID WHERE "
      "CMAP.COLLECTION_ID = %1 ORDER BY R.ID";

namespace {

enum PhraseIndexColumn {
    SegmentColumn,
    PageIndexColumn,
    RowIndexColumn,
    MoodColumn,
    ExteriorColumn,
    FirstTextColumn
};

QString phraseIndexSql(const QUuid &uuid)
{
    const QStringList texts
        = perColumn(pageNameSearchOrder(), QStringLiteral(", P.NAME%1 AS PAGE_TEXT"))
            + perColumn(rowNameSearchOrder(), QStringLiteral(", R.NAME%1 AS CHIP_TEXT"))
        << QStringLiteral(", R.CODE AS CHIP_TEXT");
    return statement(PhraseIndexSql)
        .arg(QString::number(collectionId(uuid)), texts.join(QString()));
}

// NULL is equal to nothing, and a blob is never equal to a text.
void appendText(QStringList &texts, const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        texts.append(value.toString());
}

std::optional<PhraseIndex> readPhraseIndex(QSqlQuery &query)
{
    const QSqlRecord record = query.record();
    QList<bool> pageName;
    for (int column = FirstTextColumn; column < record.count(); ++column)
        pageName.append(record.fieldName(column) == QLatin1String("PAGE_TEXT"));
    PhraseIndex index;
    QStringList pageNames;
    QStringList chipTexts;
    while (query.next()) {
        pageNames.clear();
        chipTexts.clear();
        for (int text = 0; text < pageName.size(); ++text)
            appendText(pageName.at(text) ? pageNames : chipTexts,
                       query.value(FirstTextColumn + text));
        index.addChip({query.value(PageIndexColumn).toInt(), query.value(RowIndexColumn).toInt(),
                       query.value(SegmentColumn).toInt(), query.value(MoodColumn).toInt(),
                       query.value(ExteriorColumn).toInt() != 0},
                      pageNames, chipTexts);
    }
    return index;
}

// What a collection's phrase index was built from: its file as it was then and the name orders
// in force. The files are not expected to change while the module runs, but a stale index
// would quietly lead searches astray, and checking costs one look at the file.
struct PhraseIndexSource
{
    QString path;
    qint64 size = 0;
    QDateTime modified;
    qint64 collection = -1;
    QVector<int> pageColumns;
    QVector<int> rowColumns;

    friend bool operator==(const PhraseIndexSource &, const PhraseIndexSource &) = default;
};

PhraseIndexSource phraseIndexSource(const QUuid &uuid)
{
    const QString path = collectionRegistry().find(uuid)->databasePath;
    const QFileInfo file(path);
    return {path,
            file.size(),
            file.lastModified(),
            collectionId(uuid),
            nameColumns(pageNameSearchOrder()),
            nameColumns(rowNameSearchOrder())};
}

struct CachedPhraseIndex
{
    PhraseIndexSource source;
    // Empty when the statement failed.
    QFuture<std::optional<PhraseIndex>> index;
};

QHash<QUuid, CachedPhraseIndex> &phraseIndexes()
{
    static QHash<QUuid, CachedPhraseIndex> indexes;
    return indexes;
}

// The collection's phrase index, read on a worker thread unless it is read or being read
// already. A search then costs a lookup instead of a scan of every chip.
QFuture<std::optional<PhraseIndex>> phraseIndexLater(const QUuid &uuid)
{
    QHash<QUuid, CachedPhraseIndex> &indexes = phraseIndexes();
    const PhraseIndexSource source = phraseIndexSource(uuid);
    auto cached = indexes.find(uuid);
    if (cached == indexes.end() || cached->source != source)
        cached = indexes.insert(uuid, {source, readLater(uuid, phraseIndexSql, readPhraseIndex)});
    return cached->index;
}

} // namespace

void preparePhraseSearch(const QUuid &uuid)
{
    if (connectCollection(uuid) == Success)
        phraseIndexLater(uuid);
}

int findPhrase(const QUuid &uuid, const QString &phrase, int &pageIndex, int &rowIndex,
               int &segment, int &mood, bool &exterior)
{
    pageIndex = -1;
    rowIndex = -1;
    segment = -1;
    mood = 0;
    exterior = false;
    if (const int result = connectCollection(uuid); result < 0)
        return result;
    const std::optional<PhraseIndex> index = phraseIndexLater(uuid).result();
    if (!index) {
        // Read again at the next search rather than fail for good.
        phraseIndexes().remove(uuid);
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
    if (const int result = connectCollection(fileOf); result < 0)
        return result;
    QSqlQuery query;
    if (!run(query, fileOf, statement(CapsureCollectionIdsSql)))
        return QueryFailed;
    while (query.next())
        priorities.append({query.value(0).toLongLong(), query.value(1).toInt()});
    return Success;
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
    if (const int result = connectCollection(fileOf); result < 0)
        return result;
    QSqlQuery query;
    if (!run(query, fileOf,
             statement(CapsureCandidatesSql).arg(rowColumns().join(QStringLiteral(", "))),
             {{":NAME_OR_CODE", nameOrCode}}))
        return QueryFailed;
    forEachRow(query, [&](const QSqlRecord &row, const ColumnLayout &columns) {
        entries.append(ColorEntry(row, columns));
    });
    return Success;
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

QString labSamplesSql(const QUuid &uuid)
{
    return statement(LabSamplesSql).arg(collectionId(uuid));
}

QVector<LabSample> readLabSamples(QSqlQuery &query)
{
    QVector<LabSample> samples;
    while (query.next()) {
        samples.append({query.value(4).toDouble(), query.value(5).toDouble(),
                        query.value(6).toDouble(), query.value(0).toLongLong()});
    }
    return samples;
}

} // namespace

int loadLabSamples(const QUuid &uuid, QVector<LabSample> &samples)
{
    samples.clear();
    if (const int result = connectCollection(uuid); result < 0)
        return result;
    QSqlQuery query;
    // A failed statement is a failure, not a collection without chips.
    if (!run(query, uuid, labSamplesSql(uuid)))
        return QueryFailed;
    samples = readLabSamples(query);
    return Success;
}

QFuture<QVector<LabSample>> loadLabSamplesLater(const QUuid &uuid)
{
    return readLater(uuid, labSamplesSql, readLabSamples);
}

namespace {

// The first chip the statement finds in the file of the system-wide collection. Connecting
// first, so that a lookup works before anything else has used that file.
int findSystemWideEntry(const QString &sql, BoundValues values, ColorEntry &entry)
{
    entry.clear();
    if (const int result = connectCollection(SystemWideCollectionUuid); result < 0)
        return result;
    QSqlQuery query;
    if (!run(query, SystemWideCollectionUuid, sql, values) || !query.next())
        return QueryFailed;
    entry.load(query.record());
    return Success;
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
    const QString sql
        = statement(EntryByColorSql).arg(color.red()).arg(color.green()).arg(color.blue());
    return findSystemWideEntry(sql, {}, entry);
}

const char *const EntryByCodeSql
    = "SELECT * FROM \"ROW\" R      JOIN PAGE P ON R.PAGE_ID = P.ID      JOIN "
      "COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE CMAP.COLLECTION_ID IN (SELECT     "
      "C.ID FROM     COLLECTION C     JOIN SETTING S ON S.COLLECTION_ID = C.ID WHERE     S.NAME "
      "= 'collection.enabled' COLLATE NOCASE AND     S.VALUE != 0 ORDER BY     C.\"ORDER\" "
      "ASC)    AND R.CODE = :CODE COLLATE NOCASE";

int findEntryByCode(const QString &code, ColorEntry &entry)
{
    return findSystemWideEntry(statement(EntryByCodeSql), {{":CODE", code}}, entry);
}

void waitForLaterReads()
{
    laterReads().waitForDone();
}

} // namespace Sorven::DB
