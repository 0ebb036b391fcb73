// The queries behind browsing, searching and matching on a collection of about 50,000 chips,
// with the page statements run through SQLite's own interface as the floor they cannot beat.
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "db/search.h"
#include "tools/democollections.h"

#include <QGuiApplication>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>

using namespace Sorven::DB;

namespace {

constexpr int ScaleChips = 50000;
constexpr int AllMoods = 7;

// What the benchmarks ask for: a page, a chip and texts from the middle of the deck.
struct Targets
{
    QUuid uuid;
    QString databasePath;
    qint64 collection = -1;
    int pageIndex = 0;
    int segment = 0;
    qint64 rowId = 0;
    QString code;
    QString name;
    int chips = 0;
};

Targets &targets()
{
    static Targets instance;
    return instance;
}

QVariant firstValue(const QString &sql)
{
    QSqlQuery query(collectionDatabase(targets().uuid));
    return query.exec(sql) && query.next() ? query.value(0) : QVariant();
}

// Statistics let SQLite's planner start the navigation statements from the page index or
// segment instead of from every page of the collection. Set VEXA_BENCH_ANALYZE=1 to measure
// the databases as they would be with statistics.
void analyzeWhenAsked(const QString &path)
{
    if (qEnvironmentVariableIntValue("VEXA_BENCH_ANALYZE") != 1)
        return;
    sqlite3 *database = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &database, SQLITE_OPEN_READWRITE, nullptr)
        == SQLITE_OK)
        sqlite3_exec(database, "ANALYZE", nullptr, nullptr, nullptr);
    sqlite3_close_v2(database);
}

bool findTargets()
{
    Targets &t = targets();
    t.uuid = Sorven::Demo::demoCollectionUuid(QStringLiteral("BENCH"));
    if (connectCollection(t.uuid) != Success)
        return false;
    loadNameOrders(t.uuid);
    t.databasePath = collectionDatabase(t.uuid).databaseName();
    t.collection = collectionId(t.uuid);
    const QString inCollection
        = QStringLiteral("FROM \"ROW\" R JOIN COLLECTION_PAGE_MAP CMAP ON CMAP.PAGE_ID = R.PAGE_ID "
                         "WHERE CMAP.COLLECTION_ID = %1")
              .arg(t.collection);
    t.chips = firstValue(QStringLiteral("SELECT COUNT(*) ") + inCollection).toInt();
    t.rowId = firstValue(QStringLiteral("SELECT R.ID %1 ORDER BY R.ID LIMIT 1 OFFSET %2")
                             .arg(inCollection)
                             .arg(t.chips / 2))
                  .toLongLong();
    ColorEntry chip;
    ColorPage page;
    if (loadEntryById(t.uuid, t.rowId, chip) != Success
        || loadPageById(t.uuid, chip.pageId, true, page) != Success)
        return false;
    t.pageIndex = page.pageIndex;
    t.segment = page.segment;
    t.code = chip.code;
    const QVector<int> names = nameColumns(rowNameSearchOrder());
    t.name = names.isEmpty() ? QString() : chip.name(names.first());
    return t.chips > 0;
}

// Times call, whose result must be success for the figures to mean anything.
template<typename Call>
void measure(benchmark::State &state, Call call)
{
    int result = Success;
    for (auto _ : state) {
        result = call();
        benchmark::DoNotOptimize(result);
    }
    if (result != Success)
        state.SkipWithError("the query failed");
}

void loadPageBenchmark(benchmark::State &state)
{
    measure(state, [] {
        ColorPage page;
        return loadPage(targets().uuid, targets().pageIndex, page);
    });
    state.counters["chips"] = targets().chips;
}

void loadAdjacentPageForward(benchmark::State &state)
{
    measure(state, [] {
        ColorPage page;
        return loadAdjacentPage(targets().uuid, targets().pageIndex, false, AllMoods, false, page);
    });
}

// Backwards from the first page: the first try finds nothing, the second wraps to the end.
void loadAdjacentPageWrapping(benchmark::State &state)
{
    measure(state, [] {
        ColorPage page;
        return loadAdjacentPage(targets().uuid, 1, true, AllMoods, false, page);
    });
}

void loadFirstPageInSegmentBenchmark(benchmark::State &state)
{
    measure(state, [] {
        ColorPage page;
        return loadFirstPageInSegment(targets().uuid, targets().segment, AllMoods, false, page);
    });
}

void loadEntryByIdBenchmark(benchmark::State &state)
{
    measure(state, [] {
        ColorEntry entry;
        return loadEntryById(targets().uuid, targets().rowId, entry);
    });
}

void findPhraseBenchmark(benchmark::State &state, const QString &phrase)
{
    int pageIndex = 0;
    int rowIndex = 0;
    int segment = 0;
    int mood = 0;
    bool exterior = false;
    int result = 0;
    for (auto _ : state) {
        result = findPhrase(targets().uuid, phrase, pageIndex, rowIndex, segment, mood, exterior);
        benchmark::DoNotOptimize(result);
    }
    state.counters["found"] = result == Success ? 1 : 0;
}

void findPhraseCode(benchmark::State &state)
{
    findPhraseBenchmark(state, targets().code.toLower());
}

void findPhraseName(benchmark::State &state)
{
    findPhraseBenchmark(state, targets().name);
}

// Nothing matches: every chip of the collection is compared.
void findPhraseMissing(benchmark::State &state)
{
    findPhraseBenchmark(state, QStringLiteral("no such colour anywhere"));
}

void completionEntriesBenchmark(benchmark::State &state)
{
    QStringList entries;
    measure(state, [&] { return completionEntries(targets().uuid, entries); });
    state.counters["entries"] = double(entries.size());
}

void loadLabSamplesBenchmark(benchmark::State &state)
{
    QVector<LabSample> samples;
    measure(state, [&] { return loadLabSamples(targets().uuid, samples); });
    state.counters["samples"] = double(samples.size());
}

void chipDescriptionBenchmark(benchmark::State &state)
{
    measure(state, [] {
        return chipDescription(targets().uuid, targets().rowId, true).isEmpty() ? QueryFailed
                                                                                : Success;
    });
}

// The floor: loadPage's two statements prepared, stepped and read column by column through
// SQLite directly, without any record building.
const char *const RawPageSql
    = "SELECT * FROM     PAGE P     LEFT JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID "
      "WHERE     CMAP.COLLECTION_ID = %1 AND P.PAGE_INDEX = %2 ";
const char *const RawPageChipsSql
    = "SELECT     R.*,     %1 AS COLLECTION_ID FROM     \"ROW\" R WHERE     R.PAGE_ID = %2 ";

struct SqliteDeleter
{
    void operator()(sqlite3 *database) const { sqlite3_close_v2(database); }
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using SqliteDatabase = std::unique_ptr<sqlite3, SqliteDeleter>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteDeleter>;

// Steps through every row and reads every column in its stored type; the first column of the
// first row is returned.
sqlite3_int64 readAll(sqlite3 *database, const QByteArray &sql, int &rows)
{
    sqlite3_stmt *prepared = nullptr;
    sqlite3_prepare_v2(database, sql.constData(), int(sql.size()), &prepared, nullptr);
    const SqliteStatement statement(prepared);
    sqlite3_int64 first = -1;
    rows = 0;
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        for (int column = 0; column < sqlite3_column_count(statement.get()); ++column) {
            switch (sqlite3_column_type(statement.get(), column)) {
            case SQLITE_INTEGER:
                benchmark::DoNotOptimize(sqlite3_column_int64(statement.get(), column));
                break;
            case SQLITE_FLOAT:
                benchmark::DoNotOptimize(sqlite3_column_double(statement.get(), column));
                break;
            default:
                benchmark::DoNotOptimize(sqlite3_column_text(statement.get(), column));
                break;
            }
        }
        if (rows++ == 0)
            first = sqlite3_column_int64(statement.get(), 0);
    }
    return first;
}

void rawPageFloor(benchmark::State &state)
{
    sqlite3 *opened = nullptr;
    sqlite3_open_v2(targets().databasePath.toUtf8().constData(), &opened, SQLITE_OPEN_READONLY,
                    nullptr);
    const SqliteDatabase database(opened);
    const QString collection = QString::number(targets().collection);
    const QByteArray pageSql
        = QString::fromLatin1(RawPageSql).arg(collection).arg(targets().pageIndex).toUtf8();
    int rows = 0;
    for (auto _ : state) {
        const sqlite3_int64 pageId = readAll(database.get(), pageSql, rows);
        const QByteArray chipsSql
            = QString::fromLatin1(RawPageChipsSql).arg(collection).arg(pageId).toUtf8();
        readAll(database.get(), chipsSql, rows);
    }
    state.counters["chipsOnPage"] = rows;
}

// The phrase statement as findPhrase builds it for the collection's name orders, run through
// SQLite directly with a phrase that matches nothing, so that every chip is compared.
const char *const RawPhraseSql
    = "SELECT     P.SEGMENT AS PAGE_SEGMENT,     P.PAGE_INDEX,     R.ROW_INDEX,     P.MOOD AS "
      "PAGE_MOOD,     P.EXTERIOR AS PAGE_EXTERIOR,     (?1 IN (%2)) AS IS_PAGE FROM     "
      "\"ROW\" R     JOIN PAGE P ON R.PAGE_ID = P.ID     JOIN COLLECTION_PAGE_MAP CMAP ON P.ID "
      "= CMAP.PAGE_ID WHERE     CMAP.COLLECTION_ID = %1     AND ?1 IN (%3) LIMIT     1 ";

QStringList columnExpressions(const QVector<qint64> &order, const QString &pattern)
{
    QStringList expressions;
    for (const int column : nameColumns(order))
        expressions << pattern.arg(column);
    return expressions;
}

// pattern turns a column into what is compared with the phrase, e.g. "UPPER(%1)".
void rawPhrase(benchmark::State &state, const QString &pattern)
{
    sqlite3 *opened = nullptr;
    sqlite3_open_v2(targets().databasePath.toUtf8().constData(), &opened, SQLITE_OPEN_READONLY,
                    nullptr);
    const SqliteDatabase database(opened);
    const QStringList pageColumns
        = columnExpressions(pageNameSearchOrder(), pattern.arg(QStringLiteral("P.NAME%1")));
    const QStringList allColumns = pageColumns
        + columnExpressions(rowNameSearchOrder(), pattern.arg(QStringLiteral("R.NAME%1")))
        + QStringList {pattern.arg(QStringLiteral("R.CODE"))};
    const QByteArray sql = QString::fromLatin1(RawPhraseSql)
                               .arg(QString::number(targets().collection), pageColumns.join(u','),
                                    allColumns.join(u','))
                               .toUtf8();
    const QByteArray phrase = QByteArrayLiteral("NO SUCH COLOUR ANYWHERE");
    int rows = 0;
    for (auto _ : state) {
        sqlite3_stmt *prepared = nullptr;
        sqlite3_prepare_v2(database.get(), sql.constData(), int(sql.size()), &prepared, nullptr);
        const SqliteStatement statement(prepared);
        sqlite3_bind_text(statement.get(), 1, phrase.constData(), int(phrase.size()),
                          SQLITE_STATIC);
        rows = 0;
        while (sqlite3_step(statement.get()) == SQLITE_ROW)
            ++rows;
    }
    state.counters["found"] = rows;
}

void rawPhraseFloor(benchmark::State &state)
{
    rawPhrase(state, QStringLiteral("UPPER(%1)"));
}

// The same matching rule (ASCII letters without regard to case) as a collation instead of a
// function call per column and chip.
void rawPhraseNocase(benchmark::State &state)
{
    rawPhrase(state, QStringLiteral("%1 COLLATE NOCASE"));
}

void configure(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

BENCHMARK(rawPageFloor)->Apply(configure);
BENCHMARK(loadPageBenchmark)->Apply(configure);
BENCHMARK(loadAdjacentPageForward)->Apply(configure);
BENCHMARK(loadAdjacentPageWrapping)->Apply(configure);
BENCHMARK(loadFirstPageInSegmentBenchmark)->Apply(configure);
BENCHMARK(loadEntryByIdBenchmark)->Apply(configure);
BENCHMARK(chipDescriptionBenchmark)->Apply(configure);
BENCHMARK(findPhraseCode)->Apply(configure);
BENCHMARK(findPhraseName)->Apply(configure);
BENCHMARK(findPhraseMissing)->Apply(configure);
BENCHMARK(rawPhraseFloor)->Apply(configure);
BENCHMARK(rawPhraseNocase)->Apply(configure);
BENCHMARK(completionEntriesBenchmark)->Apply(configure);
BENCHMARK(loadLabSamplesBenchmark)->Apply(configure);

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir root;
    // Before the application exists, so that every path the database layer builds is below it.
    qputenv("VEXA_COMMON_APPDATA", root.path().toLocal8Bit());
    // The demo builder draws its theme images with fonts, which need a GUI application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    Sorven::Demo::DemoOptions options;
    options.scaleChips = ScaleChips;
    const Sorven::Demo::DemoBuildResult built
        = Sorven::Demo::buildDemoCollections(root.path(), options);
    for (const QString &file : built.files)
        analyzeWhenAsked(file);
    if (!built.error.isEmpty() || !findTargets()) {
        std::fprintf(stderr, "cannot build the benchmark collection: %s\n",
                     qPrintable(built.error));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
