#include "core/usersettings.h"

#include "core/settingsinifile.h"
#include "palette/filesaving.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSettings>
#include <QStorageInfo>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <utility>

namespace Sorven::UserSettings {

namespace {

const QString Organization = QStringLiteral("Orvo Kalin");
const QString Application = QStringLiteral("Vexa Plugin");
const QString LastUsedCollectionKey = QStringLiteral("UuidOfLastUsedCollection");
const QString HostApplicationPidKey = QStringLiteral("HostApplicationPID");
const QString MyPaletteGroup = QStringLiteral("MyPalette/");
const QString MyPaletteDescriptionKey = MyPaletteGroup + QStringLiteral("MyPaletteDescription");
// How long a navigation change may wait for the disk: clicks within it share one write.
const int NavigationSyncDelay = 1000;
// Less free space than this makes a failed write a full disk.
const qint64 NearlyFullDisk = 64 * 1024;

void leaveApplication();
void syncLater();

// The INI file's size and modification time: what another program's write changes.
struct FileStamp
{
    qint64 size = 0;
    QDateTime modified;

    bool operator==(const FileStamp &other) const = default;
};

// The values of the store as read at one stamp of its file.
struct Snapshot
{
    FileStamp stamp;
    QHash<QString, QVariant> values;
};

struct State
{
    ~State()
    {
        // The application may outlive this code when it is an unloaded module.
        if (syncTimer)
            qRemovePostRoutine(&leaveApplication);
    }

    QString hostName;
    QUuid lastUsedCollection;
    // Keys set but not yet on disk, an invalid value for a removed key; they answer for the
    // store until they are written. Keys whose write failed stay here, so the session goes on
    // with them and every later write tries them again.
    QMap<QString, QVariant> unsynced;
    // Navigation keys the timer handed to a writer thread, answering until it is done.
    QMap<QString, QVariant> writing;
    std::future<std::optional<WriteFailure>> write;
    std::function<void(const WriteFailure &)> failureHandler;
    // The session's first failure, until it is handed to the handler; the user hears of it once.
    std::optional<WriteFailure> failure;
    bool failureReported = false;
    std::unique_ptr<QTimer> syncTimer;
    // Found with the first read of a host name's store.
    QString iniPath;
    // Reads answer from it while the file keeps its stamp, so that a click does not parse the
    // file once for every key it reads; any write, ours or another program's, changes the stamp.
    std::optional<Snapshot> snapshot;
};

State &state()
{
    static State state;
    return state;
}

// Why the writer of this thread last failed.
thread_local QString writerError;

bool readIni(QIODevice &device, QSettings::SettingsMap &values)
{
    values = SettingsIniFile::parse(device.readAll());
    return true;
}

// QSettings' own INI writer lets a failed flush pass, and with it an empty file over the old
// one on a full disk; this one makes sure the text is on the disk before QSettings renames it.
bool writeIni(QIODevice &device, const QSettings::SettingsMap &values)
{
    auto *file = qobject_cast<QFileDevice *>(&device);
    return file && writeDurably(*file, SettingsIniFile::serialize(values), &writerError);
}

// The INI format with our reader and writer; the file is the one QSettings::IniFormat names.
QSettings::Format checkedIniFormat()
{
    static const QSettings::Format format
        = QSettings::registerFormat(QStringLiteral("ini"), &readIni, &writeIni);
    return format;
}

// QSettings writes through a temporary file that replaces the INI file and holds a lock file
// while it merges, so two quick writes keep each other's keys and an interrupted write leaves
// the previous file. Both rely on atomic syncing, which is the default but stated here.
QString applicationName()
{
    const QString &host = state().hostName;
    return host.isEmpty() ? Application : Application + u'.' + host;
}

class Store
{
public:
    explicit Store(const QString &application = applicationName())
        : m_settings(checkedIniFormat(), QSettings::UserScope, Organization, application)
    {
        m_settings.setAtomicSyncRequired(true);
    }

    QSettings &settings() { return m_settings; }

private:
    QSettings m_settings;
};

QString iniPath()
{
    QString &path = state().iniPath;
    if (path.isEmpty())
        path = Store().settings().fileName();
    return path;
}

FileStamp iniFileStamp()
{
    const QFileInfo file(iniPath());
    return {file.size(), file.lastModified()};
}

// The stamp is taken before the file is read, so that a write in between makes the next read
// read again rather than hide behind the newer stamp.
const QHash<QString, QVariant> &storedValues()
{
    std::optional<Snapshot> &snapshot = state().snapshot;
    const FileStamp stamp = iniFileStamp();
    if (!snapshot || snapshot->stamp != stamp) {
        Store store;
        QHash<QString, QVariant> values;
        for (const QString &key : store.settings().allKeys())
            values.insert(key, store.settings().value(key));
        snapshot = Snapshot {stamp, values};
    }
    return snapshot->values;
}

// Hands the failure waiting to be told to the handler, once there is one.
void tellFailure()
{
    State &current = state();
    if (current.failure && current.failureHandler) {
        current.failureReported = true;
        current.failureHandler(*std::exchange(current.failure, std::nullopt));
    }
}

// The first failure goes to the handler, once, on the user-interface thread.
void noteFailure(const WriteFailure &failure)
{
    State &current = state();
    if (current.failureReported || current.failure)
        return;
    current.failure = failure;
    tellFailure();
}

// The folder the file is in, or the nearest one that exists when it is still to be made.
QString existingFolder(const QString &file)
{
    QDir folder = QFileInfo(file).absoluteDir();
    while (!folder.exists() && folder.cdUp()) { }
    return folder.absolutePath();
}

WriteFailure diagnose(const QString &path)
{
    const QString folder = existingFolder(path);
    const QFileInfo file(path);
    WriteProblem problem = WriteProblem::Other;
    if (!QFileInfo(folder).isWritable() || (file.exists() && !file.isWritable()))
        problem = WriteProblem::ReadOnly;
    else if (QStorageInfo(folder).bytesAvailable() < NearlyFullDisk)
        problem = WriteProblem::DiskFull;
    return {problem, path, std::exchange(writerError, {})};
}

// Writes the values, an invalid one removing its key; the failure when the file kept its old
// content.
std::optional<WriteFailure> writeValues(const QString &application,
                                        const QMap<QString, QVariant> &values)
{
    Store store(application);
    QSettings &settings = store.settings();
    for (auto key = values.cbegin(); key != values.cend(); ++key) {
        if (key.value().isValid())
            settings.setValue(key.key(), key.value());
        else
            settings.remove(key.key());
    }
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return std::nullopt;
    return diagnose(settings.fileName());
}

// Waits for the timer's write, if one was started; its keys are then in the file, or back
// among the unsynced ones when it failed.
void finishWrite()
{
    State &current = state();
    if (!current.write.valid())
        return;
    const std::optional<WriteFailure> failure = current.write.get();
    if (failure) {
        for (auto key = current.writing.cbegin(); key != current.writing.cend(); ++key) {
            if (!current.unsynced.contains(key.key()))
                current.unsynced.insert(key.key(), key.value());
        }
        noteFailure(*failure);
    }
    current.writing.clear();
    current.snapshot.reset();
}

QVariant readValue(const QString &key)
{
    State &current = state();
    if (current.write.valid()
        && current.write.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        finishWrite();
    for (const QMap<QString, QVariant> *waiting : {&current.unsynced, &current.writing}) {
        if (const auto value = waiting->constFind(key); value != waiting->cend())
            return *value;
    }
    return storedValues().value(key);
}

// Writes every key still waiting, syncing the file once.
void writeWaiting()
{
    State &current = state();
    if (current.syncTimer)
        current.syncTimer->stop();
    finishWrite();
    const std::optional<WriteFailure> failure = writeValues(applicationName(), current.unsynced);
    if (failure)
        noteFailure(*failure);
    else
        current.unsynced.clear();
    current.snapshot.reset();
}

void writeValue(const QString &key, const QVariant &value)
{
    state().unsynced.insert(key, value);
    writeWaiting();
}

void removeValue(const QString &key)
{
    writeValue(key, QVariant());
}

// The timer of the coalesced write, created with the first navigation change; none without an
// application, whose event loop would run it. Leaving the application writes what still waits.
QTimer *syncTimer()
{
    State &current = state();
    if (!current.syncTimer && QCoreApplication::instance()) {
        current.syncTimer = std::make_unique<QTimer>();
        current.syncTimer->setSingleShot(true);
        current.syncTimer->setInterval(NavigationSyncDelay);
        QObject::connect(current.syncTimer.get(), &QTimer::timeout, &syncLater);
        qAddPostRoutine(&leaveApplication);
    }
    return current.syncTimer.get();
}

// The timer's write: the waiting navigation keys go to the disk on a thread of their own, so
// that the user-interface thread never waits for the disk for them. Writes reach the file one
// after another, as a write still running finishes first.
void syncLater()
{
    State &current = state();
    if (current.unsynced.isEmpty())
        return;
    finishWrite();
    current.writing = std::exchange(current.unsynced, {});
    current.write = std::async(std::launch::async,
                               [values = current.writing, application = applicationName()] {
                                   return writeValues(application, values);
                               });
}

// The timer goes with the application that runs it.
void leaveApplication()
{
    sync();
    state().syncTimer.reset();
}

void writeNavigationValue(const QString &key, const QVariant &value)
{
    state().unsynced.insert(key, value);
    QTimer *timer = syncTimer();
    if (!timer)
        sync();
    else if (!timer->isActive())
        timer->start();
}

QString collectionKey(const QUuid &uuid, const QString &key)
{
    return uuid.toString() + u'/' + key;
}

QString cellKey(const QPoint &cell, const char *suffix)
{
    return MyPaletteGroup + QStringLiteral("(%1,%2)").arg(cell.y()).arg(cell.x())
        + QLatin1String(suffix);
}

// Far more segments, pages or rows than a collection holds, and far enough from the integer
// limits that a step or a difference from a stored position cannot overflow.
constexpr int MaximumStoredPosition = 1000000;

// Text that is not a number reads as 0, as the INI file gives every value back as text. A number
// outside 0 to MaximumStoredPosition (a file edited by hand, or damaged) falls back to the
// default rather than being clamped: a clamped position is no more the user's than the default.
int toPosition(const QVariant &value, int fallback)
{
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok)
        return 0;
    return number >= 0 && number <= MaximumStoredPosition ? int(number) : fallback;
}

// Only "true", "false" and numbers count; any other text reads as false rather than as the
// true that QVariant makes of every non-empty text.
bool toBool(const QVariant &value, bool fallback)
{
    if (!value.isValid())
        return fallback;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && number != 0;
}

// The stored number when it is one of accepted, else fallback.
template<typename Enum>
Enum oneOf(const QVariant &value, std::initializer_list<Enum> accepted, Enum fallback)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    const auto found = std::find(accepted.begin(), accepted.end(), number);
    return ok && found != accepted.end() ? *found : fallback;
}

int collectionInt(const QUuid &uuid, const QString &key, int fallback)
{
    return toPosition(readValue(collectionKey(uuid, key)), fallback);
}

void setCollectionValue(const QUuid &uuid, const QString &key, const QVariant &value)
{
    writeNavigationValue(collectionKey(uuid, key), value);
}

// An index that refers to no chip removes the cell's key.
QVariant entryValue(const DB::ItemIndex &index)
{
    return index.refersToChip() ? QVariant(index.toString()) : QVariant();
}

QString trendoraGroupKey(qint64 groupId)
{
    return QStringLiteral("TrendoraGroup_%1_OpenState").arg(groupId);
}

} // namespace

void setHostName(const QString &hostName)
{
    sync();
    // Another name is another store, so its last used collection must be read again.
    State &current = state();
    current.hostName = hostName;
    current.lastUsedCollection = QUuid();
    current.iniPath.clear();
    current.snapshot.reset();
}

void sync()
{
    finishWrite();
    if (!state().unsynced.isEmpty())
        writeWaiting();
}

void setWriteFailureHandler(std::function<void(const WriteFailure &)> handler)
{
    state().failureHandler = std::move(handler);
    // A failure before the palette was there to tell, such as at start-up, is told now.
    tellFailure();
}

QUuid lastUsedCollection()
{
    QUuid &cached = state().lastUsedCollection;
    if (cached.isNull()) {
        const QVariant text = readValue(LastUsedCollectionKey);
        if (text.isValid())
            cached = QUuid::fromString(text.toString());
    }
    return cached;
}

void setLastUsedCollection(const QUuid &uuid)
{
    writeNavigationValue(LastUsedCollectionKey, uuid.toString());
    state().lastUsedCollection = uuid;
}

qint64 hostApplicationPid()
{
    return readValue(HostApplicationPidKey).toLongLong();
}

void setHostApplicationPid(qint64 pid)
{
    writeValue(HostApplicationPidKey, pid);
}

int segmentIndex(const QUuid &uuid)
{
    return collectionInt(uuid, QStringLiteral("SegmentIndex"), 1);
}

void setSegmentIndex(const QUuid &uuid, int segment)
{
    setCollectionValue(uuid, QStringLiteral("SegmentIndex"), segment);
}

Mood moodFilter(const QUuid &uuid)
{
    const QVariant value = readValue(collectionKey(uuid, QStringLiteral("MoodFilter")));
    return oneOf(value,
                 {MoodFresh, MoodWarm, MoodCalm, MoodRich, MoodOffwhite, MoodNeutral, MoodAll},
                 MoodAll);
}

void setMoodFilter(const QUuid &uuid, Mood mood)
{
    setCollectionValue(uuid, QStringLiteral("MoodFilter"), int(mood));
}

bool exteriorColors(const QUuid &uuid)
{
    return toBool(readValue(collectionKey(uuid, QStringLiteral("ExteriorColors"))), false);
}

void setExteriorColors(const QUuid &uuid, bool exterior)
{
    setCollectionValue(uuid, QStringLiteral("ExteriorColors"), exterior);
}

bool showMto(const QUuid &uuid)
{
    return toBool(readValue(collectionKey(uuid, QStringLiteral("ShowMto"))), false);
}

void setShowMto(const QUuid &uuid, bool show)
{
    setCollectionValue(uuid, QStringLiteral("ShowMto"), show);
}

int pageIndex(const QUuid &uuid)
{
    return collectionInt(uuid, QStringLiteral("PageIndex"), 1);
}

void setPageIndex(const QUuid &uuid, int pageIndex)
{
    setCollectionValue(uuid, QStringLiteral("PageIndex"), pageIndex);
}

int rowIndex(const QUuid &uuid)
{
    return collectionInt(uuid, QStringLiteral("RowIndex"), 1);
}

void setRowIndex(const QUuid &uuid, int rowIndex)
{
    setCollectionValue(uuid, QStringLiteral("RowIndex"), rowIndex);
}

TabBarPage tabPageIndex(const QUuid &uuid)
{
    const QVariant value = readValue(collectionKey(uuid, QStringLiteral("TabPageIndex")));
    return oneOf(value, {ColorSchemes, Products, Trendora, Textures}, NoTabBarPage);
}

void setTabPageIndex(const QUuid &uuid, TabBarPage page)
{
    setCollectionValue(uuid, QStringLiteral("TabPageIndex"), int(page));
}

SchemeKind schemeKind(const QUuid &uuid)
{
    const QVariant value = readValue(collectionKey(uuid, QStringLiteral("SchemeKind")));
    return oneOf(value,
                 {HarmonicScheme, ContrastScheme, WideContrastScheme, DynamicScheme, DramaticScheme,
                  NeutralScheme, TonalNeutralScheme, ComplementaryNeutralScheme,
                  NaturalNeutralScheme},
                 NoScheme);
}

void setSchemeKind(const QUuid &uuid, SchemeKind kind)
{
    setCollectionValue(uuid, QStringLiteral("SchemeKind"), int(kind));
}

SchemeKind schemeNeutralSubKind(const QUuid &uuid)
{
    const QVariant value = readValue(collectionKey(uuid, QStringLiteral("SchemeNeutralSubKind")));
    return oneOf(value, {TonalNeutralScheme, ComplementaryNeutralScheme, NaturalNeutralScheme},
                 TonalNeutralScheme);
}

void setSchemeNeutralSubKind(const QUuid &uuid, SchemeKind kind)
{
    const bool kept = kind == ComplementaryNeutralScheme || kind == NaturalNeutralScheme;
    setCollectionValue(uuid, QStringLiteral("SchemeNeutralSubKind"),
                       int(kept ? kind : TonalNeutralScheme));
}

bool trendoraGroupOpenState(const QUuid &uuid, qint64 groupId, bool defaultOpen)
{
    return toBool(readValue(collectionKey(uuid, trendoraGroupKey(groupId))), defaultOpen);
}

void setTrendoraGroupOpenState(const QUuid &uuid, qint64 groupId, bool open)
{
    setCollectionValue(uuid, trendoraGroupKey(groupId), open);
}

DB::ItemIndex myPaletteEntry(const QPoint &cell)
{
    return DB::ItemIndex::fromString(readValue(cellKey(cell, ".Entry")).toString());
}

void setMyPaletteEntry(const QPoint &cell, const DB::ItemIndex &index)
{
    writeValue(cellKey(cell, ".Entry"), entryValue(index));
}

PaletteModel myPalette()
{
    PaletteModel palette;
    for (const QPoint &cell : PaletteModel::cells())
        palette.setEntry(cell, myPaletteEntry(cell));
    palette.setDescription(myPaletteDescription());
    return palette;
}

void setMyPalette(const PaletteModel &palette)
{
    QMap<QString, QVariant> &waiting = state().unsynced;
    for (const QPoint &cell : PaletteModel::cells())
        waiting.insert(cellKey(cell, ".Entry"), entryValue(palette.entry(cell)));
    waiting.insert(MyPaletteDescriptionKey, palette.description());
    writeWaiting();
}

bool myPaletteSelected(const QPoint &cell)
{
    return toBool(readValue(cellKey(cell, ".Selected")), false);
}

void setMyPaletteSelected(const QPoint &cell, bool selected)
{
    if (selected)
        writeValue(cellKey(cell, ".Selected"), true);
    else
        removeValue(cellKey(cell, ".Selected"));
}

bool myPaletteGridVisible()
{
    return toBool(readValue(MyPaletteGroup + QStringLiteral("MyPaletteGridVisible")), true);
}

void setMyPaletteGridVisible(bool visible)
{
    writeValue(MyPaletteGroup + QStringLiteral("MyPaletteGridVisible"), visible);
}

bool myPaletteSaveAsText()
{
    return readValue(MyPaletteGroup + QStringLiteral("MyPaletteSaveFileFormat")).toInt()
        == PaletteTextFile;
}

void setMyPaletteSaveFileFormat(PaletteFileFormat format)
{
    writeValue(MyPaletteGroup + QStringLiteral("MyPaletteSaveFileFormat"), int(format));
}

QString myPaletteLastSavePath()
{
    return readValue(MyPaletteGroup + QStringLiteral("MyPaletteLastSavePath")).toString();
}

void setMyPaletteLastSavePath(const QString &path)
{
    writeValue(MyPaletteGroup + QStringLiteral("MyPaletteLastSavePath"), path);
}

QString myPaletteDescription()
{
    return readValue(MyPaletteDescriptionKey).toString();
}

void setMyPaletteDescription(const QString &description)
{
    writeValue(MyPaletteDescriptionKey, description);
}

int myPaletteFullBackgroundColor()
{
    const QVariant value
        = readValue(MyPaletteGroup + QStringLiteral("MyPaletteFullBackgroundColor"));
    // Out of range falls back to the default grey rather than clamping to black or white.
    bool ok = false;
    const int grey = value.toInt(&ok);
    return ok && grey >= 0 && grey <= 255 ? grey : 176;
}

void setMyPaletteFullBackgroundColor(int grey)
{
    writeValue(MyPaletteGroup + QStringLiteral("MyPaletteFullBackgroundColor"), grey);
}

} // namespace Sorven::UserSettings
