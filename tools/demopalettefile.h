#pragma once

#include "tools/democollections.h"

#include <QString>

// The sample My Palette file of the demo data, written once the demo databases exist.
namespace Sorven::Demo {

// Writes OUTPUT_ROOT/demo.palette from chips of the demo collections: one page of a different
// hue per row, light to dark along each row, the last row from the second collection. The
// databases must be the ones the palette reads (the machine-wide data folder set to
// outputRoot). Answers an error, or nothing on success.
QString writeDemoPaletteFile(const QString &outputRoot,
                             const QList<DemoCollectionSummary> &collections);

} // namespace Sorven::Demo
