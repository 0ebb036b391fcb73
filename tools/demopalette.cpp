#include "tools/demopalette.h"

#include "palette/colorscience.h"
#include "tools/democolor.h"
#include "tools/demonames.h"
#include "tools/demorandom.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Sorven::Demo {

namespace {

// Chroma and the lightness of the first and the last chip of a page, in OKLCH.
struct FamilyShape
{
    double chroma;
    double top;
    double bottom;
};

FamilyShape shapeOf(DemoFamily family)
{
    switch (family) {
    case DemoFamily::Offwhite:
        return {0.018, 0.975, 0.925};
    case DemoFamily::LightNeutral:
        return {0.014, 0.93, 0.62};
    case DemoFamily::DarkNeutral:
        return {0.012, 0.66, 0.28};
    case DemoFamily::Pastel:
        return {0.06, 0.95, 0.80};
    case DemoFamily::Muted:
        return {0.05, 0.88, 0.48};
    case DemoFamily::Dusty:
        return {0.075, 0.85, 0.50};
    case DemoFamily::Medium:
        return {0.11, 0.90, 0.55};
    case DemoFamily::Clear:
        return {0.14, 0.92, 0.62};
    case DemoFamily::Bright:
        return {0.19, 0.86, 0.58};
    case DemoFamily::Vivid:
        return {0.26, 0.78, 0.50};
    case DemoFamily::Deep:
        return {0.13, 0.56, 0.26};
    case DemoFamily::Rich:
        return {0.17, 0.62, 0.34};
    case DemoFamily::Earthy:
        return {0.07, 0.66, 0.30};
    }
    return {0.1, 0.9, 0.5};
}

bool isNeutralFamily(DemoFamily family)
{
    return family == DemoFamily::LightNeutral || family == DemoFamily::DarkNeutral;
}

// Page sizes within the plan's range that add up to exactly the wanted number of chips.
QList<int> pageSizes(const DemoCollectionPlan &plan, DemoRandom &random)
{
    const double average = (plan.minPageChips + plan.maxPageChips) / 2.0;
    int pages = std::max(1, int(std::ceil(plan.chipCount / average)));
    pages = (pages + SegmentCount - 1) / SegmentCount * SegmentCount;
    QList<int> sizes(pages);
    int total = 0;
    for (int &size : sizes) {
        size = random.bounded(plan.minPageChips, plan.maxPageChips);
        total += size;
    }
    // A small collection cannot give every page the minimum, so pages may then run shorter.
    const int floor = pages * plan.minPageChips > plan.chipCount ? 1 : plan.minPageChips;
    const int ceiling = std::max(plan.maxPageChips, (plan.chipCount + pages - 1) / pages);
    // A prime stride spreads the corrections over the deck instead of piling them up in front.
    const qsizetype stride = pages % 7919 == 0 ? 1 : 7919;
    for (qsizetype step = 0; total != plan.chipCount; ++step) {
        int &size = sizes[(step * stride) % pages];
        if (total < plan.chipCount && size < ceiling) {
            ++size;
            ++total;
        } else if (total > plan.chipCount && size > floor) {
            --size;
            --total;
        }
    }
    return sizes;
}

QString chipCode(const DemoCollectionPlan &plan, int ordinal)
{
    const int width = std::max(4, int(QString::number(plan.chipCount).size()));
    return plan.codePrefix + QLatin1Char(' ')
        + QString::number(ordinal + 1).rightJustified(width, QLatin1Char('0'));
}

DemoChip makeChip(const DemoCollectionPlan &plan, const DemoPage &page, int row, int count,
                  double hue, const FamilyShape &shape, DemoRandom &random)
{
    const double t = count > 1 ? double(row) / (count - 1) : 0.5;
    const double lightness = shape.top + (shape.bottom - shape.top) * t;
    // Tints of a colour are paler than its full tone, as on a real fan deck.
    const double chroma
        = isNeutralFamily(page.family) ? shape.chroma : shape.chroma * (0.6 + 0.4 * t);

    DemoChip chip;
    chip.rowIndex = row + 1;
    chip.color = colorFromOklch(lightness, chroma, hue);
    const LabColor lab = labFromColor(chip.color);
    chip.l = lab.l;
    chip.a = lab.a;
    chip.b = lab.b;
    chip.code = chipCode(plan, page.firstChip + row);
    chip.name = chipName(page.family, page.segment, lightness, random);
    if (page.position % 2 == 0)
        chip.secondName = chipDescription(page.family, page.segment, lightness);
    chip.extra = QStringLiteral("LRV %1").arg(std::lround(relativeLuminance(chip.color) * 100.0));
    chip.neutral = isNeutralFamily(page.family);
    chip.white = page.family == DemoFamily::Offwhite;
    chip.madeToOrder = !chip.neutral && !chip.white && random.unit() < plan.madeToOrderShare;
    return chip;
}

DemoPage makePage(const DemoCollectionPlan &plan, int segment, int position, int firstChip,
                  int size, DemoRandom &random)
{
    const int cycle = int(position / plan.families.size());
    DemoPage page;
    page.segment = segment;
    page.position = position;
    page.family = plan.families[position % plan.families.size()];
    page.name = QStringLiteral("%1 %2").arg(segmentName(segment)).arg(position + 1);
    page.extra = familyLabel(page.family);
    page.mood = moodOf(page.family, segment);
    page.exterior = plan.exteriorFamilies.contains(page.family);
    page.firstChip = firstChip;

    FamilyShape shape = shapeOf(page.family);
    if (!isNeutralFamily(page.family) && page.family != DemoFamily::Offwhite) {
        // Yellows turn olive when darkened, so their cards stop at a lighter shade.
        static constexpr std::array<double, SegmentCount> lifts {0.0, 0.03, 0.10, 0.05, 0.0, 0.0,
                                                                 0.0, 0.0,  0.0,  0.0,  0.0, 0.0};
        const double lift = lifts[segment - 1];
        shape.top = std::min(0.985, shape.top + lift / 2.0);
        shape.bottom += lift;
    }
    // Later rounds of the same family vary a little, so large collections do not repeat.
    if (cycle > 0) {
        shape.chroma *= random.between(0.85, 1.15);
        const double shift = random.between(-0.03, 0.03);
        shape.top = std::min(0.985, shape.top + shift);
        shape.bottom += shift;
    }
    const double hue = segmentHue(segment) + random.between(-7.0, 7.0);
    for (int row = 0; row < size; ++row)
        page.chips << makeChip(plan, page, row, size, hue, shape, random);
    return page;
}

} // namespace

int DemoCollection::chipCount() const
{
    return pages.isEmpty() ? 0 : pages.last().firstChip + int(pages.last().chips.size());
}

int DemoCollection::pageNumber(int segment, int position) const
{
    if (segment < 1 || segment > SegmentCount || position < 0 || position >= pagesPerSegment)
        return -1;
    return (segment - 1) * pagesPerSegment + position;
}

int moodOf(DemoFamily family, int segment)
{
    const bool warm = segment <= 3 || segment == SegmentCount;
    const bool cool = segment >= 7 && segment <= 10;
    switch (family) {
    case DemoFamily::Offwhite:
        return 5;
    case DemoFamily::LightNeutral:
    case DemoFamily::DarkNeutral:
        return 6;
    case DemoFamily::Deep:
    case DemoFamily::Rich:
        return 4;
    case DemoFamily::Bright:
    case DemoFamily::Vivid:
        return warm ? 2 : 1;
    case DemoFamily::Pastel:
    case DemoFamily::Medium:
    case DemoFamily::Clear:
        return warm ? 2 : (cool ? 3 : 1);
    case DemoFamily::Muted:
    case DemoFamily::Dusty:
    case DemoFamily::Earthy:
        return warm ? 2 : 3;
    }
    return 0;
}

DemoCollection generateCollection(const DemoCollectionPlan &plan)
{
    DemoRandom random(plan.seed);
    const QList<int> sizes = pageSizes(plan, random);
    DemoCollection collection;
    collection.plan = plan;
    collection.pagesPerSegment = int(sizes.size()) / SegmentCount;
    int firstChip = 0;
    for (int segment = 1; segment <= SegmentCount; ++segment) {
        for (int position = 0; position < collection.pagesPerSegment; ++position) {
            const int size = sizes[collection.pages.size()];
            DemoPage page = makePage(plan, segment, position, firstChip, size, random);
            page.pageIndex = int(collection.pages.size()) + 1;
            firstChip += size;
            collection.pages << page;
        }
    }
    return collection;
}

} // namespace Sorven::Demo
