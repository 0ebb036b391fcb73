#include "palette/differencefloor.h"

#include <algorithm>
#include <cmath>

namespace Sorven {

namespace {

constexpr double Kappa = 0.1339; // 1 − sin 60° = 0.13397…
constexpr double Beta = 0.03375;

} // namespace

DifferenceFloor::DifferenceFloor(const LabColor &target, double darkest, double lightest)
    : m_target(target),
      m_alpha(1.0 + 0.0675 * std::sqrt(target.a * target.a + target.b * target.b)),
      m_lightnessWeight(std::max(ciede2000LightnessWeight((target.l + darkest) / 2.0),
                                 ciede2000LightnessWeight((target.l + lightest) / 2.0)))
{ }

void DifferenceFloor::setLimit(double limit)
{
    m_reach = limit * (1.0 + 1e-9);
    m_lightnessReach = m_reach * m_lightnessWeight;
}

bool DifferenceFloor::exceeds(const DB::LabSample &sample) const
{
    const double dl = std::abs(sample.l - m_target.l);
    if (dl > m_lightnessReach)
        return true;
    const double l = dl / m_lightnessWeight;
    const double da = sample.a - m_target.a, db = sample.b - m_target.b;
    const double x = std::sqrt(da * da + db * db);
    const double chroma = x / (m_alpha + Beta * x);
    return l * l + Kappa * chroma * chroma > m_reach * m_reach;
}

} // namespace Sorven
