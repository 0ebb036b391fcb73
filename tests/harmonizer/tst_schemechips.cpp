#include "core/collectionsettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"
#include "harmonizer/schemechips.h"
#include "schemefixture.h"
#include "support/fixturedatabase.h"

#include <QTest>

using namespace Sorven;
using namespace SchemeFixture;

namespace {

// Each row as "page.row" of the chips' own pages, read back from the collection.
QStringList rowsOf(const SchemeChips &scheme)
{
    QStringList rows;
    for (const QVector<DB::ColorEntry> &row : scheme.rows) {
        QStringList chips;
        for (const DB::ColorEntry &chip : row)
            chips << chip.code.section(u'-', 1);
        rows << chips.join(u' ');
    }
    return rows;
}

SchemeRequest request(const QUuid &uuid, SchemeKind kind, int page, int row,
                      SchemeKind subKind = TonalNeutralScheme)
{
    return {uuid, kind, subKind, page, row};
}

} // namespace

Q_DECLARE_METATYPE(Sorven::SchemeRequest)

class TestSchemeChips : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        write();
        resetDatabaseLayer();
    }

    void rowsFollowEachModesRule_data()
    {
        QTest::addColumn<SchemeRequest>("request");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("chip to chip: a row per segment")
            << request(Mosaic, HarmonicScheme, 1, 1) << 1 << 4
            << QStringList {"2-1 2-2 2-3 2-4", "3-1 3-2 3-3 3-4"};
        QTest::newRow("chip to chip: 5 chips for rows of 4 show nothing")
            << request(Mosaic, ContrastScheme, 1, 1) << 2 << 4 << QStringList();
        QTest::newRow("chip to chip: neutral shows its sub-kind")
            << request(Mosaic, NeutralScheme, 1, 1) << 7 << 4 << QStringList {"4-1 4-2 4-3 4-4"};
        QTest::newRow("chip to chip: a chip without schemes")
            << request(Mosaic, HarmonicScheme, 1, 2) << 1 << 4 << QStringList();
        QTest::newRow("chip to card: a row per page order, even in one segment")
            << request(Ledger, HarmonicScheme, 1, 1) << 1 << 3
            << QStringList {"2-1 2-2 2-3", "3-1 3-2 3-3"};
        QTest::newRow("chip to card: neutral is its own scheme")
            << request(Ledger, NeutralScheme, 1, 1, ComplementaryNeutralScheme) << 6 << 3
            << QStringList {"3-1 3-2 3-3"};
        QTest::newRow("card to card: a row per page, as wide as the widest")
            << request(Deck, HarmonicScheme, 1, 2) << 1 << 4
            << QStringList {"2-1 2-2 2-3", "3-1 3-2 3-3 3-4", "4-1 4-2"};
        QTest::newRow("card to card: complementary falls back to tonal")
            << request(Deck, NeutralScheme, 1, 1, ComplementaryNeutralScheme) << 7 << 4
            << QStringList {"3-1 3-2 3-3 3-4"};
        QTest::newRow("card to card: complementary where the page offers it")
            << request(Deck, NeutralScheme, 2, 1, ComplementaryNeutralScheme) << 8 << 4
            << QStringList {"3-1 3-2 3-3 3-4"};
        QTest::newRow("card to card: tonal on the same page")
            << request(Deck, NeutralScheme, 2, 3) << 7 << 2 << QStringList {"4-1 4-2"};
        QTest::newRow("no mode") << request(Plain, HarmonicScheme, 1, 1) << 1 << 0 << QStringList();
    }

    void rowsFollowEachModesRule()
    {
        QFETCH(SchemeRequest, request);
        QFETCH(int, kind);
        QFETCH(int, columns);
        QFETCH(QStringList, rows);
        const SchemeChips scheme = loadSchemeChips(request);
        QCOMPARE(scheme.collection, request.collection);
        QCOMPARE(int(scheme.kind), kind);
        QCOMPARE(rowsOf(scheme), rows);
        if (!rows.isEmpty())
            QCOMPARE(scheme.columns, columns);
    }

    void onlyCardToCardTellsOfComplementaryPages()
    {
        QVERIFY(loadSchemeChips(request(Deck, HarmonicScheme, 2, 1)).complementary);
        QVERIFY(!loadSchemeChips(request(Deck, HarmonicScheme, 1, 1)).complementary);
        QVERIFY(!loadSchemeChips(request(Mosaic, HarmonicScheme, 1, 1)).complementary);
    }

    void aCollectionWithoutSchemesBorrowsTheLastOneWithThem()
    {
        QCOMPARE(schemeCollectionFor(Mosaic), Mosaic);
        QCOMPARE(schemeCollectionFor(Plain), Deck);
        QCOMPARE(schemeCollectionFor(Kiln), Deck);

        QVector<DB::LabSample> samples;
        QCOMPARE(DB::loadLabSamples(Deck, samples), int(DB::Success));
        const SchemeRequest moved
            = schemeRequestIn(request(Plain, HarmonicScheme, 1, 1), Deck, samples);
        QCOMPARE(moved, request(Deck, HarmonicScheme, 3, 2));
        QCOMPARE(rowsOf(loadSchemeChips(moved)), QStringList {"1-1 1-2"});

        // A chip that is not there, or no colour table, leaves the request as it was.
        const SchemeRequest missing = request(Plain, HarmonicScheme, 1, 9);
        QCOMPARE(schemeRequestIn(missing, Deck, samples), missing);
        QCOMPARE(schemeRequestIn(request(Plain, HarmonicScheme, 1, 1), Deck, {}),
                 request(Plain, HarmonicScheme, 1, 1));
    }

    void wholePagesAreReadAgainOnlyForAnotherPage_data()
    {
        QTest::addColumn<SchemeRequest>("last");
        QTest::addColumn<SchemeRequest>("next");
        QTest::addColumn<bool>("changed");
        QTest::newRow("card to card, other row")
            << request(Deck, HarmonicScheme, 2, 1) << request(Deck, HarmonicScheme, 2, 3) << false;
        QTest::newRow("card to card, other page")
            << request(Deck, HarmonicScheme, 2, 1) << request(Deck, HarmonicScheme, 3, 1) << true;
        QTest::newRow("card to card, other sub-kind")
            << request(Deck, NeutralScheme, 2, 1)
            << request(Deck, NeutralScheme, 2, 1, ComplementaryNeutralScheme) << true;
        QTest::newRow("card to card, sub-kind of another kind")
            << request(Deck, HarmonicScheme, 2, 1)
            << request(Deck, HarmonicScheme, 2, 1, ComplementaryNeutralScheme) << false;
        QTest::newRow("chip to chip, other row") << request(Mosaic, HarmonicScheme, 1, 1)
                                                 << request(Mosaic, HarmonicScheme, 1, 2) << true;
        QTest::newRow("other collection")
            << request(Mosaic, HarmonicScheme, 1, 1) << request(Deck, HarmonicScheme, 1, 1) << true;
    }

    void wholePagesAreReadAgainOnlyForAnotherPage()
    {
        QFETCH(SchemeRequest, last);
        QFETCH(SchemeRequest, next);
        QFETCH(bool, changed);
        QCOMPARE(schemeRequestChanged(last, next), changed);
    }

    void powderCoatingsShowExactlyThreeChips_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("wide contrast 0, contrast, wide contrast 1")
            << 1 << QStringList {"K-2-1", "K-2-2", "K-2-3"};
        QTest::newRow("only a contrast partner") << 2 << QStringList();
        QTest::newRow("no partners") << 3 << QStringList();
        QTest::newRow("row 0") << 0 << QStringList();
        QTest::newRow("beyond the page") << 4 << QStringList();
    }

    void powderCoatingsShowExactlyThreeChips()
    {
        QFETCH(int, row);
        QFETCH(QStringList, codes);
        QStringList shown;
        for (const DB::ColorEntry &chip : loadPolvaronSchemeChips(Kiln, 1, row))
            shown << chip.code;
        QCOMPARE(shown, codes);
    }
};

QTEST_GUILESS_MAIN(TestSchemeChips)
#include "tst_schemechips.moc"
