#include "tools/demoschemes.h"

#include "tools/democolor.h"

#include <algorithm>
#include <cmath>

namespace Sorven::Demo {

namespace {

// One row of a scheme: the page in the segment offset steps away, either at the source page's
// own position (the same kind of page) or the page of a given family.
struct SchemeRow
{
    int segmentOffset;
    bool samePosition;
    DemoFamily family;
};

constexpr SchemeRow same(int offset)
{
    return {offset, true, DemoFamily::Medium};
}

constexpr SchemeRow of(int offset, DemoFamily family)
{
    return {offset, false, family};
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
        return {same(0), of(6, DemoFamily::Deep), of(0, DemoFamily::Vivid)};
    case Neutral:
        return {same(0), of(1, DemoFamily::LightNeutral), of(-1, DemoFamily::DarkNeutral)};
    case TonalNeutral:
        return {of(-1, DemoFamily::Offwhite), same(0), of(1, DemoFamily::LightNeutral)};
    case ComplementaryNeutral:
        return {same(0), of(6, DemoFamily::LightNeutral), of(7, DemoFamily::DarkNeutral)};
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
    if (m_collection.spec.cardType == DemoCardType::Polvaron)
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
    const bool polvaron = m_collection.spec.cardType == DemoCardType::Polvaron;
    QList<int> pages;
    for (const SchemeRow &row : polvaron ? polvaronRows(scheme) : normalRows(scheme)) {
        const int target = rowPage(pageNumber, row.segmentOffset, row.samePosition, row.family);
        if (target >= 0 && !pages.contains(target))
            pages << target;
    }
    return pages;
}

QList<int> DemoSchemes::matchingChips(int pageNumber, int chipPosition, int targetPage,
                                      int width) const
{
    const int sourceCount = int(m_collection.pages[pageNumber].chips.size());
    const int targetCount = int(m_collection.pages[targetPage].chips.size());
    const int run = std::min(width, targetCount);
    const int centre = sourceCount > 1
        ? int(std::lround(double(chipPosition) * (targetCount - 1) / (sourceCount - 1)))
        : (targetCount - 1) / 2;
    const int start = std::clamp(centre - run / 2, 0, targetCount - run);
    QList<int> positions;
    for (int position = start; position < start + run; ++position)
        positions << position;
    return positions;
}

int DemoSchemes::rowPage(int pageNumber, int segmentOffset, bool samePosition,
                         DemoFamily family) const
{
    const DemoPage &page = m_collection.pages[pageNumber];
    const int segment = segmentAfter(page.segment, segmentOffset);
    if (samePosition)
        return m_collection.pageNumber(segment, page.position);
    // The page of that family in the same round of the segment's page plan, or the round
    // before when the segment ends early.
    const QList<DemoFamily> &families = m_collection.spec.families;
    const int index = int(families.indexOf(family));
    if (index < 0)
        return -1;
    const int roundStart = page.position - page.position % int(families.size());
    for (int start = roundStart; start >= 0; start -= int(families.size())) {
        const int target = m_collection.pageNumber(segment, start + index);
        if (target >= 0)
            return target;
    }
    return -1;
}

} // namespace Sorven::Demo
