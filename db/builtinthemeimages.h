#pragma once

#include <QImage>
#include <QStringList>

namespace Sorven::DB {

// Images for the THEME keys the palette added to those every maker's database carries: a
// database without them shows these rather than the red-outlined placeholder.
QStringList builtInThemeImageKeys();
// The built-in image of key, or a null image for a key the palette did not add.
QImage builtInThemeImage(const QString &key);

} // namespace Sorven::DB
