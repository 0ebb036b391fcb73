// My Palette cells are read back from a settings file the user can edit by hand.
#include "db/itemindex.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const Sorven::DB::ItemIndex index = Sorven::DB::ItemIndex::fromString(text);
    if (index.refersToChip() && !index.collection.isNull()
        && Sorven::DB::ItemIndex::fromString(index.toString()) != index)
        std::abort();
    return 0;
}
