#include "core/usersettings.h"
#include "db/connections.h"
#include "db/databaselayer.h"
#include "db/search.h"
#include "support/fixturedatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

using namespace Sorven;

namespace {

const QUuid Alpine("{5b1e7f1a-0000-4000-8000-00000000000a}");
const QUuid Brume("{5b1e7f1a-0000-4000-8000-00000000000b}");

} // namespace

class TestDatabaseLayer : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DB::setStartupPaths({}, {});
        resetDatabaseLayer();
        QDir(fixtureDatabaseFolder()).removeRecursively();
    }

    void refusesToStartWithoutCollections()
    {
        QCOMPARE(DB::initializeDatabaseLayer(QStringLiteral("/opt/vexa/vexa.so"),
                                             DB::collectionDataPath()),
                 -3);
        QCOMPARE(DB::modulePath(), QStringLiteral("/opt/vexa/vexa.so"));

        FixtureDatabase file(QStringLiteral("a.db"));
        file.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1, 0);
        file.close();
        resetDatabaseLayer();
        QCOMPARE(DB::initializeDatabaseLayer({}, DB::collectionDataPath()), -3);
    }

    void aNewHostProcessStartsOnTheFirstCollection()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        const qint64 brume
            = file.addCollection(Brume, QStringLiteral("BRU"), QStringLiteral("Brume"), 2);
        file.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1);
        file.addSetting(brume, QStringLiteral("row.name.search.order"), 3);
        file.close();

        UserSettings::setLastUsedCollection(Brume);
        UserSettings::setHostApplicationPid(QCoreApplication::applicationPid() + 1);
        QCOMPARE(DB::initializeDatabaseLayer({}, DB::collectionDataPath()), 0);
        QCOMPARE(UserSettings::lastUsedCollection(), Alpine);
        QCOMPARE(UserSettings::hostApplicationPid(), QCoreApplication::applicationPid());
        QVERIFY(DB::rowNameSearchOrder().isEmpty());

        // A reload inside the same process keeps the user's choice and its name orders.
        UserSettings::setLastUsedCollection(Brume);
        resetDatabaseLayer();
        QCOMPARE(DB::initializeDatabaseLayer({}, DB::collectionDataPath()), 0);
        QCOMPARE(UserSettings::lastUsedCollection(), Brume);
        QCOMPARE(DB::rowNameSearchOrder(), QVector<qint64> {3});
    }
};

QTEST_GUILESS_MAIN(TestDatabaseLayer)
#include "tst_databaselayer.moc"
