#pragma once

#include "tools/authorcommands.h"

// vexa-inspect commands about measured colours from the capture device.
namespace Sorven::Tools {

const QList<InspectCommand> &capsureCommands();

} // namespace Sorven::Tools
