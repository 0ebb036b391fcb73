#include "core/usersettings.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <QThread>

#include <climits>
#include <csignal>

namespace UserSettings = Sorven::UserSettings;
using Sorven::DB::ItemIndex;

namespace {

const QUuid First(QStringLiteral("{0b6a3c1e-2f4d-4e8a-9c7b-1d2e3f405162}"));
const QUuid Second(QStringLiteral("{9a8b7c6d-5e4f-4a3b-8c2d-1e0f9a8b7c6d}"));

// Set in the environment of a child process that writes settings and then is killed or exits;
// the value says how it writes.
const char *const WriterVariable = "VEXA_TEST_SETTINGS_WRITER";
const char *const WriterFolderVariable = "VEXA_TEST_SETTINGS_FOLDER";

QString iniPath(const QString &hostName)
{
    const QString application = hostName.isEmpty() ? QStringLiteral("Vexa Plugin")
                                                   : QStringLiteral("Vexa Plugin.") + hostName;
    return QDir(qEnvironmentVariable("XDG_CONFIG_HOME"))
        .filePath(QStringLiteral("Orvo Kalin/%1.ini").arg(application));
}

// The store as another program (or the user with an editor) sees it.
QVariant storedValue(const QString &hostName, const QString &key)
{
    return QSettings(iniPath(hostName), QSettings::IniFormat).value(key);
}

void storeValue(const QString &hostName, const QString &key, const QVariant &value)
{
    QSettings settings(iniPath(hostName), QSettings::IniFormat);
    settings.setValue(key, value);
}

// The palette of load number n: every cell names page n, the description says n. Load 0 is
// the empty palette.
Sorven::PaletteModel loadNumber(int n)
{
    Sorven::PaletteModel palette;
    if (n == 0)
        return palette;
    for (const QPoint &cell : Sorven::PaletteModel::cells())
        palette.setEntry(cell, ItemIndex {First, n, cell.y() * 6 + cell.x() + 1});
    palette.setDescription(QString::number(n));
    return palette;
}

// "exit" writes a position and leaves; the others write positions in turn until they are
// killed, with the event loop running, and report each one written. "at once" also writes a
// key that is synced at once, which takes the positions along; "palette load" loads a whole
// palette, which does too.
int runWriter(const QByteArray &mode)
{
    UserSettings::setHostName(QStringLiteral("Writer"));
    if (mode == "exit") {
        UserSettings::setPageIndex(First, 41);
        UserSettings::setRowIndex(First, 42);
        return 0;
    }
    for (int i = 1;; ++i) {
        UserSettings::setPageIndex(First, i);
        UserSettings::setRowIndex(First, i);
        if (mode == "at once")
            UserSettings::setMyPaletteLastSavePath(QString::number(i));
        if (mode == "palette load")
            UserSettings::setMyPalette(loadNumber(i));
        QCoreApplication::processEvents();
        // Paced, so that positions stay within the range a read accepts on a fast machine.
        QThread::usleep(50);
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}

// Runs this test program as a writer in mode on a fresh store of host name "Writer".
void startWriter(QProcess &writer, const QByteArray &mode)
{
    QFile::remove(iniPath(QStringLiteral("Writer")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(WriterVariable, QString::fromLatin1(mode));
    environment.insert(WriterFolderVariable, qEnvironmentVariable("XDG_CONFIG_HOME"));
    writer.setProcessEnvironment(environment);
    writer.start(QCoreApplication::applicationFilePath());
}

} // namespace

class TestUserSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void freshProfileGivesDefaults();
    void storedValuesAreValidated_data();
    void storedValuesAreValidated();
    void neutralSubKindIsStoredValidated_data();
    void neutralSubKindIsStoredValidated();
    void collectionsKeepTheirOwnPositions();
    void myPaletteCellKeysAreRemovedWhenEmpty();
    void hostNameNamesTheIniFile();
    void lastUsedCollectionIsCached();
    void anotherProgramsChangeIsSeenAtTheNextRead();
    void quickWritesKeepEachOthersKeys();
    void navigationKeysReachTheDiskTogether();
    void killedWriterLeavesAReadableFile_data();
    void killedWriterLeavesAReadableFile();
    void navigationKeysAreOnDiskAfterExit();

private:
    QString m_host;
};

void TestUserSettings::init()
{
    // A host name of its own gives every test a fresh store.
    m_host = QStringLiteral("Test_%1").arg(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        m_host += u'_' + QString::number(qHash(QString::fromUtf8(QTest::currentDataTag())));
    UserSettings::setHostName(m_host);
}

void TestUserSettings::freshProfileGivesDefaults()
{
    QVERIFY(UserSettings::lastUsedCollection().isNull());
    QCOMPARE(UserSettings::hostApplicationPid(), 0);
    QCOMPARE(UserSettings::segmentIndex(First), 1);
    QCOMPARE(UserSettings::moodFilter(First), Sorven::MoodAll);
    QCOMPARE(UserSettings::exteriorColors(First), false);
    QCOMPARE(UserSettings::showMto(First), false);
    QCOMPARE(UserSettings::pageIndex(First), 1);
    QCOMPARE(UserSettings::rowIndex(First), 1);
    QCOMPARE(UserSettings::tabPageIndex(First), Sorven::NoTabBarPage);
    QCOMPARE(UserSettings::schemeKind(First), Sorven::NoScheme);
    QCOMPARE(UserSettings::schemeNeutralSubKind(First), Sorven::TonalNeutralScheme);
    QCOMPARE(UserSettings::trendoraGroupOpenState(First, 12, true), true);
    QCOMPARE(UserSettings::trendoraGroupOpenState(First, 12, false), false);
    QCOMPARE(UserSettings::myPaletteEntry(QPoint(3, 1)), ItemIndex());
    QCOMPARE(UserSettings::myPaletteSelected(QPoint(3, 1)), false);
    QCOMPARE(UserSettings::myPaletteGridVisible(), true);
    QCOMPARE(UserSettings::myPaletteSaveAsText(), false);
    QCOMPARE(UserSettings::myPaletteLastSavePath(), QString());
    QCOMPARE(UserSettings::myPaletteDescription(), QString());
    QCOMPARE(UserSettings::myPaletteFullBackgroundColor(), 176);
    QVERIFY(!QFile::exists(iniPath(m_host)));
}

void TestUserSettings::storedValuesAreValidated_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    const QString group = First.toString() + u'/';
    const auto row = [&](const char *name, const QString &key, const QVariant &stored,
                         int expected) { QTest::newRow(name) << key << stored << expected; };
    row("tab page 3 is no page", group + "TabPageIndex", 3, 0);
    row("tab page 8 is textures", group + "TabPageIndex", 8, 8);
    row("tab page text", group + "TabPageIndex", "products", 0);
    row("mood 9 is all moods", group + "MoodFilter", 9, 7);
    row("mood 0 is all moods", group + "MoodFilter", 0, 7);
    row("mood text is all moods", group + "MoodFilter", "warm", 7);
    row("mood 3 kept", group + "MoodFilter", 3, 3);
    row("scheme kind 10 is none", group + "SchemeKind", 10, 0);
    row("scheme kind 9 kept", group + "SchemeKind", 9, 9);
    row("neutral sub-kind 6 is tonal", group + "SchemeNeutralSubKind", 6, 7);
    row("neutral sub-kind 9 kept", group + "SchemeNeutralSubKind", 9, 9);
    row("neutral sub-kind text is tonal", group + "SchemeNeutralSubKind", "x", 7);
    row("segment text is 0", group + "SegmentIndex", "abc", 0);
    row("page text is 0", group + "PageIndex", "first", 0);
    row("row 12 kept", group + "RowIndex", 12, 12);
    row("exterior yes is false", group + "ExteriorColors", "yes", 0);
    row("exterior true", group + "ExteriorColors", "true", 1);
    row("show mto 1 is true", group + "ShowMto", 1, 1);
    row("open trend group garbage is false", group + "TrendoraGroup_4_OpenState", "open", 0);
    row("background 300 is default", "MyPalette/MyPaletteFullBackgroundColor", 300, 176);
    row("background text is default", "MyPalette/MyPaletteFullBackgroundColor", "grey", 176);
    row("save format 2 is not text", "MyPalette/MyPaletteSaveFileFormat", 2, 0);
    row("save format 1 is text", "MyPalette/MyPaletteSaveFileFormat", 1, 1);
    row("grid text is hidden", "MyPalette/MyPaletteGridVisible", "maybe", 0);
    row("page beyond int is 0", group + "PageIndex", "99999999999999999999", 0);

    // Every number family at the integer limits, at 0 and as nonsense: what a hand-edited or
    // damaged file may hold, and what arithmetic on a position must never meet.
    const QVariant limits[] = {INT_MIN, INT_MAX, 0, "12 apples"};
    const struct
    {
        const char *key;
        int expected[4];
    } families[] = {
        {"SegmentIndex", {1, 1, 0, 0}},
        {"PageIndex", {1, 1, 0, 0}},
        {"RowIndex", {1, 1, 0, 0}},
        {"MoodFilter", {7, 7, 7, 7}},
        {"TabPageIndex", {0, 0, 0, 0}},
        {"SchemeKind", {0, 0, 0, 0}},
        {"SchemeNeutralSubKind", {7, 7, 7, 7}},
    };
    for (const auto &family : families) {
        for (int i = 0; i < 4; ++i)
            QTest::addRow("%s=%s", family.key, qPrintable(limits[i].toString()))
                << group + family.key << limits[i] << family.expected[i];
    }
    const int greys[] = {176, 176, 0, 176};
    for (int i = 0; i < 4; ++i)
        QTest::addRow("MyPaletteFullBackgroundColor=%s", qPrintable(limits[i].toString()))
            << QStringLiteral("MyPalette/MyPaletteFullBackgroundColor") << limits[i] << greys[i];
}

void TestUserSettings::storedValuesAreValidated()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    storeValue(m_host, key, stored);
    const QString name = key.section(u'/', -1);
    const QHash<QString, std::function<int()>> getters {
        {"TabPageIndex", [] { return int(UserSettings::tabPageIndex(First)); }},
        {"MoodFilter", [] { return int(UserSettings::moodFilter(First)); }},
        {"SchemeKind", [] { return int(UserSettings::schemeKind(First)); }},
        {"SchemeNeutralSubKind", [] { return int(UserSettings::schemeNeutralSubKind(First)); }},
        {"SegmentIndex", [] { return UserSettings::segmentIndex(First); }},
        {"PageIndex", [] { return UserSettings::pageIndex(First); }},
        {"RowIndex", [] { return UserSettings::rowIndex(First); }},
        {"ExteriorColors", [] { return int(UserSettings::exteriorColors(First)); }},
        {"ShowMto", [] { return int(UserSettings::showMto(First)); }},
        {"TrendoraGroup_4_OpenState",
         [] { return int(UserSettings::trendoraGroupOpenState(First, 4, true)); }},
        {"MyPaletteFullBackgroundColor",
         [] { return UserSettings::myPaletteFullBackgroundColor(); }},
        {"MyPaletteSaveFileFormat", [] { return int(UserSettings::myPaletteSaveAsText()); }},
        {"MyPaletteGridVisible", [] { return int(UserSettings::myPaletteGridVisible()); }},
    };
    QVERIFY(getters.contains(name));
    QCOMPARE(getters.value(name)(), expected);
}

void TestUserSettings::neutralSubKindIsStoredValidated_data()
{
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("stored");
    QTest::newRow("dramatic becomes tonal") << 5 << 7;
    QTest::newRow("none becomes tonal") << 0 << 7;
    QTest::newRow("complementary kept") << 8 << 8;
    QTest::newRow("natural kept") << 9 << 9;
}

void TestUserSettings::neutralSubKindIsStoredValidated()
{
    QFETCH(int, written);
    QFETCH(int, stored);
    UserSettings::setSchemeNeutralSubKind(First, Sorven::SchemeKind(written));
    UserSettings::sync();
    QCOMPARE(storedValue(m_host, First.toString() + "/SchemeNeutralSubKind").toInt(), stored);
    QCOMPARE(int(UserSettings::schemeNeutralSubKind(First)), stored);
}

void TestUserSettings::collectionsKeepTheirOwnPositions()
{
    UserSettings::setPageIndex(First, 4);
    UserSettings::setRowIndex(First, 2);
    UserSettings::setPageIndex(Second, 9);
    UserSettings::setRowIndex(Second, 6);
    UserSettings::setMoodFilter(Second, Sorven::MoodCalm);
    UserSettings::setTabPageIndex(First, Sorven::Trendora);
    QCOMPARE(UserSettings::pageIndex(First), 4);
    QCOMPARE(UserSettings::rowIndex(First), 2);
    QCOMPARE(UserSettings::moodFilter(First), Sorven::MoodAll);
    QCOMPARE(UserSettings::tabPageIndex(First), Sorven::Trendora);
    QCOMPARE(UserSettings::pageIndex(Second), 9);
    QCOMPARE(UserSettings::rowIndex(Second), 6);
    QCOMPARE(UserSettings::moodFilter(Second), Sorven::MoodCalm);
    QCOMPARE(UserSettings::tabPageIndex(Second), Sorven::NoTabBarPage);
    // The group is the braced collection identifier.
    UserSettings::sync();
    QCOMPARE(storedValue(m_host, Second.toString() + "/PageIndex").toInt(), 9);
}

void TestUserSettings::myPaletteCellKeysAreRemovedWhenEmpty()
{
    const QPoint cell(3, 1);
    const ItemIndex chip {First, 7, 42};
    UserSettings::setMyPaletteEntry(cell, chip);
    UserSettings::setMyPaletteSelected(cell, true);
    QCOMPARE(storedValue(m_host, "MyPalette/(1,3).Entry").toString(), chip.toString());
    QCOMPARE(storedValue(m_host, "MyPalette/(1,3).Selected").toBool(), true);
    QCOMPARE(UserSettings::myPaletteEntry(cell), chip);
    QCOMPARE(UserSettings::myPaletteSelected(cell), true);
    QCOMPARE(UserSettings::myPaletteEntry(QPoint(1, 3)), ItemIndex());

    UserSettings::setMyPaletteEntry(cell, ItemIndex {First, 7, 0});
    UserSettings::setMyPaletteSelected(cell, false);
    QVERIFY(!storedValue(m_host, "MyPalette/(1,3).Entry").isValid());
    QVERIFY(!storedValue(m_host, "MyPalette/(1,3).Selected").isValid());
    QCOMPARE(UserSettings::myPaletteEntry(cell), ItemIndex());
    QCOMPARE(UserSettings::myPaletteSelected(cell), false);

    storeValue(m_host, "MyPalette/(1,3).Entry", "itemindex({x},1,2)");
    QCOMPARE(UserSettings::myPaletteEntry(cell), ItemIndex());
}

void TestUserSettings::hostNameNamesTheIniFile()
{
    UserSettings::setHostName(QStringLiteral("AutoCAD"));
    UserSettings::setMyPaletteLastSavePath(QStringLiteral("/palettes/spring.palette"));
    QVERIFY(iniPath("AutoCAD").endsWith("/Orvo Kalin/Vexa Plugin.AutoCAD.ini"));
    QCOMPARE(storedValue("AutoCAD", "MyPalette/MyPaletteLastSavePath").toString(),
             "/palettes/spring.palette");

    UserSettings::setHostName(QString());
    UserSettings::setMyPaletteGridVisible(false);
    QCOMPARE(storedValue(QString(), "MyPalette/MyPaletteGridVisible").toBool(), false);
    QCOMPARE(UserSettings::myPaletteLastSavePath(), QString());
}

void TestUserSettings::lastUsedCollectionIsCached()
{
    storeValue(m_host, "UuidOfLastUsedCollection", First.toString());
    QCOMPARE(UserSettings::lastUsedCollection(), First);

    UserSettings::setLastUsedCollection(Second);
    UserSettings::sync();
    QCOMPARE(storedValue(m_host, "UuidOfLastUsedCollection").toString(), Second.toString());
    // Another program's change is not seen until the store is opened afresh.
    storeValue(m_host, "UuidOfLastUsedCollection", First.toString());
    QCOMPARE(UserSettings::lastUsedCollection(), Second);
    UserSettings::setHostName(m_host);
    QCOMPARE(UserSettings::lastUsedCollection(), First);
}

void TestUserSettings::anotherProgramsChangeIsSeenAtTheNextRead()
{
    UserSettings::setMyPaletteDescription(QStringLiteral("ours"));
    QCOMPARE(UserSettings::myPaletteDescription(), "ours");
    storeValue(m_host, "MyPalette/MyPaletteDescription", "theirs");
    QCOMPARE(UserSettings::myPaletteDescription(), "theirs");
    storeValue(m_host, First.toString() + "/PageIndex", 12);
    QCOMPARE(UserSettings::pageIndex(First), 12);
    QVERIFY(QFile::remove(iniPath(m_host)));
    QCOMPARE(UserSettings::pageIndex(First), 1);
    QCOMPARE(UserSettings::myPaletteDescription(), QString());
}

void TestUserSettings::quickWritesKeepEachOthersKeys()
{
    // An object that lives across the module's writes, as another program's would.
    QSettings other(iniPath(m_host), QSettings::IniFormat);
    for (int i = 1; i <= 20; ++i) {
        UserSettings::setPageIndex(First, i);
        UserSettings::setRowIndex(Second, i);
        UserSettings::setTrendoraGroupOpenState(First, i, true);
        UserSettings::sync();
        QCOMPARE(UserSettings::pageIndex(First), i);
    }
    other.setValue("Other/Key", "kept");
    other.sync();
    QCOMPARE(other.status(), QSettings::NoError);
    UserSettings::setShowMto(Second, true);
    UserSettings::sync();

    QCOMPARE(UserSettings::pageIndex(First), 20);
    QCOMPARE(UserSettings::rowIndex(Second), 20);
    QCOMPARE(UserSettings::showMto(Second), true);
    for (int i = 1; i <= 20; ++i)
        QVERIFY(UserSettings::trendoraGroupOpenState(First, i, false));
    QCOMPARE(storedValue(m_host, "Other/Key").toString(), "kept");
    const QStringList leftovers = QFileInfo(iniPath(m_host))
                                      .dir()
                                      .entryList({QFileInfo(iniPath(m_host)).fileName() + u'*'},
                                                 QDir::Files | QDir::Hidden);
    QCOMPARE(leftovers, QStringList {QFileInfo(iniPath(m_host)).fileName()});
}

void TestUserSettings::navigationKeysReachTheDiskTogether()
{
    UserSettings::setPageIndex(First, 5);
    UserSettings::setTabPageIndex(Second, Sorven::Trendora);
    QCOMPARE(UserSettings::pageIndex(First), 5);
    QCOMPARE(UserSettings::tabPageIndex(Second), Sorven::Trendora);
    QVERIFY(!QFile::exists(iniPath(m_host)));
    // The timer's write runs on another thread; reads answer right all the way through it.
    QDeadlineTimer deadline(5000);
    while (storedValue(m_host, First.toString() + "/PageIndex").toInt() != 5) {
        QVERIFY(!deadline.hasExpired());
        QCOMPARE(UserSettings::pageIndex(First), 5);
        QTest::qWait(1);
    }
    QCOMPARE(storedValue(m_host, Second.toString() + "/TabPageIndex").toInt(),
             int(Sorven::Trendora));

    // A write synced at once takes the waiting keys along.
    UserSettings::setRowIndex(First, 7);
    UserSettings::setMyPaletteDescription(QStringLiteral("spring"));
    QCOMPARE(storedValue(m_host, "MyPalette/MyPaletteDescription").toString(), "spring");
    QCOMPARE(storedValue(m_host, First.toString() + "/RowIndex").toInt(), 7);

    // Keys waiting for the disk belong to the store they were set in.
    UserSettings::setRowIndex(First, 9);
    UserSettings::setHostName(m_host + QStringLiteral("_other"));
    QCOMPARE(storedValue(m_host, First.toString() + "/RowIndex").toInt(), 9);
    QCOMPARE(UserSettings::rowIndex(First), 1);
}

void TestUserSettings::killedWriterLeavesAReadableFile_data()
{
    QTest::addColumn<QByteArray>("mode");
    // How long before the kill a reported position must have been written to be on disk.
    QTest::addColumn<int>("promiseMs");
    QTest::newRow("synced at once") << QByteArray("at once") << 0;
    QTest::newRow("coalesced") << QByteArray("coalesced") << 2500;
    QTest::newRow("palette load") << QByteArray("palette load") << 0;
}

void TestUserSettings::killedWriterLeavesAReadableFile()
{
    QFETCH(QByteArray, mode);
    QFETCH(int, promiseMs);
    QProcess writer;
    startWriter(writer, mode);
    UserSettings::setHostName(QStringLiteral("Writer"));
    storeValue("Writer", "Other/Key", "written before");
    QVERIFY(writer.waitForStarted());
    QElapsedTimer clock;
    clock.start();
    // Each position reported, with when it was.
    QList<std::pair<qint64, int>> reports;
    while ((reports.size() < 30 || clock.elapsed() < promiseMs + 1500)
           && writer.waitForReadyRead(10000)) {
        while (writer.canReadLine())
            reports.append({clock.elapsed(), writer.readLine().trimmed().toInt()});
    }
    // Halfway through the next write, rather than just after a report.
    const qint64 firstAt = reports.value(0).first;
    QTest::qSleep(int((clock.elapsed() - firstAt) / qMax(1, reports.size()) / 2));
    const qint64 killedAt = clock.elapsed();
    ::kill(writer.processId(), SIGKILL);
    QVERIFY(writer.waitForFinished());
    QVERIFY2(reports.size() >= 30, "the writer did not get going");
    int promised = 0;
    for (const auto &[at, position] : std::as_const(reports)) {
        if (at <= killedAt - promiseMs)
            promised = position;
    }
    QVERIFY(promised > 0);

    QSettings settings(iniPath("Writer"), QSettings::IniFormat);
    QCOMPARE(settings.status(), QSettings::NoError);
    QCOMPARE(settings.value("Other/Key").toString(), "written before");
    QVERIFY(UserSettings::pageIndex(First) >= promised);
    QVERIFY(UserSettings::rowIndex(First) >= promised);
    // Every cell and the description come from one load, never from two.
    const Sorven::PaletteModel palette = UserSettings::myPalette();
    QCOMPARE(palette, loadNumber(palette.description().toInt()));
    if (mode == "palette load")
        QVERIFY(palette.description().toInt() >= promised);
}

void TestUserSettings::navigationKeysAreOnDiskAfterExit()
{
    QProcess writer;
    startWriter(writer, "exit");
    QVERIFY(writer.waitForFinished());
    QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
    QCOMPARE(writer.exitCode(), 0);
    QCOMPARE(storedValue("Writer", First.toString() + "/PageIndex").toInt(), 41);
    QCOMPARE(storedValue("Writer", First.toString() + "/RowIndex").toInt(), 42);
}

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (qEnvironmentVariableIsSet(WriterVariable)) {
        // The child shares its parent's store, not the fresh folder it was given.
        qputenv("XDG_CONFIG_HOME", qgetenv(WriterFolderVariable));
        return runWriter(qgetenv(WriterVariable));
    }
    TestUserSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_usersettings.moc"
