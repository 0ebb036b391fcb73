#pragma once

#include <QString>

class QFile;

namespace Sorven {

// Opens the file read-only when it is a regular file. A FIFO, socket or device is refused
// without waiting for a writer, so that no path anyone can create blocks the caller; on failure
// answers false and, when asked, the reason.
bool openRegularFile(QFile &file, QString *reason = nullptr);

} // namespace Sorven
