#include "tools/democolor.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace Sorven::Demo {

namespace {

struct LinearRgb
{
    double red;
    double green;
    double blue;

    // Near the primaries a line of constant hue runs along a face of the gamut, where
    // rounding alone would push it outside; channels that far out are clamped instead.
    bool inGamut() const
    {
        constexpr double tolerance = 1e-3;
        return std::min({red, green, blue}) >= -tolerance
            && std::max({red, green, blue}) <= 1.0 + tolerance;
    }
};

double linearized(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double encoded(double linear)
{
    const double value = std::clamp(linear, 0.0, 1.0);
    return value <= 0.0031308 ? 12.92 * value : 1.055 * std::pow(value, 1.0 / 2.4) - 0.055;
}

LinearRgb linearFromOklab(double lightness, double a, double b)
{
    const double l = std::pow(lightness + 0.3963377774 * a + 0.2158037573 * b, 3);
    const double m = std::pow(lightness - 0.1055613458 * a - 0.0638541728 * b, 3);
    const double s = std::pow(lightness - 0.0894841775 * a - 1.2914855480 * b, 3);
    return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
            -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
            -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

LinearRgb linearFromOklch(double lightness, double chroma, double hueDegrees)
{
    const double hue = hueDegrees * std::numbers::pi / 180.0;
    return linearFromOklab(lightness, chroma * std::cos(hue), chroma * std::sin(hue));
}

} // namespace

double relativeLuminance(const QColor &color)
{
    return 0.2126 * linearized(color.redF()) + 0.7152 * linearized(color.greenF())
        + 0.0722 * linearized(color.blueF());
}

QColor colorFromOklch(double lightness, double chroma, double hueDegrees)
{
    double low = 0.0;
    double high = chroma;
    if (!linearFromOklch(lightness, high, hueDegrees).inGamut()) {
        for (int step = 0; step < 24; ++step) {
            const double middle = (low + high) / 2.0;
            (linearFromOklch(lightness, middle, hueDegrees).inGamut() ? low : high) = middle;
        }
        high = low;
    }
    const LinearRgb linear = linearFromOklch(lightness, high, hueDegrees);
    const auto channel = [](double value) { return int(std::lround(encoded(value) * 255.0)); };
    return QColor(channel(linear.red), channel(linear.green), channel(linear.blue));
}

double segmentHue(int segment)
{
    // Hue names as people use them are not evenly spaced in OKLCH: yellow spans less than blue.
    static constexpr std::array<double, SegmentCount> hues {
        29.0, 55.0, 95.0, 125.0, 145.0, 170.0, 198.0, 232.0, 264.0, 296.0, 328.0, 5.0};
    return hues[std::clamp(segment, 1, SegmentCount) - 1];
}

QColor segmentColor(int segment, double lightness, double chroma)
{
    return colorFromOklch(lightness, chroma, segmentHue(segment));
}

QColor wheelColor(int segment)
{
    static constexpr std::array<double, SegmentCount> lightness {
        0.64, 0.74, 0.88, 0.84, 0.74, 0.72, 0.76, 0.66, 0.58, 0.62, 0.64, 0.68};
    return segmentColor(segment, lightness[std::clamp(segment, 1, SegmentCount) - 1], 0.17);
}

int segmentAfter(int segment, int offset)
{
    return ((segment - 1 + offset) % SegmentCount + SegmentCount) % SegmentCount + 1;
}

} // namespace Sorven::Demo
