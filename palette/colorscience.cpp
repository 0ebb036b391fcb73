#include "palette/colorscience.h"

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

double lightnessWeight(double meanL)
{
    const double offset2 = (meanL - 50.0) * (meanL - 50.0);
    return 1.0 + 0.015 * offset2 / std::sqrt(20.0 + offset2);
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

bool isFinite(const LabColor &lab)
{
    return std::isfinite(lab.l) && std::isfinite(lab.a) && std::isfinite(lab.b);
}

// The search exactly as the rule reads: insert before the first strictly greater difference,
// drop the tail. Kept for input the pruned search cannot order (NaN or infinite values).
LabMatches scanAll(const LabColor &target, const QList<DB::LabSample> &samples, int n)
{
    LabMatches result;
    for (const DB::LabSample &sample : samples) {
        const double difference = ciede2000Difference(target, labOf(sample));
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

// The largest CIEDE2000 difference among the n samples nearest by plain Euclidean distance:
// at least n samples lie within it, so it bounds the n-th best difference from above wherever
// the nearest samples sit in the list.
double seedBound(const LabColor &target, const QList<DB::LabSample> &samples, int n)
{
    if (samples.size() < n)
        return std::numeric_limits<double>::infinity();
    std::vector<std::pair<double, qsizetype>> nearest;
    nearest.reserve(n);
    for (qsizetype i = 0; i < samples.size(); ++i) {
        const DB::LabSample &s = samples.at(i);
        const double dl = s.l - target.l, da = s.a - target.a, db = s.b - target.b;
        const double distance2 = dl * dl + da * da + db * db;
        if (qsizetype(nearest.size()) < n) {
            nearest.emplace_back(distance2, i);
            std::push_heap(nearest.begin(), nearest.end());
        } else if (distance2 < nearest.front().first) {
            std::pop_heap(nearest.begin(), nearest.end());
            nearest.back() = {distance2, i};
            std::push_heap(nearest.begin(), nearest.end());
        }
    }
    double bound = 0.0;
    for (const auto &entry : nearest)
        bound = std::max(bound, ciede2000Difference(target, labOf(samples.at(entry.second))));
    return bound;
}

// The largest lightness weight S_L any sample can get against the target: S_L grows with the
// distance of the mean lightness from 50, so one of the two extreme samples attains it.
double largestLightnessWeight(const LabColor &target, const QList<DB::LabSample> &samples)
{
    const auto [lightest, darkest] = std::minmax_element(
        samples.cbegin(), samples.cend(), [](const auto &x, const auto &y) { return x.l < y.l; });
    return std::max(lightnessWeight((target.l + lightest->l) / 2.0),
                    lightnessWeight((target.l + darkest->l) / 2.0));
}

} // namespace

LabColor labFromColor(const QColor &color)
{
    const double r = linearized(color.redF());
    const double g = linearized(color.greenF());
    const double b = linearized(color.blueF());
    const double x = 0.4124 * r + 0.3576 * g + 0.1805 * b;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = 0.0193 * r + 0.1192 * g + 0.9505 * b;
    const double fx = labCompanding(x / 0.95047);
    const double fy = labCompanding(y / 1.0);
    const double fz = labCompanding(z / 1.08883);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

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
    const double sl = lightnessWeight((first.l + second.l) / 2.0);
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

// The difference is at least |ΔL| / S_L: the chroma and hue terms with the rotation term
// (|R_T| ≤ 2 sin 60° < 2) form a positive semi-definite sum. With S_L at its largest over all
// samples this bound needs only a subtraction per sample, so most samples are rejected
// without computing their difference. Rejection needs the bound strictly above the n-th best
// difference found so far, so a sample that ties it is still computed and the earlier sample
// wins as in the plain scan.
LabMatches nearestLabSamples(const LabColor &target, const QList<DB::LabSample> &samples, int n)
{
    if (n <= 0 || samples.isEmpty())
        return {};
    const auto finite = [](const DB::LabSample &sample) { return isFinite(labOf(sample)); };
    if (!isFinite(target) || !std::all_of(samples.cbegin(), samples.cend(), finite))
        return scanAll(target, samples, n);

    // Allows for rounding in the difference and the weight, far above their few ulps.
    const double lightnessReach = largestLightnessWeight(target, samples) * (1.0 + 1e-9);
    const double seed = seedBound(target, samples, n);
    std::vector<Candidate> best;
    best.reserve(std::min<qsizetype>(n, samples.size()));
    for (qsizetype i = 0; i < samples.size(); ++i) {
        const bool full = qsizetype(best.size()) == n;
        const double bound = full ? std::min(seed, best.front().difference) : seed;
        if (std::abs(samples.at(i).l - target.l) > bound * lightnessReach)
            continue;
        const Candidate candidate {ciede2000Difference(target, labOf(samples.at(i))), i};
        if (!full) {
            best.push_back(candidate);
            std::push_heap(best.begin(), best.end());
        } else if (candidate < best.front()) {
            std::pop_heap(best.begin(), best.end());
            best.back() = candidate;
            std::push_heap(best.begin(), best.end());
        }
    }
    std::sort_heap(best.begin(), best.end());
    LabMatches result;
    result.reserve(qsizetype(best.size()));
    for (const Candidate &candidate : best)
        result.append({candidate.difference, samples.at(candidate.index).rowId});
    return result;
}

} // namespace Sorven
