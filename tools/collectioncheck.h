#pragma once

#include <QStringList>

// What a collection database lacks against the reference schema, its seed rows and the keys
// the palette reads. An empty list means the file conforms; warnings (a missing speed index, a
// lock held by another program) are added to *warnings when given and do not count against it.
namespace Sorven::Tools {

QStringList checkCollectionDatabase(const QString &path, QStringList *warnings = nullptr);

// Whether another program holds a write lock on the database file, as an installer does while
// it writes. The palette reads such a file as it stands, without waiting.
bool isLockedByAnotherProgram(const QString &path);

} // namespace Sorven::Tools
