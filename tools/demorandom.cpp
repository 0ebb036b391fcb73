#include "tools/demorandom.h"

namespace Sorven::Demo {

DemoRandom::DemoRandom(quint64 seed) : m_state(seed) { }

quint64 DemoRandom::next()
{
    m_state += 0x9e3779b97f4a7c15ULL;
    quint64 z = m_state;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

double DemoRandom::unit()
{
    return double(next() >> 11) / double(1ULL << 53);
}

int DemoRandom::bounded(int low, int high)
{
    return low + int(next() % quint64(high - low + 1));
}

double DemoRandom::between(double low, double high)
{
    return low + (high - low) * unit();
}

} // namespace Sorven::Demo
