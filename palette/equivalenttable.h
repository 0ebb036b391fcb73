#pragma once

#include "db/labsample.h"
#include "palette/colorscience.h"

#include <QList>

#include <vector>

namespace Sorven {

// A collection's colour table ordered by L*, for repeated nearest-chip searches across many
// collections. CIEDE2000 is never below |ΔL*| / 1.75 while both lightnesses lie within 0..100,
// so a search walks outward from the target's L* and stops once that bound passes the worst of
// the best found; it answers exactly what nearestLabSamples answers for the samples as given.
class EquivalentTable
{
public:
    EquivalentTable() = default;
    explicit EquivalentTable(const QList<DB::LabSample> &samples);

    // The n samples nearest to target as (difference, row ID) pairs; among equal differences
    // the sample given first stays ahead.
    LabMatches nearest(const LabColor &target, int n) const;
    qsizetype size() const { return qsizetype(m_ordered.size() + m_outliers.size()); }

private:
    struct Entry
    {
        DB::LabSample sample;
        qsizetype order = 0;
    };

    // Samples with L* in 0..100 and ordinary a* and b*, by L* and then given order.
    std::vector<Entry> m_ordered;
    // The others, where the bounds do not hold; compared one by one.
    std::vector<Entry> m_outliers;
};

} // namespace Sorven
