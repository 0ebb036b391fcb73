#include "core/usersettings.h"
#include "palette/palettefile.h"
#include "support/palettefixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Sorven;

namespace {

enum class Fault { FullDisk, ReadOnly, FailingWrite, FailingFsync, FailingRename };

const QString Filler = QStringLiteral("filler");
const QByteArray OldContent = "the file as it was\n";

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Without the shim, which is for the programs under test.
bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LD_PRELOAD"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

// A folder that fails while armed: a small file system filled up or remounted read-only where
// the test may mount one, else a folder without write permission or the preloaded shim that
// fails one operation under it.
class FaultyFolder
{
public:
    FaultyFolder(const QString &path, Fault fault) : m_path(path), m_fault(fault)
    {
        QDir().mkpath(path);
        if (fault == Fault::FullDisk || (fault == Fault::ReadOnly && ::geteuid() == 0))
            m_mounted = ::geteuid() == 0
                && run(QStringLiteral("mount"),
                       {"-t", "tmpfs", "-o", "size=256k", "tmpfs", m_path});
    }

    ~FaultyFolder()
    {
        disarm();
        if (m_mounted)
            run(QStringLiteral("umount"), {m_path});
    }

    // Why this fault cannot be made here; empty when it can.
    QString unavailable() const
    {
        if (m_fault == Fault::FullDisk || (m_fault == Fault::ReadOnly && ::geteuid() == 0))
            return m_mounted ? QString() : QStringLiteral("cannot mount a small file system");
        if (m_fault != Fault::ReadOnly
            && !qEnvironmentVariable("LD_PRELOAD").contains(QLatin1String("write_failure_shim")))
            return QStringLiteral("the write failure shim is not preloaded");
        return {};
    }

    // A full disk keeps spare bytes free, room for a lock file but not for the file itself.
    void arm(qint64 spare = 0)
    {
        switch (m_fault) {
        case Fault::FullDisk:
            fill(spare);
            break;
        case Fault::ReadOnly:
            if (m_mounted)
                run(QStringLiteral("mount"), {"-o", "remount,ro", m_path});
            else
                QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
            break;
        default:
            qputenv("VEXA_FAIL_PATH", QFile::encodeName(m_path));
            qputenv("VEXA_FAIL_OPS",
                    m_fault == Fault::FailingWrite       ? "write"
                        : m_fault == Fault::FailingFsync ? "fsync"
                                                         : "rename");
        }
    }

    void disarm()
    {
        qunsetenv("VEXA_FAIL_PATH");
        if (m_fault == Fault::FullDisk)
            QFile::remove(QDir(m_path).filePath(Filler));
        if (m_fault == Fault::ReadOnly && m_mounted)
            run(QStringLiteral("mount"), {"-o", "remount,rw", m_path});
        else if (m_fault == Fault::ReadOnly)
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The files in the folder apart from the filler.
    QStringList files() const
    {
        QStringList names = QDir(m_path).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(Filler);
        return names;
    }

private:
    void fill(qint64 spare)
    {
        QFile filler(QDir(m_path).filePath(Filler));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) { }
        filler.resize(std::max<qint64>(0, filler.size() - spare));
    }

    QString m_path;
    Fault m_fault;
    bool m_mounted = false;
};

void addFaultRows(const QString &prefix, const std::function<void(QTestData &)> &columns)
{
    for (const auto &[name, fault] :
         {std::pair {"full disk", Fault::FullDisk}, std::pair {"read-only", Fault::ReadOnly},
          std::pair {"write fails", Fault::FailingWrite},
          std::pair {"fsync fails", Fault::FailingFsync},
          std::pair {"rename fails", Fault::FailingRename}}) {
        QTestData &row = QTest::newRow(qPrintable(prefix + u' ' + QLatin1String(name))) << fault;
        columns(row);
    }
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestWriteFailures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void toolWritersKeepTheOldFile_data();
    void toolWritersKeepTheOldFile();
    void settingsKeepTheirKeysAndTheSessionGoesOn();

private:
    std::unique_ptr<PaletteFixture> m_fixture;
    QTemporaryDir m_root;
    QString m_source;
};

void TestWriteFailures::initTestCase()
{
    m_fixture = std::make_unique<PaletteFixture>();
    PaletteModel palette;
    palette.setEntry({0, 0}, m_fixture->harbourRed.index());
    palette.setEntry({1, 0}, m_fixture->quayGreen.index());
    m_source = m_root.filePath(QStringLiteral("source.palette"));
    QVERIFY(savePaletteFile(palette, PaletteXmlFile, m_source));
}

void TestWriteFailures::toolWritersKeepTheOldFile_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("name");
    for (const auto &[option, name] :
         {std::pair {"save", "out.palette"}, std::pair {"text", "out.txt"},
          std::pair {"colorbook", "out.acb"}, std::pair {"gpl", "out.gpl"},
          std::pair {"ase", "out.ase"}, std::pair {"schedule", "out.pdf"}})
        addFaultRows(QLatin1String(option), [option, name](QTestData &row) {
            row << QString::fromLatin1(option) << QString::fromLatin1(name);
        });
}

void TestWriteFailures::toolWritersKeepTheOldFile()
{
    QFETCH(Fault, fault);
    QFETCH(QString, option);
    QFETCH(QString, name);
    const QString folder = m_root.filePath(QString::fromLatin1(QTest::currentDataTag()));
    FaultyFolder faulty(folder, fault);
    if (!faulty.unavailable().isEmpty())
        QSKIP(qPrintable(faulty.unavailable()));
    const QString target = QDir(folder).filePath(name);
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write(OldContent) == OldContent.size());
    old.close();
    faulty.arm();
    QProcess inspect;
    inspect.start(QStringLiteral(VEXA_INSPECT), {"palette", m_source, "--" + option, target});
    QVERIFY(inspect.waitForFinished(60000));
    faulty.disarm();
    const QByteArray error = inspect.readAllStandardError();
    QCOMPARE(inspect.exitCode(), 1);
    const QStringList told
        = QString::fromUtf8(error).split(u'\n').filter(QStringLiteral("vexa-inspect: "));
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().contains(name), error.constData());
    QCOMPARE(contents(target), OldContent);
    QCOMPARE(faulty.files(), QStringList {name});
}

// Starting the palette writes the process identifier and a drop writes a cell: on a disk that
// fails, the file keeps every key, the session answers from memory and the user hears of it
// once; the next write after the disk recovers stores what waited.
void TestWriteFailures::settingsKeepTheirKeysAndTheSessionGoesOn()
{
    UserSettings::setHostName(QStringLiteral("AutoCAD"));
    QList<UserSettings::WriteFailure> told;
    UserSettings::setWriteFailureHandler(
        [&told](const UserSettings::WriteFailure &failure) { told.append(failure); });
    const QString folder
        = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Orvo Kalin";
    const QString ini = folder + "/Vexa Plugin.AutoCAD.ini";
    const auto chip = [](int i) { return DB::ItemIndex(PaletteFixture::Harbour, 3, 100 + i); };
    std::optional<UserSettings::WriteProblem> first;
    for (const Fault fault : {Fault::FullDisk, Fault::ReadOnly, Fault::FailingWrite,
                              Fault::FailingFsync, Fault::FailingRename}) {
        FaultyFolder faulty(folder, fault);
        if (!faulty.unavailable().isEmpty())
            continue;
        for (int i = 0; i < 22; ++i)
            UserSettings::setMyPaletteEntry({i % 6, i / 6}, chip(i));
        const QByteArray before = contents(ini);
        faulty.arm(4096);
        UserSettings::setHostApplicationPid(4242 + int(fault));
        UserSettings::setMyPaletteEntry({5, 3}, chip(99));
        QCOMPARE(contents(ini), before);
        QCOMPARE(faulty.files(), QStringList {QFileInfo(ini).fileName()});
        QCOMPARE(UserSettings::hostApplicationPid(), 4242 + int(fault));
        QCOMPARE(UserSettings::myPaletteEntry({5, 3}), chip(99));
        QCOMPARE(UserSettings::myPaletteEntry({3, 2}), chip(15));
        if (!first)
            first = fault == Fault::FullDisk ? UserSettings::WriteProblem::DiskFull
                : fault == Fault::ReadOnly   ? UserSettings::WriteProblem::ReadOnly
                                             : UserSettings::WriteProblem::Other;
        faulty.disarm();
        UserSettings::setMyPaletteGridVisible(true);
        const QSettings stored(ini, QSettings::IniFormat);
        QCOMPARE(stored.value("HostApplicationPID").toInt(), 4242 + int(fault));
        QCOMPARE(stored.value("MyPalette/(3,5).Entry").toString(), chip(99).toString());
        QCOMPARE(stored.value("MyPalette/(2,3).Entry").toString(), chip(15).toString());
    }
    UserSettings::setWriteFailureHandler({});
    if (!first)
        QSKIP("no fault can be made here");
    QCOMPARE(told.size(), 1);
    QCOMPARE(told.first().problem, *first);
    QCOMPARE(told.first().path, ini);
}

QTEST_MAIN(TestWriteFailures)
#include "tst_writefailures.moc"
