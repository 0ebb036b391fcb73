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
    return oneLineName(codes.isEmpty()
                           ? chip.code
                           : chip.code + QStringLiteral(" - ") + codes.join(QStringLiteral(", ")));
}

qsizetype utf8Length(char32_t codePoint)
{
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

} // namespace

QString oneLineName(const QString &text)
{
    return text.simplified();
}

QString utf8Prefix(const QString &text, qsizetype maximumBytes)
{
    qsizetype bytes = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size()
            && text.at(end + 1).isLowSurrogate();
        const char32_t codePoint = pair ? QChar::surrogateToUcs4(text.at(end), text.at(end + 1))
                                        : char32_t(text.at(end).unicode());
        bytes += utf8Length(codePoint);
        if (bytes > maximumBytes)
            break;
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

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
