#include "db/builtinthemeimages.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "db/search.h"
#include "support/fixturedatabase.h"

#include <QFile>
#include <QTest>

using namespace Sorven::DB;

namespace {

const QUuid Collection1 {QStringLiteral("{6b1d2c80-95a4-4d0e-9a53-0c2f3e1a7b11}")};
// Collections that share Collection1's chips and differ in their tooltip settings.
const QUuid Silent {QStringLiteral("{a0a0a0a0-b1b1-4c2c-8d3d-e4e4e4e4e4e4}")};
const QUuid SecondKeys {QStringLiteral("{b1b1b1b1-c2c2-4d3d-9e4e-f5f5f5f5f5f5}")};
const QUuid OddFlags {QStringLiteral("{c2c2c2c2-d3d3-4e4e-af5f-060606060606}")};
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
        addChips(fixture, id);
    }

    void init()
    {
        resetDatabaseLayer();
        loadNameOrders(Collection1);
    }

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

    // A theme without the palette's own image gets the built-in one, not the placeholder; a
    // theme with it keeps its own.
    void themeImageOfThePalettesOwnKey()
    {
        const QString key = QStringLiteral("image.widget.eyedropper");
        const QImage builtIn = themeImage(Collection1, key, QSize(32, 16));
        QCOMPARE(builtIn, builtInThemeImage(key));
        QCOMPARE(builtIn.size(), QSize(12, 16));
        QVERIFY(builtIn.pixelColor(6, 8).alpha() > 0);
        QCOMPARE(themeImage(Silent, key, QSize(32, 16)).pixelColor(2, 1), QColor(Qt::blue));
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

    // Texts and images are read once per collection and key; asked again, with another
    // placeholder size, they are what the first read gave.
    void lookupsAnswerAlikeWhenAskedAgain()
    {
        for (const int again : {7, 8}) {
            QCOMPARE(localeString(Collection1, QStringLiteral("mypalette.palette.caption")),
                     QStringLiteral("My Palette"));
            QCOMPARE(localeString(Collection1, QStringLiteral("no.such.key")),
                     QStringLiteral("no.such.key"));
            const QSize size(again, again);
            QCOMPARE(
                themeImage(Collection1, QStringLiteral("image.capsure.button.normal"), size).size(),
                QSize(5, 3));
            QCOMPARE(themeImage(Collection1, QStringLiteral("image.broken"), size).size(), size);
        }
    }

    void lookupsFollowDatabasesReadAnew()
    {
        const QUuid fresh = QUuid::createUuid();
        for (const QString &text : {QStringLiteral("first"), QStringLiteral("second")}) {
            {
                FixtureDatabase fixture(QStringLiteral("fresh.db"));
                const qint64 id = fixture.addCollection(fresh, text, text, 9);
                fixture.addLocale(id, QStringLiteral("greeting"), text);
                fixture.addTheme(id, QStringLiteral("image.banner"),
                                 pngBytes(QSize(int(text.size()), 1), Qt::blue));
            }
            resetDatabaseLayer();
            QCOMPARE(localeString(fresh, QStringLiteral("greeting")), text);
            QCOMPARE(themeImage(fresh, QStringLiteral("image.banner"), QSize(1, 1)).width(),
                     text.size());
        }
        QVERIFY(QFile::remove(fixtureDatabaseFolder() + QStringLiteral("/fresh.db")));
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

    void chipDescription_data()
    {
        QTest::addColumn<QUuid>("uuid");
        QTest::addColumn<bool>("withExtras");
        QTest::addColumn<bool>("html");
        QTest::addColumn<QString>("expected");
        const QString italic = QStringLiteral("<span style=\"font-style:italic;\">%1</span>");
        QTest::newRow("every line, html")
            << Collection1 << true << true
            << QStringLiteral("<div style=\"margin:2px;\">First<br/>Card 12<br/>Blossom<br/>"
                              "S 1020-Y<br/>Pale straw<br/>A &lt; B &amp; C<br/>%1<br/>%2<br/>"
                              "4<br/>2</div>")
                   .arg(italic.arg(QStringLiteral("Exterior")),
                        italic.arg(QStringLiteral("LRV 71")));
        QTest::newRow("every line, plain")
            << Collection1 << true << false
            << QStringLiteral("First\nCard 12\nBlossom\nS 1020-Y\nPale straw\nA < B & C\n"
                              "Exterior\nLRV 71\n4\n2");
        QTest::newRow("no extras, no code")
            << Collection1 << false << true
            << QStringLiteral("<div style=\"margin:2px;\">First<br/>Card 12<br/>Blossom<br/>"
                              "Plain<br/>4<br/>1</div>");
        QTest::newRow("no flags, html")
            << Silent << true << true << QStringLiteral("<div style=\"margin:2px;\"></div>");
        QTest::newRow("no flags, plain") << Silent << true << false << QString();
        QTest::newRow("second keys when the first are absent")
            << SecondKeys << true << false
            << QStringLiteral("Card 12\nBlossom\nS 1020-Y\nPale straw\nA < B & C\nExterior\n"
                              "LRV 71");
        QTest::newRow("only the integer 1 is true") << OddFlags << true << false << QString();
    }

    void chipDescription()
    {
        QFETCH(QUuid, uuid);
        QFETCH(bool, withExtras);
        QFETCH(bool, html);
        QFETCH(QString, expected);
        const qint64 rowId = withExtras ? m_chipWithExtras : m_plainChip;
        QCOMPARE(Sorven::DB::chipDescription(uuid, rowId, html), expected);
    }

    void chipDescriptionOfAMissingChipIsEmpty()
    {
        QCOMPARE(Sorven::DB::chipDescription(Collection1, 999999, true), QString());
        QCOMPARE(Sorven::DB::chipDescription(QUuid(), m_plainChip, true), QString());
    }

private:
    void addChips(FixtureDatabase &fixture, qint64 id)
    {
        const qint64 page = fixture.addPage(id, 4, 2, QStringLiteral("Blossom"));
        fixture.exec(QStringLiteral("UPDATE PAGE SET NAME1 = 'Card 12' WHERE ID = ?"), {page});
        m_plainChip
            = fixture.addRow(id, page, 1, QStringLiteral(""), Qt::gray, QStringLiteral("Plain"));
        m_chipWithExtras = fixture.addRow(id, page, 2, QStringLiteral("S 1020-Y"), Qt::yellow,
                                          QStringLiteral("Pale straw"));
        fixture.exec(QStringLiteral(R"(UPDATE "ROW" SET NAME1 = '', NAME2 = 'A < B & C',
                                    EXTRA0 = 'LRV 71', EXTRA1 = 'Exterior' WHERE ID = ?)"),
                     {m_chipWithExtras});
        const auto order = [&](const QString &key, const QVariantList &values) {
            for (int i = 0; i < values.size(); ++i)
                fixture.addSetting(id, key, values.at(i), i);
        };
        order(QStringLiteral("page.name.display.order"), {1, 0});
        order(QStringLiteral("row.name.display.order"), {0, 2, 42});
        order(QStringLiteral("row.extra.display.order"), {1, 0});
        for (const char *flag :
             {"color.tooltip.show.collection.name", "color.tooltip.show.page.name",
              "color.tooltip.show.row.code", "color.tooltip.show.row.name",
              "color.tooltip.show.row.auxiliary.info", "color.tooltip.show.page.index",
              "color.tooltip.show.row.row.index"})
            fixture.addSetting(id, QLatin1String(flag), 1);

        const qint64 silent
            = fixture.addCollection(Silent, QStringLiteral("S"), QStringLiteral("Silent"), 2);
        const qint64 second
            = fixture.addCollection(SecondKeys, QStringLiteral("K"), QStringLiteral("Keys"), 3);
        const qint64 odd
            = fixture.addCollection(OddFlags, QStringLiteral("O"), QStringLiteral("Odd"), 4);
        fixture.addTheme(silent, QStringLiteral("image.widget.eyedropper"),
                         pngBytes(QSize(5, 3), Qt::blue));
        for (const qint64 collection : {silent, second, odd}) {
            fixture.exec(QStringLiteral("INSERT INTO COLLECTION_PAGE_MAP(COLLECTION_ID, PAGE_ID) "
                                        "VALUES(?, ?)"),
                         {collection, page});
        }
        for (const char *flag : {"color.tooltip.show.card.name", "color.tooltip.show.color.code",
                                 "color.tooltip.show.color.name", "color.tooltip.show.auxiliary"})
            fixture.addSetting(second, QLatin1String(flag), 1);
        // The first key decides when it has a row, even one that is not 1.
        fixture.addSetting(second, QStringLiteral("color.tooltip.show.row.row.index"), 0);
        fixture.addSetting(second, QStringLiteral("color.tooltip.show.page.index"), 0);
        const QList<std::pair<const char *, QVariant>> oddValues = {
            {"color.tooltip.show.collection.name", 2},
            {"color.tooltip.show.page.name", QStringLiteral("1.0")},
            {"color.tooltip.show.row.code", QStringLiteral("yes")},
            {"color.tooltip.show.row.name", -1},
            {"color.tooltip.show.row.auxiliary.info", QStringLiteral("")},
        };
        for (const auto &[flag, value] : oddValues)
            fixture.addSetting(odd, QLatin1String(flag), value);
    }

    qint64 m_plainChip = -1;
    qint64 m_chipWithExtras = -1;
};

QTEST_GUILESS_MAIN(TestLookups)
#include "tst_lookups.moc"
