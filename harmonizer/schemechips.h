#pragma once

#include "core/enumerations.h"
#include "db/colorentry.h"
#include "db/labsample.h"

#include <QList>
#include <QUuid>
#include <QVector>

#include <optional>

// Which chips the harmonizer panes show for the selected chip: the scheme rows the collection's
// authors matched to it. Kept apart from the panes so that the collection authors' tool answers
// exactly what a pane would show.
namespace Sorven {

// The chip a scheme is wanted for and the scheme the user chose; rowIndex counts from 1.
struct SchemeRequest
{
    QUuid collection;
    SchemeKind kind = NoScheme;
    SchemeKind subKind = TonalNeutralScheme;
    int pageIndex = -1;
    int rowIndex = -1;

    friend bool operator==(const SchemeRequest &, const SchemeRequest &) = default;
};

// At most three rows; empty when the collection has no whole scheme for the chip.
struct SchemeChips
{
    QUuid collection;
    // The kind the tables were asked for, after the neutral sub-kind and its fallback.
    SchemeKind kind = NoScheme;
    // Whether the chip's page has a complementary-neutral page scheme; only card-to-card
    // collections tell.
    bool complementary = false;
    // The number of chips a row is laid out for.
    int columns = 0;
    QList<QVector<DB::ColorEntry>> rows;
};

inline constexpr int MaxSchemeRows = 3;

// The collection whose schemes stand in while uuid is selected: uuid itself when it offers
// schemes, else the last installed collection that does, else the system-wide collection.
QUuid schemeCollectionFor(const QUuid &uuid);

// The request moved onto the chip of inUse nearest in colour to the requested chip; samples is
// inUse's colour table. Unchanged when inUse is the request's collection or a step fails.
SchemeRequest schemeRequestIn(const SchemeRequest &request, const QUuid &inUse,
                              const QList<DB::LabSample> &samples);

// Whether a pane showing the chips of last must read the tables again for request; whole pages
// change only with the page.
bool schemeRequestChanged(const SchemeRequest &last, const SchemeRequest &request);

SchemeChips loadSchemeChips(const SchemeRequest &request);

// The powder-coating trio for a chip: the first wide-contrast colour, the contrast colour and
// the second wide-contrast colour, or nothing unless the collection names exactly these three.
QVector<DB::ColorEntry> loadPolvaronSchemeChips(const QUuid &uuid, int pageIndex, int rowIndex);

} // namespace Sorven
