#pragma once

#include "db/colorentry.h"
#include "palette/palettemodel.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <array>
#include <optional>

namespace Sorven {

// My Palette as the user settings hold it, with the chips its cells name read from their
// collections. It is read once and then changes only through this object, which writes each
// change in one settings write and tells of it with myPaletteChanged(); the docked palette, the
// enlarged view and the host's colour book button all read the same instance.
class MyPaletteModel : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(MyPaletteModel)

public:
    explicit MyPaletteModel(QObject *parent = nullptr);

    // What the settings hold, chips that no longer load included.
    const PaletteModel &stored() const { return m_stored; }
    // The cells whose chips load, and the description.
    PaletteModel shown() const;
    // None for an empty cell, one outside the grid, or one whose chip no longer loads.
    std::optional<DB::ColorEntry> chip(const QPoint &cell) const;
    // Transparent where chip() gives none.
    QColor colorAt(const QPoint &cell) const;
    // No cell shows a chip.
    bool isEmpty() const;
    QString description() const { return m_stored.description(); }

    // Reads the settings and the chips again: a collection may have come or gone.
    void reload();
    // Puts the chip into the cells; false, changing nothing, when it does not load.
    bool place(const QList<QPoint> &cells, const DB::ItemIndex &index);
    void empty(const QList<QPoint> &cells);
    void setDescription(const QString &description);
    // Every cell and the description at once, as a palette file or an undo brings them.
    void replace(const PaletteModel &palette);

signals:
    void myPaletteChanged();

private:
    static int slot(const QPoint &cell) { return cell.y() * PaletteModel::Columns + cell.x(); }
    void read();
    void store(const PaletteModel &palette);
    void resolve(const QPoint &cell);

    PaletteModel m_stored;
    std::array<std::optional<DB::ColorEntry>, PaletteModel::Rows * PaletteModel::Columns> m_chips;
};

} // namespace Sorven
