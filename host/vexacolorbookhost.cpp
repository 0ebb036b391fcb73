#include "host/vexacolorbookhost.h"

#include "host/colorbooklocation.h"

#include <acdocman.h>

// The host takes no other work while a command runs in the current drawing.
bool VexaColorBookHost::acceptsExport() const
{
    const AcApDocManager *documents = acDocManagerPtr();
    const AcApDocument *current = documents ? documents->curDocument() : nullptr;
    return current && current->isQuiescent();
}

QStringList VexaColorBookHost::colorBookFolders() const
{
    return Sorven::Host::colorBookFolders();
}
