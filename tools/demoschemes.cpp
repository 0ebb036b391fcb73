#include "tools/demoschemes.h"

#include "tools/democolor.h"

#include <algorithm>

namespace Sorven::Demo {

namespace {

// One row of a scheme: the page in the segment offset steps away, either at the source page's
// own position (the same kind of page) or of the first of the families the collection has.
struct SchemeRow
{
    int segmentOffset;
    QList<DemoFamily> families;
};

SchemeRow same(int offset)
{
    return {offset, {}};
}

SchemeRow of(int offset, std::initializer_list<DemoFamily> families)
{
    return {offset, families};
}

QList<SchemeRow> normalRows(int scheme)
{
    switch (scheme) {
    case Harmonic:
        return {same(-1), same(0), same(1)};
    case Contrast:
        return {same(0), same(6)};
    case WideContrast:
        return {same(0), same(5), same(7)};
    case Dynamic:
        return {same(0), same(4), same(8)};
    case Dramatic:
        return {same(0), of(6, {DemoFamily::Deep, DemoFamily::Rich, DemoFamily::Earthy}),
                of(0, {DemoFamily::Vivid, DemoFamily::Bright, DemoFamily::Clear})};
    case Neutral:
        return {same(0), of(1, {DemoFamily::LightNeutral}), of(-1, {DemoFamily::DarkNeutral})};
    case TonalNeutral:
        return {of(-1, {DemoFamily::Offwhite, DemoFamily::LightNeutral}), same(0),
                of(1, {DemoFamily::LightNeutral})};
    case ComplementaryNeutral:
        return {same(0), of(6, {DemoFamily::LightNeutral}), of(7, {DemoFamily::DarkNeutral})};
    }
    return {};
}

// Powder coatings show exactly one contrast and two wide-contrast partners.
QList<SchemeRow> polvaronRows(int scheme)
{
    switch (scheme) {
    case Contrast:
        return {same(6)};
    case WideContrast:
        return {same(5), same(7)};
    }
    return {};
}

} // namespace

DemoSchemes::DemoSchemes(const DemoCollection &collection) : m_collection(collection) { }

QList<int> DemoSchemes::schemesOf(int pageNumber) const
{
    if (m_collection.plan.cardType == DemoCardType::Polvaron)
        return {Contrast, WideContrast};
    const DemoPage &page = m_collection.pages[pageNumber];
    QList<int> schemes {Harmonic, Contrast, WideContrast, Dynamic};
    if (page.mood == 5 || page.mood == 6)
        schemes << Dramatic;
    schemes << Neutral << TonalNeutral;
    if (page.mood == 4)
        schemes << ComplementaryNeutral;
    return schemes;
}

QList<int> DemoSchemes::schemePages(int pageNumber, int scheme) const
{
    const bool polvaron = m_collection.plan.cardType == DemoCardType::Polvaron;
    QList<int> pages;
    for (const SchemeRow &row : polvaron ? polvaronRows(scheme) : normalRows(scheme)) {
        const int target = rowPage(pageNumber, row.segmentOffset, row.families);
        if (target < 0 || pages.contains(target))
            continue;
        // Rows next to each other must differ in segment, or they would show as one.
        if (!pages.isEmpty()
            && m_collection.pages[pages.last()].segment == m_collection.pages[target].segment)
            continue;
        pages << target;
    }
    return pages;
}

int DemoSchemes::rowPage(int pageNumber, int segmentOffset, const QList<DemoFamily> &wanted) const
{
    const DemoPage &page = m_collection.pages[pageNumber];
    const int segment = segmentAfter(page.segment, segmentOffset);
    if (wanted.isEmpty())
        return m_collection.pageNumber(segment, page.position);
    // The page of that family in the same round of the segment's page plan, or the round
    // before when the segment ends early.
    const QList<DemoFamily> &families = m_collection.plan.families;
    const auto family = std::find_if(wanted.cbegin(), wanted.cend(),
                                     [&families](DemoFamily f) { return families.contains(f); });
    if (family == wanted.cend())
        return -1;
    const int index = int(families.indexOf(*family));
    const int roundStart = page.position - page.position % int(families.size());
    for (int start = roundStart; start >= 0; start -= int(families.size())) {
        const int target = m_collection.pageNumber(segment, start + index);
        if (target >= 0)
            return target;
    }
    return -1;
}

} // namespace Sorven::Demo
