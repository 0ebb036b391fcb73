#pragma once

#include "palette/palettefile.h"

#include <QUuid>

class QWidget;

namespace Sorven {

// Tells the user what loading a palette file did when it did not simply work: why a refused
// file was refused, or how many cells stayed empty and which collections they need. Shown
// window-modal without waiting, so loading has finished when the user reads it.
void showPaletteLoadMessage(QWidget *parent, const QUuid &collection, const QString &path,
                            const PaletteFileRead &read);

} // namespace Sorven
