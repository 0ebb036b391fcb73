#include "db/itemindex.h"

#include <QStringList>

namespace Sorven::DB {

static const QLatin1String Prefix("ItemIndex(");

QString ItemIndex::toString() const
{
    return QStringLiteral("ItemIndex(%1,%2,%3)").arg(collection.toString()).arg(pageId).arg(rowId);
}

ItemIndex ItemIndex::fromString(const QString &text)
{
    if (!text.startsWith(Prefix) || !text.endsWith(u')'))
        return {};
    // Past the prefix and the UUID's opening brace.
    const qsizetype first = Prefix.size() + 1;
    const QStringList parts
        = text.mid(first, text.size() - 1 - first).split(u',', Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return {};
    QString uuid = parts.at(0);
    if (!uuid.endsWith(u'}'))
        uuid.append(u'}');
    return {QUuid::fromString(u'{' + uuid), parts.at(1).toLongLong(), parts.at(2).toLongLong()};
}

} // namespace Sorven::DB
