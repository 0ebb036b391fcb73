#pragma once

#include "palette/exportcolors.h"

#include <QByteArray>
#include <QString>
#include <QUuid>

// My Palette for other colour tools: a GIMP palette (.gpl) or an Adobe Swatch Exchange file
// (.ase). Both list one entry per cell that shows a chip, in palette order, named as the colour
// book names them.
namespace Sorven {

enum SwatchFileFormat {
    GimpPaletteFile = 0,
    AdobeSwatchExchangeFile = 1,
};

// The trimmed description; else the chosen file's name without its extension.
QString swatchPaletteName(const QString &description, const QString &path);

QByteArray gimpPaletteBytes(const QString &paletteName, const QList<ExportColor> &colors);
QByteArray adobeSwatchExchangeBytes(const QString &paletteName, const QList<ExportColor> &colors);

// Writes the palette in the format, naming colours as selectedCollection's settings say, all or
// nothing; false with the reason when it cannot be written.
bool saveSwatchFile(const PaletteModel &palette, SwatchFileFormat format,
                    const QUuid &selectedCollection, const QString &path,
                    QString *reason = nullptr);

} // namespace Sorven
