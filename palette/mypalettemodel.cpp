#include "palette/mypalettemodel.h"

#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"

#include <algorithm>
#include <utility>

namespace Sorven {

MyPaletteModel::MyPaletteModel(QObject *parent) : QObject(parent)
{
    read();
}

PaletteModel MyPaletteModel::shown() const
{
    PaletteModel palette = m_stored;
    for (const QPoint &cell : PaletteModel::cells()) {
        if (!m_chips[slot(cell)])
            palette.setEntry(cell, {});
    }
    return palette;
}

std::optional<DB::ColorEntry> MyPaletteModel::chip(const QPoint &cell) const
{
    return PaletteModel::contains(cell) ? m_chips[slot(cell)] : std::nullopt;
}

QColor MyPaletteModel::colorAt(const QPoint &cell) const
{
    const std::optional<DB::ColorEntry> shownChip = chip(cell);
    return shownChip ? shownChip->color() : QColor(Qt::transparent);
}

bool MyPaletteModel::isEmpty() const
{
    return std::none_of(m_chips.cbegin(), m_chips.cend(),
                        [](const std::optional<DB::ColorEntry> &cellChip) { return cellChip; });
}

void MyPaletteModel::reload()
{
    read();
    emit myPaletteChanged();
}

bool MyPaletteModel::place(const QList<QPoint> &cells, const DB::ItemIndex &index)
{
    DB::ColorEntry loaded;
    if (DB::loadIndexedEntry(index, loaded) != DB::Success)
        return false;
    PaletteModel next = m_stored;
    for (const QPoint &cell : cells)
        next.setEntry(cell, index);
    store(next);
    return true;
}

void MyPaletteModel::empty(const QList<QPoint> &cells)
{
    PaletteModel next = m_stored;
    for (const QPoint &cell : cells)
        next.setEntry(cell, {});
    store(next);
}

void MyPaletteModel::setDescription(const QString &description)
{
    PaletteModel next = m_stored;
    next.setDescription(description);
    store(next);
}

void MyPaletteModel::replace(const PaletteModel &palette)
{
    store(palette);
}

// Only the cells whose reference changed are read from their collections again.
void MyPaletteModel::store(const PaletteModel &palette)
{
    UserSettings::setMyPalette(palette);
    const PaletteModel before = std::exchange(m_stored, palette);
    for (const QPoint &cell : PaletteModel::cells()) {
        if (before.entry(cell) != palette.entry(cell))
            resolve(cell);
    }
    emit myPaletteChanged();
}

void MyPaletteModel::read()
{
    m_stored = UserSettings::myPalette();
    for (const QPoint &cell : PaletteModel::cells())
        resolve(cell);
}

void MyPaletteModel::resolve(const QPoint &cell)
{
    DB::ColorEntry loaded;
    m_chips[slot(cell)].reset();
    if (DB::loadIndexedEntry(m_stored.entry(cell), loaded) == DB::Success)
        m_chips[slot(cell)] = loaded;
}

} // namespace Sorven
