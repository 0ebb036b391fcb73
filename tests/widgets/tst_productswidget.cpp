#include "core/usersettings.h"
#include "support/fixturedatabase.h"
#include "widgets/productswidget.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>

using namespace Sorven;

namespace {

const QUuid Harbour {QStringLiteral("{5e4d3c2b-1a09-4f8e-8d7c-6b5a49382716}")};
const QUuid Quay {QStringLiteral("{a1b2c3d4-e5f6-4a7b-8c9d-0e1f2a3b4c5d}")};

QStringList listed(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// A chip on page 1, row 1, sold as two products in one product group.
void addChipWithProducts(FixtureDatabase &fixture, qint64 collection)
{
    const qint64 page = fixture.addPage(collection, 1, 1, QStringLiteral("P1"));
    const qint64 row = fixture.addRow(collection, page, 1, QStringLiteral("VX 1"), Qt::gray);
    const qint64 group = fixture.insert(QStringLiteral("INSERT INTO PRODUCT_GROUP(NAME) VALUES(?)"),
                                        {QStringLiteral("Walls")});
    fixture.insert(QStringLiteral("INSERT INTO ROW_PRODUCT_GROUP_MAP(COLLECTION_ID, ROW_ID, "
                                  "PRODUCT_GROUP_ID) VALUES(?, ?, ?)"),
                   {collection, row, group});
    for (const QString &name : {QStringLiteral("Matt"), QStringLiteral("Gloss")}) {
        const qint64 product
            = fixture.insert(QStringLiteral("INSERT INTO PRODUCT(NAME) VALUES(?)"), {name});
        fixture.insert(QStringLiteral("INSERT INTO ROW_PRODUCT_MAP(COLLECTION_ID, ROW_ID, "
                                      "PRODUCT_ID) VALUES(?, ?, ?)"),
                       {collection, row, product});
    }
}

} // namespace

class TestProductsWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FixtureDatabase fixture(QStringLiteral("products.db"));
        addChipWithProducts(fixture, fixture.addCollection(Harbour, "HAR", "Harbour", 1));
        const qint64 quay = fixture.addCollection(Quay, "QUA", "Quay", 2);
        fixture.addSetting(quay, QStringLiteral("product.groups.mode"), "Products");
        addChipWithProducts(fixture, quay);
        resetDatabaseLayer();
    }

    void listsProductsOrGroupsOfTheSelectedChip_data()
    {
        QTest::addColumn<QUuid>("collection");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("mode missing: product groups")
            << Harbour << 1 << "VX 1" << QStringList {"Walls"};
        QTest::newRow("Products mode") << Quay << 1 << "VX 1" << QStringList {"Matt", "Gloss"};
        QTest::newRow("no such row") << Quay << 5 << " " << QStringList {};
    }

    void listsProductsOrGroupsOfTheSelectedChip()
    {
        QFETCH(QUuid, collection);
        QFETCH(int, row);
        QFETCH(QString, label);
        QFETCH(QStringList, items);
        UserSettings::setLastUsedCollection(collection);
        UserSettings::setPageIndex(collection, 1);
        UserSettings::setRowIndex(collection, 9);
        ProductsWidget pane;
        pane.resize(560, 226);
        pane.show();
        UserSettings::setRowIndex(collection, row);
        pane.selectedColorChanged();
        QCOMPARE(pane.label()->text(), label);
        QCOMPARE(listed(pane.list()), items);
        QCOMPARE(pane.label()->geometry(), QRect(8, 8, 544, pane.fontMetrics().height()));
        QCOMPARE(pane.list()->geometry().top(), 16 + pane.fontMetrics().height());
    }

    void aPaneHiddenDuringACollectionChangeShowsItWhenShown()
    {
        for (const QUuid &collection : {Harbour, Quay}) {
            UserSettings::setPageIndex(collection, 1);
            UserSettings::setRowIndex(collection, 1);
        }
        UserSettings::setLastUsedCollection(Harbour);
        ProductsWidget pane;
        pane.resize(560, 226);
        pane.show();
        pane.hide();
        UserSettings::setLastUsedCollection(Quay);
        pane.selectedCollectionChanged(Quay);
        pane.show();
        QCOMPARE(listed(pane.list()), QStringList({"Matt", "Gloss"}));
    }
};

QTEST_MAIN(TestProductsWidget)
#include "tst_productswidget.moc"
