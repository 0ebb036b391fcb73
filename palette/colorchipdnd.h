#pragma once

#include "db/colorentry.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QUuid>

#include <optional>

class QMimeData;

// The record a colour chip carries when it is dragged between the palette's widgets: a small
// JSON object under one private MIME type. A chip of a collection travels as its collection and
// colour ID; a free colour (not a row of any collection) as its RGB value and two names.
namespace Sorven {

inline const QString ColorChipDndMimeType = QStringLiteral("orvo.kalin.vexa/color.chip.dnd.info");

// Where a drag started; stored in the record as "from".
enum ColorChipDndSource {
    NoDndSource = 0,
    CardRollerDndSource = 1,
    ColorSchemerDndSource = 2,
    MyPaletteDndSource = 3,
    TrendoraDndSource = 4,
    // Never in a record: a colour that another application dropped or pasted.
    ForeignColorDndSource = 5,
};

// The payloads, as UTF-8 JSON text.
QByteArray colorChipDndRecord(int from, const QUuid &collection, qint64 colorId);
// rgb is 0xAARRGGBB.
QByteArray colorDndRecord(int from, QRgb rgb, const QString &name1, const QString &name2);

bool hasColorChipDndInfo(const QMimeData *mimeData);
// 1 to 4; 0 for a record that cannot be read or names no known source.
int colorChipDndSource(const QMimeData *mimeData);
// Loads the chip the record names; the database layer's result, or -1 when there is no
// readable record.
int readColorChipDndEntry(const QMimeData *mimeData, QUuid &collection, DB::ColorEntry &entry);
// Whether the record carries a colour at all; only free-colour records do.
bool hasColorChipDndRgb(const QMimeData *mimeData);
// The colour with its alpha; 0 on success, -1 when there is no readable record.
int readColorChipDndRgb(const QMimeData *mimeData, QColor &color);
int readColorChipDndNames(const QMimeData *mimeData, QString &name1, QString &name2);

// A drag or copy that other applications understand too: beside the record, the colour as
// colour data and as text "#rrggbb", with the code and names on a second line. The caller owns
// the result.
QMimeData *colorChipMimeData(int from, const QUuid &collection, const DB::ColorEntry &chip);
QMimeData *colorMimeData(int from, const QColor &color, const QString &name1, const QString &name2);

// "#rrggbb" or "rgb(r, g, b)", letter case and spaces aside; nothing for other text.
std::optional<QColor> colorFromText(const QString &text);
// The colour another application offers: its colour data, else its text's first line read as
// above. Nothing when the data carries a record of our own, which speaks for itself.
std::optional<QColor> foreignColor(const QMimeData *mimeData);
// The record's source (1 to 4), else ForeignColorDndSource for a foreign colour, else 0.
int colorDropSource(const QMimeData *mimeData);

} // namespace Sorven
