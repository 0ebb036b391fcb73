#include "palette/palettemodel.h"

namespace Sorven {

bool PaletteModel::contains(const QPoint &cell)
{
    return cell.x() >= 0 && cell.x() < Columns && cell.y() >= 0 && cell.y() < Rows;
}

QList<QPoint> PaletteModel::cells()
{
    QList<QPoint> all;
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column)
            all.append(QPoint(column, row));
    }
    return all;
}

DB::ItemIndex PaletteModel::entry(const QPoint &cell) const
{
    return contains(cell) ? m_entries[slot(cell)] : DB::ItemIndex();
}

void PaletteModel::setEntry(const QPoint &cell, const DB::ItemIndex &index)
{
    if (contains(cell))
        m_entries[slot(cell)] = index.refersToChip() ? index : DB::ItemIndex();
}

void PaletteModel::clearEntries()
{
    m_entries.fill(DB::ItemIndex());
}

QList<QPoint> PaletteModel::filledCells() const
{
    QList<QPoint> filled;
    for (const QPoint &cell : cells()) {
        if (entry(cell).refersToChip())
            filled.append(cell);
    }
    return filled;
}

} // namespace Sorven
