// The user settings file is ours to read, and the user or another program may have edited it.
#include "core/settingsinifile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QSettings::SettingsMap values = Sorven::SettingsIniFile::parse(text);
    // What we write of what we read must read back to the same keys.
    if (Sorven::SettingsIniFile::parse(Sorven::SettingsIniFile::serialize(values)).size()
        > values.size())
        std::abort();
    return 0;
}
