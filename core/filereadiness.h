#pragma once

#include <QString>

namespace Sorven {

// Whether the file exists and nobody is writing it any more, so that reading it gives the whole
// file. A device that writes a file keeps it open until the last byte is out.
bool isFileFinished(const QString &path);

} // namespace Sorven
