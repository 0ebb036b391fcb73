#pragma once

#include "tools/demopalette.h"

#include <QList>

// Which pages and chips make up the harmony schemes of a demo collection. Schemes follow
// colour theory on the wheel: harmonic takes the neighbouring hues, contrast the complement,
// wide contrast the split complement, dynamic the triad; the neutral schemes pair a colour
// with the offwhite and neutral pages. Consecutive rows of a scheme always come from different
// segments, which is how the row-to-row display tells its rows apart.
namespace Sorven::Demo {

enum SchemeId {
    Harmonic = 1,
    Contrast = 2,
    WideContrast = 3,
    Dynamic = 4,
    Dramatic = 5,
    Neutral = 6,
    TonalNeutral = 7,
    ComplementaryNeutral = 8,
};

class DemoSchemes
{
public:
    explicit DemoSchemes(const DemoCollection &collection);

    // The schemes a page's chips take part in: dramatic only for neutral and white chips,
    // complementary neutral only for rich ones.
    QList<int> schemesOf(int pageNumber) const;
    // The pages whose chips form a scheme, one per scheme row, in row order.
    QList<int> schemePages(int pageNumber, int scheme) const;

private:
    int rowPage(int pageNumber, int segmentOffset, const QList<DemoFamily> &wanted) const;

    const DemoCollection &m_collection;
};

} // namespace Sorven::Demo
