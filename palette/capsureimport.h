#pragma once

#include "db/colorentry.h"
#include "palette/cxfcolors.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

// Measured colours from the capture device: the names a CxF3 file gives its measured objects,
// and the chips of the capsure collections that carry those names as code or name; for an
// object whose name finds no chip, the chips nearest to its measured colour.
namespace Sorven {

// Larger files are not measurements of a handheld device; refusing them bounds the parse.
inline constexpr qint64 CapsureFileSizeLimit = 16 * 1024 * 1024;
// A file with more measured objects is refused: matching each takes a search of every capsure
// collection, and the user picks from one list.
inline constexpr int CapsureObjectLimit = 200;

struct CapsureNames
{
    QStringList names;
    // The objects' colours, where they can be read.
    QList<MeasuredColor> colors;
    // Why the file cannot be read; empty when it was read.
    QString error;
};

// The "Name" of every "Object" of the CxF3 core namespace, in document order, whatever prefix
// the file binds to that namespace.
CapsureNames readCapsureNames(const QString &path);
CapsureNames parseCapsureNames(const QByteArray &xml);

// A chip offered for a measured name, with the collection it was found in.
struct CapsureCandidate
{
    QUuid collection;
    QString collectionName;
    DB::ColorEntry entry;
    // The selection dialog's item text: the code, followed by the collection's name when the
    // candidates span several collections, and the colour difference of a chip found by value.
    QString text;
    // The CIEDE2000 difference to the measured colour; none for a chip found by name.
    std::optional<double> difference;
};

// The chips whose code or name equals a measured name (ASCII case ignored): collections in
// priority order, chips in the order found, each chip once per collection. Empty names match
// nothing.
QList<CapsureCandidate> matchCapsureNames(const QStringList &names);

// The name matches, followed by the chips nearest to the colour of each object whose name
// matches none: at most 3 per collection, only those closer than the collection's first
// colour-difference interval, collections in priority order, nearest first. A chip is listed
// once per collection.
QList<CapsureCandidate> matchCapsureMeasurements(const CapsureNames &measured);

// What the selection dialog offers for the candidates, in their order: each chip once (a chip
// mapped into several collections of its file is offered for the first), labelled.
QList<CapsureCandidate> capsureChoices(const QList<CapsureCandidate> &candidates);

struct CapsureMatch
{
    QStringList names;
    QList<CapsureCandidate> candidates;
    // Why the import ignores the file; empty when there is something to choose.
    QString error;
};

// Reads the file and matches its names: everything the import does before it asks the user.
CapsureMatch matchCapsureFile(const QString &path);

} // namespace Sorven
