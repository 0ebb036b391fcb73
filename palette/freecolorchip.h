#pragma once

#include "db/itemindex.h"

#include <QColor>
#include <QStringList>
#include <QUuid>

#include <optional>

class QMimeData;

// Which chip a free colour stands for: a colour that is no chip record, dragged from the trend
// groups or dropped or pasted from another application.
namespace Sorven {

// A chip whose code is one of the names, else a chip of exactly the colour, both found in the
// file of the system-wide collection; else the selected collection's nearest chip, when it lies
// within that collection's first colour-difference interval.
std::optional<DB::ItemIndex> chipForFreeColor(const QUuid &selectedCollection, const QColor &color,
                                              const QStringList &names = {});

// What a drop or paste brings: the chip of a chip record, else the chip for the colour of a
// free-colour record or of another application.
std::optional<DB::ItemIndex> chipForDrop(const QUuid &selectedCollection,
                                         const QMimeData *mimeData);

} // namespace Sorven
