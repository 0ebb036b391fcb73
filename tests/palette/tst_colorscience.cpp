#include "palette/colorscience.h"

#include <QColor>
#include <QRandomGenerator>
#include <QTest>

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(Sorven::LabColor)

using Sorven::LabColor;
using Sorven::LabMatches;
using Sorven::DB::LabSample;

namespace {

double littleCmsDifference(const LabColor &x, const LabColor &y)
{
    const cmsCIELab first {x.l, x.a, x.b};
    const cmsCIELab second {y.l, y.a, y.b};
    return cmsCIE2000DeltaE(&first, &second, 1.0, 1.0, 1.0);
}

// The search as the rule reads, independent of the library's pruned search.
LabMatches referenceScan(const LabColor &target, const QList<LabSample> &samples, int n)
{
    LabMatches result;
    for (const LabSample &sample : samples) {
        const double d = Sorven::ciede2000Difference(target, {sample.l, sample.a, sample.b});
        qsizetype at = 0;
        while (at < result.size() && !(result.at(at).first > d))
            ++at;
        result.insert(at, {d, sample.rowId});
        if (result.size() > n)
            result.removeLast();
    }
    return result;
}

LabColor randomLab(QRandomGenerator &random)
{
    return {random.bounded(100.0), random.bounded(256.0) - 128.0, random.bounded(256.0) - 128.0};
}

// Random samples with exact duplicates (same colour, another row) and, now and then, a sample
// equal to the target so that differences of 0 tie too. Clustered sets crowd the samples
// around the target at almost its lightness, so that only the chroma part of the search's
// lower bound can reject them.
QList<LabSample> randomSamples(QRandomGenerator &random, int count, const LabColor &target,
                               bool clustered)
{
    const auto spread = [&random](double centre, double width) {
        return centre + random.bounded(2.0 * width) - width;
    };
    QList<LabSample> samples;
    for (int i = 0; i < count; ++i) {
        const quint32 pick = random.bounded(10u);
        LabSample sample;
        if (pick == 0 && !samples.isEmpty())
            sample = samples.at(random.bounded(int(samples.size())));
        else if (pick == 1)
            sample = {target.l, target.a, target.b, 0};
        else if (clustered)
            sample = {spread(target.l, 0.1), spread(target.a, 4.0), spread(target.b, 4.0), 0};
        else
            sample = {random.bounded(100.0), random.bounded(200.0) - 100.0,
                      random.bounded(200.0) - 100.0, 0};
        sample.rowId = i + 1;
        samples.append(sample);
    }
    return samples;
}

} // namespace

class TestColorScience : public QObject
{
    Q_OBJECT

private slots:
    void publishedPairs_data();
    void publishedPairs();
    void agreesWithLittleCms();
    void selfDifferenceAndSymmetry();
    void hueAnglesAcrossZero_data();
    void hueAnglesAcrossZero();
    void labFromColor_data();
    void labFromColor();
    void nearestKeepsFirstOfEqualDifferences();
    void nearestEdgeCounts();
    void nearestEqualsPlainScan();
    void nearestSkipsSamplesWithoutADifference_data();
    void nearestSkipsSamplesWithoutADifference();
};

void TestColorScience::publishedPairs_data()
{
    QTest::addColumn<double>("l1");
    QTest::addColumn<double>("a1");
    QTest::addColumn<double>("b1");
    QTest::addColumn<double>("l2");
    QTest::addColumn<double>("a2");
    QTest::addColumn<double>("b2");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");
    const auto addPair = [](const char *name, LabColor x, LabColor y, double expected) {
        // Pair 14 has hues exactly 180° apart, where the mean hue flips with the last bit.
        const double tolerance = qstrcmp(name, "14 hues 180 degrees apart") == 0 ? 1e-4 : 5e-5;
        QTest::newRow(name) << x.l << x.a << x.b << y.l << y.a << y.b << expected << tolerance;
    };
    addPair("1", {50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425);
    addPair("2", {50.0000, 3.1571, -77.2803}, {50.0000, 0.0000, -82.7485}, 2.8615);
    addPair("3", {50.0000, 2.8361, -74.0200}, {50.0000, 0.0000, -82.7485}, 3.4412);
    addPair("4", {50.0000, -1.3802, -84.2814}, {50.0000, 0.0000, -82.7485}, 1.0000);
    addPair("5", {50.0000, -1.1848, -84.8006}, {50.0000, 0.0000, -82.7485}, 1.0000);
    addPair("6", {50.0000, -0.9009, -85.5211}, {50.0000, 0.0000, -82.7485}, 1.0000);
    addPair("7 zero chroma first", {50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669);
    addPair("8 zero chroma second", {50.0000, -1.0000, 2.0000}, {50.0000, 0.0000, 0.0000}, 2.3669);
    addPair("9", {50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792);
    addPair("10", {50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0010}, 7.1792);
    addPair("11", {50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195);
    addPair("12", {50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0012}, 7.2195);
    addPair("13", {50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045);
    addPair("14 hues 180 degrees apart", {50.0000, -0.0010, 2.4900}, {50.0000, 0.0010, -2.4900},
            4.8045);
    addPair("15", {50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461);
    addPair("16", {50.0000, 2.5000, 0.0000}, {50.0000, 0.0000, -2.5000}, 4.3065);
    addPair("17", {50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492);
    addPair("18", {50.0000, 2.5000, 0.0000}, {61.0000, -5.0000, 29.0000}, 22.8977);
    addPair("19", {50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030);
    addPair("20", {50.0000, 2.5000, 0.0000}, {58.0000, 24.0000, 15.0000}, 19.4535);
    addPair("21", {50.0000, 2.5000, 0.0000}, {50.0000, 3.1736, 0.5854}, 1.0000);
    addPair("22", {50.0000, 2.5000, 0.0000}, {50.0000, 3.2972, 0.0000}, 1.0000);
    addPair("23", {50.0000, 2.5000, 0.0000}, {50.0000, 1.8634, 0.5757}, 1.0000);
    addPair("24", {50.0000, 2.5000, 0.0000}, {50.0000, 3.2592, 0.3350}, 1.0000);
    addPair("25", {60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644);
    addPair("26", {63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630);
    addPair("27", {61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731);
    addPair("28", {35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645);
    addPair("29", {22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373);
    addPair("30", {36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146);
    addPair("31", {90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441);
    addPair("32", {90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381);
    addPair("33", {6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377);
    addPair("34", {2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082);
}

void TestColorScience::publishedPairs()
{
    QFETCH(double, l1);
    QFETCH(double, a1);
    QFETCH(double, b1);
    QFETCH(double, l2);
    QFETCH(double, a2);
    QFETCH(double, b2);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    const double difference = Sorven::ciede2000Difference({l1, a1, b1}, {l2, a2, b2});
    QVERIFY2(std::abs(difference - expected) <= tolerance, QByteArray::number(difference, 'f', 6));
}

void TestColorScience::agreesWithLittleCms()
{
    QRandomGenerator random(2000);
    for (int i = 0; i < 200000; ++i) {
        LabColor x = randomLab(random);
        LabColor y = randomLab(random);
        // Every tenth pair is near grey or near the a* axis, where the hue rules matter most.
        // (Mirror images are avoided: their mean hue sits exactly on the 0/360 degree seam,
        // where both implementations may round to either side.)
        if (i % 10 == 0)
            y = {y.l, y.a * 1e-3, y.b * 1e-3};
        else if (i % 10 == 1)
            y = {x.l + 1.0, x.a, y.b * 1e-4};
        const double ours = Sorven::ciede2000Difference(x, y);
        const double theirs = littleCmsDifference(x, y);
        if (std::abs(ours - theirs) > 1e-9)
            QFAIL(qPrintable(QStringLiteral("(%1,%2,%3) (%4,%5,%6): %7 against %8")
                                 .arg(x.l)
                                 .arg(x.a)
                                 .arg(x.b)
                                 .arg(y.l)
                                 .arg(y.a)
                                 .arg(y.b)
                                 .arg(ours, 0, 'g', 17)
                                 .arg(theirs, 0, 'g', 17)));
    }
}

void TestColorScience::selfDifferenceAndSymmetry()
{
    QRandomGenerator random(7);
    for (int i = 0; i < 10000; ++i) {
        const LabColor x = randomLab(random);
        const LabColor y = randomLab(random);
        QCOMPARE(Sorven::ciede2000Difference(x, x), 0.0);
        QCOMPARE(Sorven::ciede2000Difference(x, y), Sorven::ciede2000Difference(y, x));
    }
}

void TestColorScience::hueAnglesAcrossZero_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("bAbove");
    QTest::addColumn<double>("bBelow");
    QTest::newRow("saturated red") << 40.0 << 0.2 << -0.2;
    QTest::newRow("pale red") << 2.0 << 0.05 << -0.05;
    QTest::newRow("red, asymmetric") << 30.0 << 0.5 << -0.1;
}

void TestColorScience::hueAnglesAcrossZero()
{
    QFETCH(double, a);
    QFETCH(double, bAbove);
    QFETCH(double, bBelow);
    const LabColor above {50.0, a, bAbove};
    const LabColor below {50.0, a, bBelow};
    const double difference = Sorven::ciede2000Difference(above, below);
    QVERIFY2(difference < 0.5, QByteArray::number(difference));
    QCOMPARE(difference, littleCmsDifference(above, below));
}

void TestColorScience::labFromColor_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<double>("l");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    // Published CIE L*a*b* (D65) of the sRGB corners.
    QTest::newRow("white") << QColor(255, 255, 255) << 100.0 << 0.0 << 0.0;
    QTest::newRow("black") << QColor(0, 0, 0) << 0.0 << 0.0 << 0.0;
    QTest::newRow("red") << QColor(255, 0, 0) << 53.2408 << 80.0925 << 67.2032;
    QTest::newRow("green") << QColor(0, 255, 0) << 87.7347 << -86.1827 << 83.1793;
    QTest::newRow("blue") << QColor(0, 0, 255) << 32.2970 << 79.1875 << -107.8602;
    QTest::newRow("mid grey") << QColor(128, 128, 128) << 53.5850 << 0.0 << 0.0;
}

void TestColorScience::labFromColor()
{
    QFETCH(QColor, color);
    QFETCH(double, l);
    QFETCH(double, a);
    QFETCH(double, b);
    const LabColor lab = Sorven::labFromColor(color);
    // The four-digit matrix differs from the exact one by up to about 0.02.
    const double tolerance = 0.03;
    QVERIFY2(std::abs(lab.l - l) < tolerance, QByteArray::number(lab.l));
    QVERIFY2(std::abs(lab.a - a) < tolerance, QByteArray::number(lab.a));
    QVERIFY2(std::abs(lab.b - b) < tolerance, QByteArray::number(lab.b));
}

void TestColorScience::nearestKeepsFirstOfEqualDifferences()
{
    const LabColor target {50.0, 10.0, 10.0};
    const QList<LabSample> samples {
        {60.0, 10.0, 10.0, 1}, {50.0, 10.0, 12.0, 2}, {50.0, 10.0, 12.0, 3},
        {50.0, 10.0, 12.0, 4}, {90.0, 0.0, 0.0, 5},
    };
    const LabMatches one = Sorven::nearestLabSamples(target, samples, 1);
    QCOMPARE(one.size(), 1);
    QCOMPARE(one.first().second, 2);

    const LabMatches three = Sorven::nearestLabSamples(target, samples, 3);
    QCOMPARE(three.size(), 3);
    QCOMPARE(three.at(0).second, 2);
    QCOMPARE(three.at(1).second, 3);
    QCOMPARE(three.at(2).second, 4);
    QCOMPARE(three, referenceScan(target, samples, 3));
}

void TestColorScience::nearestEdgeCounts()
{
    const LabColor target {50.0, 0.0, 0.0};
    const QList<LabSample> samples {{20.0, 5.0, 5.0, 7}, {50.0, 1.0, 1.0, 8}};
    QVERIFY(Sorven::nearestLabSamples(target, {}, 1).isEmpty());
    QVERIFY(Sorven::nearestLabSamples(target, samples, 0).isEmpty());
    QVERIFY(Sorven::nearestLabSamples(target, samples, -3).isEmpty());
    const LabMatches all = Sorven::nearestLabSamples(target, samples, 5);
    QCOMPARE(all.size(), 2);
    QCOMPARE(all.at(0).second, 8);
    QCOMPARE(all.at(1).second, 7);
    QCOMPARE(all, referenceScan(target, samples, std::numeric_limits<int>::max()));
    QCOMPARE(Sorven::nearestLabSamples(target, samples, std::numeric_limits<int>::max()), all);
}

void TestColorScience::nearestEqualsPlainScan()
{
    QRandomGenerator random(4711);
    for (int round = 0; round < 400; ++round) {
        const LabColor target = round % 7 == 0 ? LabColor {100.0, 0.0, 0.0} : randomLab(random);
        const int count = int(random.bounded(1u, 3000u));
        const QList<LabSample> samples = randomSamples(random, count, target, round % 2 == 1);
        for (const int n : {1, 2, 5, 40}) {
            const LabMatches pruned = Sorven::nearestLabSamples(target, samples, n);
            const LabMatches plain = referenceScan(target, samples, n);
            if (pruned != plain)
                QFAIL(qPrintable(
                    QStringLiteral("round %1, %2 samples, n = %3").arg(round).arg(count).arg(n)));
        }
    }
}

void TestColorScience::nearestSkipsSamplesWithoutADifference_data()
{
    QTest::addColumn<LabColor>("damaged");
    QTest::addColumn<LabColor>("target");
    QTest::addColumn<QList<qint64>>("rows");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const LabColor grey {50.0, 0.0, 0.0};
    const QList<qint64> finiteRows {5, 3, 1};
    QTest::newRow("infinite L") << LabColor {infinity, 0.0, 0.0} << grey << finiteRows;
    QTest::newRow("negative infinite b") << LabColor {50.0, 0.0, -infinity} << grey << finiteRows;
    QTest::newRow("NaN a") << LabColor {50.0, nan, 0.0} << grey << finiteRows;
    QTest::newRow("overflowing a") << LabColor {50.0, 1e308, 0.0} << grey << finiteRows;
    QTest::newRow("overflowing L and b") << LabColor {-1e308, 0.0, 1e308} << grey << finiteRows;
    QTest::newRow("infinite target") << grey << LabColor {infinity, 0.0, 0.0} << QList<qint64>();
}

void TestColorScience::nearestSkipsSamplesWithoutADifference()
{
    QFETCH(LabColor, damaged);
    QFETCH(LabColor, target);
    QFETCH(QList<qint64>, rows);
    const QList<LabSample> samples {
        {damaged.l, damaged.a, damaged.b, 9}, {50.0, 2.0, 0.0, 1}, {50.0, 1.0, 0.0, 3},
        {damaged.l, damaged.a, damaged.b, 8}, {50.0, 0.5, 0.0, 5},
    };
    for (const int n : {1, 3, 5}) {
        QList<qint64> found;
        for (const auto &[difference, rowId] : Sorven::nearestLabSamples(target, samples, n)) {
            QVERIFY(std::isfinite(difference));
            found.append(rowId);
        }
        QCOMPARE(found, rows.mid(0, n));
    }
}

QTEST_GUILESS_MAIN(TestColorScience)
#include "tst_colorscience.moc"
