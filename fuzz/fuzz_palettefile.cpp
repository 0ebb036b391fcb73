// Palette files arrive from shares and mail attachments: loading must refuse anything that is not
// one, quietly and within the size limit.
#include "palette/palettefile.h"

#include <cstdint>
#include <cstdlib>

// No collections: chips are looked up, but none resolves, and no folder scan slows a run down.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    setenv("VEXA_COMMON_APPDATA", "/nonexistent/vexa-fuzz", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QString reason;
    const std::optional<Sorven::PaletteModel> palette = Sorven::parsePaletteFile(bytes, &reason);
    // Without collections no chip resolves; a refusal always says why.
    if ((palette && !palette->isEmpty()) || (!palette && reason.isEmpty()))
        std::abort();
    return 0;
}
