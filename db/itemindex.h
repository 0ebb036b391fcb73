#pragma once

#include <QString>
#include <QUuid>

namespace Sorven::DB {

// The persistent reference to a chip, stored for My Palette cells.
struct ItemIndex
{
    QUuid collection;
    qint64 pageId = -1;
    qint64 rowId = -1;

    bool refersToChip() const { return rowId > 0; }
    QString toString() const;
    static ItemIndex fromString(const QString &text);

    friend bool operator==(const ItemIndex &, const ItemIndex &) = default;
};

} // namespace Sorven::DB
