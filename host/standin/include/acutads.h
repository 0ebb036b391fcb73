#pragma once

#include "AdAChar.h"

// Releases a string the host allocated for the caller and resets the pointer.
void acutDelString(ACHAR *&string);
