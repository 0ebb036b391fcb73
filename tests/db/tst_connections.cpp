#include "db/connections.h"
#include "support/fixturedatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QTest>

using namespace Sorven::DB;

namespace {

const QUuid Alpine("{0d6c37a4-3c1e-4c52-9d1c-5a1f1b6f0a01}");
const QUuid Brume("{0d6c37a4-3c1e-4c52-9d1c-5a1f1b6f0a02}");
const QUuid Cinder("{0d6c37a4-3c1e-4c52-9d1c-5a1f1b6f0a03}");

void writeFile(const QString &name, const QByteArray &content)
{
    QFile file(QDir(fixtureDatabaseFolder()).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestConnections : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetDatabaseLayer();
        QDir(fixtureDatabaseFolder()).removeRecursively();
    }

    void emptyFolderHasNoCollections()
    {
        QCOMPARE(ensureCollectionsEnumerated(), 2);
        QVERIFY(availableCollections().isEmpty());
        QDir(fixtureDatabaseFolder()).removeRecursively();
        QCOMPARE(enumerateCollections(collectionRegistry(), true), 0);
        QVERIFY(collectionRegistry().isEmpty());
    }

    void enabledCollectionsAreListedInOrder()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        file.addCollection(Brume, QStringLiteral("BRU"), QStringLiteral("Brume"), 2);
        file.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1);
        file.addCollection(Cinder, QStringLiteral("CIN"), QStringLiteral("Cinder"), 3, 0);
        file.close();

        QCOMPARE(ensureCollectionsEnumerated(), 1);
        QCOMPARE(availableCollections(), (QList<QUuid> {Alpine, Brume}));
        QVERIFY(collectionRegistry().contains(SystemWideCollectionUuid));
        QCOMPARE(collectionId(SystemWideCollectionUuid), 0);
        QCOMPARE(collectionUuidById(collectionId(Brume)), Brume);
        QUuid found;
        QCOMPARE(collectionUuidBySystemId(QStringLiteral("alp"), found), 0);
        QCOMPARE(found, Alpine);
        QCOMPARE(collectionUuidBySystemId(QStringLiteral("nope"), found), -1);
        QCOMPARE(collectionId(Cinder), -1);
    }

    void onlyTheTextOneEnables_data()
    {
        QTest::addColumn<QVariant>("enabled");
        QTest::addColumn<bool>("registered");
        QTest::newRow("integer 1") << QVariant(1) << true;
        QTest::newRow("text 1") << QVariant(QStringLiteral("1")) << true;
        QTest::newRow("integer 2") << QVariant(2) << false;
        QTest::newRow("text 1.0") << QVariant(QStringLiteral("1.0")) << false;
        QTest::newRow("no setting") << QVariant() << false;
    }

    void onlyTheTextOneEnables()
    {
        QFETCH(QVariant, enabled);
        QFETCH(bool, registered);
        FixtureDatabase file(QStringLiteral("a.db"));
        file.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1, enabled);
        file.close();
        QCOMPARE(collectionRegistry().contains(Alpine), false);
        ensureCollectionsEnumerated();
        QCOMPARE(collectionRegistry().contains(Alpine), registered);
    }

    void invalidUuidAndForeignFilesAreSkipped()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        file.addCollection(QUuid(), QStringLiteral("not-a-uuid"), QStringLiteral("Broken"), 1);
        file.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 2);
        file.close();
        FixtureDatabase foreign(QStringLiteral("b.db"), false);
        foreign.exec(QStringLiteral("CREATE TABLE NOTES (TEXT text)"));
        foreign.close();
        writeFile(QStringLiteral("c.db"), QByteArray("this is not a database").repeated(100));
        writeFile(QStringLiteral("d.db"), QByteArray());

        QCOMPARE(ensureCollectionsEnumerated(), 1);
        QCOMPARE(collectionRegistry().size(), 2);
        QCOMPARE(availableCollections(), QList<QUuid> {Alpine});
        QCOMPARE(QSqlDatabase::connectionNames().filter(QStringLiteral("collectionEnumerator")),
                 QStringList());
    }

    void theFirstFileByNameWinsADuplicate()
    {
        FixtureDatabase second(QStringLiteral("b.db"));
        second.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine copy"), 1);
        second.close();
        FixtureDatabase first(QStringLiteral("a.db"));
        first.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1);
        first.close();

        ensureCollectionsEnumerated();
        QCOMPARE(collectionRegistry().find(Alpine)->databasePath, first.path());
        QCOMPARE(collectionRegistry().find(SystemWideCollectionUuid)->databasePath, first.path());
    }

    void sameOrderAcrossFilesListsBoth()
    {
        FixtureDatabase second(QStringLiteral("b.db"));
        second.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1);
        second.addCollection(Cinder, QStringLiteral("CIN"), QStringLiteral("Cinder"), 5);
        second.close();
        FixtureDatabase first(QStringLiteral("a.db"));
        first.addCollection(Brume, QStringLiteral("BRU"), QStringLiteral("Brume"), 1);
        first.close();

        QCOMPARE(availableCollections(), (QList<QUuid> {Brume, Alpine, Cinder}));
    }

    void connectingOpensOneConnectionPerFile()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        file.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1);
        file.addCollection(Brume, QStringLiteral("BRU"), QStringLiteral("Brume"), 2);
        file.close();

        QCOMPARE(connectCollection(QUuid()), -2);
        QCOMPARE(connectCollection(Cinder), -4);
        QCOMPARE(connectCollection(Alpine), 0);
        QCOMPARE(connectCollection(Alpine), 0);
        QCOMPARE(connectCollection(Brume), 0);
        const QString name = file.path().toLower();
        QVERIFY(QSqlDatabase::contains(name));
        QVERIFY(collectionDatabase(Brume).isOpen());
        QCOMPARE(collectionDatabase(Brume).connectionName(), name);
        QVERIFY(!collectionDatabase(Cinder).isValid());
    }

    void aVanishedFileIsUnavailableAndNotRecreated()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        file.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1);
        file.close();
        ensureCollectionsEnumerated();
        QVERIFY(QFile::remove(file.path()));

        QCOMPARE(connectCollection(Alpine), -5);
        QCOMPARE(connectCollection(Alpine), -5);
        QVERIFY(!QFile::exists(file.path()));
        QVERIFY(!QSqlDatabase::contains(QStringLiteral("tmpCheckAvailability")));
        QVERIFY(!QSqlDatabase::contains(file.path().toLower()));
    }

    void aFileAddedLaterIsFoundWhenNamed()
    {
        FixtureDatabase first(QStringLiteral("a.db"));
        first.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1);
        first.close();
        QCOMPARE(availableCollections(), QList<QUuid> {Alpine});

        FixtureDatabase later(QStringLiteral("b.db"));
        later.addCollection(Brume, QStringLiteral("BRU"), QStringLiteral("Brume"), 2);
        later.close();
        QCOMPARE(availableCollections(), QList<QUuid> {Alpine});
        QCOMPARE(connectCollection(Brume), 0);
        QCOMPARE(availableCollections(), (QList<QUuid> {Alpine, Brume}));
        QCOMPARE(collectionRegistry().find(SystemWideCollectionUuid)->databasePath, first.path());
    }

    void dataFolderLayout()
    {
        const QString common = qEnvironmentVariable("VEXA_COMMON_APPDATA");
        const QString expected
            = QStringLiteral("%1/Orvo Kalin/Vexa Plugin/SQLite").arg(QDir::cleanPath(common));
        QCOMPARE(collectionDataPath(), QDir::toNativeSeparators(expected));
        QCOMPARE(collectionDatabaseFolder(QStringLiteral("/x/")),
                 QDir::toNativeSeparators(QStringLiteral("/x/Contents/Resources")));
        QCOMPARE(collectionDatabaseFolder(QStringLiteral("/x")),
                 QDir::toNativeSeparators(QStringLiteral("/x/Contents/Resources")));
    }
};

QTEST_GUILESS_MAIN(TestConnections)
#include "tst_connections.moc"
