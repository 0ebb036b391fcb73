#pragma once

#include <QString>
#include <QUuid>

// What a screen reader says about a chip.
namespace Sorven::DB {

// A chip as a screen reader names it (its code and names) and describes it (its collection, its
// page's names, and the page and row it lies on), whatever the tooltips show.
struct ChipAccessibleText
{
    QString name;
    QString description;
};

ChipAccessibleText chipAccessibleText(const QUuid &uuid, qint64 rowId);

} // namespace Sorven::DB
