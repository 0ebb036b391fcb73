// The drag record's JSON comes from whatever application the user drags from: reading it
// must never crash, and whatever it reads must survive being written and read again.
#include "palette/dndjson.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<QVariant> value = Sorven::DndJson::read(text);
    if (!value)
        return 0;
    const QByteArray written = Sorven::DndJson::write(*value);
    const std::optional<QVariant> again = Sorven::DndJson::read(written);
    if (!again || Sorven::DndJson::write(*again) != written)
        std::abort();
    return 0;
}
