#pragma once

#include <QStringList>

namespace Sorven {

// What the colour book export needs of the host it runs in. The palette module provides it from
// the host's drawings and the user's profile; a port replaces that one implementation.
class ColorBookHost
{
public:
    virtual ~ColorBookHost() = default;

    // The host has a current drawing that can take the export now.
    virtual bool acceptsExport() const = 0;
    // The folders of the user's profile for colour books, the last one first choice; never empty.
    virtual QStringList colorBookFolders() const = 0;
};

} // namespace Sorven
