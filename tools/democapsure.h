#pragma once

#include "tools/demopalette.h"

#include <QList>
#include <QString>

namespace Sorven::Demo {

// Writes a measurement file as the capture device leaves it in its folder: a CxF3 document
// with one object per measured colour, named after the chip the device recognised, and one
// more named after the surface it was measured on, which only its colour can match.
bool writeCapsureSample(const QString &path, const QList<DemoChip> &measured, QString &error);

} // namespace Sorven::Demo
