#include "db/connections.h"
#include "db/lookups.h"
#include "support/fixturedatabase.h"

#include <QBuffer>
#include <QTest>

using namespace Sorven::DB;

namespace {

const QUuid Collection1 {QStringLiteral("{6b1d2c80-95a4-4d0e-9a53-0c2f3e1a7b11}")};
const QUuid Unregistered {QStringLiteral("{0d6e4a9f-1c2b-4f3a-8e5d-7a6b5c4d3e2f}")};

// Texts a user or a file might hand to a lookup that would break a statement they were pasted
// into.
const QStringList HostileTexts = {
    QStringLiteral("it's"),         QStringLiteral("'; DROP TABLE SETTING; --"),
    QStringLiteral("x' OR '1'='1"), QStringLiteral("%1"),
    QStringLiteral("%2 and %1"),
};

const QColor ThemeColorFallback(1, 2, 3);

struct ThemeColorCase
{
    const char *name;
    QByteArray stored;
    QColor expected;
};

QList<ThemeColorCase> themeColorCases()
{
    return {
        {"opaque red", "255,0,0", QColor(255, 0, 0)},
        {"with alpha", "10,20,30,128", QColor(10, 20, 30, 128)},
        {"empty parts dropped", "10,,20,30,", QColor(10, 20, 30)},
        {"two parts", "255,0", ThemeColorFallback},
        {"five parts", "10,20,30,40,50", ThemeColorFallback},
        {"channel above 255", "256,0,0", ThemeColorFallback},
        {"negative channel", "-1,0,0", ThemeColorFallback},
        {"alpha above 255", "1,2,3,300", ThemeColorFallback},
        {"not numbers", "red,green,blue", ThemeColorFallback},
        {"fraction", "1.5,2,3", ThemeColorFallback},
        {"only commas", ",,,", ThemeColorFallback},
    };
}

QByteArray pngBytes(const QSize &size, const QColor &color)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class TestLookups : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("lookups.db"));
        const qint64 id
            = fixture.addCollection(Collection1, QStringLiteral("C1"), QStringLiteral("First"), 1);
        fixture.addLocale(id, QStringLiteral("mypalette.palette.caption"),
                          QStringLiteral("My Palette"));
        fixture.addTheme(id, QStringLiteral("image.capsure.button.normal"),
                         pngBytes(QSize(5, 3), Qt::green));
        fixture.addTheme(id, QStringLiteral("image.broken"), QByteArray("not an image"));
        fixture.exec(QStringLiteral("INSERT INTO THEME(COLLECTION_ID, ITEM_KEY, ITEM_DATA) "
                                    "VALUES(?, 'color.as.text', '255,0,0')"),
                     {id});
        fixture.addSetting(id, QStringLiteral("num.of.segments"), 24);
        fixture.addSetting(id, QStringLiteral("num.of.segments"), 99, 1);
        for (int valueIndex : {2, 0, 1}) {
            fixture.addSetting(id, QStringLiteral("tab.bar.page"),
                               QStringLiteral("page %1").arg(valueIndex), valueIndex);
        }
        for (const QString &text : HostileTexts) {
            fixture.addLocale(id, text, QStringLiteral("locale:") + text);
            fixture.addTheme(id, text, QByteArray("1,2,3"));
            fixture.addSetting(id, text, QStringLiteral("setting:") + text);
        }
        for (const ThemeColorCase &color : themeColorCases())
            fixture.addTheme(id, QStringLiteral("color.") + color.name, color.stored);
    }

    void init() { resetDatabaseLayer(); }

    void localeStringFindsTheTextIgnoringCase()
    {
        QCOMPARE(localeString(Collection1, QStringLiteral("mypalette.palette.caption")),
                 QStringLiteral("My Palette"));
        QCOMPARE(localeString(Collection1, QStringLiteral("MyPalette.Palette.Caption")),
                 QStringLiteral("My Palette"));
    }

    void localeStringFallsBackToTheKey_data()
    {
        QTest::addColumn<QUuid>("uuid");
        QTest::addColumn<QString>("key");
        QTest::newRow("missing key") << Collection1 << QStringLiteral("no.such.key");
        QTest::newRow("null collection") << QUuid() << QStringLiteral("mypalette.palette.caption");
        QTest::newRow("unregistered collection")
            << Unregistered << QStringLiteral("mypalette.palette.caption");
    }

    void localeStringFallsBackToTheKey()
    {
        QFETCH(QUuid, uuid);
        QFETCH(QString, key);
        QCOMPARE(localeString(uuid, key), key);
    }

    void themeItemDataResults_data()
    {
        QTest::addColumn<QUuid>("uuid");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("hasBytes");
        QTest::newRow("blob") << Collection1 << QStringLiteral("IMAGE.CAPSURE.BUTTON.NORMAL") << 0
                              << true;
        QTest::newRow("stored as text")
            << Collection1 << QStringLiteral("color.as.text") << -1 << false;
        QTest::newRow("missing") << Collection1 << QStringLiteral("no.such.item") << -1 << false;
        QTest::newRow("null collection")
            << QUuid() << QStringLiteral("image.broken") << -2 << false;
        QTest::newRow("unregistered")
            << Unregistered << QStringLiteral("image.broken") << -4 << false;
    }

    void themeItemDataResults()
    {
        QFETCH(QUuid, uuid);
        QFETCH(QString, key);
        QFETCH(int, result);
        QFETCH(bool, hasBytes);
        QByteArray bytes("left over");
        QCOMPARE(themeItemData(uuid, key, bytes), result);
        QCOMPARE(!bytes.isEmpty(), hasBytes);
    }

    void themeImageDecodesStoredImagesUnscaled()
    {
        const QImage image
            = themeImage(Collection1, QStringLiteral("image.capsure.button.normal"), QSize(32, 16));
        QCOMPARE(image.size(), QSize(5, 3));
        QCOMPARE(image.pixelColor(2, 1), QColor(Qt::green));
    }

    void themeImagePlaceholder_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("missing item") << QStringLiteral("no.such.image");
        QTest::newRow("undecodable item") << QStringLiteral("image.broken");
    }

    void themeImagePlaceholder()
    {
        QFETCH(QString, key);
        const QImage image = themeImage(Collection1, key, QSize(32, 16));
        QCOMPARE(image.size(), QSize(32, 16));
        QCOMPARE(image.format(), QImage::Format_ARGB32);
        const QColor red(255, 0, 0);
        const QColor white(255, 255, 255);
        for (const QPoint &corner : {QPoint(1, 1), QPoint(30, 1), QPoint(1, 14), QPoint(30, 14),
                                     QPoint(15, 1), QPoint(1, 8)})
            QCOMPARE(image.pixelColor(corner), red);
        for (const QPoint &outside : {QPoint(0, 0), QPoint(31, 15), QPoint(2, 2), QPoint(29, 13),
                                      QPoint(15, 8), QPoint(31, 1)})
            QCOMPARE(image.pixelColor(outside), white);
    }

    void themeImageWithoutAreaIsNull_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("no width") << QSize(0, 16);
        QTest::newRow("no height") << QSize(16, 0);
        QTest::newRow("negative") << QSize(-4, 16);
    }

    void themeImageWithoutAreaIsNull()
    {
        QFETCH(QSize, size);
        QVERIFY(themeImage(Collection1, QStringLiteral("no.such.image"), size).isNull());
    }

    void themeColorParsesChannels_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QColor>("expected");
        for (const ThemeColorCase &color : themeColorCases())
            QTest::newRow(color.name) << QStringLiteral("color.") + color.name << color.expected;
    }

    void themeColorParsesChannels()
    {
        QFETCH(QString, key);
        QFETCH(QColor, expected);
        QCOMPARE(themeColor(Collection1, key, ThemeColorFallback), expected);
    }

    void themeColorFallsBackWithoutItem()
    {
        QCOMPARE(themeColor(Collection1, QStringLiteral("no.such.color"), QColor(Qt::blue)),
                 QColor(Qt::blue));
        QCOMPARE(themeColor(QUuid(), QStringLiteral("color.opaque red"), QColor(Qt::blue)),
                 QColor(Qt::blue));
    }

    void settingValueReadsTheFirstValue()
    {
        QCOMPARE(settingValue(Collection1, QStringLiteral("Num.Of.Segments"), 12),
                 QVariant(QStringLiteral("24")));
        QCOMPARE(settingValue(Collection1, QStringLiteral("no.such.setting"), 12), QVariant(12));
        QCOMPARE(settingValue(Unregistered, QStringLiteral("num.of.segments"), 12), QVariant(12));
    }

    void settingValuesComeInValueIndexOrder()
    {
        QCOMPARE(settingValues(Collection1, QStringLiteral("tab.bar.page")),
                 QVariantList({QStringLiteral("page 0"), QStringLiteral("page 1"),
                               QStringLiteral("page 2")}));
        QVERIFY(settingValues(Collection1, QStringLiteral("no.such.setting")).isEmpty());
        QVERIFY(settingValues(QUuid(), QStringLiteral("tab.bar.page")).isEmpty());
    }

    void textsAreMatchedLiterally_data()
    {
        QTest::addColumn<QString>("text");
        for (const QString &text : HostileTexts)
            QTest::newRow(qPrintable(text)) << text;
    }

    void textsAreMatchedLiterally()
    {
        QFETCH(QString, text);
        QCOMPARE(localeString(Collection1, text), QStringLiteral("locale:") + text);
        QByteArray bytes;
        QCOMPARE(themeItemData(Collection1, text, bytes), 0);
        QCOMPARE(bytes, QByteArray("1,2,3"));
        QCOMPARE(themeColor(Collection1, text, Qt::black), QColor(1, 2, 3));
        QCOMPARE(settingValue(Collection1, text, QVariant()),
                 QVariant(QStringLiteral("setting:") + text));
        QCOMPARE(settingValues(Collection1, text),
                 QVariantList({QStringLiteral("setting:") + text}));
        const QString unknown = text + QStringLiteral(" unknown");
        QCOMPARE(localeString(Collection1, unknown), unknown);
        QCOMPARE(settingValue(Collection1, unknown, 7), QVariant(7));
        QVERIFY(settingValues(Collection1, unknown).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLookups)
#include "tst_lookups.moc"
