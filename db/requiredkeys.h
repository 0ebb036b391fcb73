#pragma once

#include <QStringList>

// The LOCALE, THEME and SETTING keys the palette reads, so that a database can be checked for
// what it lacks before a user meets a key shown in place of a text or a red-outlined
// placeholder in place of an image.
namespace Sorven::DB {

// Texts every collection carries in LOCALE.
QStringList requiredLocaleKeys();

// Images read for the selected collection.
QStringList collectionThemeImageKeys();
// Images read from the common theme, which the system-wide collection carries.
QStringList commonThemeImageKeys();
// Colours, stored as the text "r,g,b" or "r,g,b,a", read for the selected collection.
QStringList themeColorKeys();
// Items only the system-wide collection carries.
QStringList systemWideThemeKeys();

// Settings every collection carries (a list-valued setting with at least its first value).
QStringList requiredSettingNames();
// Settings the system-wide collection carries for every collection.
QStringList systemWideSettingNames();

} // namespace Sorven::DB
