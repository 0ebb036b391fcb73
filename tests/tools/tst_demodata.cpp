#include "tools/democolor.h"
#include "tools/demointegerbatch.h"
#include "tools/demopalette.h"
#include "tools/demosqlbatch.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <algorithm>

using namespace Sorven::Demo;

namespace {

// A table that refuses negative values, to make a batch fail part-way.
QSqlDatabase memoryDatabase(const QString &name)
{
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(QStringLiteral(":memory:"));
    database.open();
    QSqlQuery(database).exec(
        QStringLiteral("CREATE TABLE T (A integer NOT NULL CHECK (A >= 0), B)"));
    return database;
}

int rowCount(const QSqlDatabase &database)
{
    QSqlQuery query(database);
    query.exec(QStringLiteral("SELECT COUNT(*) FROM T"));
    return query.next() ? query.value(0).toInt() : -1;
}

} // namespace

class TestDemoData : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase()
    {
        for (const QString &name : QSqlDatabase::connectionNames())
            QSqlDatabase::removeDatabase(name);
    }

    void collectionsHaveExactlyTheChipsAskedFor_data()
    {
        QTest::addColumn<int>("chips");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::newRow("the smallest benchmark") << 100 << 5 << 8;
        QTest::newRow("interior") << 1000 << 5 << 8;
        QTest::newRow("one chip over") << 1001 << 5 << 8;
        QTest::newRow("uniform pages") << 672 << 7 << 7;
        QTest::newRow("large") << 12345 << 5 << 8;
    }

    void collectionsHaveExactlyTheChipsAskedFor()
    {
        QFETCH(int, chips);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        DemoCollectionPlan spec;
        spec.chipCount = chips;
        spec.minPageChips = minimum;
        spec.maxPageChips = maximum;
        spec.codePrefix = QStringLiteral("T");
        spec.families = {DemoFamily::Offwhite, DemoFamily::Medium, DemoFamily::Deep};
        const DemoCollection collection = generateCollection(spec);
        QCOMPARE(collection.chipCount(), chips);
        QCOMPARE(collection.pages.size() % SegmentCount, 0);
        int expectedFirst = 0;
        for (const DemoPage &page : collection.pages) {
            QCOMPARE(page.firstChip, expectedFirst);
            expectedFirst += int(page.chips.size());
            QVERIFY(page.chips.size() <= maximum);
            // Only a deck too small for full pages may have shorter ones.
            QVERIFY(page.chips.size() >= minimum || collection.pages.size() * minimum > chips);
        }
        QCOMPARE(collection.pages.last().chips.last().code,
                 QStringLiteral("T %1").arg(chips, std::max(4, int(QString::number(chips).size())),
                                            10, QLatin1Char('0')));
    }

    void buildsRepeat()
    {
        DemoCollectionPlan spec;
        spec.chipCount = 500;
        spec.families = {DemoFamily::LightNeutral, DemoFamily::Bright};
        spec.madeToOrderShare = 0.5;
        const DemoCollection first = generateCollection(spec);
        const DemoCollection second = generateCollection(spec);
        QCOMPARE(first.pages.size(), second.pages.size());
        for (int i = 0; i < first.pages.size(); ++i) {
            for (int j = 0; j < first.pages[i].chips.size(); ++j) {
                const DemoChip &a = first.pages[i].chips[j];
                const DemoChip &b = second.pages[i].chips[j];
                QVERIFY(a.color == b.color && a.name == b.name && a.madeToOrder == b.madeToOrder);
            }
        }
    }

    // OKLab values of the sRGB primaries as published with the OKLab definition.
    void oklchGivesTheSrgbPrimaries_data()
    {
        QTest::addColumn<double>("lightness");
        QTest::addColumn<double>("chroma");
        QTest::addColumn<double>("hue");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("white") << 1.0 << 0.0 << 0.0 << QColor(255, 255, 255);
        QTest::newRow("black") << 0.0 << 0.0 << 0.0 << QColor(0, 0, 0);
        QTest::newRow("red") << 0.627955 << 0.257683 << 29.2339 << QColor(255, 0, 0);
        QTest::newRow("green") << 0.866440 << 0.294827 << 142.4953 << QColor(0, 255, 0);
        QTest::newRow("blue") << 0.452014 << 0.313214 << 264.0520 << QColor(0, 0, 255);
    }

    void oklchGivesTheSrgbPrimaries()
    {
        QFETCH(double, lightness);
        QFETCH(double, chroma);
        QFETCH(double, hue);
        QFETCH(QColor, expected);
        const QColor color = colorFromOklch(lightness, chroma, hue);
        QVERIFY2(qAbs(color.red() - expected.red()) <= 1
                     && qAbs(color.green() - expected.green()) <= 1
                     && qAbs(color.blue() - expected.blue()) <= 1,
                 qPrintable(color.name()));
    }

    // Beyond the gamut edge more chroma changes nothing: the colour stays the most colourful
    // one of its lightness and hue that sRGB can show.
    void chromaBeyondTheGamutIsClipped()
    {
        for (double hue = 0.0; hue < 360.0; hue += 30.0) {
            const QColor edge = colorFromOklch(0.7, 0.4, hue);
            QCOMPARE(colorFromOklch(0.7, 0.9, hue), edge);
            QVERIFY(colorFromOklch(0.7, 0.02, hue) != edge);
        }
    }

    void wheelSegmentsWrapAround()
    {
        QCOMPARE(segmentAfter(12, 1), 1);
        QCOMPARE(segmentAfter(1, -1), 12);
        QCOMPARE(segmentAfter(3, 6), 9);
        QCOMPARE(segmentAfter(10, 8), 6);
    }

    // A failed write is reported by flush() even when the rows after it were written.
    void batchFailuresSurviveUntilFlush()
    {
        const QSqlDatabase database = memoryDatabase(QStringLiteral("failing"));
        DemoSqlBatch bound(database, QStringLiteral("T"),
                           {QStringLiteral("A"), QStringLiteral("B")});
        DemoIntegerBatch numbers(database, QStringLiteral("T"),
                                 {QStringLiteral("A"), QStringLiteral("B")});
        for (int i = 0; i < 2000; ++i) {
            const int value = i == 10 ? -1 : i;
            bound.add({value, QStringLiteral("text")});
            numbers.add({value, i});
        }
        QVERIFY(!bound.flush());
        QVERIFY(!numbers.flush());
        QVERIFY(bound.errorText().contains(QLatin1String("T")));
        QVERIFY(!numbers.errorText().isEmpty());
        QVERIFY(rowCount(database) < 4000);
    }

    void batchesWriteEveryRow()
    {
        const QSqlDatabase database = memoryDatabase(QStringLiteral("complete"));
        DemoSqlBatch bound(database, QStringLiteral("T"),
                           {QStringLiteral("A"), QStringLiteral("B")});
        DemoIntegerBatch numbers(database, QStringLiteral("T"),
                                 {QStringLiteral("A"), QStringLiteral("B")});
        for (int i = 0; i < 1234; ++i) {
            bound.add({i, QByteArray("blob")});
            numbers.add({i, -i});
        }
        QVERIFY(bound.flush() && numbers.flush());
        QCOMPARE(rowCount(database), 2468);
    }
};

QTEST_GUILESS_MAIN(TestDemoData)
#include "tst_demodata.moc"
