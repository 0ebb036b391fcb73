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

// Ascending by difference; among equal differences the sample that came first stays ahead.
using LabMatches = QList<QPair<double, qint64>>;

LabColor labFromColor(const QColor &color);
double ciede2000Difference(const LabColor &first, const LabColor &second);
// The n samples nearest to target as (difference, row ID) pairs.
LabMatches nearestLabSamples(const LabColor &target, const QList<DB::LabSample> &samples, int n);

} // namespace Sorven
