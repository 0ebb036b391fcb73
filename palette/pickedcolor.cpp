#include "palette/pickedcolor.h"

#include "palette/freecolorchip.h"

namespace Sorven {

namespace {

const int NearestCount = 3;

} // namespace

PickedColorOffer offerForPickedColor(const QUuid &selectedCollection, const QColor &color)
{
    const LabColor target = labFromColor(color);
    return {chipForFreeColor(selectedCollection, color),
            nearestEquivalents(selectedCollection, target, NearestCount),
            equivalentsInOtherCollections(target, selectedCollection)};
}

} // namespace Sorven
