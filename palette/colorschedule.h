#pragma once

#include "palette/colorscience.h"
#include "palette/palettemodel.h"

#include <QByteArray>
#include <QColor>
#include <QDate>
#include <QList>
#include <QPageSize>
#include <QPoint>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

class QLocale;

namespace Sorven {

// One line of the schedule: a palette cell and what is known of its chip.
struct ScheduleEntry
{
    QPoint cell;
    // False for a cell whose chip is not installed here; only the cell is known then.
    bool resolved = false;
    QColor color;
    QString code;
    QStringList names;
    QString collection;
    // -1 when the chip's page does not load.
    int pageIndex = -1;
    // Absent when the collection's values are out of range.
    std::optional<LabColor> lab;
    QStringList products;

    // The light reflectance value, CIE Y of the chip's L* with the white at 100.
    std::optional<double> lightReflectance() const;
};

// My Palette as a colour schedule to hand over: a PDF page with the description as title, the
// date, and one line per filled cell in palette order with a printed swatch, the chip's code,
// names, collection, page, L*a*b*, "#rrggbb", light reflectance value and products.
class ColorSchedule
{
public:
    // The filled cells of the palette, and the cells of missingCells (those a palette file
    // named but whose chips are not installed), in palette order. Headings and fallback texts
    // come from textCollection.
    ColorSchedule(const PaletteModel &palette, const QUuid &textCollection,
                  const QList<QPoint> &missingCells = {});

    const QList<ScheduleEntry> &entries() const { return m_entries; }
    // The description on one line, else the collection's name for a schedule.
    QString title() const;

    // Letter where the locale measures in US units, else A4.
    static QPageSize pageSizeFor(const QLocale &locale);
    // Where the swatch of an entry is printed, in points from the page's top left corner.
    static QRectF swatchRect(int entry);

    // The whole document; empty if it could not be made.
    QByteArray pdf(const QDate &date, const QPageSize &pageSize) const;
    // Writes today's schedule on the system locale's paper, all or nothing; false with the
    // reason when it cannot be written.
    bool save(const QString &path, QString *reason = nullptr) const;

private:
    QString text(const char *key) const;

    QUuid m_textCollection;
    QString m_description;
    QList<ScheduleEntry> m_entries;
};

} // namespace Sorven
