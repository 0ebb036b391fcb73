#pragma once

#include <QString>

// The machine folders the palette needs from the operating system. This is the one place
// that knows where they are, so a port to another platform replaces only this module.
namespace Sorven::Platform {

// The machine-wide application-data folder (all users). VEXA_COMMON_APPDATA overrides it,
// so that tests and the demo never touch system folders.
QString commonAppDataFolder();

// Where temporary files go. VEXA_TEMP_DIR overrides it.
QString tempFolder();

// The user's documents folder. VEXA_DOCUMENTS_DIR overrides it.
QString documentsFolder();

} // namespace Sorven::Platform
