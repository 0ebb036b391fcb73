#pragma once

#include "palette/palettemodel.h"

#include <QList>
#include <QRgb>
#include <QString>

namespace Sorven {

// A colour of My Palette as exports name it: the chip's code, followed by " - " and its product
// codes when those are asked for and it has any.
struct ExportColor
{
    QString name;
    QRgb rgb = 0;

    friend bool operator==(const ExportColor &, const ExportColor &) = default;
};

// One entry per cell whose chip loads, in row-major order.
QList<ExportColor> exportColors(const PaletteModel &palette, bool appendProductCodes);

} // namespace Sorven
