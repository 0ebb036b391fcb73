#pragma once

#include <windows.h>

#include <QString>

// The module file itself: its handle and full file name, known from the moment it is mapped.
namespace VexaModule {

HINSTANCE instance();
QString fileName();

} // namespace VexaModule
