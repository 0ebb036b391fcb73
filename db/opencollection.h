#pragma once

#include "db/collectionscan.h"
#include "db/deckcache.h"
#include "db/labsample.h"

#include <QCache>
#include <QDateTime>
#include <QFuture>
#include <QHash>
#include <QImage>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QVector>

#include <atomic>
#include <memory>

namespace Sorven::DB {

// What the palette keeps about one collection of one database file while it is open: the
// statements prepared on the file's connection, texts and images, the deck around the shown
// page, and the background scan of its rows (search index, completion list, colour table).
// One rule forgets it: the file's identity, size or modification time differ from when it was
// opened. That is checked when the collection is selected, when the file is reported changed
// and before a search, and a changed file takes every collection it holds, and its connection,
// with it.
// All of it belongs to the thread that opened the first collection (the user interface's);
// only the reads run elsewhere, each on a connection of its worker thread's own.
class OpenCollection
{
public:
    // The open collection, opened now if need be; nullptr when it is not registered.
    static OpenCollection *of(const QUuid &uuid);
    // The collection the user now looks at. Its file is checked; the unfinished scans of the
    // others are cancelled and their results dropped; collections beyond this one and the two
    // selected before it are closed, except the system-wide one, whose theme is always shown.
    static void select(const QUuid &uuid);
    // Closes every collection of the file that holds uuid when the file changed since it was
    // opened; true when it did.
    static bool forgetIfChanged(const QUuid &uuid);
    // Closes every collection of the file at path and its connection.
    static void forgetFile(QString path);
    // Closes every collection: the databases are enumerated anew.
    static void forgetAll();
    // Returns when every scan under way has finished.
    static void waitForScans();
    // Cancels every scan, waits for them and closes every collection: the module's code and
    // the connections may go next.
    static void closeAll();
    static QList<QUuid> openCollections();

    OpenCollection(const QUuid &uuid, const QString &path);
    ~OpenCollection();
    OpenCollection(const OpenCollection &) = delete;
    OpenCollection &operator=(const OpenCollection &) = delete;

    const QString &path() const { return m_path; }
    // Statements prepared on the file's connection, by text.
    QHash<QString, QSqlQuery> &statements();
    QHash<QString, QString> &texts();
    QCache<QString, QImage> &images();
    DeckCache &deck();
    // The read of the searched texts under the name orders in force, and the read of the
    // colours; both are started together unless they are under way or done.
    QFuture<CollectionScan> scan();
    QFuture<QVector<LabSample>> colors();
    // A failed scan is read again at the next request rather than failing for good.
    void forgetScan();

private:
    // What tells a file from a rewritten or replaced one.
    struct FileStamp
    {
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;
        QDateTime born;

        static FileStamp of(const QString &path);
        friend bool operator==(const FileStamp &, const FileStamp &) = default;
    };

    struct Scan
    {
        ScanStatements statements;
        std::shared_ptr<std::atomic_bool> cancelled;
        QFuture<CollectionScan> phrases;
        QFuture<QVector<LabSample>> colors;
    };

    static void close(const QUuid &uuid);
    static void closeWithApplication();
    void leave();
    const Scan &currentScan();

    QUuid m_uuid;
    QString m_path;
    FileStamp m_stamp;
    QHash<QString, QSqlQuery> m_statements;
    QHash<QString, QString> m_texts;
    QCache<QString, QImage> m_images;
    DeckCache m_deck;
    Scan m_scan;
};

} // namespace Sorven::DB
