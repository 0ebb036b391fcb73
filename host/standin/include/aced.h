#pragma once

#include "AdAChar.h"
#include "adscodes.h"
#include "adsdef.h"

#include <afxwin.h>

// Reads a system variable ("CPROFILE": the name of the current profile, as RTSTR). Answers
// RTNORM on success and RTREJ for a variable the host does not know.
int acedGetVar(const ACHAR *name, resbuf *result);

// The main frame window: parent of palettes, which it shows, hides and floats.
CMDIFrameWnd *acedGetAcadFrame();
