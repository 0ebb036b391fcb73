#pragma once

#include <QtGlobal>

namespace Sorven::Demo {

// A small seeded generator (SplitMix64) whose sequence is the same on every platform and
// library, so that the demo data come out byte for byte the same on every run.
class DemoRandom
{
public:
    explicit DemoRandom(quint64 seed);

    quint64 next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [low, high], both included.
    int bounded(int low, int high);
    double between(double low, double high);

private:
    quint64 m_state;
};

} // namespace Sorven::Demo
