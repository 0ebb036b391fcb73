#pragma once

#include "tools/authorcommands.h"

// vexa-inspect commands about palette files.
namespace Sorven::Tools {

const QList<InspectCommand> &paletteCommands();

} // namespace Sorven::Tools
