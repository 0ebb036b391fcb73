#include "harmonizer/schemechips.h"

#include "core/collectionsettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/querylog.h"
#include "palette/colorscience.h"

#include <algorithm>

namespace Sorven {

namespace {

constexpr int PolvaronChipCount = 3;

// Modes 1 and 3 show the neutral button's sub-kind; the row-to-page tables keep a neutral
// scheme of their own.
SchemeKind queriedKind(CollectionSettings::CardMode mode, const SchemeRequest &request)
{
    if (request.kind == NeutralScheme && mode != CollectionSettings::ModeColorToCard)
        return request.subKind;
    return request.kind;
}

// Splits the scheme's chips into rows where key changes; nothing unless every row can be laid
// out in whole rows of columns chips.
template<typename Key>
QList<QVector<DB::ColorEntry>> splitRows(const QVector<DB::ColorEntry> &chips, int columns, Key key)
{
    QList<QVector<DB::ColorEntry>> rows;
    if (columns <= 0 || chips.isEmpty() || chips.size() % columns != 0)
        return rows;
    for (const DB::ColorEntry &chip : chips) {
        if (rows.isEmpty() || key(chip) != key(rows.last().last()))
            rows.append(QVector<DB::ColorEntry>());
        rows.last().append(chip);
    }
    return rows;
}

void rowsFromChips(SchemeChips &scheme, const SchemeRequest &request,
                   CollectionSettings::CardMode mode)
{
    QVector<DB::ColorEntry> chips;
    scheme.columns = CollectionSettings::maxChipsOnAPage(request.collection);
    if (mode == CollectionSettings::ModeColorToColor) {
        if (DB::loadSchemeEntries(request.collection, scheme.kind, request.pageIndex,
                                  request.rowIndex, chips)
            == DB::Success)
            scheme.rows = splitRows(chips, scheme.columns,
                                    [](const DB::ColorEntry &chip) { return chip.segment; });
    } else if (DB::loadSchemePageEntries(request.collection, scheme.kind, request.pageIndex,
                                         request.rowIndex, chips)
               == DB::Success) {
        scheme.rows = splitRows(chips, scheme.columns,
                                [](const DB::ColorEntry &chip) { return chip.pageOrder; });
    }
}

void rowsFromPages(SchemeChips &scheme, const SchemeRequest &request)
{
    scheme.complementary = DB::hasComplementaryNeutralScheme(request.collection, request.pageIndex);
    if (scheme.kind == ComplementaryNeutralScheme && !scheme.complementary)
        scheme.kind = TonalNeutralScheme;
    QList<DB::ColorPage> pages;
    DB::loadSchemePages(request.collection, request.pageIndex, scheme.kind, pages);
    for (const DB::ColorPage &page : pages) {
        if (page.entries.isEmpty())
            continue;
        scheme.rows.append(page.entries);
        scheme.columns = std::max(scheme.columns, int(page.entries.size()));
    }
}

} // namespace

QUuid schemeCollectionFor(const QUuid &uuid)
{
    if (CollectionSettings::hasColorSchemesPage(uuid))
        return uuid;
    QUuid substitute = DB::SystemWideCollectionUuid;
    for (const QUuid &candidate : DB::availableCollections()) {
        if (CollectionSettings::hasColorSchemesPage(candidate))
            substitute = candidate;
    }
    return substitute;
}

SchemeRequest schemeRequestIn(const SchemeRequest &request, const QUuid &inUse,
                              const QList<DB::LabSample> &samples)
{
    if (inUse == request.collection)
        return request;
    DB::ColorEntry selected;
    DB::ColorEntry nearest;
    DB::ColorPage page;
    LabMatches matches;
    if (DB::loadEntryAt(request.collection, request.pageIndex, request.rowIndex, selected)
            != DB::Success
        || (matches = nearestLabSamples(labFromColor(selected.color()), samples, 1)).isEmpty()
        || DB::loadEntryById(inUse, matches.first().second, nearest) != DB::Success
        || DB::loadPageById(inUse, nearest.pageId, true, page) != DB::Success) {
        qCDebug(DB::queryLog) << "fake";
        return request;
    }
    SchemeRequest moved = request;
    moved.collection = inUse;
    moved.pageIndex = page.pageIndex;
    moved.rowIndex = nearest.rowIndex;
    return moved;
}

bool schemeRequestChanged(const SchemeRequest &last, const SchemeRequest &request)
{
    const CollectionSettings::CardMode mode = CollectionSettings::cardMode(request.collection);
    if (mode != CollectionSettings::ModeCardToCard || last.collection != request.collection)
        return !(last == request);
    return queriedKind(mode, last) != queriedKind(mode, request)
        || last.pageIndex != request.pageIndex;
}

SchemeChips loadSchemeChips(const SchemeRequest &request)
{
    const CollectionSettings::CardMode mode = CollectionSettings::cardMode(request.collection);
    SchemeChips scheme;
    scheme.collection = request.collection;
    scheme.kind = queriedKind(mode, request);
    switch (mode) {
    case CollectionSettings::ModeColorToColor:
    case CollectionSettings::ModeColorToCard:
        rowsFromChips(scheme, request, mode);
        break;
    case CollectionSettings::ModeCardToCard:
        rowsFromPages(scheme, request);
        break;
    case CollectionSettings::NoCardMode:
        break;
    }
    scheme.rows = scheme.rows.mid(0, MaxSchemeRows);
    return scheme;
}

QVector<DB::ColorEntry> loadPolvaronSchemeChips(const QUuid &uuid, int pageIndex, int rowIndex)
{
    QVector<DB::ColorEntry> chips;
    if (DB::loadContrastSchemeEntries(uuid, pageIndex, rowIndex, chips) != DB::Success
        || chips.size() != PolvaronChipCount)
        chips.clear();
    return chips;
}

} // namespace Sorven
