#pragma once

#include <QStringList>

// What a collection database lacks against the reference schema, its seed rows and the keys
// the palette reads. An empty list means the file conforms; warnings (a missing speed index) are
// added to *warnings when given and do not count against it.
namespace Sorven::Tools {

QStringList checkCollectionDatabase(const QString &path, QStringList *warnings = nullptr);

} // namespace Sorven::Tools
