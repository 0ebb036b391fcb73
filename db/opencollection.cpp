#include "db/opencollection.h"

#include "core/platformpaths.h"
#include "db/connections.h"
#include "db/search.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPromise>
#include <QSqlDatabase>
#include <QThread>
#include <QThreadPool>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <functional>
#include <map>
#include <utility>

namespace Sorven::DB {

namespace {

// The current collection and the two selected before it stay open.
constexpr qsizetype KeptCollections = 3;
// Decoded images of one collection, in kilobytes: its backgrounds and banners.
constexpr int ImageCacheKilobytes = 16 * 1024;

struct Collections
{
    std::map<QUuid, std::unique_ptr<OpenCollection>> open;
    // Selected collections, the current one first.
    QList<QUuid> recent;
    bool closedWithApplication = false;
};

Collections &collections()
{
    static Collections collections;
    return collections;
}

// The thread that may touch the open collections: the first to ask for one.
bool onOwnerThread()
{
    static QThread *const owner = QThread::currentThread();
    return QThread::currentThread() == owner;
}

// The scans have threads of their own: the raster paint engine splits large fills over the
// global pool, and a repaint would wait for a scan to free a thread of it.
QThreadPool &scans()
{
    static QThreadPool pool;
    return pool;
}

// glibc keeps what a thread's arena freed for that thread; the reads of a large collection
// leave hundreds of megabytes of it, which go back to the system here.
void releaseFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Runs read on a thread of the pool, its result in the future.
template<typename Result>
QFuture<Result> startRead(std::function<Result()> read)
{
    // Shared, because the pool copies the task.
    auto promise = std::make_shared<QPromise<Result>>();
    promise->start();
    scans().start([promise, read = std::move(read)] {
        Q_ASSERT_X(!onOwnerThread(), "OpenCollection", "a read must not hold up the interface");
        promise->addResult(read());
        promise->finish();
        releaseFreedMemory();
    });
    return promise->future();
}

} // namespace

OpenCollection::FileStamp OpenCollection::FileStamp::of(const QString &path)
{
    const QFileInfo file(path);
    // A file replaced by another one was born, or changed status, at another time, even when
    // its size and modification time were copied.
    return {file.size(), file.lastModified(), file.metadataChangeTime(), file.birthTime()};
}

OpenCollection *OpenCollection::of(const QUuid &uuid)
{
    Q_ASSERT_X(onOwnerThread(), "OpenCollection", "open collections belong to one thread");
    Collections &set = collections();
    if (const auto open = set.open.find(uuid); open != set.open.end())
        return open->second.get();
    const CollectionInfo *info = collectionRegistry().find(uuid);
    if (!info)
        return nullptr;
    closeWithApplication();
    auto opened = std::make_unique<OpenCollection>(uuid, info->databasePath);
    return set.open.emplace(uuid, std::move(opened)).first->second.get();
}

OpenCollection::OpenCollection(const QUuid &uuid, const QString &path)
    : m_uuid(uuid), m_path(path), m_stamp(FileStamp::of(path)), m_images(ImageCacheKilobytes)
{
    // A collection opened beside others of its file goes with the file as they know it.
    for (const auto &[other, open] : collections().open) {
        if (open->m_path == path)
            m_stamp = open->m_stamp;
    }
}

OpenCollection::~OpenCollection()
{
    leave();
}

void OpenCollection::select(const QUuid &uuid)
{
    Q_ASSERT(onOwnerThread());
    forgetIfChanged(uuid);
    Collections &set = collections();
    set.recent.removeAll(uuid);
    set.recent.prepend(uuid);
    set.recent.resize(std::min(set.recent.size(), KeptCollections));
    bool closed = false;
    for (const QUuid &other : openCollections()) {
        if (other == uuid || other == SystemWideCollectionUuid)
            continue;
        if (set.recent.contains(other)) {
            set.open.at(other)->leave();
        } else {
            close(other);
            closed = true;
        }
    }
    if (closed)
        scans().start(&releaseFreedMemory);
}

bool OpenCollection::forgetIfChanged(const QUuid &uuid)
{
    Q_ASSERT(onOwnerThread());
    const auto open = collections().open.find(uuid);
    if (open == collections().open.end())
        return false;
    const QString path = open->second->m_path;
    if (open->second->m_stamp == FileStamp::of(path))
        return false;
    forgetFile(path);
    return true;
}

// By value: the path may be an open collection's own, which goes here.
void OpenCollection::forgetFile(QString path)
{
    Q_ASSERT(onOwnerThread());
    for (const QUuid &uuid : openCollections()) {
        if (collections().open.at(uuid)->m_path == path)
            collections().open.erase(uuid);
    }
    // The connection goes with the pages it holds in its cache: a file cut short and restored
    // keeps its change counter, and a page read while it was short would stay damaged.
    QSqlDatabase::removeDatabase(Platform::pathIdentity(path));
}

void OpenCollection::forgetAll()
{
    for (const QUuid &uuid : openCollections()) {
        if (const auto open = collections().open.find(uuid); open != collections().open.end())
            forgetFile(open->second->path());
    }
    collections().recent.clear();
}

void OpenCollection::waitForScans()
{
    scans().waitForDone();
}

void OpenCollection::closeAll()
{
    forgetAll();
    waitForScans();
    releaseFreedMemory();
    if (std::exchange(collections().closedWithApplication, false))
        qRemovePostRoutine(&OpenCollection::closeAll);
}

// Statements and connections left for the static destructors would outlive the SQL driver's
// own: a tool or test that never closes its collections has them closed with its application.
// The module closes them itself before it may be unloaded, which takes this back.
void OpenCollection::closeWithApplication()
{
    if (collections().closedWithApplication || !QCoreApplication::instance())
        return;
    qAddPostRoutine(&OpenCollection::closeAll);
    collections().closedWithApplication = true;
}

QList<QUuid> OpenCollection::openCollections()
{
    QList<QUuid> uuids;
    for (const auto &[uuid, open] : collections().open)
        uuids.append(uuid);
    return uuids;
}

void OpenCollection::close(const QUuid &uuid)
{
    Collections &set = collections();
    const QString path = set.open.at(uuid)->m_path;
    set.open.erase(uuid);
    for (const auto &[other, open] : set.open) {
        if (open->m_path == path)
            return;
    }
    QSqlDatabase::removeDatabase(Platform::pathIdentity(path));
}

QHash<QString, QSqlQuery> &OpenCollection::statements()
{
    Q_ASSERT(onOwnerThread());
    return m_statements;
}

QHash<QString, QString> &OpenCollection::texts()
{
    Q_ASSERT(onOwnerThread());
    return m_texts;
}

QCache<QString, QImage> &OpenCollection::images()
{
    Q_ASSERT(onOwnerThread());
    return m_images;
}

DeckCache &OpenCollection::deck()
{
    Q_ASSERT(onOwnerThread());
    return m_deck;
}

QFuture<CollectionScan> OpenCollection::scan()
{
    return currentScan().phrases;
}

QFuture<QVector<LabSample>> OpenCollection::colors()
{
    return currentScan().colors;
}

void OpenCollection::forgetScan()
{
    Q_ASSERT(onOwnerThread());
    leave();
    m_scan = {};
}

// Reads left unfinished are cancelled and forgotten: what they read so far is no answer.
void OpenCollection::leave()
{
    if (!m_scan.cancelled || (m_scan.phrases.isFinished() && m_scan.colors.isFinished()))
        return;
    m_scan.cancelled->store(true);
    m_scan = {};
}

const OpenCollection::Scan &OpenCollection::currentScan()
{
    Q_ASSERT(onOwnerThread());
    // The statements follow the name orders in force, which belong to the selected collection.
    const ScanStatements statements = collectionScanStatements(m_uuid);
    if (m_scan.cancelled && m_scan.statements == statements)
        return m_scan;
    leave();
    auto cancelled = std::make_shared<std::atomic_bool>(false);
    m_scan = {statements, cancelled, startRead<CollectionScan>([=, path = m_path] {
                  return scanPhrases(path, statements, *cancelled);
              }),
              startRead<QVector<LabSample>>(
                  [=, path = m_path] { return scanColors(path, statements.colors, *cancelled); })};
    return m_scan;
}

} // namespace Sorven::DB
