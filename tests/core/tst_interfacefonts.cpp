#include "core/interfacefonts.h"
#include "support/fixturedatabase.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QTest>

namespace {

const QString FacesKey = QStringLiteral("list.of.preferred.font.faces");

// Writes the shared theme items (a null text leaves the key out) and forgets every earlier
// choice.
void writeFaces(const QByteArray &faces, const QByteArray &windowsFaces = QByteArray())
{
    {
        FixtureDatabase fixture(QStringLiteral("fonts.db"));
        fixture.addCollection(QUuid::createUuid(), "FONTS", "Fonts", 1);
        if (!faces.isNull())
            fixture.addTheme(0, FacesKey, faces);
        if (!windowsFaces.isNull())
            fixture.addTheme(0, FacesKey + ".windows", windowsFaces);
    }
    resetDatabaseLayer();
    Sorven::clearInterfaceFonts();
}

QString installed(int index)
{
    return QFontDatabase::families().value(index);
}

// The first of the built-in preferred faces that is installed, else the application's font.
QPair<QString, int> builtInChoice()
{
    for (const auto &[family, size] :
         {qMakePair(QStringLiteral("Myriad Pro"), 10), qMakePair(QStringLiteral("Arial"), 8)}) {
        if (QFontDatabase::families().contains(family, Qt::CaseInsensitive))
            return {family, size};
    }
    return {QGuiApplication::font().family(), QGuiApplication::font().pointSize()};
}

} // namespace

class TestInterfaceFonts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void familyChoice_data();
    void familyChoice();
    void sizeStepsAndVariants_data();
    void sizeStepsAndVariants();
    void smallBaseSizeStaysPositive();
    void choiceIsKeptUntilCleared();
    void fontsAreCached();
};

void TestInterfaceFonts::initTestCase()
{
    if (QFontDatabase::families().size() < 2)
        QSKIP("needs two installed font families");
}

void TestInterfaceFonts::familyChoice_data()
{
    QTest::addColumn<QByteArray>("faces");
    QTest::addColumn<QByteArray>("windowsFaces");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("baseSize");
    const QByteArray first = installed(0).toUtf8();
    const QByteArray second = installed(1).toUtf8();
    const auto [builtInFamily, builtInSize] = builtInChoice();
    const QByteArray none;

    QTest::newRow("no theme item") << none << none << builtInFamily << builtInSize;
    QTest::newRow("windows item when the first is missing")
        << none << "No Such Face,9;" + first + ",11" << installed(0) << 11;
    QTest::newRow("first item wins") << second + ",7" << first + ",11" << installed(1) << 7;
    QTest::newRow("size 0 drops the family")
        << first + ",0;" + second + ",9" << none << installed(1) << 9;
    QTest::newRow("family listed twice uses the built-in faces")
        << first + ",9;" + first + ",11" << none << builtInFamily << builtInSize;
    QTest::newRow("other letter case")
        << first.toUpper() + ",12" << none << installed(0).toUpper() << 12;
    QTest::newRow("malformed pairs skipped")
        << first + ";" + first + ",x;,5;" + first + ",7,1;;" + second + ",10" << none
        << installed(1) << 10;
    QTest::newRow("nothing installed uses the application font")
        << QByteArray("No Such Face,9;Another Missing Face,7") << none
        << QGuiApplication::font().family() << QGuiApplication::font().pointSize();
}

void TestInterfaceFonts::familyChoice()
{
    QFETCH(QByteArray, faces);
    QFETCH(QByteArray, windowsFaces);
    QFETCH(QString, family);
    QFETCH(int, baseSize);
    writeFaces(faces, windowsFaces);
    QCOMPARE(Sorven::interfaceFontFamily(), family);
    const QFont font = Sorven::regularFont(2);
    QCOMPARE(font.pointSize(), baseSize);
    QCOMPARE(QFontInfo(font).family(), QFontInfo(QFont(family)).family());
}

void TestInterfaceFonts::sizeStepsAndVariants_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("step 0") << 0 << 8;
    QTest::newRow("step 1") << 1 << 9;
    QTest::newRow("step 2") << 2 << 10;
    QTest::newRow("step 3") << 3 << 11;
    QTest::newRow("step 4") << 4 << 12;
    QTest::newRow("step 7 is the base") << 7 << 10;
    QTest::newRow("step -1 is the base") << -1 << 10;
}

void TestInterfaceFonts::sizeStepsAndVariants()
{
    QFETCH(int, step);
    QFETCH(int, pointSize);
    writeFaces(installed(0).toUtf8() + ",10");
    const QFont regular = Sorven::regularFont(step);
    const QFont italic = Sorven::italicFont(step);
    const QFont bold = Sorven::boldFont(step);
    for (const QFont &font : {regular, italic, bold}) {
        QCOMPARE(font.family(), installed(0));
        QCOMPARE(font.pointSize(), pointSize);
        QCOMPARE(font.letterSpacingType(), QFont::PercentageSpacing);
        QCOMPARE(font.letterSpacing(), 100.0);
        QCOMPARE(font.stretch(), 100);
        QCOMPARE(font.styleStrategy(), QFont::PreferAntialias);
    }
    QCOMPARE(regular.weight(), QFont::Normal);
    QVERIFY(!regular.italic());
    QCOMPARE(italic.weight(), QFont::Normal);
    QVERIFY(italic.italic());
    QCOMPARE(bold.weight(), QFont::Bold);
    QVERIFY(!bold.italic());
}

void TestInterfaceFonts::smallBaseSizeStaysPositive()
{
    QTest::failOnWarning(QRegularExpression(".*"));
    writeFaces(installed(0).toUtf8() + ",1");
    QCOMPARE(Sorven::regularFont(0).pointSize(), 1);
    QCOMPARE(Sorven::boldFont(4).pointSize(), 3);
}

void TestInterfaceFonts::choiceIsKeptUntilCleared()
{
    writeFaces(installed(0).toUtf8() + ",10");
    QCOMPARE(Sorven::interfaceFontFamily(), installed(0));
    {
        FixtureDatabase fixture(QStringLiteral("fonts.db"));
        fixture.addCollection(QUuid::createUuid(), "FONTS", "Fonts", 1);
        fixture.addTheme(0, FacesKey, installed(1).toUtf8() + ",9");
    }
    resetDatabaseLayer();
    QCOMPARE(Sorven::interfaceFontFamily(), installed(0));
    QCOMPARE(Sorven::regularFont(2).pointSize(), 10);
    Sorven::clearInterfaceFonts();
    QCOMPARE(Sorven::interfaceFontFamily(), installed(1));
    QCOMPARE(Sorven::regularFont(2).pointSize(), 9);
}

void TestInterfaceFonts::fontsAreCached()
{
    writeFaces(installed(0).toUtf8() + ",10");
    QFont first = Sorven::cachedFont(installed(0), 10, QFont::Normal, false, 100, 100);
    QCOMPARE(Sorven::regularFont(2), first);
    QCOMPARE(Sorven::cachedFont(installed(0), 10, QFont::Normal, true, 100, 100),
             Sorven::italicFont(2));
    QVERIFY(Sorven::cachedFont(installed(0), 10, QFont::Normal, false, 100, 100)
            != Sorven::cachedFont(installed(0), 10, QFont::Normal, false, 110, 100));
}

QTEST_MAIN(TestInterfaceFonts)
#include "tst_interfacefonts.moc"
