#include "palette/colorscience.h"

#include "palette/differencefloor.h"
#include "palette/leastcandidates.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace Sorven {

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double TwoPi = 2.0 * Pi;
constexpr double Degree = Pi / 180.0;
constexpr double Pow25To7 = 6103515625.0;

double linearized(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double labCompanding(double t)
{
    return t > 0.008856451679035631 ? std::cbrt(t) : (903.2962962962963 * t + 16.0) / 116.0;
}

// The inverse of labCompanding; its linear part meets the cube at t = 6/29.
double labExpanding(double t)
{
    constexpr double Edge = 6.0 / 29.0;
    return t > Edge ? t * t * t : 3.0 * Edge * Edge * (t - 4.0 / 29.0);
}

double pow7(double x)
{
    const double x3 = x * x * x;
    return x3 * x3 * x;
}

double hueAngle(double b, double a)
{
    if (a == 0.0 && b == 0.0)
        return 0.0;
    const double h = std::atan2(b, a);
    return h < 0.0 ? h + TwoPi : h;
}

// The hue weighting T, from one sine and cosine of the mean hue through the multiple-angle
// identities instead of four cosines.
double hueWeighting(double meanHue)
{
    const double c1 = std::cos(meanHue);
    const double s1 = std::sin(meanHue);
    const double c2 = 2.0 * c1 * c1 - 1.0;
    const double s2 = 2.0 * s1 * c1;
    const double c3 = c1 * (2.0 * c2 - 1.0);
    const double s3 = s1 * (2.0 * c2 + 1.0);
    const double c4 = 2.0 * c2 * c2 - 1.0;
    const double s4 = 2.0 * s2 * c2;
    static const double cos30 = std::cos(30.0 * Degree), sin30 = std::sin(30.0 * Degree);
    static const double cos6 = std::cos(6.0 * Degree), sin6 = std::sin(6.0 * Degree);
    static const double cos63 = std::cos(63.0 * Degree), sin63 = std::sin(63.0 * Degree);
    return 1.0 - 0.17 * (c1 * cos30 + s1 * sin30) + 0.24 * c2 + 0.32 * (c3 * cos6 - s3 * sin6)
        - 0.20 * (c4 * cos63 + s4 * sin63);
}

LabColor labOf(const DB::LabSample &sample)
{
    return {sample.l, sample.a, sample.b};
}

// Far outside every real L*a*b* value, yet small enough that the pruned search's squares and
// sums stay exact enough to order samples.
constexpr double OrdinaryLimit = 1e6;

bool isOrdinary(const LabColor &lab)
{
    return std::abs(lab.l) <= OrdinaryLimit && std::abs(lab.a) <= OrdinaryLimit
        && std::abs(lab.b) <= OrdinaryLimit;
}

// The search exactly as the rule reads: insert before the first strictly greater difference,
// drop the tail. Kept for input the pruned search cannot order (NaN, infinite or absurdly large
// values). A sample whose difference is not a number takes no part: it would otherwise rank
// first with a "nan" difference.
LabMatches scanAll(const LabColor &target, const QList<DB::LabSample> &samples, int n)
{
    LabMatches result;
    for (const DB::LabSample &sample : samples) {
        const double difference = ciede2000Difference(target, labOf(sample));
        if (!std::isfinite(difference))
            continue;
        const auto greater
            = std::find_if(result.begin(), result.end(),
                           [difference](const auto &m) { return m.first > difference; });
        result.insert(greater, {difference, sample.rowId});
        if (result.size() > n)
            result.removeLast();
    }
    return result;
}

struct Candidate
{
    double difference;
    qsizetype index;

    // The scan keeps the earlier sample ahead among equal differences, so the sample index
    // breaks ties.
    friend bool operator<(const Candidate &x, const Candidate &y)
    {
        return x.difference < y.difference || (x.difference == y.difference && x.index < y.index);
    }
};

// One pass over the samples ahead of the search: whether every value is ordinary, the lightness
// range, and the n samples nearest to the target by plain Euclidean distance.
struct Survey
{
    bool ordinary = true;
    double darkest = std::numeric_limits<double>::infinity();
    double lightest = -std::numeric_limits<double>::infinity();
    std::vector<std::pair<double, qsizetype>> nearest;
};

Survey surveySamples(const LabColor &target, const QList<DB::LabSample> &samples, int n)
{
    Survey survey;
    LeastCandidates<std::pair<double, qsizetype>> nearest(n);
    for (qsizetype i = 0; i < samples.size(); ++i) {
        const DB::LabSample &sample = samples.at(i);
        if (!isOrdinary(labOf(sample))) {
            survey.ordinary = false;
            break;
        }
        survey.darkest = std::min(survey.darkest, sample.l);
        survey.lightest = std::max(survey.lightest, sample.l);
        const double dl = sample.l - target.l, da = sample.a - target.a, db = sample.b - target.b;
        const double distance2 = dl * dl + da * da + db * db;
        nearest.offer({distance2, i});
    }
    survey.nearest = nearest.take();
    return survey;
}

} // namespace

double ciede2000LightnessWeight(double meanL)
{
    const double offset2 = (meanL - 50.0) * (meanL - 50.0);
    return 1.0 + 0.015 * offset2 / std::sqrt(20.0 + offset2);
}

LabColor labFromColor(const QColor &color)
{
    const double r = linearized(color.redF());
    const double g = linearized(color.greenF());
    const double b = linearized(color.blueF());
    return labFromXyz({0.4124 * r + 0.3576 * g + 0.1805 * b, 0.2126 * r + 0.7152 * g + 0.0722 * b,
                       0.0193 * r + 0.1192 * g + 0.9505 * b},
                      D65White);
}

LabColor labFromXyz(const XyzColor &xyz, const XyzColor &white)
{
    const double fx = labCompanding(xyz.x / white.x);
    const double fy = labCompanding(xyz.y / white.y);
    const double fz = labCompanding(xyz.z / white.z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

XyzColor xyzFromLab(const LabColor &lab, const XyzColor &white)
{
    const double fy = (lab.l + 16.0) / 116.0;
    return {white.x * labExpanding(fy + lab.a / 500.0), white.y * labExpanding(fy),
            white.z * labExpanding(fy - lab.b / 200.0)};
}

// Little CMS's cmsCIE2000DeltaE gives the same values (to 1e-9) but takes about twice as long,
// mostly in pow() and degree conversions, and the nearest-chip search calls this in its loop.
double ciede2000Difference(const LabColor &first, const LabColor &second)
{
    const double c1 = std::sqrt(first.a * first.a + first.b * first.b);
    const double c2 = std::sqrt(second.a * second.a + second.b * second.b);
    const double meanC7 = pow7((c1 + c2) / 2.0);
    const double g = 0.5 * (1.0 - std::sqrt(meanC7 / (meanC7 + Pow25To7)));

    const double a1 = (1.0 + g) * first.a;
    const double a2 = (1.0 + g) * second.a;
    const double c1p = std::sqrt(a1 * a1 + first.b * first.b);
    const double c2p = std::sqrt(a2 * a2 + second.b * second.b);
    const double h1p = hueAngle(first.b, a1);
    const double h2p = hueAngle(second.b, a2);
    const double chromaProduct = c1p * c2p;

    double hueDelta = 0.0;
    double meanHue = h1p + h2p;
    if (chromaProduct != 0.0) {
        hueDelta = h2p - h1p;
        if (hueDelta > Pi)
            hueDelta -= TwoPi;
        else if (hueDelta < -Pi)
            hueDelta += TwoPi;
        if (std::abs(h1p - h2p) > Pi)
            meanHue += meanHue < TwoPi ? TwoPi : -TwoPi;
        meanHue /= 2.0;
    }

    const double deltaL = second.l - first.l;
    const double deltaC = c2p - c1p;
    const double deltaH = 2.0 * std::sqrt(chromaProduct) * std::sin(hueDelta / 2.0);

    const double meanCp = (c1p + c2p) / 2.0;
    const double meanCp7 = pow7(meanCp);
    const double sl = ciede2000LightnessWeight((first.l + second.l) / 2.0);
    const double sc = 1.0 + 0.045 * meanCp;
    const double sh = 1.0 + 0.015 * meanCp * hueWeighting(meanHue);
    const double hueOffset = (meanHue / Degree - 275.0) / 25.0;
    const double rotation = 30.0 * Degree * std::exp(-hueOffset * hueOffset);
    const double rt = -std::sin(2.0 * rotation) * 2.0 * std::sqrt(meanCp7 / (meanCp7 + Pow25To7));

    const double l = deltaL / sl;
    const double c = deltaC / sc;
    const double h = deltaH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

// Samples are rejected only when their lower bound lies strictly above the n-th best difference
// so far, so a sample that ties it is still computed and the earlier sample wins as in the
// plain scan.
LabMatches nearestLabSamples(const LabColor &target, const QList<DB::LabSample> &samples, int n)
{
    if (n <= 0 || samples.isEmpty())
        return {};
    if (!isOrdinary(target))
        return scanAll(target, samples, n);
    const Survey survey = surveySamples(target, samples, n);
    if (!survey.ordinary)
        return scanAll(target, samples, n);

    // At least n samples lie within the largest difference among the n nearest by plain
    // distance, wherever those samples sit in the list.
    double seed = samples.size() < n ? std::numeric_limits<double>::infinity() : 0.0;
    for (const auto &entry : survey.nearest)
        seed = std::max(seed, ciede2000Difference(target, labOf(samples.at(entry.second))));
    DifferenceFloor floor(target, survey.darkest, survey.lightest);
    floor.setLimit(seed);

    LeastCandidates<Candidate> best(n);
    for (qsizetype i = 0; i < samples.size(); ++i) {
        if (floor.exceeds(samples.at(i)))
            continue;
        best.offer({ciede2000Difference(target, labOf(samples.at(i))), i});
        if (best.isFull())
            floor.setLimit(std::min(seed, best.greatest().difference));
    }
    const std::vector<Candidate> least = best.take();
    LabMatches result;
    result.reserve(qsizetype(least.size()));
    for (const Candidate &candidate : least)
        result.append({candidate.difference, samples.at(candidate.index).rowId});
    return result;
}

} // namespace Sorven
