// Measurement files arrive in a folder anyone can write to: reading one must never crash, hang
// or expand without bound, and must read the same names every time.
#include "palette/capsureimport.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray xml(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const Sorven::CapsureNames first = Sorven::parseCapsureNames(xml);
    const Sorven::CapsureNames again = Sorven::parseCapsureNames(xml);
    if (first.names != again.names || first.error != again.error)
        std::abort();
    if (!first.error.isEmpty() && !first.names.isEmpty())
        std::abort();
    return 0;
}
