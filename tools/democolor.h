#pragma once

#include <QColor>

// The colour maths of the demo data: chips are designed in OKLCH, where equal steps look
// equal, and stored as sRGB.
namespace Sorven::Demo {

inline constexpr int SegmentCount = 12;

// Relative luminance of an sRGB colour, 0 to 1.
double relativeLuminance(const QColor &color);
// The sRGB colour of an OKLCH colour; chroma is reduced until the colour fits the gamut.
QColor colorFromOklch(double lightness, double chroma, double hueDegrees);
// The OKLCH hue at the centre of a colour-wheel segment, 1 to SegmentCount.
double segmentHue(int segment);
QColor segmentColor(int segment, double lightness, double chroma);
// The colour that stands for a segment on the wheel: each hue at the lightness where it is
// most colourful, so that yellow reads as yellow and blue as blue.
QColor wheelColor(int segment);
// The segment reached from segment by offset steps around the wheel.
int segmentAfter(int segment, int offset);

} // namespace Sorven::Demo
