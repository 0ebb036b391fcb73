#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

namespace Sorven {

// Writes the bytes into the open file and waits until they are on the disk, checking every
// step; on failure answers false and, when asked, the system's reason.
bool writeDurably(QFileDevice &file, const QByteArray &bytes, QString *reason = nullptr);

// Replaces the file with the bytes, all or nothing: a failed write leaves the old file as it
// was and no temporary file behind. On failure answers false and, when asked, the reason in the
// user's words.
bool saveWholeFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr);

} // namespace Sorven
