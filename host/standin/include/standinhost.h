#pragma once

#include "acdocman.h"

// Controls of the stand-in host that the real host drives itself: its command loop and where
// its registry lives. Only the stand-in host application and tests use them.

// The stand-in host's command loop reports here whether a command runs in a document.
void standInSetQuiescent(AcApDocument *document, bool quiescent);

// The settings file that holds the stand-in registry. VEXA_STANDIN_REGISTRY overrides the
// default below the user's configuration folder.
std::wstring standInRegistryFile();
