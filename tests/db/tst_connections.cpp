#include "db/connections.h"
#include "support/fixturedatabase.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <sys/stat.h>

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
        const QString name = file.path();
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
        QVERIFY(!QSqlDatabase::contains(file.path()));
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

    // On a file system that tells case apart, "a.db" and "A.db" are two files, each with its
    // own connection, though both number their first collection 1.
    void caseTwinsKeepTheirOwnConnections()
    {
        FixtureDatabase lower(QStringLiteral("a.db"));
        lower.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1);
        lower.close();
        FixtureDatabase upper(QStringLiteral("A.db"));
        upper.addCollection(Brume, QStringLiteral("BRU"), QStringLiteral("Brume"), 2);
        upper.close();

        QCOMPARE(availableCollections(), (QList<QUuid> {Alpine, Brume}));
        QCOMPARE(connectCollection(Brume), 0);
        QCOMPARE(connectCollection(Alpine), 0);
        QCOMPARE(collectionDatabase(Alpine).connectionName(), lower.path());
        QCOMPARE(collectionDatabase(Brume).connectionName(), upper.path());
        for (const auto &[uuid, name] : {std::pair(Alpine, "Alpine"), std::pair(Brume, "Brume")}) {
            QSqlQuery query(collectionDatabase(uuid));
            QVERIFY(query.exec(QStringLiteral("SELECT NAME FROM COLLECTION WHERE ID = 1")));
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toString(), QString::fromLatin1(name));
        }
    }

    // Reading never writes beside the file: no "-wal", "-shm" or journal in the machine-wide
    // folder. A lock another connection holds passes the file over, with a warning, at once.
    void readingLeavesTheFolderAlone_data()
    {
        QTest::addColumn<QString>("journal");
        QTest::addColumn<bool>("lock");
        QTest::newRow("rollback journal") << "DELETE" << false;
        QTest::newRow("WAL") << "WAL" << false;
        QTest::newRow("locked by a writer") << "DELETE" << true;
    }

    void readingLeavesTheFolderAlone()
    {
        QFETCH(QString, journal);
        QFETCH(bool, lock);
        {
            FixtureDatabase file(QStringLiteral("a.db"));
            file.exec(QStringLiteral("PRAGMA journal_mode = %1").arg(journal));
            file.addCollection(Alpine, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1);
        }
        const QDir folder(fixtureDatabaseFolder());
        QFile file(folder.filePath(QStringLiteral("a.db")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        QSqlDatabase writer = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "writer");
        writer.setDatabaseName(file.fileName());
        QVERIFY(writer.open());
        if (lock) {
            QVERIFY(QSqlQuery(writer).exec(QStringLiteral("BEGIN EXCLUSIVE")));
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("locked by another program$")));
        }
        const QStringList listing = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        QCOMPARE(availableCollections(), lock ? QList<QUuid>() : QList<QUuid> {Alpine});
        if (!lock) {
            QCOMPARE(connectCollection(Alpine), 0);
            QSqlQuery query(collectionDatabase(Alpine));
            QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM COLLECTION")));
            QVERIFY(query.next());
        }

        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), listing);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        writer = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("writer"));
    }

    // Each passed-over file gets one warning with the reason, however often the folder is
    // enumerated again.
    void skippedFilesAreReportedOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("garbage") << "garbage"
                                 << "cannot be read";
        QTest::newRow("foreign database") << "foreign"
                                          << "no COLLECTION table";
        QTest::newRow("folder") << "folder"
                                << "not a regular file";
        QTest::newRow("FIFO") << "fifo"
                              << "not a regular file";
        QTest::newRow("dangling link") << "link"
                                       << "not a regular file";
    }

    void skippedFilesAreReportedOnce()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString path = QDir(fixtureDatabaseFolder()).filePath(QStringLiteral("x.db"));
        if (kind == QLatin1String("garbage"))
            writeFile(QStringLiteral("x.db"), QByteArray(5000, 'x'));
        else if (kind == QLatin1String("foreign"))
            FixtureDatabase(QStringLiteral("x.db"), false)
                .exec(QStringLiteral("CREATE TABLE T (A)"));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(path + QStringLiteral(".gone"), path));

        const QRegularExpression warning(
            QStringLiteral("^skipped collection database %1: %2")
                .arg(QRegularExpression::escape(path), QRegularExpression::escape(reason)));
        QTest::ignoreMessage(QtWarningMsg, warning);
        QCOMPARE(enumerateCollections(collectionRegistry(), false), 0);
        QVERIFY(collectionRegistry().skippedFiles().value(path).startsWith(reason));
        QTest::failOnWarning(warning);
        QCOMPARE(enumerateCollections(collectionRegistry(), false), 0);
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
