#include "tools/demopalettefile.h"

#include "db/collectionqueries.h"
#include "db/connections.h"
#include "palette/palettefile.h"

#include <QDir>

namespace Sorven::Demo {

namespace {

// Fills a palette row with the first chips of a page.
void fillRow(PaletteModel &palette, int row, const DemoCollectionSummary &collection, int pageIndex)
{
    for (int column = 0; column < PaletteModel::Columns; ++column) {
        DB::ColorEntry chip;
        if (DB::loadEntryAt(collection.uuid, pageIndex, column + 1, chip) == DB::Success)
            palette.setEntry({column, row}, {collection.uuid, chip.pageId, chip.id});
    }
}

} // namespace

QString writeDemoPaletteFile(const QString &outputRoot,
                             const QList<DemoCollectionSummary> &collections)
{
    if (collections.size() < 2)
        return QStringLiteral("the sample palette needs two demo collections");
    DB::ensureCollectionsEnumerated();
    PaletteModel palette;
    palette.setDescription(QStringLiteral("Harbour evening — sample palette"));
    const DemoCollectionSummary &first = collections.at(0);
    for (int row = 0; row < PaletteModel::Rows - 1; ++row)
        fillRow(palette, row, first, 1 + row * first.pages / PaletteModel::Rows);
    fillRow(palette, PaletteModel::Rows - 1, collections.at(1), 1 + collections.at(1).pages / 2);
    if (palette.isEmpty())
        return QStringLiteral("the demo collections cannot be read from %1").arg(outputRoot);
    const QString path = QDir(outputRoot).filePath(QStringLiteral("demo.palette"));
    QString reason;
    if (!savePaletteFile(palette, PaletteXmlFile, path, &reason))
        return QStringLiteral("%1: %2").arg(path, reason);
    return {};
}

} // namespace Sorven::Demo
