#include "palette/exportcolors.h"

#include "db/collectionqueries.h"
#include "db/connections.h"

namespace Sorven {

namespace {

// Product codes are looked up in the cell's own collection: a colour ID means another chip in
// another database file.
QString exportName(const DB::ItemIndex &index, const DB::ColorEntry &chip, bool appendProductCodes)
{
    QStringList codes;
    if (appendProductCodes)
        DB::loadProductCodes(index.collection, index.rowId, codes);
    return codes.isEmpty() ? chip.code
                           : chip.code + QStringLiteral(" - ") + codes.join(QStringLiteral(", "));
}

} // namespace

QList<ExportColor> exportColors(const PaletteModel &palette, bool appendProductCodes)
{
    QList<ExportColor> colors;
    for (const QPoint &cell : palette.filledCells()) {
        const DB::ItemIndex index = palette.entry(cell);
        DB::ColorEntry chip;
        if (DB::loadIndexedEntry(index, chip) == DB::Success)
            colors.append({exportName(index, chip, appendProductCodes), chip.color().rgb()});
    }
    return colors;
}

} // namespace Sorven
