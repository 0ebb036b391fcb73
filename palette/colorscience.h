#pragma once

#include "db/labsample.h"

#include <QList>
#include <QPair>

class QColor;

// Colour conversion to CIE L*a*b* (sRGB, D65) and the CIEDE2000 difference, shared by every
// widget that looks for the chip nearest to a colour.
namespace Sorven {

struct LabColor
{
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
};

// CIE XYZ with the white's Y at 1.
struct XyzColor
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// The white of D65 and the 2° observer, to which every L*a*b* value of the collections refers.
inline constexpr XyzColor D65White {0.95047, 1.0, 1.08883};

// Ascending by difference; among equal differences the sample that came first stays ahead.
using LabMatches = QList<QPair<double, qint64>>;

LabColor labFromColor(const QColor &color);
LabColor labFromXyz(const XyzColor &xyz, const XyzColor &white);
XyzColor xyzFromLab(const LabColor &lab, const XyzColor &white);
double ciede2000Difference(const LabColor &first, const LabColor &second);
// The lightness weight S_L of CIEDE2000 for the mean L* of two colours.
double ciede2000LightnessWeight(double meanL);
// The n samples nearest to target as (difference, row ID) pairs.
LabMatches nearestLabSamples(const LabColor &target, const QList<DB::LabSample> &samples, int n);

} // namespace Sorven
