#include "palette/chromaticadaptation.h"

#include <QTest>

#include <lcms2.h>

#include <optional>

Q_DECLARE_METATYPE(Sorven::LabColor)
Q_DECLARE_METATYPE(Sorven::XyzColor)

using Sorven::LabColor;
using Sorven::XyzColor;

namespace {

// The same adaptation through Little CMS: L*a*b* to XYZ under the source white, Bradford to
// the target white, back to L*a*b*.
LabColor littleCmsAdapted(const LabColor &lab, const XyzColor &from, const XyzColor &to)
{
    const cmsCIEXYZ source {from.x, from.y, from.z};
    const cmsCIEXYZ target {to.x, to.y, to.z};
    const cmsCIELab in {lab.l, lab.a, lab.b};
    cmsCIEXYZ xyz;
    cmsCIEXYZ adapted;
    cmsCIELab out;
    cmsLab2XYZ(&source, &xyz, &in);
    cmsAdaptToIlluminant(&adapted, &source, &target, &xyz);
    cmsXYZ2Lab(&target, &out, &adapted);
    return {out.L, out.a, out.b};
}

void compareLab(const LabColor &actual, const LabColor &expected, double tolerance)
{
    QVERIFY2(qAbs(actual.l - expected.l) < tolerance && qAbs(actual.a - expected.a) < tolerance
                 && qAbs(actual.b - expected.b) < tolerance,
             qPrintable(QStringLiteral("(%1, %2, %3) instead of (%4, %5, %6)")
                            .arg(actual.l)
                            .arg(actual.a)
                            .arg(actual.b)
                            .arg(expected.l)
                            .arg(expected.a)
                            .arg(expected.b)));
}

XyzColor white(const char *illuminant, const char *observer)
{
    return Sorven::standardWhitePoint(QString::fromLatin1(illuminant),
                                      QString::fromLatin1(observer))
        .value_or(XyzColor {});
}

} // namespace

class TestChromaticAdaptation : public QObject
{
    Q_OBJECT

private slots:
    // The published chromaticities of the CIE illuminants, so that a mistyped table entry shows.
    void whitesMatchPublishedChromaticities_data()
    {
        QTest::addColumn<QString>("illuminant");
        QTest::addColumn<QString>("observer");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("A 2°") << "A"
                              << "2_Degree" << 0.44757 << 0.40745;
        QTest::newRow("A 10°") << "A"
                               << "10_Degree" << 0.45117 << 0.40594;
        QTest::newRow("C 2°") << "C"
                              << "2_Degree" << 0.31006 << 0.31616;
        QTest::newRow("D50 2°") << "D50"
                                << "2_Degree" << 0.34567 << 0.35850;
        QTest::newRow("D50 10°") << "D50"
                                 << "10_Degree" << 0.34773 << 0.35952;
        QTest::newRow("D55 2°") << "D55"
                                << "2_Degree" << 0.33242 << 0.34743;
        QTest::newRow("D65 2°") << "D65"
                                << "2_Degree" << 0.31271 << 0.32902;
        QTest::newRow("D65 10°") << "D65"
                                 << "10_Degree" << 0.31382 << 0.33100;
        QTest::newRow("D75 2°") << "D75"
                                << "2_Degree" << 0.29902 << 0.31485;
        QTest::newRow("E") << "E"
                           << "10_Degree" << 1.0 / 3.0 << 1.0 / 3.0;
        QTest::newRow("F2 2°") << "F2"
                               << "2_Degree" << 0.37208 << 0.37529;
        QTest::newRow("F7 2°") << "F7"
                               << "2_Degree" << 0.31292 << 0.32933;
        QTest::newRow("F11 2°") << "F11"
                                << "2_Degree" << 0.38052 << 0.37713;
    }

    void whitesMatchPublishedChromaticities()
    {
        QFETCH(QString, illuminant);
        QFETCH(QString, observer);
        QFETCH(double, x);
        QFETCH(double, y);
        const std::optional<XyzColor> found = Sorven::standardWhitePoint(illuminant, observer);
        QVERIFY(found);
        const double sum = found->x + found->y + found->z;
        QVERIFY(qAbs(found->x / sum - x) < 5e-4);
        QVERIFY(qAbs(found->y / sum - y) < 5e-4);
    }

    void unknownNamesHaveNoWhite_data()
    {
        QTest::addColumn<QString>("illuminant");
        QTest::addColumn<QString>("observer");
        QTest::newRow("custom illuminant") << "Custom"
                                           << "2_Degree";
        QTest::newRow("custom observer") << "D50"
                                         << "Custom_CMF";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("names are exact") << "d50"
                                         << "2_degree";
    }

    void unknownNamesHaveNoWhite()
    {
        QFETCH(QString, illuminant);
        QFETCH(QString, observer);
        QVERIFY(!Sorven::standardWhitePoint(illuminant, observer));
    }

    void agreesWithLittleCms_data()
    {
        QTest::addColumn<LabColor>("lab");
        QTest::addColumn<XyzColor>("from");
        const QList<LabColor> colors {
            {50.0, 20.0, -30.0}, {95.0, -2.0, 3.0}, {12.0, 40.0, 35.0}, {70.0, -60.0, 70.0}};
        const QList<std::pair<const char *, XyzColor>> whites {
            {"D50 2°", white("D50", "2_Degree")},
            {"D65 10°", white("D65", "10_Degree")},
            {"A 2°", white("A", "2_Degree")},
            {"F11 10°", white("F11", "10_Degree")},
            {"given in the file", {1.02, 1.0, 0.71}}};
        for (const auto &[name, from] : whites) {
            for (const LabColor &lab : colors)
                QTest::addRow("%s, L* %g", name, lab.l) << lab << from;
        }
    }

    void agreesWithLittleCms()
    {
        QFETCH(LabColor, lab);
        QFETCH(XyzColor, from);
        compareLab(Sorven::adaptedLab(lab, from, Sorven::D65White),
                   littleCmsAdapted(lab, from, Sorven::D65White), 1e-4);
    }

    void invariants()
    {
        const XyzColor d50 = white("D50", "2_Degree");
        const LabColor lab {43.2, -17.5, 26.1};
        // A white stays white, and D65/2° values stay as they are.
        compareLab(Sorven::adaptedLab({100.0, 0.0, 0.0}, d50, Sorven::D65White), {100.0, 0.0, 0.0},
                   1e-4);
        const LabColor same = Sorven::adaptedLab(lab, Sorven::D65White, Sorven::D65White);
        QCOMPARE(same.l, lab.l);
        QCOMPARE(same.b, lab.b);
        // There and back again.
        compareLab(Sorven::adaptedLab(Sorven::adaptedLab(lab, d50, Sorven::D65White),
                                      Sorven::D65White, d50),
                   lab, 1e-4);
    }
};

QTEST_GUILESS_MAIN(TestChromaticAdaptation)
#include "tst_chromaticadaptation.moc"
