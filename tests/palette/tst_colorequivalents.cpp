#include "db/connections.h"
#include "db/search.h"
#include "palette/colorequivalents.h"
#include "palette/equivalenttable.h"
#include "support/fixturedatabase.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Sorven;

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
const QUuid Quay {QStringLiteral("{a1b2c3d4-e5f6-4a7b-8c9d-0e1f2a3b4c5d}")};
const QUuid Dune {QStringLiteral("{0c9b8a79-6857-4463-9251-403f2e1d0c0b}")};

// Chips spread over the whole L*a*b* range, with the edges and greys the pruning must not skip.
void addChips(FixtureDatabase &file, qint64 collection, quint32 seed)
{
    QRandomGenerator random(seed);
    const qint64 page = file.addPage(collection, 1, 1, QStringLiteral("All"));
    for (int i = 0; i < 400; ++i) {
        const qint64 row = file.addRow(collection, page, i + 1, QStringLiteral("C%1").arg(i),
                                       QColor::fromRgb(random.generate()));
        const bool grey = i % 5 == 0;
        file.exec(QStringLiteral(R"(UPDATE "ROW" SET L = ?, A = ?, B = ? WHERE ID = ?)"),
                  {i % 50 == 0 ? double(i % 100 == 0 ? 0 : 100) : random.bounded(100.0),
                   grey ? 0.0 : random.bounded(160.0) - 80.0,
                   grey ? 0.0 : random.bounded(160.0) - 80.0, row});
    }
}

// The plain scan: every chip compared, the first of equal differences kept.
QPair<double, qint64> bruteForceNearest(const QUuid &collection, const LabColor &target)
{
    QVector<DB::LabSample> samples;
    DB::loadLabSamples(collection, samples);
    QPair<double, qint64> best {std::numeric_limits<double>::infinity(), -1};
    for (const DB::LabSample &sample : samples) {
        const double difference = ciede2000Difference(target, {sample.l, sample.a, sample.b});
        if (difference < best.first)
            best = {difference, sample.rowId};
    }
    return best;
}

} // namespace

class TestColorEquivalents : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        resetDatabaseLayer();
        FixtureDatabase first(QStringLiteral("first.db"));
        const qint64 harbour = first.addCollection(Harbour, "HARBOUR", "Harbour", 1);
        const qint64 quay = first.addCollection(Quay, "QUAY", "Quay", 2);
        addChips(first, harbour, 1);
        addChips(first, quay, 2);
        first.addSetting(quay, QStringLiteral("cie2000.delta.intervals"), "4");
        FixtureDatabase second(QStringLiteral("second.db"));
        addChips(second, second.addCollection(Dune, "DUNE", "Dune", 3), 3);
    }

    void matchesABruteForceScanOfEveryCollection_data()
    {
        QTest::addColumn<double>("l");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::newRow("black") << 0.0 << 0.0 << 0.0;
        QTest::newRow("white") << 100.0 << 0.0 << 0.0;
        QTest::newRow("mid grey") << 50.0 << 0.0 << 0.0;
        QTest::newRow("saturated red") << 45.0 << 70.0 << 50.0;
        QTest::newRow("pale blue") << 92.0 << -5.0 << -20.0;
        QTest::newRow("lightness beyond range") << 104.0 << 3.0 << 3.0;
    }

    void matchesABruteForceScanOfEveryCollection()
    {
        QFETCH(double, l);
        QFETCH(double, a);
        QFETCH(double, b);
        const LabColor target {l, a, b};
        const QList<ColorEquivalent> others = equivalentsInOtherCollections(target, Harbour);
        QCOMPARE(others.size(), 2);
        QCOMPARE(others[0].chip.collection, Quay);
        QCOMPARE(others[0].collectionName, QStringLiteral("Quay"));
        QCOMPARE(others[1].chip.collection, Dune);
        for (const ColorEquivalent &equivalent : others) {
            const auto [difference, rowId] = bruteForceNearest(equivalent.chip.collection, target);
            QCOMPARE(equivalent.chip.rowId, rowId);
            QCOMPARE(equivalent.deltaE, difference);
            QCOMPARE(equivalent.code, QStringLiteral("C%1").arg(rowId - (rowId > 400 ? 401 : 1)));
        }
        // Quay's interval is 4, Dune's the default 0.05.
        QCOMPARE(others[0].withinInterval, others[0].deltaE < 4.0);
        QCOMPARE(others[1].withinInterval, others[1].deltaE < 0.05);

        const QList<ColorEquivalent> three = nearestEquivalents(Harbour, target, 3);
        QCOMPARE(three.size(), 3);
        QCOMPARE(three[0].chip.rowId, bruteForceNearest(Harbour, target).second);
        QVERIFY(three[0].deltaE <= three[1].deltaE && three[1].deltaE <= three[2].deltaE);
    }

    void tableAnswersAsThePlainSearch()
    {
        QRandomGenerator random(7);
        QList<DB::LabSample> samples;
        for (int i = 0; i < 3000; ++i) {
            // Coarse values make equal differences, whose order the tables must keep.
            samples.append({double(random.bounded(11) * 10), double(random.bounded(9) * 10 - 40),
                            double(random.bounded(9) * 10 - 40), i});
        }
        samples.append({-3.0, 0.0, 0.0, 3000});
        samples.append({std::nan(""), 0.0, 0.0, 3001});
        const EquivalentTable table(samples);
        for (int i = 0; i < 50; ++i) {
            const LabColor target {random.bounded(110.0) - 5.0, random.bounded(120.0) - 60.0,
                                   random.bounded(120.0) - 60.0};
            QCOMPARE(table.nearest(target, 7), nearestLabSamples(target, samples, 7));
        }
        QVERIFY(table.nearest({50, 0, 0}, 0).isEmpty());
    }

    void aChangedFileIsReadAgain()
    {
        const LabColor target {33.0, 11.0, -22.0};
        QVERIFY(nearestEquivalents(Dune, target, 1).first().deltaE > 0.0);
        {
            FixtureDatabase second(QStringLiteral("second.db"));
            const qint64 dune = second.addCollection(Dune, "DUNE", "Dune", 3);
            const qint64 page = second.addPage(dune, 1, 1, QStringLiteral("One"));
            const qint64 row = second.addRow(dune, page, 1, QStringLiteral("EXACT"), Qt::gray);
            second.exec(QStringLiteral(R"(UPDATE "ROW" SET L = 33, A = 11, B = -22 WHERE ID = ?)"),
                        {row});
        }
        resetDatabaseLayer();
        const QList<ColorEquivalent> exact = nearestEquivalents(Dune, target, 3);
        QCOMPARE(exact.size(), 1);
        QCOMPARE(exact.first().code, QStringLiteral("EXACT"));
        QCOMPARE(exact.first().deltaE, 0.0);
        QVERIFY(nearestEquivalents(QUuid::createUuid(), target, 1).isEmpty());
    }
};

QTEST_MAIN(TestColorEquivalents)
#include "tst_colorequivalents.moc"
