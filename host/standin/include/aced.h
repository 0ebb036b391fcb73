#pragma once

#include "AdAChar.h"
#include "adscodes.h"
#include "adsdef.h"

// Reads a system variable ("CPROFILE": the name of the current profile, as RTSTR). Answers
// RTNORM on success and RTREJ for a variable the host does not know.
int acedGetVar(const ACHAR *name, resbuf *result);
