#pragma once

#include <QHash>
#include <QString>

namespace Sorven::DB {

// English texts for the LOCALE keys the palette added to those every maker's database carries:
// a database without them shows these rather than the bare key. One line per key; a key added
// to the code gets its line here.
const QHash<QString, QString> &builtInLocaleTexts();

} // namespace Sorven::DB
