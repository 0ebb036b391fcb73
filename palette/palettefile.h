#pragma once

#include "core/enumerations.h"
#include "palette/palettemodel.h"

#include <QByteArray>
#include <QString>

#include <optional>

// My Palette as a file: the XML palette file (written as version 3.0, read as 2.0 and 3.0) and
// the text list of chip codes (written only). Cells refer to chips by database IDs; files refer
// to them by collection, page index, row index and code, so both directions read the
// collection databases.
namespace Sorven {

// Files larger than this are no palette files and are refused before parsing.
inline constexpr qint64 MaximumPaletteFileSize = 4 * 1024 * 1024;

// The bytes saving writes: cells whose chip or page no longer loads are left out. Empty for a
// format outside the enumeration.
QByteArray paletteFileBytes(const PaletteModel &palette, PaletteFileFormat format);

// Writes the file all or nothing; false with the reason when it cannot be written.
bool savePaletteFile(const PaletteModel &palette, PaletteFileFormat format, const QString &path,
                     QString *reason = nullptr);

// The cells of a palette file that stayed empty because their chips are not installed here.
struct PaletteFileGaps
{
    int emptyCells = 0;
    // Those cells, in row-major order.
    QList<QPoint> cells;
    // The collections those chips name that are not installed, in the order the file names
    // them.
    QList<QUuid> missingCollections;
};

// A palette file read into a fresh palette. Chips that do not resolve in the installed
// collections, or lie outside the grid, are left out (and counted in gaps); a file that is not
// a palette file of a known version and system gives nothing, with one plain reason such as
// "not a palette file" or "damaged XML at line 12".
std::optional<PaletteModel> parsePaletteFile(const QByteArray &bytes, QString *reason = nullptr,
                                             PaletteFileGaps *gaps = nullptr);

struct PaletteFileRead
{
    // Whether there is a file at the path; loading reacts to one even when it is refused, as
    // a FIFO or device is, or could not be opened.
    bool opened = false;
    std::optional<PaletteModel> palette;
    QString reason;
    PaletteFileGaps gaps;
};

// Opens the file read-only, refuses anything but a regular file and one over
// MaximumPaletteFileSize, and parses it.
PaletteFileRead readPaletteFile(const QString &path);

} // namespace Sorven
