#pragma once

class VexaPaletteSet;

// What the module holds between the host's initialisation and unload messages.
class VexaAutoCADHost
{
public:
    VexaAutoCADHost() = default;
    virtual ~VexaAutoCADHost();
    VexaAutoCADHost(const VexaAutoCADHost &) = delete;
    VexaAutoCADHost &operator=(const VexaAutoCADHost &) = delete;

    VexaPaletteSet *paletteSet = nullptr;
};
