#include "palette/equivalenttable.h"

#include "palette/differencefloor.h"
#include "palette/leastcandidates.h"

#include <algorithm>
#include <cmath>

namespace Sorven {

namespace {

// The CIEDE2000 lightness weight reaches about 1.747 at L* 0 and 100; rounding it up keeps the
// bound safe from rounding.
constexpr double LightnessWeightLimit = 1.75;

bool isFinite(const DB::LabSample &sample)
{
    return std::isfinite(sample.l) && std::isfinite(sample.a) && std::isfinite(sample.b);
}

// Where both bounds hold: L* within 0..100, and a* and b* small enough that the floor's squares
// stay exact enough to order samples.
bool isOrdered(const LabColor &lab)
{
    constexpr double OrdinaryLimit = 1e6;
    return lab.l >= 0.0 && lab.l <= 100.0 && std::abs(lab.a) <= OrdinaryLimit
        && std::abs(lab.b) <= OrdinaryLimit;
}

struct Candidate
{
    double difference;
    qsizetype order;
    qint64 rowId;

    friend bool operator<(const Candidate &x, const Candidate &y)
    {
        return x.difference < y.difference || (x.difference == y.difference && x.order < y.order);
    }
};

// The n best candidates so far, worst on top.
class BestCandidates
{
public:
    explicit BestCandidates(int n) : m_best(n) { }

    bool isFull() const { return m_best.isFull(); }
    double worst() const { return m_best.greatest().difference; }

    void offer(const LabColor &target, const DB::LabSample &sample, qsizetype order)
    {
        const double difference = ciede2000Difference(target, {sample.l, sample.a, sample.b});
        if (!std::isfinite(difference))
            return;
        m_best.offer({difference, order, sample.rowId});
    }

    LabMatches matches()
    {
        const std::vector<Candidate> least = m_best.take();
        LabMatches result;
        result.reserve(qsizetype(least.size()));
        for (const Candidate &candidate : least)
            result.append({candidate.difference, candidate.rowId});
        return result;
    }

private:
    LeastCandidates<Candidate> m_best;
};

} // namespace

EquivalentTable::EquivalentTable(const QList<DB::LabSample> &samples)
{
    for (qsizetype i = 0; i < samples.size(); ++i) {
        const DB::LabSample &sample = samples.at(i);
        // A sample without a finite value has no difference to anything.
        if (!isFinite(sample))
            continue;
        (isOrdered({sample.l, sample.a, sample.b}) ? m_ordered : m_outliers).push_back({sample, i});
    }
    std::sort(m_ordered.begin(), m_ordered.end(), [](const Entry &x, const Entry &y) {
        return x.sample.l < y.sample.l || (x.sample.l == y.sample.l && x.order < y.order);
    });
}

LabMatches EquivalentTable::nearest(const LabColor &target, int n) const
{
    if (n <= 0)
        return {};
    BestCandidates best(n);
    for (const Entry &entry : m_outliers)
        best.offer(target, entry.sample, entry.order);
    if (!isOrdered(target) || m_ordered.empty()) {
        for (const Entry &entry : m_ordered)
            best.offer(target, entry.sample, entry.order);
        return best.matches();
    }
    DifferenceFloor floor(target, m_ordered.front().sample.l, m_ordered.back().sample.l);
    const auto split
        = std::lower_bound(m_ordered.begin(), m_ordered.end(), target.l,
                           [](const Entry &entry, double l) { return entry.sample.l < l; });
    auto below = std::make_reverse_iterator(split);
    auto above = split;
    while (below != m_ordered.rend() || above != m_ordered.end()) {
        const double belowGap = below != m_ordered.rend() ? target.l - below->sample.l : HUGE_VAL;
        const double aboveGap = above != m_ordered.end() ? above->sample.l - target.l : HUGE_VAL;
        // Strictly beyond: a sample that could tie the worst is still compared.
        if (best.isFull() && std::min(belowGap, aboveGap) / LightnessWeightLimit > best.worst())
            break;
        const Entry &entry = belowGap <= aboveGap ? *below++ : *above++;
        if (floor.exceeds(entry.sample))
            continue;
        best.offer(target, entry.sample, entry.order);
        if (best.isFull())
            floor.setLimit(best.worst());
    }
    return best.matches();
}

} // namespace Sorven
