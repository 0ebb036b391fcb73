#include "core/enumerations.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "db/opencollection.h"
#include "db/search.h"
#include "support/fixturedatabase.h"

#include <QDir>
#include <QSqlDatabase>
#include <QTest>

using namespace Sorven::DB;

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};

QUuid numbered(int n)
{
    return QUuid(0x0c0ffee0 + n, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
}

// One collection per file, with a page of chips "<prefix>-1" to "<prefix>-<chips>".
void writeCollection(const QString &file, const QUuid &uuid, const QString &prefix, int chips)
{
    FixtureDatabase fixture(file);
    const qint64 collection = fixture.addCollection(uuid, prefix, prefix, 1);
    const qint64 page = fixture.addPage(collection, 1, 1, prefix + QStringLiteral(" page"));
    // The deck needs a neighbour.
    fixture.addPage(collection, 2, 1, prefix + QStringLiteral(" back"));
    fixture.addLocale(collection, QStringLiteral("greeting"), prefix);
    fixture.exec(QStringLiteral(R"(WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N
        WHERE I < ?) INSERT INTO "ROW"(COLLECTION_ID, PAGE_ID, ROW_INDEX, CODE, SEGMENT, RED,
        GREEN, BLUE, L, A, B) SELECT ?, ?, I, ? || '-' || I, 1, 9, 9, 9, 50, 0, 0 FROM N)"),
                 {chips, collection, page, prefix});
}

bool finds(const QUuid &uuid, const QString &code)
{
    int page = 0, row = 0, segment = 0, mood = 0;
    bool exterior = false;
    return findPhrase(uuid, code, page, row, segment, mood, exterior) == Success;
}

QString shownChip(const QUuid &uuid)
{
    std::array<ColorPage, 3> pages;
    if (OpenCollection::of(uuid)->deck().load(uuid, 1, Sorven::MoodAll, false, pages) != Success)
        return {};
    return pages[DeckCache::Current].entries.value(0).code;
}

} // namespace

class TestOpenCollection : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetDatabaseLayer();
        QDir folder(fixtureDatabaseFolder());
        for (const QString &file : folder.entryList({QStringLiteral("*.db")}))
            QVERIFY(folder.remove(file));
    }
    void cleanup() { closeCollections(); }

    void rewrittenFileIsReadAnewAtOnce_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::newRow("on selection") << true;
        QTest::newRow("on the watcher's report") << false;
    }

    void rewrittenFileIsReadAnewAtOnce()
    {
        QFETCH(bool, selected);
        writeCollection(QStringLiteral("rewritten.db"), Harbour, QStringLiteral("OLD"), 1);
        selectCollection(Harbour);
        QCOMPARE(localeString(Harbour, QStringLiteral("greeting")), QStringLiteral("OLD"));
        QVERIFY(finds(Harbour, QStringLiteral("OLD-1")));
        QCOMPARE(shownChip(Harbour), QStringLiteral("OLD-1"));

        writeCollection(QStringLiteral("rewritten.db"), Harbour, QStringLiteral("NEW"), 500);
        if (selected)
            selectCollection(Harbour);
        else
            QCOMPARE(collectionReadProblem(Harbour), QString());

        QCOMPARE(localeString(Harbour, QStringLiteral("greeting")), QStringLiteral("NEW"));
        QCOMPARE(shownChip(Harbour), QStringLiteral("NEW-1"));
        QVERIFY(finds(Harbour, QStringLiteral("NEW-500")));
        QVERIFY(!finds(Harbour, QStringLiteral("OLD-1")));
        QCOMPARE(completionEntriesLater(Harbour).result().size(), 500);
        QCOMPARE(loadLabSamplesLater(Harbour).result().size(), 500);
    }

    // A scan cut short by a switch is never an answer: its future gives all or nothing, and
    // coming back reads the collection whole.
    void switchingAwayDropsUnfinishedReads()
    {
        writeCollection(QStringLiteral("large.db"), numbered(1), QStringLiteral("L"), 40000);
        writeCollection(QStringLiteral("small.db"), numbered(2), QStringLiteral("S"), 3);
        for (int round = 0; round < 5; ++round) {
            selectCollection(numbered(1));
            const QFuture<QStringList> left = completionEntriesLater(numbered(1));
            selectCollection(numbered(2));
            const qsizetype read = left.result().size();
            QVERIFY2(read == 0 || read == 40000, qPrintable(QString::number(read)));
        }
        selectCollection(numbered(1));
        QCOMPARE(completionEntriesLater(numbered(1)).result().size(), 40000);
        QVERIFY(finds(numbered(1), QStringLiteral("L-40000")));
    }

    void tearDownWithReadsUnderWay()
    {
        for (int n = 1; n <= 3; ++n) {
            writeCollection(QStringLiteral("busy%1.db").arg(n), numbered(n), QStringLiteral("B"),
                            20000);
            preparePhraseSearch(numbered(n));
        }
        closeCollections();
        QVERIFY(OpenCollection::openCollections().isEmpty());
        QVERIFY(finds(numbered(2), QStringLiteral("B-20000")));
    }

    void collectionsBeyondTheLastThreeAreClosed()
    {
        for (int n = 1; n <= 5; ++n) {
            writeCollection(QStringLiteral("evicted%1.db").arg(n), numbered(n), QStringLiteral("E"),
                            10);
            selectCollection(numbered(n));
            QVERIFY(finds(numbered(n), QStringLiteral("E-10")));
        }
        QCOMPARE(OpenCollection::openCollections(),
                 (QList<QUuid> {numbered(3), numbered(4), numbered(5)}));
        const QString closedFile = collectionRegistry().find(numbered(1))->databasePath;
        QVERIFY(!QSqlDatabase::contains(closedFile));
        QVERIFY(finds(numbered(1), QStringLiteral("E-10")));
    }
};

QTEST_MAIN(TestOpenCollection)
#include "tst_opencollection.moc"
