#include "support/palettefixture.h"

#include "db/connections.h"
#include "db/search.h"
#include "support/fixturedatabase.h"

namespace {

PaletteFixtureChip addChip(FixtureDatabase &file, const QUuid &collection, qint64 collectionId,
                           qint64 pageId, int pageIndex, int rowIndex, const QString &code,
                           const QColor &color, const QString &name = QString())
{
    return {collection, pageId,   file.addRow(collectionId, pageId, rowIndex, code, color, name),
            pageIndex,  rowIndex, code,
            color};
}

void addProduct(FixtureDatabase &file, qint64 collectionId, qint64 rowId, const QString &code)
{
    const qint64 product = file.insert(
        QStringLiteral("INSERT INTO PRODUCT(NAME, PRODUCT_CODE) VALUES(?, ?)"), {code, code});
    file.exec(QStringLiteral(
                  "INSERT INTO ROW_PRODUCT_MAP(COLLECTION_ID, ROW_ID, PRODUCT_ID) VALUES(?, ?, ?)"),
              {collectionId, rowId, product});
}

} // namespace

PaletteFixture::PaletteFixture()
{
    resetDatabaseLayer();
    FixtureDatabase harbour(QStringLiteral("harbour.db"));
    const qint64 harbourId
        = harbour.addCollection(Harbour, QStringLiteral("HARBOUR"), QStringLiteral("Harbour"), 1);
    harbour.addSetting(harbourId, QStringLiteral("export.color.name.append.product.code"), 1);
    harbour.addLocale(harbourId, QStringLiteral("accessible.chip.place"),
                      QStringLiteral("page %1, row %2"));
    harbour.addLocale(harbourId, QStringLiteral("accessible.mypalette.empty.cell"),
                      QStringLiteral("Empty cell, row %1, column %2"));
    const qint64 coral = harbour.addPage(harbourId, 3, 1, QStringLiteral("Coral"));
    harbourRed = addChip(harbour, Harbour, harbourId, coral, 3, 1, QStringLiteral("H-101"),
                         QColor(200, 30, 40), QStringLiteral("Coral Red"));
    harbourBlue = addChip(harbour, Harbour, harbourId, coral, 3, 2, QStringLiteral("H-102"),
                          QColor(20, 40, 160));
    harbourGrey = addChip(harbour, Harbour, harbourId, coral, 3, 3, QStringLiteral("h-103"),
                          QColor(128, 128, 128));
    addProduct(harbour, harbourId, harbourRed.rowId, QStringLiteral("S1"));
    addProduct(harbour, harbourId, harbourRed.rowId, QStringLiteral("M2"));
    harbour.close();

    FixtureDatabase quay(QStringLiteral("quay.db"));
    const qint64 quayId
        = quay.addCollection(Quay, QStringLiteral("QUAY"), QStringLiteral("Quay"), 2);
    const qint64 moss = quay.addPage(quayId, 1, 2, QStringLiteral("Moss"));
    quayGreen = addChip(quay, Quay, quayId, moss, 1, 1, QStringLiteral("Q-7"), QColor(40, 160, 60));
    quayRed = addChip(quay, Quay, quayId, moss, 1, 2, QStringLiteral("Q-8"), QColor(200, 30, 40));
    addProduct(quay, quayId, quayGreen.rowId, QStringLiteral("QX"));
    quay.close();

    Sorven::DB::ensureCollectionsEnumerated();
    Sorven::DB::loadNameOrders(Harbour);
}
