#pragma once

#include <QString>

// The machine folders the palette needs from the operating system. This is the one place
// that knows where they are, so a port to another platform replaces only this module.
namespace Sorven::Platform {

// The machine-wide application-data folder (all users). On Linux that is the first entry of
// XDG_DATA_DIRS that holds the collections, then the data folder beside the running program's
// installation, else the first entry. VEXA_COMMON_APPDATA overrides it, so that tests and the
// demo never touch system folders.
QString commonAppDataFolder();

// Where temporary files go. VEXA_TEMP_DIR overrides it.
QString tempFolder();

// The user's documents folder. VEXA_DOCUMENTS_DIR overrides it.
QString documentsFolder();

// The text by which two paths name the same file: the path itself where the file system tells
// letter case apart, the lower-cased path where it does not (Windows, macOS).
QString pathIdentity(const QString &path);

} // namespace Sorven::Platform
