#include "db/connections.h"
#include "palette/collectioncolortable.h"
#include "support/fixturedatabase.h"

#include <QColor>
#include <QTest>

using namespace Sorven;

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
const QUuid Quay {QStringLiteral("{a1b2c3d4-e5f6-4a7b-8c9d-0e1f2a3b4c5d}")};

DB::LabSample sampleOf(const QColor &color, qint64 rowId)
{
    const LabColor lab = labFromColor(color);
    return {lab.l, lab.a, lab.b, rowId};
}

} // namespace

class TestCollectionColorTable : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearCollectionColorTable(); }

    void nearestChipOfTheTablesCollectionOnly()
    {
        setCollectionColorTable(Harbour, {sampleOf(Qt::red, 11), sampleOf(Qt::blue, 12)});
        QCOMPARE(nearestChip(Harbour, QColor(200, 30, 40)), qint64(11));
        QCOMPARE(nearestChip(Harbour, QColor(20, 30, 200)), qint64(12));
        QCOMPARE(nearestChip(Quay, QColor(20, 30, 200)), qint64(-1));
        QCOMPARE(nearestChip(QUuid(), Qt::red), qint64(-1));
        QCOMPARE(nearestChips(Harbour, Qt::red, 5).size(), 2);
    }

    void loadingReadsTheDatabaseAndAFailureEmptiesTheTable()
    {
        resetDatabaseLayer();
        FixtureDatabase fixture(QStringLiteral("colortable.db"));
        const qint64 collection = fixture.addCollection(Harbour, "HARBOUR", "Harbour", 1);
        const qint64 page = fixture.addPage(collection, 1, 1, QStringLiteral("Coral"));
        const qint64 dark = fixture.addRow(collection, page, 1, "D", Qt::black);
        const qint64 light = fixture.addRow(collection, page, 2, "L", Qt::white);
        fixture.exec(QStringLiteral(R"(UPDATE "ROW" SET L = 0 WHERE ID = ?)"), {dark});
        fixture.exec(QStringLiteral(R"(UPDATE "ROW" SET L = 100 WHERE ID = ?)"), {light});
        fixture.close();

        QCOMPARE(loadCollectionColorTable(Harbour), int(DB::Success));
        QCOMPARE(nearestChip(Harbour, QColor(250, 250, 250)), light);
        QCOMPARE(nearestChip(Harbour, QColor(5, 5, 5)), dark);

        QVERIFY(loadCollectionColorTable(Quay) < 0);
        QCOMPARE(nearestChip(Harbour, Qt::white), qint64(-1));
        QCOMPARE(nearestChip(Quay, Qt::white), qint64(-1));
    }
};

QTEST_MAIN(TestCollectionColorTable)
#include "tst_collectioncolortable.moc"
