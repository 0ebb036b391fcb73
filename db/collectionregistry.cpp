#include "db/collectionregistry.h"

#include "db/schema.h"

namespace Sorven::DB {

QString ShadowedCollection::notice() const
{
    if (uuid == QUuid(QLatin1String(SystemWideCollectionUuidText)))
        return QStringLiteral("%1 also carries the system-wide collection; %2 keeps supplying it")
            .arg(ignoredIn, keptIn);
    return QStringLiteral("%1 also carries collection %2; %3 keeps it")
        .arg(ignoredIn, uuid.toString(), keptIn);
}

const CollectionInfo *CollectionRegistry::find(const QUuid &uuid) const
{
    const auto position = m_positions.constFind(uuid);
    return position == m_positions.cend() ? nullptr : &m_entries.at(*position);
}

bool CollectionRegistry::insert(const CollectionInfo &info)
{
    if (contains(info.uuid))
        return false;
    m_positions.insert(info.uuid, m_entries.size());
    m_entries.append(info);
    return true;
}

bool CollectionRegistry::skip(const QString &path, const QString &reason)
{
    if (m_skipped.contains(path))
        return false;
    m_skipped.insert(path, reason);
    return true;
}

bool CollectionRegistry::shadow(const ShadowedCollection &shadowed)
{
    for (const ShadowedCollection &known : std::as_const(m_shadowed)) {
        if (known.uuid == shadowed.uuid && known.ignoredIn == shadowed.ignoredIn)
            return false;
    }
    m_shadowed.append(shadowed);
    return true;
}

void CollectionRegistry::clear()
{
    m_entries.clear();
    m_positions.clear();
    m_skipped.clear();
    m_shadowed.clear();
}

} // namespace Sorven::DB
