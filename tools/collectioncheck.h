#pragma once

#include <QStringList>

// What a collection database lacks against the reference schema, its seed rows and the keys
// the palette reads. An empty list means the file conforms.
namespace Sorven::Tools {

QStringList checkCollectionDatabase(const QString &path);

} // namespace Sorven::Tools
