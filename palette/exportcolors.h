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

// One entry per cell whose chip loads, in row-major order, each name on one line.
QList<ExportColor> exportColors(const PaletteModel &palette, bool appendProductCodes);

// A name as exports write it: tabs and line breaks become spaces, runs of white space one space,
// and the ends are trimmed. A line break would start a new entry in a text list or a GIMP
// palette, and other programs show names on one line.
QString oneLineName(const QString &text);

// The longest start of text whose UTF-8 encoding fits maximumBytes, cut between characters.
QString utf8Prefix(const QString &text, qsizetype maximumBytes);

} // namespace Sorven
