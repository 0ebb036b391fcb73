#pragma once

#include "tools/authorcommands.h"

// vexa-inspect commands about colour differences.
namespace Sorven::Tools {

const QList<InspectCommand> &colorCommands();

} // namespace Sorven::Tools
