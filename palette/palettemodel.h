#pragma once

#include "db/itemindex.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <array>

namespace Sorven {

// The content of My Palette without any widget: the chip reference of each of the 6 × 4 cells
// and the description. A cell is a QPoint with x = column and y = row.
class PaletteModel
{
public:
    static constexpr int Rows = 4;
    static constexpr int Columns = 6;

    static bool contains(const QPoint &cell);
    // Every cell, row by row and within a row column by column.
    static QList<QPoint> cells();

    // An empty reference for a cell outside the grid.
    DB::ItemIndex entry(const QPoint &cell) const;
    void setEntry(const QPoint &cell, const DB::ItemIndex &index);
    void clearEntries();
    // The cells that refer to a chip, in row-major order.
    QList<QPoint> filledCells() const;
    bool isEmpty() const { return filledCells().isEmpty(); }

    QString description() const { return m_description; }
    void setDescription(const QString &description) { m_description = description; }

    friend bool operator==(const PaletteModel &, const PaletteModel &) = default;

private:
    static int slot(const QPoint &cell) { return cell.y() * Columns + cell.x(); }

    std::array<DB::ItemIndex, Rows * Columns> m_entries;
    QString m_description;
};

} // namespace Sorven
