#pragma once

#include "db/labsample.h"
#include "palette/colorscience.h"

#include <QList>
#include <QUuid>

class QColor;

// The colour table of the selected collection (every chip as L*a*b* with its row ID). The main
// widget reloads it on every collection change; widgets that match a free colour to a chip
// search it without knowing the main widget. The table read later is the open collection's.
namespace Sorven {

void setCollectionColorTable(const QUuid &uuid, const QList<DB::LabSample> &samples);
// Reads the table from the database; a failed read leaves an empty table for uuid. Returns the
// database layer's result.
int loadCollectionColorTable(const QUuid &uuid);
// Takes the table from the collection's background scan; a search before it is done waits.
void loadCollectionColorTableLater(const QUuid &uuid);
// Empties the table; a read under way finishes for its open collection.
void clearCollectionColorTable();

// The n chips of uuid nearest to color. Empty when the table holds another collection.
LabMatches nearestChips(const QUuid &uuid, const QColor &color, int n);
// The row ID of the nearest chip, or -1.
qint64 nearestChip(const QUuid &uuid, const QColor &color);

} // namespace Sorven
