#pragma once

#include <QString>
#include <QUrl>

// Which links from a collection database the palette hands to the desktop's opener. A database
// is data from outside, and the opener starts whatever it is given, executables included.
namespace Sorven::LinkTargets {

// An http or https link with a host; an empty URL for anything else.
QUrl webLink(const QString &link);

// The help link with "%APP%" standing for moduleFolder: a web link as above, or an existing
// html, htm or pdf document inside moduleFolder, reached without "..". An empty URL otherwise.
QUrl helpLink(const QString &link, const QString &moduleFolder);

} // namespace Sorven::LinkTargets
