#pragma once

#include "db/labsample.h"
#include "palette/colorscience.h"

#include <limits>

namespace Sorven {

// A lower bound of the difference between the target and a sample, cheap enough to reject most
// samples before their difference is computed. With Y = ΔC'/S_C and Z = ΔH'/S_H the squared
// difference is (ΔL/S_L)² + Y² + Z² + R_T·Y·Z. As |R_T| ≤ 2 sin 60°, the last three terms are at
// least κ(Y² + Z²) with κ = 1 − sin 60°. S_H ≤ S_C because T < 3, and ΔC'² + ΔH'² is the squared
// distance in the (a', b) plane, at least x² = Δa² + Δb². S_C grows with the chroma, C' ≤ 1.5 C
// (G ≤ 0.5) and the sample's chroma is at most the target's plus x, so S_C ≤ α + βx. S_L is
// largest for the lightest or the darkest sample. Hence
//     difference² ≥ (ΔL / S_L,max)² + κ x² / (α + βx)².
class DifferenceFloor
{
public:
    // darkest and lightest bound the L* of every sample the floor is asked about.
    DifferenceFloor(const LabColor &target, double darkest, double lightest);

    // The margin covers the rounding of the bound and of the difference, far above their few
    // ulps.
    void setLimit(double limit);
    // Whether the sample's difference is certainly greater than the limit.
    bool exceeds(const DB::LabSample &sample) const;

private:
    LabColor m_target;
    double m_alpha;
    double m_lightnessWeight;
    double m_reach = std::numeric_limits<double>::infinity();
    double m_lightnessReach = std::numeric_limits<double>::infinity();
};

} // namespace Sorven
