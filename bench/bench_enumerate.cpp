// Enumerating a data folder that holds twenty collection databases, as at start-up.
#include "db/connections.h"
#include "db/schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <benchmark/benchmark.h>

namespace {

void writeDatabase(const QString &path, int number)
{
    const QString connection = QStringLiteral("bench-writer");
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(path);
        database.open();
        QSqlQuery query(database);
        query.exec(QStringLiteral("PRAGMA synchronous = OFF"));
        database.transaction();
        for (const QString &statement :
             Sorven::DB::schemaStatements() + Sorven::DB::seedStatements())
            query.exec(statement);
        for (int collection = 1; collection <= 3; ++collection) {
            query.prepare(QStringLiteral(
                R"(INSERT INTO COLLECTION(ID, UUID, SYSTEMID, NAME, "ORDER") VALUES(?,?,?,?,?))"));
            query.addBindValue(collection);
            query.addBindValue(QUuid::createUuid().toString());
            query.addBindValue(QStringLiteral("C%1-%2").arg(number).arg(collection));
            query.addBindValue(QStringLiteral("Collection %1-%2").arg(number).arg(collection));
            query.addBindValue(number * 10 + collection);
            query.exec();
            query.prepare(QStringLiteral("INSERT INTO SETTING(COLLECTION_ID, NAME, VALUE) "
                                         "VALUES(?, 'collection.enabled', '1')"));
            query.addBindValue(collection);
            query.exec();
        }
        database.commit();
    }
    QSqlDatabase::removeDatabase(connection);
}

void enumerateTwentyFiles(benchmark::State &state)
{
    QTemporaryDir root;
    qputenv("VEXA_COMMON_APPDATA", root.path().toLocal8Bit());
    const QString folder = Sorven::DB::collectionDatabaseFolder(Sorven::DB::collectionDataPath());
    QDir().mkpath(folder);
    for (int number = 0; number < 20; ++number)
        writeDatabase(QDir(folder).filePath(QStringLiteral("collection%1.db").arg(number)), number);

    Sorven::DB::CollectionRegistry registry;
    for (auto _ : state) {
        Sorven::DB::enumerateCollections(registry, true);
        benchmark::DoNotOptimize(registry.size());
    }
    state.counters["collections"] = static_cast<double>(registry.size());
}

BENCHMARK(enumerateTwentyFiles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
