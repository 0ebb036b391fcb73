#include "palette/chromaticadaptation.h"

#include <QString>

#include <array>

namespace Sorven {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

const Matrix Bradford {
    {{0.8951, 0.2664, -0.1614}, {-0.7502, 1.7135, 0.0367}, {0.0389, -0.0685, 1.0296}}};
const Matrix InverseBradford {{{0.9869929, -0.1470543, 0.1599627},
                               {0.4323053, 0.5183603, 0.0492912},
                               {-0.0085287, 0.0400428, 0.9684867}}};

std::array<double, 3> times(const Matrix &m, const std::array<double, 3> &v)
{
    std::array<double, 3> result {};
    for (int row = 0; row < 3; ++row)
        result[row] = m[row][0] * v[0] + m[row][1] * v[1] + m[row][2] * v[2];
    return result;
}

std::array<double, 3> cone(const XyzColor &xyz)
{
    return times(Bradford, {xyz.x, xyz.y, xyz.z});
}

struct TabulatedWhite
{
    const char *illuminant;
    XyzColor twoDegree;
    XyzColor tenDegree;
};

// The whites of ASTM E308, Y scaled to 1.
const TabulatedWhite Whites[] = {
    {"A", {1.09850, 1.0, 0.35585}, {1.11144, 1.0, 0.35200}},
    {"C", {0.98074, 1.0, 1.18232}, {0.97285, 1.0, 1.16145}},
    {"D50", {0.96422, 1.0, 0.82521}, {0.96720, 1.0, 0.81427}},
    {"D55", {0.95682, 1.0, 0.92149}, {0.95799, 1.0, 0.90926}},
    {"D65", D65White, {0.94811, 1.0, 1.07304}},
    {"D75", {0.94972, 1.0, 1.22638}, {0.94416, 1.0, 1.20641}},
    {"E", {1.0, 1.0, 1.0}, {1.0, 1.0, 1.0}},
    {"F2", {0.99187, 1.0, 0.67395}, {1.03280, 1.0, 0.69026}},
    {"F7", {0.95044, 1.0, 1.08755}, {0.95792, 1.0, 1.07687}},
    {"F11", {1.00966, 1.0, 0.64370}, {1.03866, 1.0, 0.65627}},
};

bool sameWhite(const XyzColor &first, const XyzColor &second)
{
    return first.x == second.x && first.y == second.y && first.z == second.z;
}

} // namespace

std::optional<XyzColor> standardWhitePoint(const QString &illuminant, const QString &observer)
{
    const bool tenDegree = observer == QLatin1String("10_Degree");
    if (!tenDegree && observer != QLatin1String("2_Degree"))
        return std::nullopt;
    for (const TabulatedWhite &white : Whites) {
        if (illuminant == QLatin1String(white.illuminant))
            return tenDegree ? white.tenDegree : white.twoDegree;
    }
    return std::nullopt;
}

LabColor adaptedLab(const LabColor &lab, const XyzColor &from, const XyzColor &to)
{
    // Equal whites keep the values exactly rather than through two rounded matrices.
    if (sameWhite(from, to))
        return lab;
    const std::array<double, 3> source = cone(from);
    const std::array<double, 3> target = cone(to);
    std::array<double, 3> response = cone(xyzFromLab(lab, from));
    for (int i = 0; i < 3; ++i)
        response[i] *= target[i] / source[i];
    const std::array<double, 3> xyz = times(InverseBradford, response);
    return labFromXyz({xyz[0], xyz[1], xyz[2]}, to);
}

} // namespace Sorven
