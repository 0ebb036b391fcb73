#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QUuid>

namespace Sorven::DB {

// One registered collection: where it lives and under which ID and list position.
struct CollectionInfo
{
    QUuid uuid;
    qint64 id = -1;
    int order = 0;
    QString databasePath;
    QString systemId;
};

// A collection that a further file carries again: the file enumerated first keeps it.
struct ShadowedCollection
{
    QUuid uuid;
    QString keptIn;
    QString ignoredIn;

    // One line naming both files; the system-wide collection is named as such.
    QString notice() const;
};

// The collections found in the database files, keyed by UUID. Entries keep the order in
// which they were enumerated, so every walk over them is the same from run to run.
class CollectionRegistry
{
public:
    bool isEmpty() const { return m_entries.isEmpty(); }
    qsizetype size() const { return m_entries.size(); }
    bool contains(const QUuid &uuid) const { return m_positions.contains(uuid); }
    const CollectionInfo *find(const QUuid &uuid) const;
    const QList<CollectionInfo> &entries() const { return m_entries; }

    // Adds the entry unless its UUID is registered already; the first one wins.
    bool insert(const CollectionInfo &info);
    // Records why a database file was passed over; false when it was recorded already, so that
    // each skipped file is reported once however often the folder is enumerated.
    bool skip(const QString &path, const QString &reason);
    // Records a further file's copy of a registered collection; false when it was recorded
    // already, so that each is reported once.
    bool shadow(const ShadowedCollection &shadowed);
    const QList<ShadowedCollection> &shadowedCollections() const { return m_shadowed; }
    // The skipped files by path, each with the reason.
    const QMap<QString, QString> &skippedFiles() const { return m_skipped; }
    void clear();

private:
    QList<CollectionInfo> m_entries;
    QHash<QUuid, qsizetype> m_positions;
    QMap<QString, QString> m_skipped;
    QList<ShadowedCollection> m_shadowed;
};

} // namespace Sorven::DB
