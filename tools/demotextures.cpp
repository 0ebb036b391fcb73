#include "tools/demotextures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace Sorven::Demo {

namespace {

// A repeatable pseudo-random value in [0, 1) for a lattice point.
double lattice(int x, int y, quint32 seed)
{
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double((h ^ (h >> 16)) & 0xffffffu) / double(0x1000000);
}

double smoothstep(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

// Value noise: smoothly interpolated lattice values, 0 to 1.
double noise(double x, double y, quint32 seed)
{
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const double tx = smoothstep(x - x0);
    const double ty = smoothstep(y - y0);
    const double top
        = lattice(x0, y0, seed) + (lattice(x0 + 1, y0, seed) - lattice(x0, y0, seed)) * tx;
    const double bottom = lattice(x0, y0 + 1, seed)
        + (lattice(x0 + 1, y0 + 1, seed) - lattice(x0, y0 + 1, seed)) * tx;
    return top + (bottom - top) * ty;
}

// Several octaves of noise, 0 to 1.
double fractal(double x, double y, quint32 seed, int octaves = 4)
{
    double sum = 0.0;
    double weight = 0.5;
    double total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * noise(x, y, seed + quint32(octave) * 101u);
        total += weight;
        x *= 2.0;
        y *= 2.0;
        weight *= 0.5;
    }
    return sum / total;
}

using Shade = std::function<double(double x, double y)>;

Shade shadeOf(DemoTextureKind kind)
{
    switch (kind) {
    case DemoTextureKind::Plaster:
        return [](double x, double y) {
            const double trowel
                = fractal(x / 46.0 + fractal(x / 30.0, y / 30.0, 7) * 1.5, y / 14.0, 3);
            return 0.84 + 0.10 * trowel + 0.04 * fractal(x / 5.0, y / 5.0, 11);
        };
    case DemoTextureKind::LimeWash:
        return [](double x, double y) {
            const double cloud = fractal(x / 24.0, y / 24.0, 21, 5);
            return 0.74 + 0.24 * smoothstep(std::clamp((cloud - 0.25) * 2.0, 0.0, 1.0));
        };
    case DemoTextureKind::Linen:
        return [](double x, double y) {
            const double warp = 0.5
                + 0.5 * std::sin(x * 2.0 * std::numbers::pi / 3.0 + noise(x / 9.0, y, 31) * 2.0);
            const double weft = 0.5
                + 0.5 * std::sin(y * 2.0 * std::numbers::pi / 3.0 + noise(x, y / 9.0, 37) * 2.0);
            const double slub = fractal(x / 2.0, y / 26.0, 41, 3);
            return 0.76 + 0.09 * warp * weft + 0.10 * slub;
        };
    case DemoTextureKind::Oak:
        return [](double x, double y) {
            const double distortion = 16.0 * fractal(x / 70.0, y / 20.0, 53);
            const double ring = 0.5 + 0.5 * std::sin((y + distortion) * 0.9);
            const double grain = fractal(x / 40.0, y * 1.4, 59, 3);
            return 0.70 + 0.12 * smoothstep(ring) + 0.14 * grain;
        };
    case DemoTextureKind::BrushedMetal:
        return [](double x, double y) {
            const double streak
                = noise(x / 80.0, y * 1.3, 61) * 0.6 + noise(x / 14.0, y * 1.7, 67) * 0.4;
            const double sheen = 0.5 + 0.5 * std::cos((x / 148.0) * 2.0 * std::numbers::pi);
            return 0.70 + 0.16 * streak + 0.10 * sheen;
        };
    case DemoTextureKind::Concrete:
        return [](double x, double y) {
            const double pore = lattice(int(x), int(y), 71) < 0.012 ? -0.22 : 0.0;
            return 0.76 + 0.14 * fractal(x / 16.0, y / 16.0, 73)
                + 0.05 * noise(x / 2.0, y / 2.0, 79) + pore;
        };
    case DemoTextureKind::Render:
        return [](double x, double y) {
            return 0.78 + 0.10 * lattice(int(x), int(y), 83) + 0.08 * fractal(x / 9.0, y / 9.0, 89);
        };
    case DemoTextureKind::Weatherboard:
        return [](double x, double y) {
            const double board = std::fmod(y, 16.0) / 16.0;
            const double shadow = board > 0.82 ? 0.55 + 0.4 * (1.0 - board) / 0.18 : 1.0;
            const double grain = fractal(x / 50.0, y * 1.2, 97, 3);
            return (0.78 + 0.14 * grain) * shadow;
        };
    case DemoTextureKind::HammerFinish:
        return [](double x, double y) {
            const double dimple
                = std::abs(std::sin(fractal(x / 7.0, y / 7.0, 103) * std::numbers::pi * 3.0));
            return 0.68 + 0.24 * dimple;
        };
    case DemoTextureKind::FineStructure:
        return [](double x, double y) {
            return 0.80 + 0.10 * lattice(int(x), int(y), 109)
                + 0.06 * fractal(x / 4.0, y / 4.0, 113, 2);
        };
    }
    return [](double, double) { return 0.9; };
}

} // namespace

QList<DemoTexture> sharedTextures()
{
    return {
        {DemoTextureKind::Plaster, QStringLiteral("Polished plaster"), 0.8},
        {DemoTextureKind::LimeWash, QStringLiteral("Lime wash"), 0.75},
        {DemoTextureKind::Linen, QStringLiteral("Linen"), 0.7},
        {DemoTextureKind::Oak, QStringLiteral("Oak grain"), 0.6},
        {DemoTextureKind::BrushedMetal, QStringLiteral("Brushed metal"), 0.5},
        {DemoTextureKind::Concrete, QStringLiteral("Concrete"), 0.65},
    };
}

QList<DemoTexture> exteriorTextures()
{
    return {
        {DemoTextureKind::Render, QStringLiteral("Render"), 0.8},
        {DemoTextureKind::Weatherboard, QStringLiteral("Weatherboard"), 0.7},
    };
}

QList<DemoTexture> powderTextures()
{
    return {
        {DemoTextureKind::HammerFinish, QStringLiteral("Hammer finish"), 0.75},
        {DemoTextureKind::FineStructure, QStringLiteral("Fine structure"), 0.85},
    };
}

QImage textureImage(DemoTextureKind kind, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    const Shade shade = shadeOf(kind);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int grey = int(std::lround(std::clamp(shade(x, y), 0.0, 1.0) * 255.0));
            line[x] = qRgb(grey, grey, grey);
        }
    }
    return image;
}

} // namespace Sorven::Demo
