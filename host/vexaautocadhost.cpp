#include "host/vexaautocadhost.h"

VexaAutoCADHost::~VexaAutoCADHost() = default;
