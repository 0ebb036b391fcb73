#include "palette/filesaving.h"

#include <QSaveFile>

namespace Sorven {

bool saveWholeFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    QSaveFile file(path);
    const bool saved
        = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!saved && reason)
        *reason = file.errorString();
    return saved;
}

} // namespace Sorven
