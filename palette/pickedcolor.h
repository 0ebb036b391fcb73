#pragma once

#include "db/itemindex.h"
#include "palette/colorequivalents.h"

#include <QColor>
#include <QList>
#include <QUuid>

#include <optional>

// What the eyedropper offers for a colour picked on the screen.
namespace Sorven {

struct PickedColorOffer
{
    // Where the palette goes at once: the chip a free colour of this colour stands for.
    std::optional<DB::ItemIndex> chip;
    // The chips of the selected collection nearest to the colour, nearest first.
    QList<ColorEquivalent> nearest;
    // The nearest chip of each other collection.
    QList<ColorEquivalent> otherCollections;
};

PickedColorOffer offerForPickedColor(const QUuid &selectedCollection, const QColor &color);

} // namespace Sorven
