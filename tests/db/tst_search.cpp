#include "db/connections.h"
#include "db/phraseindex.h"
#include "db/search.h"
#include "support/fixturedatabase.h"

#include <QSqlQuery>
#include <QTest>

#include <algorithm>
#include <tuple>

using namespace Sorven::DB;

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
const QUuid Quay {QStringLiteral("{a1b2c3d4-e5f6-4a7b-8c9d-0e1f2a3b4c5d}")};
const QUuid Pier {QStringLiteral("{0f1e2d3c-4b5a-4968-8776-655443322110}")};
const QUuid Bare {QStringLiteral("{13579bdf-2468-4ace-9bdf-0123456789ab}")};
const QUuid Broken {QStringLiteral("{99aa88bb-77cc-466d-955e-44ff33aa22bb}")};

QStringList columnNames(const QVector<int> &columns)
{
    QStringList names;
    for (int column : columns)
        names.append(QString::number(column));
    return names;
}

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    // Texts match ignoring ASCII case only, the first one added leads, and the completion holds
    // each text once as first met, in QString's case-insensitive order with ties by case.
    void phraseIndexAndItsCompletion()
    {
        PhraseIndex index;
        QStringList texts;
        for (const char *text :
             {"_x", "Coral", "CORAL", "Äpfel", "äpfel", "z_", "[", "ß", "10", "1", "  ", "Ab"})
            texts.append(QString::fromUtf8(text));
        for (int n = 0; n < texts.size(); ++n)
            index.add(texts.at(n), {n, n, 1, 0, false});
        QCOMPARE(index.find(QStringLiteral("coRAL"))->pageIndex, 1);
        QCOMPARE(index.find(QString::fromUtf8("äPFEL"))->pageIndex, 4);
        QVERIFY(!index.find(QStringLiteral("Cora")));

        QStringList expected = texts;
        expected.removeAll(QStringLiteral("CORAL"));
        expected.removeAll(QStringLiteral("  "));
        std::sort(expected.begin(), expected.end(), [](const QString &l, const QString &r) {
            const int order = l.compare(r, Qt::CaseInsensitive);
            return order != 0 ? order < 0 : l < r;
        });
        QCOMPARE(index.completion(), expected);
    }

    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("search.db"));
        m_harbour = fixture.addCollection(Harbour, QStringLiteral("HARBOUR"),
                                          QStringLiteral("Harbour"), 1);
        m_quay = fixture.addCollection(Quay, QStringLiteral("QUAY"), QStringLiteral("Quay"), 2);
        // Enabled with a value other than 1: not offered, but searched by colour and code.
        m_pier = fixture.addCollection(Pier, QStringLiteral("PIER"), QStringLiteral("Pier"), 3, 2);
        const qint64 disabled = fixture.addCollection(QUuid::createUuid(), QStringLiteral("OFF"),
                                                      QStringLiteral("Off"), 4, 0);
        fixture.addCollection(Bare, QStringLiteral("BARE"), QStringLiteral("Bare"), 5);

        addOrder(fixture, QStringLiteral("page.name.search.order"), {QStringLiteral("0")});
        // Stored out of index order; 12 names no column.
        fixture.addSetting(m_harbour, QStringLiteral("row.name.search.order"), 12, 2);
        fixture.addSetting(m_harbour, QStringLiteral("row.name.search.order"), 1, 0);
        fixture.addSetting(m_harbour, QStringLiteral("row.name.search.order"), 0, 1);
        addOrder(fixture, QStringLiteral("row.name.display.order"),
                 {QStringLiteral("-1"), QStringLiteral("4294967296"), QStringLiteral("2"),
                  QStringLiteral("text"), QStringLiteral("10")});
        addOrder(fixture, QStringLiteral("Page.Name.Display.Order"), {QStringLiteral("3")});

        for (const auto &[collection, priority] :
             {std::pair {m_harbour, 2}, std::pair {m_quay, 1}, std::pair {m_pier, 0}}) {
            fixture.addSetting(collection, QStringLiteral("capsure.priority"), priority);
            fixture.addSetting(collection, QStringLiteral("capsure.enabled"),
                               collection == m_pier ? 2 : 1);
        }

        const qint64 coral = fixture.addPage(m_harbour, 1, 2, QStringLiteral("Coral"), 1, true);
        const qint64 dock = fixture.addPage(m_harbour, 2, 3, QStringLiteral("Dock"), 2);
        addChip(fixture, coral, 1, QStringLiteral("S 1020-Y"), {"Pale straw", "Straw"});
        addChip(fixture, dock, 1, QStringLiteral("CORAL"), {});
        m_apostrophe = addChip(fixture, dock, 2, QStringLiteral("it's"),
                               {nullptr, "'; DROP TABLE \"ROW\"; --"});
        addChip(fixture, dock, 3, QStringLiteral("%1"), {nullptr, nullptr, "Hidden"});
        addChip(fixture, dock, 4, QStringLiteral("B-4"), {nullptr, "Crème brûlée"});
        addChip(fixture, dock, 5, QStringLiteral("B-5"), {"   ", ""});
        addChip(fixture, dock, 6, QStringLiteral("B-6"), {"\t", "Harbour mist"});
        m_harbourMist = m_lastChip;

        const qint64 quayPage = fixture.addPage(m_quay, 1, 1, QStringLiteral("Quayside"));
        addChip(fixture, quayPage, 1, QStringLiteral("Q-1"), {nullptr, "HARBOUR MIST"},
                QColor(1, 2, 3));
        m_quayMist = m_lastChip;
        const qint64 pierPage = fixture.addPage(m_pier, 1, 1, QStringLiteral("Pierhead"));
        addChip(fixture, pierPage, 1, QStringLiteral("P-1"), {nullptr, "Harbour mist"},
                QColor(4, 5, 6));
        m_pierChip = m_lastChip;
        const qint64 offPage = fixture.addPage(disabled, 1, 1, QStringLiteral("Offside"));
        addChip(fixture, offPage, 1, QStringLiteral("O-1"), {}, QColor(7, 8, 9));

        writeBrokenCollectionDatabase(QStringLiteral("zz-broken.db"), Broken);
    }

    void init()
    {
        resetDatabaseLayer();
        loadNameOrders(Harbour);
    }

    void nameOrdersKeepTheirIndexOrder()
    {
        QCOMPARE(rowNameSearchOrder(), QVector<qint64>({1, 0, 12}));
        QCOMPARE(pageNameSearchOrder(), QVector<qint64>({0}));
        QCOMPARE(pageNameDisplayOrder(), QVector<qint64>({3}));
        QCOMPARE(rowNameDisplayOrder(), QVector<qint64>({-1, 4294967296LL, 2, 0, 10}));
        QVERIFY(rowExtraDisplayOrder().isEmpty());
        QVERIFY(pageExtraDisplayOrder().isEmpty());
    }

    void onlyColumnNumbersZeroToNineAreUsed()
    {
        QCOMPARE(columnNames(nameColumns(rowNameSearchOrder())), QStringList({"1", "0"}));
        // 4294967296 would wrap to column 0 if it were narrowed to int.
        QCOMPARE(columnNames(nameColumns(rowNameDisplayOrder())), QStringList({"2", "0"}));
    }

    void nameOrdersAreReplacedAsAWhole()
    {
        loadNameOrders(Quay);
        QVERIFY(rowNameSearchOrder().isEmpty());
        QVERIFY(pageNameSearchOrder().isEmpty());
        loadNameOrders(Harbour);
        QVERIFY(!rowNameSearchOrder().isEmpty());
        loadNameOrders(QUuid());
        QVERIFY(rowNameSearchOrder().isEmpty());
        QVERIFY(rowNameDisplayOrder().isEmpty());
    }

    void findPhrase_data()
    {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("pageIndex");
        QTest::addColumn<int>("rowIndex");
        QTest::newRow("page name") << QStringLiteral("dock") << 0 << 2 << -1;
        QTest::newRow("lower-case code") << QStringLiteral("s 1020-y") << 0 << 1 << 1;
        QTest::newRow("first searched name") << QStringLiteral("STRAW") << 0 << 1 << 1;
        QTest::newRow("second searched name") << QStringLiteral("pale Straw") << 0 << 1 << 1;
        QTest::newRow("name not searched") << QStringLiteral("hidden") << -6 << -1 << -1;
        QTest::newRow("accented name") << QStringLiteral("crème brûlée") << 0 << 2 << 4;
        QTest::newRow("accented name, other case") << QStringLiteral("CRèME Brûlée") << 0 << 2 << 4;
        QTest::newRow("apostrophe") << QStringLiteral("It's") << 0 << 2 << 2;
        QTest::newRow("statement in a name")
            << QStringLiteral("'; drop table \"row\"; --") << 0 << 2 << 2;
        QTest::newRow("placeholder") << QStringLiteral("%1") << 0 << 2 << 3;
        QTest::newRow("always-true condition") << QStringLiteral("x' OR '1'='1") << -6 << -1 << -1;
        QTest::newRow("other collection's name") << QStringLiteral("quayside") << -6 << -1 << -1;
    }

    void findPhrase()
    {
        QFETCH(QString, phrase);
        QFETCH(int, result);
        QFETCH(int, pageIndex);
        QFETCH(int, rowIndex);
        int foundPage = 0;
        int foundRow = 0;
        int segment = 0;
        int mood = 9;
        bool exterior = true;
        QCOMPARE(
            Sorven::DB::findPhrase(Harbour, phrase, foundPage, foundRow, segment, mood, exterior),
            result);
        QCOMPARE(foundPage, pageIndex);
        QCOMPARE(foundRow, rowIndex);
        QCOMPARE(segment, result < 0 ? -1 : pageIndex + 1);
        QCOMPARE(mood, result < 0 ? 0 : pageIndex);
        QCOMPARE(exterior, result == 0 && pageIndex == 1);
    }

    void phraseThatIsAPageNameAndACode()
    {
        // The chip met first in the table's order decides: one on the page of that name.
        QCOMPARE(search(Harbour, QStringLiteral("coral")), Found(0, 1, -1));
    }

    void searchSeesAChangedFile()
    {
        QCOMPARE(search(Harbour, QStringLiteral("N-6")), Found(-6, -1, -1));
        QVERIFY(setCode(m_harbourMist, QStringLiteral("N-6")));
        QCOMPARE(search(Harbour, QStringLiteral("n-6")), Found(0, 2, 6));
        QVERIFY(setCode(m_harbourMist, QStringLiteral("B-6")));
    }

    void findPhraseWithoutPageNames()
    {
        loadNameOrders(Quay);
        QCOMPARE(search(Harbour, QStringLiteral("dock")), Found(-6, -1, -1));
        QCOMPARE(search(Harbour, QStringLiteral("corAL")), Found(0, 2, 1));
        QCOMPARE(search(Broken, QStringLiteral("x")), Found(-1, -1, -1));
        QCOMPARE(search(QUuid(), QStringLiteral("x")), Found(-2, -1, -1));
    }

    void completionEntriesLeaveOutBlanks()
    {
        QStringList entries;
        QCOMPARE(completionEntries(Harbour, entries), 0);
        for (const QString &entry : entries)
            QVERIFY2(!entry.trimmed().isEmpty(), qPrintable(entry));
        for (const char *expected : {"Coral", "Dock", "Straw", "Pale straw", "S 1020-Y", "it's",
                                     "'; DROP TABLE \"ROW\"; --", "%1", "Crème brûlée"})
            QVERIFY2(entries.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(!entries.contains(QStringLiteral("Hidden")));
        QVERIFY(!entries.contains(QStringLiteral("Quayside")));
        for (qsizetype i = 1; i < entries.size(); ++i)
            QVERIFY(entries.at(i - 1).compare(entries.at(i), Qt::CaseInsensitive) <= 0);
    }

    void completionEntriesFailures()
    {
        QStringList entries {QStringLiteral("left over")};
        QCOMPARE(completionEntries(Bare, entries), -1);
        QVERIFY(entries.isEmpty());
        QCOMPARE(completionEntries(Broken, entries), -1);
        QCOMPARE(completionEntries(QUuid::createUuid(), entries), -4);
    }

    void capsureCollectionsByPriority()
    {
        QVector<qint64> ids;
        QCOMPARE(capsureCollectionIds(ids), 0);
        QCOMPARE(ids, QVector<qint64>({m_quay, m_harbour}));
    }

    void capsureCandidates_data()
    {
        QTest::addColumn<QString>("nameOrCode");
        QTest::addColumn<QVector<qint64>>("rowIds");
        QTest::newRow("best priority first")
            << QStringLiteral("harbour mist") << QVector<qint64>({m_quayMist, m_harbourMist});
        QTest::newRow("apostrophe") << QStringLiteral("IT'S") << QVector<qint64>({m_apostrophe});
        QTest::newRow("statement text") << QStringLiteral("x' OR '1'='1") << QVector<qint64>();
        QTest::newRow("only in a collection that does not take part")
            << QStringLiteral("p-1") << QVector<qint64>();
    }

    void capsureCandidates()
    {
        QFETCH(QString, nameOrCode);
        QFETCH(QVector<qint64>, rowIds);
        QVector<ColorEntry> entries {ColorEntry()};
        QCOMPARE(Sorven::DB::capsureCandidates(nameOrCode, entries), 0);
        QVector<qint64> found;
        for (const ColorEntry &entry : entries)
            found.append(entry.id);
        QCOMPARE(found, rowIds);
    }

    void labSamples()
    {
        QVector<LabSample> samples;
        QCOMPARE(loadLabSamples(Harbour, samples), 0);
        QCOMPARE(samples.size(), 7);
        QCOMPARE(samples.first().l, 50.0);
        QVERIFY(samples.first().rowId > 0);
        QCOMPARE(loadLabSamples(Bare, samples), 0);
        QVERIFY(samples.isEmpty());
        // A statement that fails is not a collection without chips.
        QCOMPARE(loadLabSamples(Broken, samples), -1);
        QCOMPARE(loadLabSamples(QUuid(), samples), -2);
    }

    void findEntryByColor_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("result");
        QTest::addColumn<qint64>("rowId");
        QTest::newRow("chip of an offered collection") << QColor(1, 2, 3) << 0 << m_quayMist;
        QTest::newRow("collection enabled with 2") << QColor(4, 5, 6) << 0 << m_pierChip;
        QTest::newRow("disabled collection") << QColor(7, 8, 9) << -1 << qint64(-1);
        QTest::newRow("no such colour") << QColor(250, 251, 252) << -1 << qint64(-1);
    }

    void findEntryByColor()
    {
        QFETCH(QColor, color);
        QFETCH(int, result);
        QFETCH(qint64, rowId);
        // Nothing has used the file yet: the lookup connects by itself.
        ColorEntry entry;
        QCOMPARE(Sorven::DB::findEntryByColor(color, entry), result);
        QCOMPARE(entry.id, rowId);
    }

    void findEntryByCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("result");
        QTest::addColumn<qint64>("rowId");
        QTest::newRow("any case") << QStringLiteral("q-1") << 0 << m_quayMist;
        QTest::newRow("apostrophe") << QStringLiteral("IT'S") << 0 << m_apostrophe;
        QTest::newRow("placeholder") << QStringLiteral("%2") << -1 << qint64(-1);
        QTest::newRow("statement text") << QStringLiteral("' OR 1=1 --") << -1 << qint64(-1);
        QTest::newRow("disabled collection") << QStringLiteral("O-1") << -1 << qint64(-1);
    }

    void findEntryByCode()
    {
        QFETCH(QString, code);
        QFETCH(int, result);
        QFETCH(qint64, rowId);
        ColorEntry entry;
        QCOMPARE(Sorven::DB::findEntryByCode(code, entry), result);
        QCOMPARE(entry.id, rowId);
    }

private:
    // The result, page index and row index of a search.
    using Found = std::tuple<int, int, int>;
    static Found search(const QUuid &collection, const QString &phrase)
    {
        int pageIndex = 0;
        int rowIndex = 0;
        int segment = 0;
        int mood = 0;
        bool exterior = false;
        const int result = Sorven::DB::findPhrase(collection, phrase, pageIndex, rowIndex, segment,
                                                  mood, exterior);
        return {result, pageIndex, rowIndex};
    }

    void addOrder(FixtureDatabase &fixture, const QString &key, const QStringList &values)
    {
        for (int i = 0; i < values.size(); ++i)
            fixture.addSetting(m_harbour, key, values.at(i), i);
    }

    // NAME0, NAME1, … as given; a null pointer leaves the column NULL.
    qint64 addChip(FixtureDatabase &fixture, qint64 pageId, int rowIndex, const QString &code,
                   std::initializer_list<const char *> names,
                   const QColor &color = QColor(90, 90, 90))
    {
        m_lastChip = fixture.addRow(pageCollection(fixture, pageId), pageId, rowIndex, code, color);
        int column = 0;
        for (const char *name : names) {
            fixture.exec(
                QStringLiteral(R"(UPDATE "ROW" SET NAME%1 = ? WHERE ID = ?)").arg(column++),
                {name ? QVariant(QString::fromUtf8(name)) : QVariant(), m_lastChip});
        }
        return m_lastChip;
    }

    // Changes the file as another program would, behind the palette's connections.
    static bool setCode(qint64 rowId, const QString &code)
    {
        bool changed = false;
        {
            QSqlDatabase file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                          QStringLiteral("fixture:writer"));
            file.setDatabaseName(fixtureDatabaseFolder() + QStringLiteral("/search.db"));
            QSqlQuery query(file);
            changed = file.open()
                && query.exec(QStringLiteral(R"(UPDATE "ROW" SET CODE = '%1' WHERE ID = %2)")
                                  .arg(code)
                                  .arg(rowId));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fixture:writer"));
        return changed;
    }

    static qint64 pageCollection(FixtureDatabase &fixture, qint64 pageId)
    {
        QSqlQuery query(fixture.database());
        query.prepare(QStringLiteral("SELECT COLLECTION_ID FROM PAGE WHERE ID = ?"));
        query.addBindValue(pageId);
        return query.exec() && query.next() ? query.value(0).toLongLong() : -1;
    }

    qint64 m_harbour = -1;
    qint64 m_quay = -1;
    qint64 m_pier = -1;
    qint64 m_lastChip = -1;
    qint64 m_apostrophe = -1;
    qint64 m_harbourMist = -1;
    qint64 m_quayMist = -1;
    qint64 m_pierChip = -1;
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
