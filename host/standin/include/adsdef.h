#pragma once

#include "AdAChar.h"

union ads_u_val {
    double rreal;
    short rint;
    int rlong;
    ACHAR *rstring;
};

// A value the host hands out; a string value belongs to the caller, who releases it with
// acutDelString.
struct resbuf
{
    resbuf *rbnext = nullptr;
    short restype = 0;
    ads_u_val resval {};
};
