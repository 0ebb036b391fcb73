#include "core/collectionsettings.h"
#include "core/wheelsectors.h"
#include "db/connections.h"
#include "support/fixturedatabase.h"

#include <QDir>
#include <QSqlQuery>
#include <QTest>

#include <climits>
#include <cmath>
#include <functional>

using Sorven::CollectionSettings;

namespace {

const QUuid Deck(QStringLiteral("{5d3c2b1a-0f9e-4d8c-b7a6-958473625140}"));
const QUuid OtherDeck(QStringLiteral("{1a2b3c4d-5e6f-4a7b-8c9d-0e1f2a3b4c5d}"));
const qint64 SharedId = 0;

struct Setting
{
    QString name;
    QVariant value;
    int valueIndex = 0;
};
using Settings = QList<Setting>;

// Writes a fresh database holding Deck with deckSettings, OtherDeck with otherSettings and the
// shared settings, and makes the palette forget every earlier database and cached answer.
void writeDatabase(const Settings &deckSettings, const Settings &shared = {},
                   const Settings &otherSettings = {})
{
    {
        FixtureDatabase fixture(QStringLiteral("settings.db"));
        const qint64 deck = fixture.addCollection(Deck, "DECK", "Deck", 1);
        const qint64 other = fixture.addCollection(OtherDeck, "OTHER", "Other deck", 2);
        for (const auto &[id, settings] :
             {std::pair {deck, deckSettings}, {SharedId, shared}, {other, otherSettings}}) {
            for (const Setting &setting : settings)
                fixture.addSetting(id, setting.name, setting.value, setting.valueIndex);
        }
        const qint64 page = fixture.addPage(deck, 1, 1, "Exterior warm", Sorven::MoodWarm, true);
        fixture.addPage(deck, 2, 1, "Interior calm", Sorven::MoodCalm, false);
        fixture.addRow(deck, page, 1, "W1", Qt::red);
    }
    resetDatabaseLayer();
    CollectionSettings::setCurrentCollection(QUuid());
}

void changeSetting(const QString &name, const QVariant &value)
{
    QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", "changer");
    database.setDatabaseName(QDir(fixtureDatabaseFolder()).filePath("settings.db"));
    QVERIFY(database.open());
    QSqlQuery query(database);
    query.prepare("DELETE FROM SETTING WHERE NAME = ? AND COLLECTION_ID = "
                  "(SELECT ID FROM COLLECTION WHERE SYSTEMID = 'DECK')");
    query.addBindValue(name);
    QVERIFY(query.exec());
    query.prepare("INSERT INTO SETTING(COLLECTION_ID, NAME, VALUE) "
                  "SELECT ID, ?, ? FROM COLLECTION WHERE SYSTEMID = 'DECK'");
    query.addBindValue(name);
    query.addBindValue(value);
    QVERIFY(query.exec());
    database.close();
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase("changer");
}

const QHash<QString, std::function<QVariant()>> &getters()
{
    static const QHash<QString, std::function<QVariant()>> getters {
        {"hasExteriorFilter", [] { return CollectionSettings::hasExteriorFilter(Deck); }},
        {"moodVisible", [] { return CollectionSettings::moodVisible(Deck); }},
        {"hasColorSchemesPage", [] { return CollectionSettings::hasColorSchemesPage(Deck); }},
        {"tooltipShowPageName", [] { return CollectionSettings::tooltipShowPageName(Deck); }},
        {"tooltipShowRowName", [] { return CollectionSettings::tooltipShowRowName(Deck); }},
        {"tooltipShowRowCode", [] { return CollectionSettings::tooltipShowRowCode(Deck); }},
        {"tooltipShowRowAuxiliaryInfo",
         [] { return CollectionSettings::tooltipShowRowAuxiliaryInfo(Deck); }},
        {"tooltipShowRowIndex", [] { return CollectionSettings::tooltipShowRowIndex(Deck); }},
        {"capsureEnabled", [] { return CollectionSettings::capsureEnabled(Deck); }},
        {"savePaletteTextFormat",
         [] { return CollectionSettings::savePaletteTextFormat(Deck, true); }},
        {"cardType", [] { return int(CollectionSettings::cardType(Deck)); }},
        {"segmentIncrementOrientation",
         [] { return int(CollectionSettings::segmentIncrementOrientation(Deck)); }},
        {"cardMode", [] { return int(CollectionSettings::cardMode(Deck)); }},
        {"moodMode", [] { return int(CollectionSettings::moodMode(Deck)); }},
        {"productsMode", [] { return CollectionSettings::productsMode(Deck); }},
        {"numOfSegments", [] { return CollectionSettings::numOfSegments(Deck); }},
        {"firstSegmentAngle", [] { return CollectionSettings::firstSegmentAngle(Deck); }},
        {"productNameCodeSeparator",
         [] { return CollectionSettings::productNameCodeSeparator(Deck); }},
        {"helpLink", [] { return CollectionSettings::helpLink(Deck); }},
        {"capsureFolderToWatch", [] { return CollectionSettings::capsureFolderToWatch(Deck); }},
    };
    return getters;
}

QList<int> toInts(const QList<Sorven::TabBarPage> &pages)
{
    return {pages.cbegin(), pages.cend()};
}

QList<int> toInts(const QList<Sorven::SchemeKind> &kinds)
{
    return {kinds.cbegin(), kinds.cend()};
}

} // namespace

Q_DECLARE_METATYPE(Settings)

class TestCollectionSettings : public QObject
{
    Q_OBJECT

private slots:
    void withoutRowsEveryGetterGivesItsDefault();
    void singleValues_data();
    void singleValues();
    void tabBarPageOrder_data();
    void tabBarPageOrder();
    void availableTabBarPages_data();
    void availableTabBarPages();
    void schemeList();
    void sizes_data();
    void sizes();
    void deltaIntervals_data();
    void deltaIntervals();
    void numbersOutOfRangeFallBack_data();
    void numbersOutOfRangeFallBack();
    void exteriorPagesPerMood();
    void cacheFollowsTheAskedCollection();
    void absentRowsAreAskedAgain();
};

void TestCollectionSettings::withoutRowsEveryGetterGivesItsDefault()
{
    writeDatabase({});
    QCOMPARE(CollectionSettings::maxChipsOnAPage(Deck), 0);
    QCOMPARE(CollectionSettings::cardType(Deck), CollectionSettings::NoCardType);
    QCOMPARE(CollectionSettings::numOfSegments(Deck), 12);
    QCOMPARE(CollectionSettings::firstSegmentAngle(Deck), 0.0);
    QCOMPARE(CollectionSettings::segmentIncrementOrientation(Deck),
             CollectionSettings::NoOrientation);
    QCOMPARE(CollectionSettings::cardMode(Deck), CollectionSettings::NoCardMode);
    QCOMPARE(CollectionSettings::moodMode(Deck), CollectionSettings::NoMoodMode);
    QCOMPARE(CollectionSettings::productsMode(Deck), false);
    QCOMPARE(CollectionSettings::productNameCodeSeparator(Deck), ": ");
    QCOMPARE(CollectionSettings::headerLink(Deck), QString());
    QCOMPARE(CollectionSettings::helpLink(Deck), "file:///%APP%/Contents/Resources/help/main.html");
    QCOMPARE(CollectionSettings::hasExteriorFilter(Deck), true);
    QCOMPARE(CollectionSettings::moodVisible(Deck), true);
    QCOMPARE(CollectionSettings::hasColorSchemesPage(Deck), false);
    QCOMPARE(CollectionSettings::tooltipShowCollectionName(Deck), false);
    QCOMPARE(CollectionSettings::tooltipShowPageName(Deck), false);
    QCOMPARE(CollectionSettings::tooltipShowRowCode(Deck), false);
    QCOMPARE(CollectionSettings::tooltipShowRowName(Deck), false);
    QCOMPARE(CollectionSettings::tooltipShowRowAuxiliaryInfo(Deck), false);
    QCOMPARE(CollectionSettings::tooltipShowPageIndex(Deck), false);
    QCOMPARE(CollectionSettings::tooltipShowRowIndex(Deck), false);
    QCOMPARE(CollectionSettings::exportColorNameAppendProductCode(Deck), false);
    QCOMPARE(CollectionSettings::capsureEnabled(Deck), false);
    QCOMPARE(CollectionSettings::capsureFolderToWatch(Deck), QString());
    QCOMPARE(CollectionSettings::capsureFilenameToWatch(Deck), QString());
    QCOMPARE(CollectionSettings::savePaletteTextFormat(Deck, false), false);
    QCOMPARE(CollectionSettings::savePaletteTextFormat(Deck, true), true);
    QCOMPARE(CollectionSettings::availableTabBarPages(Deck),
             Sorven::TabBarPages(Sorven::ColorSchemes));
    QCOMPARE(toInts(CollectionSettings::tabBarPages(Deck)), QList<int> {1});
    QVERIFY(CollectionSettings::schemes(Deck).isEmpty());
    QCOMPARE(CollectionSettings::trendoraChipSize(Deck), QSize(64, 48));
    QCOMPARE(CollectionSettings::textureSize(Deck, QSize(3, 4)), QSize(3, 4));
    QCOMPARE(CollectionSettings::cie2000DeltaIntervals(Deck), QList<double> {0.05});
}

void TestCollectionSettings::singleValues_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QString>("getter");
    QTest::addColumn<QVariant>("expected");
    const auto row = [](const char *name, const Settings &settings, const char *getter,
                        const QVariant &expected) {
        QTest::newRow(name) << settings << QString(getter) << expected;
    };
    row("mood visible 1", {{"mood.visible", "1"}}, "moodVisible", true);
    row("mood hidden by 0", {{"mood.visible", "0"}}, "moodVisible", false);
    row("mood hidden by 2", {{"mood.visible", "2"}}, "moodVisible", false);
    row("mood hidden by text", {{"mood.visible", "yes"}}, "moodVisible", false);
    row("exterior filter off", {{"has.exterior.filter", "0"}}, "hasExteriorFilter", false);
    row("schemes page on", {{"has.color.schemes.page", "1"}}, "hasColorSchemesPage", true);
    row("page name from the second name", {{"color.tooltip.show.card.name", "1"}},
        "tooltipShowPageName", true);
    row("page name: the first name wins",
        {{"color.tooltip.show.page.name", "0"}, {"color.tooltip.show.card.name", "1"}},
        "tooltipShowPageName", false);
    row("row name from the second name", {{"color.tooltip.show.color.name", "1"}},
        "tooltipShowRowName", true);
    row("row code from the first name", {{"color.tooltip.show.row.code", "1"}},
        "tooltipShowRowCode", true);
    row("auxiliary info from the second name", {{"color.tooltip.show.auxiliary", "1"}},
        "tooltipShowRowAuxiliaryInfo", true);
    row("row index", {{"color.tooltip.show.row.row.index", "1"}}, "tooltipShowRowIndex", true);
    row("capsure enabled by true is off", {{"capsure.enabled", "true"}}, "capsureEnabled", false);
    row("text format row beats the default", {{"save.palette.text.format", "0"}},
        "savePaletteTextFormat", false);
    row("card type in capitals", {{"card.type", "NORMAL"}}, "cardType", 1);
    row("card type polvaron", {{"card.type", "polvaron"}}, "cardType", 2);
    row("card type cut short", {{"card.type", "norm"}}, "cardType", 0);
    row("counter-clockwise", {{"segment.increment.orientation", "ccw"}},
        "segmentIncrementOrientation", 2);
    row("card to card", {{"mode.card", "ModeCardToCard"}}, "cardMode", 3);
    row("warm equals fresh", {{"mode.mood", "MoodModeWarmFreshEquals"}}, "moodMode", 2);
    row("products mode", {{"product.groups.mode", "products"}}, "productsMode", true);
    row("groups with tooltips", {{"product.groups.mode", "GroupsWithProductTooltip"}},
        "productsMode", false);
    row("24 segments", {{"num.of.segments", "24"}}, "numOfSegments", 24);
    row("no segments keeps 12", {{"num.of.segments", "0"}}, "numOfSegments", 12);
    row("segment angle", {{"first.segment.angle", "7.5"}}, "firstSegmentAngle", 7.5);
    row("separator", {{"product.group.productname.productcode.separator:string", " - "}},
        "productNameCodeSeparator", " - ");
    row("separator not text",
        {{"product.group.productname.productcode.separator:string", QByteArray("\x01")}},
        "productNameCodeSeparator", ": ");
    row("empty help link", {{"help.link", ""}}, "helpLink",
        "file:///%APP%/Contents/Resources/help/main.html");
    row("help link", {{"help.link", "https://example.org/help"}}, "helpLink",
        "https://example.org/help");
    row("capture folder", {{"capsure.folder.to.watch.windows", "C:/capture"}},
        "capsureFolderToWatch", "C:/capture");
}

void TestCollectionSettings::singleValues()
{
    QFETCH(Settings, settings);
    QFETCH(QString, getter);
    QFETCH(QVariant, expected);
    writeDatabase(settings);
    QVERIFY(getters().contains(getter));
    const QVariant value = getters().value(getter)();
    QCOMPARE(value.toString(), expected.toString());
}

void TestCollectionSettings::tabBarPageOrder_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("no rows") << Settings {} << QList<int> {1};
    QTest::newRow("products, blank-padded schemes, textures")
        << Settings {{"tab.bar.page", "PageOfProducts", 0},
                     {"tab.bar.page", "  PageOfColorSchemes ", 1},
                     {"tab.bar.page", "PageOfTextures", 2}}
        << QList<int> {1, 2, 8};
    QTest::newRow("stored out of order") << Settings {{"tab.bar.page", "PageOfTextures", 2},
                                                      {"tab.bar.page", "pageoftrendora", 0},
                                                      {"tab.bar.page", "PageOfProducts", 1}}
                                         << QList<int> {1, 4, 2, 8};
    QTest::newRow("unknown name stays as 0")
        << Settings {{"tab.bar.page", "PageOfNothing", 0}, {"tab.bar.page", "PageOfProducts", 1}}
        << QList<int> {1, 0, 2};
    QTest::newRow("a value that is not text")
        << Settings {{"tab.bar.page", "PageOfProducts", 0}, {"tab.bar.page", QByteArray("\x02"), 1}}
        << QList<int> {1, 2, 4, 8};
}

void TestCollectionSettings::tabBarPageOrder()
{
    QFETCH(Settings, settings);
    QFETCH(QList<int>, expected);
    writeDatabase(settings);
    QCOMPARE(toInts(CollectionSettings::tabBarPages(Deck)), expected);
}

void TestCollectionSettings::availableTabBarPages_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<Settings>("shared");
    QTest::addColumn<int>("expected");
    const Settings everyPage {
        {"has.product.groups.page", "1"}, {"has.textures.page", "1"}, {"has.trendora.page", "2"}};
    QTest::newRow("textures need the shared settings") << everyPage << Settings {} << 1 + 2 + 4;
    QTest::newRow("shared settings allow textures")
        << everyPage << Settings {{"has.textures.page", "1"}} << 1 + 2 + 4 + 8;
    QTest::newRow("shared settings alone do not")
        << Settings {} << Settings {{"has.textures.page", "1"}} << 1;
    QTest::newRow("zero and text switch pages off")
        << Settings {{"has.product.groups.page", "0"}, {"has.trendora.page", "yes"}} << Settings {}
        << 1;
}

void TestCollectionSettings::availableTabBarPages()
{
    QFETCH(Settings, settings);
    QFETCH(Settings, shared);
    QFETCH(int, expected);
    writeDatabase(settings, shared);
    QCOMPARE(int(CollectionSettings::availableTabBarPages(Deck)), expected);
}

void TestCollectionSettings::schemeList()
{
    writeDatabase({{"schemes", "harmonic", 0},
                   {"schemes", " Wide Contrast ", 1},
                   {"schemes", "pastel", 2},
                   {"schemes", "natural neutral", 3}},
                  {}, {{"schemes", "tonal neutral", 0}, {"schemes", QByteArray("\x05"), 1}});
    QCOMPARE(toInts(CollectionSettings::schemes(Deck)), (QList<int> {1, 3, 0, 9}));
    QVERIFY(CollectionSettings::schemes(OtherDeck).isEmpty());
}

void TestCollectionSettings::sizes_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<Settings>("shared");
    QTest::addColumn<QSize>("trendoraChip");
    QTest::addColumn<QSize>("texture");
    const QSize defaultTexture(5, 6);
    QTest::newRow("both given") << Settings {{"widget.trendora.chip.width", "80"},
                                             {"widget.trendora.chip.height", "60"},
                                             {"texture.size", "200,100"}}
                                << Settings {} << QSize(80, 60) << QSize(200, 100);
    QTest::newRow("height missing, texture from shared")
        << Settings {{"widget.trendora.chip.width", "80"}}
        << Settings {{"texture.size", ",120,,60,"}} << QSize(64, 48) << QSize(120, 60);
    QTest::newRow("collection texture beats shared")
        << Settings {{"texture.size", "30,20"}} << Settings {{"texture.size", "120,60"}}
        << QSize(64, 48) << QSize(30, 20);
    QTest::newRow("not numbers") << Settings {{"widget.trendora.chip.width", "wide"},
                                              {"widget.trendora.chip.height", "60"},
                                              {"texture.size", "a,b"}}
                                 << Settings {} << QSize(64, 48) << defaultTexture;
    QTest::newRow("three parts") << Settings {{"texture.size", "1,2,3"}} << Settings {}
                                 << QSize(64, 48) << defaultTexture;
}

void TestCollectionSettings::sizes()
{
    QFETCH(Settings, settings);
    QFETCH(Settings, shared);
    QFETCH(QSize, trendoraChip);
    QFETCH(QSize, texture);
    writeDatabase(settings, shared);
    QCOMPARE(CollectionSettings::trendoraChipSize(Deck), trendoraChip);
    QCOMPARE(CollectionSettings::textureSize(Deck, QSize(5, 6)), texture);
}

void TestCollectionSettings::deltaIntervals_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<double>>("expected");
    QTest::newRow("negative and empty parts dropped") << "1, -2,,3.5" << QList<double> {1.0, 3.5};
    QTest::newRow("nothing positive") << "0,-1" << QList<double> {0.05};
    QTest::newRow("not numbers") << "small,large" << QList<double> {0.05};
}

void TestCollectionSettings::deltaIntervals()
{
    QFETCH(QString, stored);
    QFETCH(QList<double>, expected);
    writeDatabase({{"cie2000.delta.intervals", stored}});
    QCOMPARE(CollectionSettings::cie2000DeltaIntervals(Deck), expected);
}

void TestCollectionSettings::numbersOutOfRangeFallBack_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QString>("getter");
    QTest::addColumn<QVariant>("expected");
    const QString limits[] = {QString::number(INT_MIN), QString::number(INT_MAX), "0", "12 apples"};
    const QVariant chip = QSize(64, 48);
    const QVariant texture = QSize(5, 6);
    const QVariant interval = QVariant::fromValue(QList<double> {0.05});
    const struct
    {
        const char *getter;
        std::function<Settings(const QString &)> settings;
        QVariant expected[4];
    } families[] = {
        {"numOfSegments",
         [](const QString &v) {
             return Settings {{"num.of.segments", v}};
         },
         {12, 12, 12, 12}},
        {"maxChipsOnAPage",
         [](const QString &v) {
             return Settings {{"max.chips.on.a.page", v}};
         },
         {0, 0, 0, 0}},
        {"firstSegmentAngle",
         [](const QString &v) {
             return Settings {{"first.segment.angle", v}};
         },
         {-128.0, 127.0, 0.0, 0.0}},
        {"trendoraChipSize",
         [](const QString &v) {
             return Settings {{"widget.trendora.chip.width", v},
                              {"widget.trendora.chip.height", v}};
         },
         {chip, chip, chip, chip}},
        {"textureSize",
         [](const QString &v) {
             return Settings {{"texture.size", v + ",96"}};
         },
         {texture, texture, texture, texture}},
        {"cie2000DeltaIntervals",
         [](const QString &v) {
             return Settings {{"cie2000.delta.intervals", v}};
         },
         {interval, interval, interval, interval}},
    };
    for (const auto &family : families) {
        for (int i = 0; i < 4; ++i)
            QTest::addRow("%s %s", family.getter, qPrintable(limits[i]))
                << family.settings(limits[i]) << family.getter << family.expected[i];
    }
    QTest::newRow("texture a billion wide")
        << Settings {{"texture.size", "1000000000,96"}} << "textureSize" << texture;
}

void TestCollectionSettings::numbersOutOfRangeFallBack()
{
    QFETCH(Settings, settings);
    QFETCH(QString, getter);
    QFETCH(QVariant, expected);
    writeDatabase(settings);
    const QHash<QString, std::function<QVariant()>> numbers {
        {"numOfSegments", [] { return CollectionSettings::numOfSegments(Deck); }},
        {"maxChipsOnAPage", [] { return CollectionSettings::maxChipsOnAPage(Deck); }},
        {"firstSegmentAngle", [] { return CollectionSettings::firstSegmentAngle(Deck); }},
        {"trendoraChipSize", [] { return CollectionSettings::trendoraChipSize(Deck); }},
        {"textureSize", [] { return CollectionSettings::textureSize(Deck, QSize(5, 6)); }},
        {"cie2000DeltaIntervals",
         [] { return QVariant::fromValue(CollectionSettings::cie2000DeltaIntervals(Deck)); }},
    };
    QCOMPARE(numbers.value(getter)(), expected);
    // The wheel turns by a stored segment number from anywhere in int's range.
    QVERIFY(std::isfinite(Sorven::WheelLayout::of(Deck).centreAngle(INT_MIN)));
}

void TestCollectionSettings::exteriorPagesPerMood()
{
    writeDatabase({});
    QCOMPARE(CollectionSettings::hasPageWithExteriorMood(Deck, Sorven::MoodWarm), true);
    QCOMPARE(CollectionSettings::hasPageWithExteriorMood(Deck, Sorven::MoodCalm), false);
    QCOMPARE(CollectionSettings::hasPageWithExteriorMood(OtherDeck, Sorven::MoodWarm), false);
}

void TestCollectionSettings::cacheFollowsTheAskedCollection()
{
    writeDatabase({{"max.chips.on.a.page", "5"}}, {}, {{"max.chips.on.a.page", "9"}});
    CollectionSettings::setCurrentCollection(Deck);
    QCOMPARE(CollectionSettings::maxChipsOnAPage(Deck), 5);
    QCOMPARE(CollectionSettings::maxChipsOnAPage(OtherDeck), 9);
    QCOMPARE(CollectionSettings::maxChipsOnAPage(Deck), 5);

    // A cached answer stays while the collection stays; a switch reads the database again.
    changeSetting("max.chips.on.a.page", "7");
    CollectionSettings::setCurrentCollection(Deck);
    QCOMPARE(CollectionSettings::maxChipsOnAPage(Deck), 5);
    CollectionSettings::setCurrentCollection(OtherDeck);
    QCOMPARE(CollectionSettings::maxChipsOnAPage(Deck), 7);
}

void TestCollectionSettings::absentRowsAreAskedAgain()
{
    writeDatabase({});
    QCOMPARE(CollectionSettings::capsureEnabled(Deck), false);
    QCOMPARE(CollectionSettings::trendoraChipSize(Deck), QSize(64, 48));
    changeSetting("capsure.enabled", "1");
    changeSetting("widget.trendora.chip.width", "10");
    changeSetting("widget.trendora.chip.height", "20");
    QCOMPARE(CollectionSettings::capsureEnabled(Deck), true);
    QCOMPARE(CollectionSettings::trendoraChipSize(Deck), QSize(10, 20));
}

QTEST_GUILESS_MAIN(TestCollectionSettings)
#include "tst_collectionsettings.moc"
