#include "db/connections.h"
#include "db/lookups.h"
#include "support/fixturedatabase.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QTest>

using namespace Sorven::DB;

namespace {

const QUuid Deck(QStringLiteral("{3e2d1c0b-9a8f-4e7d-8c6b-5a4f3e2d1c0b}"));
const QString Caption = QStringLiteral("mypalette.palette.caption");
const QString Banner = QStringLiteral("image.banner");

QString writeDeck(const QString &fileName)
{
    FixtureDatabase fixture(fileName);
    const qint64 id
        = fixture.addCollection(Deck, QStringLiteral("DECK"), QStringLiteral("Deck"), 1);
    fixture.addLocale(id, Caption, QStringLiteral("My Palette"));
    fixture.addTheme(id, Banner, pngBytes(QSize(8, 4), Qt::green));
    const qint64 page = fixture.addPage(id, 1, 1, QStringLiteral("Page"));
    fixture.addRow(id, page, 1, QStringLiteral("D1"), Qt::blue);
    return fixture.path();
}

// The same collection without its texts and images, changed often enough that no page of it
// passes for one of the first file's.
QByteArray foreignDatabase()
{
    const QString path = QDir(fixtureDatabaseFolder()).filePath(QStringLiteral("../foreign"));
    {
        FixtureDatabase fixture(path);
        fixture.addCollection(Deck, QStringLiteral("DECK"), QStringLiteral("Deck"), 1);
        for (int version = 1; version <= 50; ++version)
            fixture.exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void overwriteInPlace(const QString &path, const QByteArray &bytes, qint64 size)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QCOMPARE(file.write(bytes), bytes.size());
    QVERIFY(file.resize(size));
}

int messagesDuring(const std::function<void()> &action)
{
    static int count = 0;
    count = 0;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &) { ++count; });
    action();
    qInstallMessageHandler(previous);
    return count;
}

} // namespace

class TestDatabaseFaults : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetDatabaseLayer();
        QDir(fixtureDatabaseFolder()).removeRecursively();
    }

    // What a lock, a cut or a file damaged in place answers is never kept: once the file reads
    // again, texts and images are the collection's own.
    void faultsAreStatesAndPass_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("problem");
        QTest::newRow("locked by another program") << "lock"
                                                   << "locked by another program";
        QTest::newRow("truncated mid-session") << "truncate"
                                               << "truncated";
        QTest::newRow("header overwritten") << "overwrite"
                                            << "not an SQLite database";
        QTest::newRow("another database written over it") << "foreign"
                                                          << "";
    }

    void faultsAreStatesAndPass()
    {
        QFETCH(QString, fault);
        QFETCH(QString, problem);
        const QString path = writeDeck(QStringLiteral("faults.db"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray intact = file.readAll();
        file.close();
        QVERIFY(collectionReadProblem(Deck).isEmpty());

        QProcess locker;
        if (fault == QLatin1String("lock")) {
            locker.start(QStringLiteral("sqlite3"), {path});
            QVERIFY(locker.waitForStarted());
            locker.write("BEGIN EXCLUSIVE;\n");
        } else if (fault == QLatin1String("foreign")) {
            const QByteArray foreign = foreignDatabase();
            overwriteInPlace(path, foreign, foreign.size());
        } else if (fault == QLatin1String("truncate")) {
            overwriteInPlace(path, {}, 4096);
        } else {
            overwriteInPlace(path, QByteArray(100, '\0'), intact.size());
        }
        QTRY_COMPARE(collectionReadProblem(Deck).left(problem.size()), problem);
        QCOMPARE(localeString(Deck, Caption), Caption);
        QCOMPARE(themeImage(Deck, Banner, QSize(8, 4)).pixelColor(1, 1), QColor(Qt::red));

        if (fault == QLatin1String("lock")) {
            locker.closeWriteChannel();
            QVERIFY(locker.waitForFinished());
        } else {
            overwriteInPlace(path, intact, intact.size());
        }
        QVERIFY(collectionReadProblem(Deck).isEmpty());
        QCOMPARE(localeString(Deck, Caption), QStringLiteral("My Palette"));
        QCOMPARE(themeImage(Deck, Banner, QSize(8, 4)).pixelColor(1, 1), QColor(Qt::green));
    }

    // Every further file with the system-wide collection or a collection already registered is
    // named once, with the file that keeps it.
    void sharedCollectionsAreNamed()
    {
        const QString first = writeDeck(QStringLiteral("a.db"));
        const QString second = writeDeck(QStringLiteral("b.db"));
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("%1 also carries the system-wide "
                                                       "collection; %2 keeps supplying it")
                                            .arg(second, first)));
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("%1 also carries collection "
                                                       "%2; %3 keeps it")
                                            .arg(second, Deck.toString(), first)));
        QCOMPARE(ensureCollectionsEnumerated(), 1);
        QCOMPARE(collectionRegistry().find(Deck)->databasePath, first);
        QCOMPARE(messagesDuring([] { enumerateCollections(collectionRegistry(), false); }), 0);
    }

    // Failed statements go to a logging category that is off unless asked for.
    void queryLayerIsQuietByDefault()
    {
        writeBrokenCollectionDatabase(QStringLiteral("broken.db"), Deck);
        const auto failingReads = [] {
            localeString(Deck, Caption);
            settingValue(Deck, QStringLiteral("num.of.segments"), 12);
        };
        QCOMPARE(messagesDuring(failingReads), 0);
        QLoggingCategory::setFilterRules(QStringLiteral("vexa.db.query.debug=true"));
        QVERIFY(messagesDuring(failingReads) > 0);
        QLoggingCategory::setFilterRules(QString());
    }
};

QTEST_GUILESS_MAIN(TestDatabaseFaults)
#include "tst_databasefaults.moc"
