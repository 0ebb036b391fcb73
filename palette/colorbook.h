#pragma once

#include "palette/palettemodel.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QRgb>
#include <QString>
#include <QUuid>

// My Palette as a colour book of the drawing program: each distinct colour once, in ascending
// RGB order, on up to three pages.
namespace Sorven {

// Colour (alpha 255) to its name. The first cell of a colour in row-major order names it: its
// code, followed by " - " and its product codes when appendProductCodes is set and it has any.
// Names are one line each and unique in the book, compared without regard to case.
QMap<QRgb, QString> colorBookColors(const PaletteModel &palette, bool appendProductCodes);

// How many entries each page holds, in order.
QList<int> colorBookPageSizes(int colorCount);

// The description on one line; else the file name of the chosen path; else a fixed name.
QString colorBookName(const QString &description, const QString &path);

// The colour book's XML; empty if it cannot be built.
QByteArray colorBookBytes(const QString &bookName, const QMap<QRgb, QString> &colors);

// Builds the book of the palette, names colours as selectedCollection's settings say, and
// writes it all or nothing; false with the reason when it cannot be written.
bool saveColorBook(const PaletteModel &palette, const QUuid &selectedCollection,
                   const QString &path, QString *reason = nullptr);

} // namespace Sorven
