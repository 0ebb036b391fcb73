#pragma once

#include "host/colorbookhost.h"

// The colour book export's view of the running host: its drawings and the current profile.
class VexaColorBookHost : public Sorven::ColorBookHost
{
public:
    bool acceptsExport() const override;
    QStringList colorBookFolders() const override;
};
