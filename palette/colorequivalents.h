#pragma once

#include "db/itemindex.h"
#include "palette/colorscience.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QUuid>

// The chips nearest to a colour in one collection or in each of the others, for the eyedropper,
// a chip's equivalents in other collections and the tool.
namespace Sorven {

struct ColorEquivalent
{
    DB::ItemIndex chip;
    QString collectionName;
    QString code;
    QColor color;
    double deltaE = 0.0;
    // Whether deltaE lies below the collection's first colour-difference interval, the limit
    // under which a free colour counts as that chip.
    bool withinInterval = false;
};

// The n chips of the collection nearest to target, nearest first; empty when the collection
// cannot be read.
QList<ColorEquivalent> nearestEquivalents(const QUuid &collection, const LabColor &target, int n);

// The nearest chip of every offered collection except the one given, in the order the
// collections are offered; a collection that cannot be read now is left out.
QList<ColorEquivalent> equivalentsInOtherCollections(const LabColor &target, const QUuid &except);

} // namespace Sorven
