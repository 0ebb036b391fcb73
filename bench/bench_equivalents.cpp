// A chip's equivalents in every other collection, as the context menu and the eyedropper ask
// for them: twenty collection files, one of them with a collection of 200,000 chips, with the
// tables cached as they are after the first question.
#include "bench/benchfolders.h"
#include "bench/medianclock.h"
#include "db/connections.h"
#include "db/search.h"
#include "palette/colorequivalents.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdio>
#include <vector>

using namespace Sorven;

namespace {

constexpr int ScaleChips = 200000;
constexpr int CollectionFiles = 20;

// The file again under new collection identities, so that its collections count as further
// ones rather than as copies the first file keeps.
bool writeCopy(const QString &source, const QString &target)
{
    if (!QFile::copy(source, target))
        return false;
    bool ok = true;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), target);
        database.setDatabaseName(target);
        ok = database.open();
        QSqlQuery ids(QStringLiteral("SELECT ID FROM COLLECTION"), database);
        QList<qint64> collections;
        while (ids.next())
            collections.append(ids.value(0).toLongLong());
        for (qint64 id : collections) {
            QSqlQuery update(database);
            update.prepare(QStringLiteral(
                "UPDATE COLLECTION SET UUID = ?, SYSTEMID = SYSTEMID || ? WHERE ID = ?"));
            update.addBindValue(QUuid::createUuid().toString(QUuid::WithBraces).toUpper());
            update.addBindValue(QFileInfo(target).baseName());
            update.addBindValue(id);
            ok = ok && update.exec();
        }
    }
    QSqlDatabase::removeDatabase(target);
    return ok;
}

bool writeCollectionFiles(const QTemporaryDir &root)
{
    if (!writeBenchmarkCollections(root, ScaleChips).isEmpty())
        return false;
    const QDir folder(Demo::demoDatabaseFolder(root.path()));
    const QStringList files = folder.entryList({QStringLiteral("*.db")}, QDir::Files);
    const QString interior = folder.filePath(QStringLiteral("vexa-interior.db"));
    for (qsizetype i = files.size(); i < CollectionFiles; ++i) {
        if (!writeCopy(interior, folder.filePath(QStringLiteral("copy%1.db").arg(i))))
            return false;
    }
    return true;
}

// Chips of the interior collection spread over its deck, as a user asks for their equivalents.
std::vector<LabColor> targets()
{
    QVector<DB::LabSample> samples;
    DB::loadLabSamples(Demo::demoCollectionUuid(QStringLiteral("VXI")), samples);
    std::vector<LabColor> colors;
    for (qsizetype i = 0; i < samples.size(); i += 7)
        colors.push_back({samples[i].l, samples[i].a, samples[i].b});
    return colors;
}

void equivalentsInEveryCollection(benchmark::State &state)
{
    const std::vector<LabColor> colors = targets();
    if (colors.empty()) {
        state.SkipWithError("no chips to ask about");
        return;
    }
    equivalentsInOtherCollections(colors.front(), {});
    std::size_t next = 0;
    qsizetype found = 0;
    measureMedian(state, [&] {
        found = equivalentsInOtherCollections(colors[next++ % colors.size()], {}).size();
    });
    state.counters["collections"] = double(found);
}

BENCHMARK(equivalentsInEveryCollection)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir root;
    useBenchmarkFolders(root);
    QGuiApplication application(argc, argv);
    if (!writeCollectionFiles(root) || DB::ensureCollectionsEnumerated() < 0) {
        std::fprintf(stderr, "cannot build the collections\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
