#pragma once

#include "tools/authorcommands.h"

// vexa-inspect commands that show what the harmonizer panes show for a chip.
namespace Sorven::Tools {

const QList<InspectCommand> &harmonyCommands();

} // namespace Sorven::Tools
