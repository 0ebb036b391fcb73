#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/deckcache.h"
#include "db/querysupport.h"
#include "support/fixturedatabase.h"

#include <QTest>

#include <algorithm>
#include <functional>
#include <utility>

using namespace Sorven::DB;

namespace {

const QUuid Deck {QStringLiteral("{2f0c6a1e-4b7d-4c2a-9e8f-1a2b3c4d5e6f}")};
const QUuid OtherDeck {QStringLiteral("{7a8b9c0d-1e2f-4a3b-8c4d-5e6f7a8b9c0d}")};
const QUuid EmptyDeck {QStringLiteral("{c3d4e5f6-a7b8-4c9d-8e0f-112233445566}")};
const QUuid BrokenDeck {QStringLiteral("{99aa88bb-77cc-466d-955e-44ff33aa22bb}")};
const QUuid Unregistered {QStringLiteral("{0d6e4a9f-1c2b-4f3a-8e5d-7a6b5c4d3e2f}")};

struct PageSpec
{
    int pageIndex;
    int segment;
    int mood;
    bool exterior;
    const char *name;
};

// The deck the walks run over: page index, segment, mood, exterior. Moods 5 (offwhite) and 6
// (neutral) are what the all-moods filter leaves out.
const PageSpec DeckPages[] = {
    {1, 1, 1, false, "Dawn"},  {2, 1, 5, true, "Linen"},   {3, 2, 2, true, "Ember"},
    {4, 3, 6, false, "Stone"}, {5, 3, 3, false, "Lagoon"}, {6, 5, 4, true, "Garnet"},
    {7, 5, 6, true, "Slate"},
};

QList<int> pageIndexes(const QList<ColorPage> &pages)
{
    QList<int> indexes;
    for (const ColorPage &page : pages)
        indexes.append(page.pageIndex);
    return indexes;
}

QStringList codes(const QVector<ColorEntry> &entries)
{
    QStringList result;
    for (const ColorEntry &entry : entries)
        result.append(entry.code);
    return result;
}

// Everything a card shows of a page.
QStringList describe(const ColorPage &page)
{
    return QStringList {QString::number(page.pageIndex), QString::number(page.segment),
                        QString::number(page.mood), QString::number(page.exterior)}
    + page.names + codes(page.entries);
}

} // namespace

class TestCollectionQueries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("queries.db"));
        m_deck = fixture.addCollection(Deck, QStringLiteral("DECK"), QStringLiteral("Deck"), 1);
        m_other
            = fixture.addCollection(OtherDeck, QStringLiteral("OTHER"), QStringLiteral("Other"), 2);
        fixture.addCollection(EmptyDeck, QStringLiteral("EMPTY"), QStringLiteral("Empty"), 3);
        for (const PageSpec &spec : DeckPages) {
            m_pageIds[spec.pageIndex]
                = fixture.addPage(m_deck, spec.pageIndex, spec.segment, QLatin1String(spec.name),
                                  spec.mood, spec.exterior);
        }
        // The other collection's pages share page indexes and sit in segment 4, which the
        // deck lacks.
        fixture.addPage(m_other, 1, 4, QStringLiteral("Elsewhere"), 1);
        fixture.addPage(m_other, 8, 4, QStringLiteral("Far away"), 1, true);

        // Page 1's chips are stored out of order.
        for (int rowIndex : {3, 1, 2}) {
            m_rowIds[rowIndex] = fixture.addRow(m_deck, m_pageIds[1], rowIndex,
                                                QStringLiteral("D-%1").arg(rowIndex),
                                                QColor(10 * rowIndex, 20, 30));
        }
        const qint64 rich
            = fixture.addRow(m_deck, m_pageIds[6], 1, QStringLiteral("G-1"), QColor(120, 10, 40));
        fixture.exec(QStringLiteral(R"(UPDATE "ROW" SET MOOD = 4 WHERE ID = ?)"), {rich});
        const qint64 neutral
            = fixture.addRow(m_deck, m_pageIds[4], 1, QStringLiteral("S-1"), QColor(128, 128, 128));
        fixture.exec(QStringLiteral(R"(UPDATE "ROW" SET NEUTRAL = 1 WHERE ID = ?)"), {neutral});
        for (int pageIndex : {3, 5}) {
            for (int rowIndex : {2, 1}) {
                fixture.addRow(m_deck, m_pageIds[pageIndex], rowIndex,
                               QStringLiteral("P%1-%2").arg(pageIndex).arg(rowIndex),
                               QColor(pageIndex, rowIndex, 0));
            }
        }
        addSchemes(fixture, rich, neutral);
        addTrendsProductsAndTextures(fixture);
        writeBrokenCollectionDatabase(QStringLiteral("zz-broken.db"), BrokenDeck);
    }

    void init() { resetDatabaseLayer(); }

    void unusableCollectionsResetEveryOutput_data()
    {
        QTest::addColumn<QUuid>("uuid");
        QTest::addColumn<int>("result");
        QTest::newRow("null collection") << QUuid() << -2;
        QTest::newRow("unregistered collection") << Unregistered << -4;
    }

    void unusableCollectionsResetEveryOutput()
    {
        QFETCH(QUuid, uuid);
        QFETCH(int, result);
        QSharedPointer<Collection> collection;
        QVERIFY(loadCollection(Deck, collection) == 0 && collection);
        QCOMPARE(loadCollection(uuid, collection), result);
        QVERIFY(!collection);

        ColorEntry entry;
        QCOMPARE(loadEntryById(Deck, m_rowIds[1], entry), 0);
        QCOMPARE(loadEntryById(uuid, m_rowIds[1], entry), result);
        QCOMPARE(entry.id, -1);
        QCOMPARE(loadEntryById(Deck, m_rowIds[1], entry), 0);
        QCOMPARE(loadEntryAt(uuid, 1, 1, entry), result);
        QCOMPARE(entry.id, -1);

        int number = 0;
        QCOMPARE(findSegment(uuid, 3, 7, false, number), result);
        QCOMPARE(number, 3);
        QCOMPARE(findFirstPageIndex(uuid, 3, 7, false, number), result);
        QCOMPARE(number, -1);

        QVector<int> segments {1};
        QCOMPARE(loadSegments(uuid, segments), result);
        QVERIFY(segments.isEmpty());
        QList<ColorPage> pages {ColorPage()};
        QCOMPARE(loadSchemePages(uuid, 1, 1, pages), result);
        QVERIFY(pages.isEmpty());
        QVector<ColorEntry> entries {ColorEntry()};
        QCOMPARE(loadSchemeEntries(uuid, 1, 1, 1, entries), result);
        QVERIFY(entries.isEmpty());
        entries = {ColorEntry()};
        QCOMPARE(loadSchemePageEntries(uuid, 1, 1, 1, entries), result);
        QVERIFY(entries.isEmpty());
        entries = {ColorEntry()};
        QCOMPARE(loadContrastSchemeEntries(uuid, 1, 1, entries), result);
        QVERIFY(entries.isEmpty());

        QHash<qint64, TrendoraGroup> groups;
        QVERIFY(loadTrendGroups(Deck, groups) == 0 && !groups.isEmpty());
        QCOMPARE(loadTrendGroups(uuid, groups), result);
        QVERIFY(groups.isEmpty());
        QStringList texts {QStringLiteral("left over")};
        QCOMPARE(loadProductNames(uuid, m_rowIds[1], texts), result);
        QVERIFY(texts.isEmpty());
        texts = {QStringLiteral("left over")};
        QCOMPARE(loadProductCodes(uuid, m_rowIds[1], texts), result);
        QVERIFY(texts.isEmpty());
        texts = {QStringLiteral("left over")};
        QCOMPARE(loadProductGroupNames(uuid, m_rowIds[1], texts), result);
        QVERIFY(texts.isEmpty());
        QHash<qint64, Texture> textures;
        QVERIFY(loadTextures(Deck, textures) == 0 && !textures.isEmpty());
        QCOMPARE(loadTextures(uuid, textures), result);
        QVERIFY(textures.isEmpty());
        QVector<TextureMapEntry> map {TextureMapEntry()};
        QCOMPARE(loadTextureMap(uuid, m_pageIds[1], map), result);
        QVERIFY(map.isEmpty());

        // The filters are offered rather than hidden when nothing can be asked.
        QVERIFY(hasExteriorPagesWithMood(uuid, 3));
        QVERIFY(hasComplementaryNeutralScheme(uuid, 3));
    }

    void pageOperationsKeepThePageOnFailure()
    {
        ColorPage page;
        QCOMPARE(loadPage(Deck, 3, page), 0);
        for (const auto &failing : std::initializer_list<std::function<int(ColorPage &)>> {
                 [](ColorPage &out) { return loadPage(Deck, 99, out); },
                 [](ColorPage &out) { return loadPage(QUuid(), 1, out); },
                 [](ColorPage &out) { return loadPageById(Unregistered, 1, false, out); },
                 [](ColorPage &out) { return loadFirstPageInSegment(Deck, 1, 9, false, out); },
                 [](ColorPage &out) { return loadAdjacentPage(Deck, 1, false, 9, false, out); },
             }) {
            QVERIFY(failing(page) < 0);
            QCOMPARE(page.pageIndex, 3);
            QCOMPARE(page.entries.size(), 2);
        }
    }

    void loadCollectionReadsTheRow()
    {
        QSharedPointer<Collection> collection;
        QCOMPARE(loadCollection(OtherDeck, collection), 0);
        QCOMPARE(collection->name, QStringLiteral("Other"));
        QCOMPARE(collection->uuid, OtherDeck);
        QCOMPARE(collection->id, m_other);
    }

    void loadEntryFindsChips()
    {
        ColorEntry entry;
        QCOMPARE(loadEntryById(Deck, m_rowIds[2], entry), 0);
        QCOMPARE(entry.code, QStringLiteral("D-2"));
        QCOMPARE(entry.collectionId, m_deck);
        QCOMPARE(entry.pageId, m_pageIds[1]);
        QCOMPARE(loadEntryById(Deck, 999999, entry), -1);
        QCOMPARE(entry.id, -1);

        QCOMPARE(loadEntryAt(Deck, 1, 3, entry), 0);
        QCOMPARE(entry.id, m_rowIds[3]);
        QCOMPARE(entry.segment, 1);
        QCOMPARE(loadEntryAt(Deck, 1, 4, entry), -1);
        // Page 1 of the other collection has no chips.
        QCOMPARE(loadEntryAt(OtherDeck, 1, 1, entry), -1);
    }

    void pagesComeWithChipsInRowIndexOrder()
    {
        ColorPage page;
        QCOMPARE(loadPage(Deck, 1, page), 0);
        QCOMPARE(page.id, m_pageIds[1]);
        QCOMPARE(page.name(0), QStringLiteral("Dawn"));
        QCOMPARE(
            codes(page.entries),
            QStringList({QStringLiteral("D-1"), QStringLiteral("D-2"), QStringLiteral("D-3")}));
        QCOMPARE(page.entries.first().collectionId, m_deck);

        QCOMPARE(loadPage(OtherDeck, 1, page), 0);
        QCOMPARE(page.name(0), QStringLiteral("Elsewhere"));
        QVERIFY(page.entries.isEmpty());

        QCOMPARE(loadPageById(Deck, m_pageIds[1], false, page), 0);
        QCOMPARE(page.entries.size(), 3);
        QCOMPARE(page.entries.at(0).rowIndex, 1);
        QCOMPARE(page.entries.at(2).rowIndex, 3);
        QCOMPARE(loadPageById(Deck, m_pageIds[1], true, page), 0);
        QCOMPARE(page.pageIndex, 1);
        QVERIFY(page.entries.isEmpty());
        QCOMPARE(loadPageById(OtherDeck, m_pageIds[1], true, page), -1);
    }

    void adjacentPageWalk_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<int>("mood");
        QTest::addColumn<bool>("exterior");
        QTest::addColumn<int>("expected");
        QTest::newRow("forward from first, all moods") << 1 << false << 7 << false << 3;
        QTest::newRow("backward from first wraps to last") << 1 << true << 7 << false << 6;
        QTest::newRow("forward from last wraps to first") << 6 << false << 7 << false << 1;
        QTest::newRow("backward from last") << 6 << true << 7 << false << 5;
        QTest::newRow("forward past the deck's end") << 7 << false << 7 << false << 1;
        QTest::newRow("all moods exterior takes offwhite") << 1 << false << 7 << true << 2;
        QTest::newRow("all moods exterior takes neutral") << 6 << false << 7 << true << 7;
        QTest::newRow("all moods exterior wraps forward") << 7 << false << 7 << true << 2;
        QTest::newRow("all moods exterior wraps backward") << 2 << true << 7 << true << 7;
        QTest::newRow("one mood") << 1 << false << 3 << false << 5;
        QTest::newRow("one mood backward wraps") << 1 << true << 3 << false << 5;
        QTest::newRow("mood and exterior") << 1 << false << 2 << true << 3;
        QTest::newRow("only the current page passes") << 6 << false << 4 << true << -6;
        QTest::newRow("no page passes") << 1 << false << 9 << false << -6;
    }

    void adjacentPageWalk()
    {
        QFETCH(int, from);
        QFETCH(bool, backwards);
        QFETCH(int, mood);
        QFETCH(bool, exterior);
        QFETCH(int, expected);
        ColorPage page;
        const int result = loadAdjacentPage(Deck, from, backwards, mood, exterior, page);
        QCOMPARE(result < 0 ? result : page.pageIndex, expected);
    }

    void adjacentPageComesWithSortedChips()
    {
        ColorPage page;
        QCOMPARE(loadAdjacentPage(Deck, 1, false, 7, false, page), 0);
        QCOMPARE(codes(page.entries),
                 QStringList({QStringLiteral("P3-1"), QStringLiteral("P3-2")}));
        QCOMPARE(page.entries.first().collectionId, m_deck);
    }

    // The remembered pages agree with fresh reads through rolls both ways, filter changes and
    // a change of collection; a failed read leaves the caller's pages as they were.
    void deckCacheAgreesWithFreshReads()
    {
        struct Step
        {
            QUuid uuid;
            int pageIndex;
            int mood;
            bool exterior;
        };
        const Step steps[] = {{Deck, 1, 7, false},      {Deck, 3, 7, false}, {Deck, 5, 7, false},
                              {Deck, 3, 7, false},      {Deck, 3, 7, true},  {Deck, 2, 7, true},
                              {OtherDeck, 1, 7, false}, {Deck, 1, 3, false}};
        DeckCache deck;
        std::array<ColorPage, 3> pages;
        for (const Step &step : steps) {
            QCOMPARE(deck.load(step.uuid, step.pageIndex, step.mood, step.exterior, pages), 0);
            std::array<ColorPage, 3> fresh;
            QCOMPARE(loadPage(step.uuid, step.pageIndex, fresh[DeckCache::Current]), 0);
            for (const bool backwards : {true, false}) {
                QCOMPARE(loadAdjacentPage(step.uuid, step.pageIndex, backwards, step.mood,
                                          step.exterior,
                                          fresh[backwards ? DeckCache::Previous : DeckCache::Next]),
                         0);
            }
            for (int card = 0; card < 3; ++card)
                QCOMPARE(describe(pages[card]), describe(fresh[card]));
        }
        QCOMPARE(deck.load(Deck, 6, 4, true, pages), -6);
        QCOMPARE(pages[DeckCache::Current].pageIndex, 1);
    }

    // Values go to their numbered placeholders whatever their order and repetition in the
    // text, and the same statement run while its first run is still being read gets its own.
    void preparedStatementsBindByNumber()
    {
        QCOMPARE(connectCollection(Deck), 0);
        const QString sql = QStringLiteral("SELECT %2 - %1, %2 + %2");
        QVariantList inner;
        const QSqlError error = readPrepared(Deck, sql, {1, 10}, [&](QSqlQuery &outer) {
            QVERIFY(outer.next());
            readPrepared(Deck, sql, {2, 5}, [&](QSqlQuery &query) {
                QVERIFY(query.next());
                inner = {query.value(0), query.value(1)};
            });
            QCOMPARE(outer.value(0).toInt(), 9);
            QCOMPARE(outer.value(1).toInt(), 20);
        });
        QVERIFY(!error.isValid());
        QCOMPARE(inner, QVariantList({3, 10}));
    }

    void segmentWalk_data()
    {
        QTest::addColumn<int>("segment");
        QTest::addColumn<int>("mood");
        QTest::addColumn<bool>("exterior");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("foundSegment");
        QTest::addColumn<int>("firstPageIndex");
        QTest::newRow("wanted segment") << 1 << 7 << false << 0 << 1 << 1;
        QTest::newRow("neutral page skipped") << 3 << 7 << false << 0 << 3 << 5;
        QTest::newRow("next higher segment") << 4 << 7 << false << 0 << 5 << 6;
        QTest::newRow("wraps to the lowest") << 6 << 7 << false << 0 << 1 << 1;
        QTest::newRow("exterior skips offwhite") << 1 << 7 << true << 0 << 2 << 3;
        QTest::newRow("exterior skips neutral") << 5 << 7 << true << 0 << 5 << 6;
        QTest::newRow("exterior wraps") << 6 << 7 << true << 0 << 2 << 3;
        QTest::newRow("offwhite mood itself") << 1 << 5 << false << 0 << 1 << 2;
        QTest::newRow("one mood wraps") << 2 << 1 << false << 0 << 1 << 1;
        QTest::newRow("no matching page") << 3 << 9 << false << -6 << 3 << -1;
        QTest::newRow("no exterior page of the mood") << 1 << 3 << true << -6 << 1 << -1;
    }

    void segmentWalk()
    {
        QFETCH(int, segment);
        QFETCH(int, mood);
        QFETCH(bool, exterior);
        QFETCH(int, result);
        QFETCH(int, foundSegment);
        QFETCH(int, firstPageIndex);
        int found = 0;
        QCOMPARE(findSegment(Deck, segment, mood, exterior, found), result);
        QCOMPARE(found, foundSegment);
        int pageIndex = 0;
        QCOMPARE(findFirstPageIndex(Deck, segment, mood, exterior, pageIndex), result);
        QCOMPARE(pageIndex, firstPageIndex);
        ColorPage page;
        QCOMPARE(loadFirstPageInSegment(Deck, segment, mood, exterior, page), result);
        QCOMPARE(result < 0 ? -1 : page.pageIndex, firstPageIndex);
    }

    void firstPageInSegmentTakesTheChipsOwnCollection()
    {
        ColorPage page;
        QCOMPARE(loadFirstPageInSegment(Deck, 1, 1, false, page), 0);
        QCOMPARE(
            codes(page.entries),
            QStringList({QStringLiteral("D-1"), QStringLiteral("D-2"), QStringLiteral("D-3")}));
        QCOMPARE(page.entries.first().collectionId, m_deck);
    }

    void segmentsAndExteriorMoods()
    {
        QVector<int> segments;
        QCOMPARE(loadSegments(Deck, segments), 0);
        QCOMPARE(segments, QVector<int>({1, 2, 3, 5}));
        QCOMPARE(loadSegments(EmptyDeck, segments), -1);
        QVERIFY(segments.isEmpty());

        QVERIFY(hasExteriorPagesWithMood(Deck, 4));
        QVERIFY(hasExteriorPagesWithMood(Deck, 6));
        QVERIFY(!hasExteriorPagesWithMood(Deck, 3));
        QVERIFY(!hasExteriorPagesWithMood(EmptyDeck, 4));
    }

    void schemePages()
    {
        QVERIFY(hasComplementaryNeutralScheme(Deck, 1));
        QVERIFY(!hasComplementaryNeutralScheme(Deck, 3));
        QList<ColorPage> pages;
        QCOMPARE(loadSchemePages(Deck, 1, 1, pages), 0);
        // In database order: the scheme's own order is not asked for.
        QList<int> indexes = pageIndexes(pages);
        std::sort(indexes.begin(), indexes.end());
        QCOMPARE(indexes, QList<int>({3, 5}));
        QCOMPARE(pages.first().entries.size(), 2);
        QCOMPARE(loadSchemePages(Deck, 3, 1, pages), 0);
        QVERIFY(pages.isEmpty());
    }

    void schemeEntryGates_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<int>("pageIndex");
        QTest::addColumn<int>("rowPosition");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("expected");
        const QStringList ordered {QStringLiteral("P3-1"), QStringLiteral("P3-2"),
                                   QStringLiteral("P5-2")};
        QTest::newRow("harmonic in page then row order") << 1 << 1 << 1 << 0 << ordered;
        QTest::newRow("position 0") << 1 << 1 << 0 << -10 << QStringList();
        QTest::newRow("position past the chips") << 1 << 1 << 4 << -10 << QStringList();
        QTest::newRow("missing page") << 1 << 99 << 1 << -1 << QStringList();
        QTest::newRow("complementary neutral, chip not rich") << 8 << 1 << 1 << 0 << QStringList();
        QTest::newRow("complementary neutral, rich chip")
            << 8 << 6 << 1 << 0 << QStringList({QStringLiteral("P5-1")});
        QTest::newRow("dramatic, chip neither neutral nor white")
            << 5 << 1 << 1 << 0 << QStringList();
        QTest::newRow("dramatic, neutral chip")
            << 5 << 4 << 1 << 0 << QStringList({QStringLiteral("D-3")});
    }

    void schemeEntryGates()
    {
        QFETCH(int, scheme);
        QFETCH(int, pageIndex);
        QFETCH(int, rowPosition);
        QFETCH(int, result);
        QFETCH(QStringList, expected);
        QVector<ColorEntry> entries;
        QCOMPARE(loadSchemeEntries(Deck, scheme, pageIndex, rowPosition, entries), result);
        QCOMPARE(codes(entries), expected);
    }

    void schemeEntriesCarryTheSchemeRowOrder()
    {
        QVector<ColorEntry> entries;
        QCOMPARE(loadSchemeEntries(Deck, 1, 1, 1, entries), 0);
        QCOMPARE(entries.at(0).rowIndex, 1);
        QCOMPARE(entries.at(2).rowIndex, 7);
        QCOMPARE(entries.at(0).collectionId, m_deck);
    }

    void schemePageEntries()
    {
        QVector<ColorEntry> entries;
        QCOMPARE(loadSchemePageEntries(Deck, 1, 1, 1, entries), 0);
        QCOMPARE(codes(entries),
                 QStringList({QStringLiteral("P5-1"), QStringLiteral("P5-2"),
                              QStringLiteral("P3-1"), QStringLiteral("P3-2")}));
        QCOMPARE(entries.first().pageOrder, 0);
        QCOMPARE(entries.last().pageOrder, 1);
        QCOMPARE(loadSchemePageEntries(Deck, 5, 1, 1, entries), 0);
        QVERIFY(entries.isEmpty());
        // Only the dramatic gate applies here.
        QCOMPARE(loadSchemePageEntries(Deck, 8, 1, 1, entries), 0);
        QCOMPARE(entries.size(), 2);
        QCOMPARE(loadSchemePageEntries(Deck, 1, 1, 9, entries), -10);
    }

    void contrastSchemeOrder()
    {
        QVector<ColorEntry> entries;
        QCOMPARE(loadContrastSchemeEntries(Deck, 1, 2, entries), 0);
        QCOMPARE(codes(entries),
                 QStringList({QStringLiteral("P5-1"), QStringLiteral("P3-1"),
                              QStringLiteral("P5-2"), QStringLiteral("P3-2")}));
        QCOMPARE(loadContrastSchemeEntries(Deck, 1, 0, entries), -10);
    }

    void trendGroupsIncludeTheSharedOnes()
    {
        QHash<qint64, TrendoraGroup> groups;
        QCOMPARE(loadTrendGroups(Deck, groups), 0);
        QCOMPARE(groups.size(), 2);
        QStringList names;
        for (const TrendoraGroup &group : std::as_const(groups))
            names.append(group.name);
        names.sort();
        QCOMPARE(names, QStringList({QStringLiteral("Deck trends"), QStringLiteral("Shared")}));
        const auto deckGroup = groups.constFind(m_trendGroup);
        QVERIFY(deckGroup != groups.cend());
        QCOMPARE(deckGroup->defaultOpen, true);
        QCOMPARE(deckGroup->entries.size(), 3);
        QCOMPARE(deckGroup->entries.at(0).name1, QStringLiteral("First"));
        QCOMPARE(deckGroup->entries.at(0).rowId, 0);
        QCOMPARE(deckGroup->entries.at(2).name1, QStringLiteral("Third"));
        QCOMPARE(loadTrendGroups(OtherDeck, groups), 0);
        QCOMPARE(groups.size(), 2);
        QVERIFY(!groups.contains(m_trendGroup));
    }

    void productNamesJoinTheCode()
    {
        QStringList names;
        QCOMPARE(loadProductNames(Deck, m_rowIds[1], names), 0);
        names.sort();
        QCOMPARE(names,
                 QStringList({QStringLiteral("Matt"), QStringLiteral("Satin"),
                              QStringLiteral("Silk: S-9")}));
        // The other collection has its own separator; products are found by chip only.
        QCOMPARE(loadProductNames(OtherDeck, m_rowIds[1], names), 0);
        QVERIFY(names.contains(QStringLiteral("Silk / S-9")));

        QStringList codesOfChip;
        QCOMPARE(loadProductCodes(Deck, m_rowIds[1], codesOfChip), 0);
        QCOMPARE(codesOfChip, QStringList({QStringLiteral("S-9")}));
        QCOMPARE(loadProductCodes(Deck, m_rowIds[2], codesOfChip), 0);
        QVERIFY(codesOfChip.isEmpty());

        QCOMPARE(loadProductGroupNames(Deck, m_rowIds[1], names), 0);
        QCOMPARE(names, QStringList({QStringLiteral("Interior")}));
    }

    void texturesOfTheCollectionAndShared()
    {
        QHash<qint64, Texture> textures;
        QCOMPARE(loadTextures(Deck, textures), 0);
        QCOMPARE(textures.size(), 2);
        for (const Texture &texture : std::as_const(textures)) {
            QCOMPARE(texture.image.size(), QSize(4, 2));
            QVERIFY(texture.collectionId == 0 || texture.collectionId == m_deck);
        }
        QVector<TextureMapEntry> map;
        QCOMPARE(loadTextureMap(Deck, m_pageIds[1], map), 0);
        QCOMPARE(map.size(), 1);
        QCOMPARE(map.first().alpha, 0.5);
        QCOMPARE(map.first().name, QStringLiteral("Grain"));
        QCOMPARE(loadTextureMap(Deck, m_pageIds[2], map), 0);
        QVERIFY(map.isEmpty());
    }

    void failingStatementsReportFailure()
    {
        QSharedPointer<Collection> collection;
        QCOMPARE(loadCollection(BrokenDeck, collection), 0);
        ColorEntry entry;
        QCOMPARE(loadEntryById(BrokenDeck, 1, entry), -1);
        QCOMPARE(loadEntryAt(BrokenDeck, 1, 1, entry), -1);
        ColorPage page;
        QCOMPARE(loadPage(BrokenDeck, 1, page), -1);
        QCOMPARE(loadPageById(BrokenDeck, 1, false, page), -1);
        int number = 0;
        QCOMPARE(findSegment(BrokenDeck, 1, 7, false, number), -6);
        QCOMPARE(loadAdjacentPage(BrokenDeck, 1, false, 7, false, page), -6);
        QVector<int> segments;
        QCOMPARE(loadSegments(BrokenDeck, segments), -1);
        QVERIFY(!hasExteriorPagesWithMood(BrokenDeck, 1));
        QVERIFY(!hasComplementaryNeutralScheme(BrokenDeck, 1));
        QList<ColorPage> pages;
        QCOMPARE(loadSchemePages(BrokenDeck, 1, 1, pages), -1);
        QHash<qint64, TrendoraGroup> groups;
        QCOMPARE(loadTrendGroups(BrokenDeck, groups), -1);
        QStringList texts;
        QCOMPARE(loadProductNames(BrokenDeck, 1, texts), -1);
        QCOMPARE(loadProductGroupNames(BrokenDeck, 1, texts), -1);
        QHash<qint64, Texture> textures;
        QCOMPARE(loadTextures(BrokenDeck, textures), -1);
        QVector<TextureMapEntry> map;
        QCOMPARE(loadTextureMap(BrokenDeck, 1, map), -1);
    }

    void trendGroupWithUnreadableColoursFails()
    {
        // Groups readable, colours not: no half-filled result.
        FixtureDatabase fixture(QStringLiteral("zz-trends.db"), false);
        fixture.exec(QStringLiteral("CREATE TABLE COLLECTION (ID integer, UUID text, SYSTEMID "
                                    "text, NAME text, \"ORDER\" integer)"));
        fixture.exec(QStringLiteral("CREATE TABLE SETTING (COLLECTION_ID integer, NAME text, "
                                    "VALUE text, VALUE_INDEX integer)"));
        fixture.exec(QStringLiteral("CREATE TABLE FUTURES_GROUP (ID integer, COLLECTION_ID "
                                    "integer, NAME text)"));
        const QUuid uuid(QStringLiteral("{12121212-3434-4565-8787-909090909090}"));
        fixture.exec(QStringLiteral("INSERT INTO COLLECTION VALUES (5, ?, 'T', 'T', 9)"),
                     {uuid.toString()});
        fixture.exec(QStringLiteral("INSERT INTO SETTING VALUES (5, 'collection.enabled', 1, 0)"));
        fixture.exec(QStringLiteral("INSERT INTO FUTURES_GROUP VALUES (1, 5, 'Spring')"));
        fixture.close();
        QHash<qint64, TrendoraGroup> groups;
        QCOMPARE(loadTrendGroups(uuid, groups), -1);
        QVERIFY(groups.isEmpty());
    }

private:
    void addSchemes(FixtureDatabase &fixture, qint64 rich, qint64 neutral)
    {
        const auto pageId = [this](int pageIndex) { return m_pageIds[pageIndex]; };
        const QString pageScheme = QStringLiteral(
            R"(INSERT INTO PAGE_SCHEME(COLLECTION_ID, PAGE_ID, SCHEME_PAGE_ID, SCHEME_ID, "ORDER") VALUES(?,?,?,?,?))");
        fixture.exec(pageScheme, {m_deck, pageId(1), pageId(5), 1, 0});
        fixture.exec(pageScheme, {m_deck, pageId(1), pageId(3), 1, 1});
        fixture.exec(pageScheme, {m_deck, pageId(1), pageId(6), 8, 0});

        const QString rowScheme = QStringLiteral(
            "INSERT INTO ROW_SCHEME_MAP(COLLECTION_ID, ROW_ID, SCHEME_ID, SCHEME_ROW_ID, "
            "PAGE_ORDER, ROW_ORDER) VALUES(?,?,?,(SELECT ID FROM \"ROW\" WHERE CODE = ?),?,?)");
        // Stored out of order: the statement orders by page order, then row order.
        fixture.exec(rowScheme, {m_deck, m_rowIds[1], 1, QStringLiteral("P5-2"), 1, 7});
        fixture.exec(rowScheme, {m_deck, m_rowIds[1], 1, QStringLiteral("P3-2"), 0, 2});
        fixture.exec(rowScheme, {m_deck, m_rowIds[1], 1, QStringLiteral("P3-1"), 0, 1});
        fixture.exec(rowScheme, {m_deck, m_rowIds[1], 8, QStringLiteral("P5-1"), 0, 1});
        fixture.exec(rowScheme, {m_deck, m_rowIds[1], 5, QStringLiteral("P5-1"), 0, 1});
        fixture.exec(rowScheme, {m_deck, rich, 8, QStringLiteral("P5-1"), 0, 1});
        fixture.exec(rowScheme, {m_deck, neutral, 5, QStringLiteral("D-3"), 0, 1});
        // Contrast: wide contrast page 0 first, then contrast page 0, then wide contrast page 1.
        fixture.exec(rowScheme, {m_deck, m_rowIds[2], 2, QStringLiteral("P3-2"), 3, 1});
        fixture.exec(rowScheme, {m_deck, m_rowIds[2], 3, QStringLiteral("P5-2"), 1, 1});
        fixture.exec(rowScheme, {m_deck, m_rowIds[2], 2, QStringLiteral("P3-1"), 0, 1});
        fixture.exec(rowScheme, {m_deck, m_rowIds[2], 3, QStringLiteral("P5-1"), 0, 1});
        fixture.exec(rowScheme, {m_deck, m_rowIds[2], 1, QStringLiteral("D-1"), 0, 1});

        const QString rowToPage = QStringLiteral(
            R"(INSERT INTO ROW_TO_PAGE_SCHEME(COLLECTION_ID, ROW_ID, SCHEME_ID, SCHEME_PAGE_ID, "ORDER") VALUES(?,?,?,?,?))");
        fixture.exec(rowToPage, {m_deck, m_rowIds[1], 1, pageId(3), 1});
        fixture.exec(rowToPage, {m_deck, m_rowIds[1], 1, pageId(5), 0});
        fixture.exec(rowToPage, {m_deck, m_rowIds[1], 8, pageId(5), 0});
        fixture.exec(rowToPage, {m_deck, m_rowIds[1], 5, pageId(5), 0});
    }

    void addTrendsProductsAndTextures(FixtureDatabase &fixture)
    {
        const QString group = QStringLiteral(
            R"(INSERT INTO FUTURES_GROUP(COLLECTION_ID, NAME, DEFAULT_OPEN, "ORDER") VALUES(?,?,?,?))");
        m_trendGroup = fixture.insert(group, {m_deck, QStringLiteral("Deck trends"), 1, 1});
        fixture.insert(group, {0, QStringLiteral("Shared"), 0, 2});
        fixture.insert(group, {m_other, QStringLiteral("Other trends"), 0, 3});
        const QString entry = QStringLiteral(
            R"(INSERT INTO FUTURES_ENTRY(COLLECTION_ID, FUTURES_GROUP_ID, ROW_ID, NAME_1, "ORDER") VALUES(?,?,?,?,?))");
        fixture.exec(entry, {m_deck, m_trendGroup, m_rowIds[1], QStringLiteral("Third"), 3});
        fixture.exec(entry, {m_deck, m_trendGroup, QVariant(), QStringLiteral("First"), 1});
        fixture.exec(entry, {m_deck, m_trendGroup, m_rowIds[2], QStringLiteral("Second"), 2});

        const QString product
            = QStringLiteral("INSERT INTO PRODUCT(NAME, PRODUCT_CODE) VALUES(?, ?)");
        const QString rowProduct = QStringLiteral(
            "INSERT INTO ROW_PRODUCT_MAP(COLLECTION_ID, ROW_ID, PRODUCT_ID) VALUES(?,?,?)");
        const QList<std::pair<QString, QVariant>> products = {
            {QStringLiteral("Silk"), QStringLiteral("S-9")},
            {QStringLiteral("Matt"), QVariant()},
            {QStringLiteral("Satin"), QStringLiteral("")},
        };
        for (const auto &[name, code] : products)
            fixture.exec(rowProduct, {m_deck, m_rowIds[1], fixture.insert(product, {name, code})});
        fixture.addSetting(m_other,
                           QStringLiteral("product.group.productname.productcode.separator:string"),
                           QStringLiteral(" / "));
        const qint64 interior
            = fixture.insert(QStringLiteral("INSERT INTO PRODUCT_GROUP(NAME) VALUES('Interior')"));
        fixture.exec(QStringLiteral("INSERT INTO ROW_PRODUCT_GROUP_MAP(COLLECTION_ID, ROW_ID, "
                                    "PRODUCT_GROUP_ID) VALUES(?,?,?)"),
                     {m_deck, m_rowIds[1], interior});

        const QString texture = QStringLiteral(
            "INSERT INTO TEXTURE(COLLECTION_ID, NAME, IMAGE, BASE_ALPHA) VALUES(?,?,?,?)");
        const qint64 grain = fixture.insert(
            texture, {m_deck, QStringLiteral("Grain"), pngBytes(QSize(4, 2), Qt::blue), 0.0});
        fixture.insert(texture,
                       {0, QStringLiteral("Shared"), pngBytes(QSize(4, 2), Qt::blue), 1.0});
        fixture.insert(texture,
                       {m_other, QStringLiteral("Other"), pngBytes(QSize(4, 2), Qt::blue), 1.0});
        fixture.exec(QStringLiteral("INSERT INTO TEXTURE_MAP(TEXTURE_ID, PAGE_ID, ALPHA, NAME) "
                                    "VALUES(?,?,0.5,'Grain')"),
                     {grain, m_pageIds[1]});
    }

    qint64 m_deck = -1;
    qint64 m_other = -1;
    qint64 m_trendGroup = -1;
    QHash<int, qint64> m_pageIds;
    QHash<int, qint64> m_rowIds;
};

QTEST_GUILESS_MAIN(TestCollectionQueries)
#include "tst_collectionqueries.moc"
