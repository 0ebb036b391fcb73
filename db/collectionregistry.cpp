#include "db/collectionregistry.h"

namespace Sorven::DB {

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

void CollectionRegistry::clear()
{
    m_entries.clear();
    m_positions.clear();
    m_skipped.clear();
}

} // namespace Sorven::DB
