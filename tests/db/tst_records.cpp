#include "db/collection.h"
#include "db/colorentry.h"
#include "db/colorpage.h"
#include "db/itemindex.h"
#include "db/texture.h"
#include "db/trendoraentry.h"

#include <QLoggingCategory>
#include <QSqlField>
#include <QTest>

using namespace Sorven::DB;

namespace {

// A query row built by hand: column names and values in order, repeats allowed.
QSqlRecord row(const QList<std::pair<QString, QVariant>> &columns)
{
    QSqlRecord record;
    for (const auto &[name, value] : columns) {
        QSqlField field(name, value.metaType());
        field.setValue(value);
        record.append(field);
    }
    return record;
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void chipReadsItsColumns()
    {
        const ColorEntry entry(row({{"ID", 12},
                                    {"COLLECTION_ID", 3},
                                    {"PAGE_ID", 4},
                                    {"CODE", "S 1020-Y"},
                                    {"NAME1", "Pale straw"},
                                    {"EXTRA0", "LRV 71"},
                                    {"ROW_INDEX", 2},
                                    {"RED", 250},
                                    {"GREEN", 240},
                                    {"BLUE", 200},
                                    {"L", 94.5},
                                    {"IS_MTO", 1},
                                    {"MOOD", 2}}));
        QCOMPARE(entry.id, 12);
        QCOMPARE(entry.collectionId, 3);
        QCOMPARE(entry.pageId, 4);
        QCOMPARE(entry.code, QStringLiteral("S 1020-Y"));
        QCOMPARE(entry.name(1), QStringLiteral("Pale straw"));
        QCOMPARE(entry.extra(0), QStringLiteral("LRV 71"));
        QCOMPARE(entry.color(), QColor(250, 240, 200));
        QCOMPARE(entry.l, 94.5);
        QVERIFY(entry.isMto);
        QCOMPARE(entry.mood, 2);
        QCOMPARE(entry.segment, -1);
        QCOMPARE(entry.pageOrder, -1);
    }

    void chipWithoutNameColumnsHasTenEmptyNames()
    {
        const ColorEntry entry(row({{"ID", 1}, {"COLLECTION_ID", 1}}));
        QCOMPARE(entry.names.size(), 10);
        QCOMPARE(entry.extras.size(), 10);
        QVERIFY(entry.names.join(QString()).isEmpty());
        QCOMPARE(entry.name(-1), QString());
        QCOMPARE(entry.name(10), QString());
    }

    void chipWithoutCollectionColumnSaysOops()
    {
        // Said on the query layer's diagnostics, which are off unless asked for.
        QLoggingCategory::setFilterRules(QStringLiteral("vexa.db.query.debug=true"));
        QTest::ignoreMessage(QtDebugMsg, "Oops.");
        const ColorEntry entry(row({{"ID", 1}}));
        QLoggingCategory::setFilterRules(QString());
        QCOMPARE(entry.collectionId, -1);
    }

    void moodOutsideOneToSixReadsAsNone_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("all-moods pseudo value") << 7 << 0;
        QTest::newRow("negative") << -1 << 0;
        QTest::newRow("neutral") << 6 << 6;
        QTest::newRow("fresh") << 1 << 1;
    }

    void moodOutsideOneToSixReadsAsNone()
    {
        QFETCH(int, stored);
        QFETCH(int, expected);
        const ColorEntry entry(row({{"COLLECTION_ID", 1}, {"MOOD", stored}}));
        QCOMPARE(entry.mood, expected);
        const ColorPage page(row({{"ID", 5}, {"MOOD", stored}}));
        QCOMPARE(page.mood, expected);
    }

    void nullValuesReadAsZeroAndEmpty()
    {
        const ColorEntry entry(row({{"COLLECTION_ID", 1},
                                    {"CODE", QVariant(QMetaType::fromType<QString>())},
                                    {"RED", QVariant(QMetaType::fromType<int>())}}));
        QCOMPARE(entry.code, QString());
        QCOMPARE(entry.red, 0);
    }

    void joinReadsTheFirstColumnOfAName()
    {
        const ColorEntry entry(
            row({{"ID", 7}, {"COLLECTION_ID", 1}, {"SEGMENT", 3}, {"ID", 99}, {"SEGMENT", 8}}));
        QCOMPARE(entry.id, 7);
        QCOMPARE(entry.segment, 3);
    }

    void pageValidity_data()
    {
        QTest::addColumn<int>("pageIndex");
        QTest::addColumn<int>("segment");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ordinary") << 1 << 1 << true;
        QTest::newRow("page index 0") << 0 << 1 << false;
        QTest::newRow("segment 0") << 3 << 0 << false;
    }

    void pageValidity()
    {
        QFETCH(int, pageIndex);
        QFETCH(int, segment);
        QFETCH(bool, valid);
        const ColorPage page(row({{"ID", 1}, {"PAGE_INDEX", pageIndex}, {"SEGMENT", segment}}));
        QCOMPARE(page.isValid(), valid);
        QVERIFY(!ColorPage().isValid());
        QCOMPARE(ColorPage().id, 0);
    }

    void pageSortsItsChipsByRowIndex()
    {
        ColorPage page;
        for (int rowIndex : {3, 1, 2})
            page.entries.append(ColorEntry(row({{"COLLECTION_ID", 1}, {"ROW_INDEX", rowIndex}})));
        page.sortEntries();
        QCOMPARE(page.entries.at(0).rowIndex, 1);
        QCOMPARE(page.entries.at(1).rowIndex, 2);
        QCOMPARE(page.entries.at(2).rowIndex, 3);
    }

    void copiesAreIndependent()
    {
        ColorEntry original(row({{"COLLECTION_ID", 1}, {"NAME0", "Dawn"}}));
        ColorEntry copy = original;
        copy.names[0] = QStringLiteral("Dusk");
        QCOMPARE(original.name(0), QStringLiteral("Dawn"));
        copy.clear();
        QCOMPARE(copy.id, -1);
        QVERIFY(copy.names.isEmpty());
    }

    void trendEntryWithoutChipHasRowIdZero()
    {
        const TrendoraEntry entry(
            row({{"ID", 4}, {"ROW_ID", QVariant(QMetaType::fromType<qlonglong>())}, {"RED", 10}}));
        QCOMPARE(entry.rowId, 0);
        QVERIFY(entry.color.isValid());
        QCOMPARE(entry.color.red(), 10);
        QVERIFY(entry.isValid());
        QVERIFY(!TrendoraEntry(row({{"NAME_1", "x"}})).color.isValid());
    }

    void textureWithUndecodableImageHasNullImage()
    {
        const Texture texture(
            row({{"ID", 1}, {"COLLECTION_ID", 0}, {"IMAGE", QByteArray("nope")}}));
        QVERIFY(texture.image.isNull());
        QCOMPARE(texture.collectionId, 0);
    }

    void collectionKeepsOnlyAParsedUuid()
    {
        const QUuid uuid = QUuid::createUuid();
        QCOMPARE(Collection(row({{"UUID", uuid.toString()}})).uuid, uuid);
        QVERIFY(Collection(row({{"UUID", "not a uuid"}})).uuid.isNull());
    }

    void itemIndexRoundTrip()
    {
        const ItemIndex index {QUuid::createUuid(), 7, 42};
        const QString text = index.toString();
        QCOMPARE(text, QStringLiteral("ItemIndex(%1,7,42)").arg(index.collection.toString()));
        QCOMPARE(ItemIndex::fromString(text), index);
        QVERIFY(ItemIndex::fromString(text).refersToChip());
    }

    void itemIndexRejectsMalformedText_data()
    {
        const QString uuid = QUuid::createUuid().toString();
        QTest::addColumn<QString>("text");
        QTest::newRow("two numbers") << QStringLiteral("ItemIndex(%1,7)").arg(uuid);
        QTest::newRow("lower-case prefix") << QStringLiteral("itemindex(%1,7,42)").arg(uuid);
        QTest::newRow("no closing parenthesis") << QStringLiteral("ItemIndex(%1,7,42").arg(uuid);
        QTest::newRow("four parts") << QStringLiteral("ItemIndex(%1,7,42,1)").arg(uuid);
        QTest::newRow("empty") << QString();
        QTest::newRow("prefix only") << QStringLiteral("ItemIndex()");
    }

    void itemIndexRejectsMalformedText()
    {
        QFETCH(QString, text);
        QCOMPARE(ItemIndex::fromString(text), ItemIndex());
        QVERIFY(!ItemIndex::fromString(text).refersToChip());
    }

    void itemIndexNonNumbersReadAsZero()
    {
        const QUuid uuid = QUuid::createUuid();
        const ItemIndex parsed
            = ItemIndex::fromString(QStringLiteral("ItemIndex(%1,x,,5)").arg(uuid.toString()));
        QCOMPARE(parsed, (ItemIndex {uuid, 0, 5}));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
