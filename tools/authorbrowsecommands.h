#pragma once

#include "tools/authorcommands.h"

// vexa-inspect commands that show what the palette's navigation and search queries answer.
namespace Sorven::Tools {

const QList<InspectCommand> &browseCommands();

} // namespace Sorven::Tools
