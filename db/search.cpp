#include "db/search.h"

#include "db/connections.h"
#include "db/querysupport.h"

#include <QPromise>
#include <QSqlRecord>
#include <QThreadPool>

#include <memory>

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

// The database upper-cases ASCII letters only; the phrase must follow the same rule, or a
// name with an accented letter could not be found even when typed exactly.
QString asciiUpper(const QString &text)
{
    QString upper = text;
    for (QChar &c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return upper;
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
    QThreadPool::globalInstance()->start([promise,
                                          path = collectionRegistry().find(uuid)->databasePath,
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

// A column matches when it equals the phrase ignoring ASCII case; the comparison is written
// with NOCASE rather than by upper-casing every column of every chip, which took twice as long.
const char *const PhraseWithPageNamesSql
    = "SELECT     P.SEGMENT AS PAGE_SEGMENT,     P.PAGE_INDEX,     R.ROW_INDEX,     P.MOOD AS "
      "PAGE_MOOD,     P.EXTERIOR AS PAGE_EXTERIOR,     (%2) AS IS_PAGE FROM     "
      "\"ROW\" R     JOIN PAGE P ON R.PAGE_ID = P.ID     JOIN COLLECTION_PAGE_MAP CMAP ON P.ID "
      "= CMAP.PAGE_ID WHERE     CMAP.COLLECTION_ID = %1     AND (%3) LIMIT     1 ";
const char *const PhraseSql
    = "SELECT     P.SEGMENT AS PAGE_SEGMENT,     P.PAGE_INDEX,     R.ROW_INDEX,     P.MOOD AS "
      "PAGE_MOOD,     P.EXTERIOR AS PAGE_EXTERIOR,     0 AS IS_PAGE FROM     \"ROW\" R     "
      "JOIN PAGE P ON R.PAGE_ID = P.ID     JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = "
      "CMAP.PAGE_ID WHERE     CMAP.COLLECTION_ID = %1     AND (%2) LIMIT     1 ";
const char *const PhraseEqualsSql = "%1 = :PHRASE COLLATE NOCASE";

namespace {

QString phraseSql(const QUuid &uuid)
{
    const QString equals = statement(PhraseEqualsSql);
    const QStringList pageColumns = perColumn(pageNameSearchOrder(), equals.arg("P.NAME%1"));
    const QStringList allColumns
        = pageColumns + perColumn(rowNameSearchOrder(), equals.arg("R.NAME%1"))
        << equals.arg("R.CODE");
    const QString collection = QString::number(collectionId(uuid));
    const QString separator = QStringLiteral(" OR ");
    if (pageColumns.isEmpty())
        return statement(PhraseSql).arg(collection, allColumns.join(separator));
    return statement(PhraseWithPageNamesSql)
        .arg(collection, pageColumns.join(separator), allColumns.join(separator));
}

} // namespace

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
    QSqlQuery query;
    if (!run(query, uuid, phraseSql(uuid), {{":PHRASE", asciiUpper(phrase)}}))
        return QueryFailed;
    if (!query.next())
        return NoMatch;
    const QSqlRecord row = query.record();
    pageIndex = row.value(QStringLiteral("PAGE_INDEX")).toInt();
    segment = row.value(QStringLiteral("PAGE_SEGMENT")).toInt();
    mood = row.value(QStringLiteral("PAGE_MOOD")).toInt();
    exterior = row.value(QStringLiteral("PAGE_EXTERIOR")).toInt() != 0;
    if (row.value(QStringLiteral("IS_PAGE")).toInt() == 0)
        rowIndex = row.value(QStringLiteral("ROW_INDEX")).toInt();
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

} // namespace Sorven::DB
