#pragma once

#include <QByteArray>
#include <QString>

namespace Sorven {

// Replaces the file with the bytes, all or nothing: a failed write leaves the old file as it
// was. On failure answers false and, when asked, the reason in the user's words.
bool saveWholeFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr);

} // namespace Sorven
