#pragma once

#include <QStringList>

// Where the host's current profile keeps colour books.
namespace Sorven::Host {

// The folders of the profile's "ColorBookLocation", environment variables expanded; the user's
// documents folder alone when the profile names none. Never empty.
QStringList colorBookFolders();

} // namespace Sorven::Host
