// Damaged and hostile files in the collection folder, beside two good databases: the good
// collections stay listed and readable, the palette renders without a placeholder, the tools
// answer, and nothing in the folder changes or is added.
#include "core/aboutbox.h"
#include "core/collectionsettings.h"
#include "core/mainwidget.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/databaselayer.h"
#include "db/search.h"
#include "palette/colorscience.h"
#include "support/fixturedatabase.h"
#include "tools/authorcommands.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <cmath>

#include <sys/stat.h>

using namespace Sorven;

namespace {

const QUuid Alpine("{5b1e0c4e-8a4f-4d7e-9c61-2f0d7a9e0a01}");
const QUuid Brume("{5b1e0c4e-8a4f-4d7e-9c61-2f0d7a9e0a02}");
const QUuid Hostile("{5b1e0c4e-8a4f-4d7e-9c61-2f0d7a9e0a03}");
const QString LockConnection = QStringLiteral("hostile-lock");

QString folderPath(const QString &name)
{
    return QDir(fixtureDatabaseFolder()).filePath(name);
}

// A collection with every key, one page and two chips whose codes start with prefix.
qint64 addCollection(FixtureDatabase &file, const QUuid &uuid, const QString &name, int order,
                     const QString &prefix)
{
    const qint64 id = file.addCollection(uuid, prefix + QStringLiteral("SYS"), name, order);
    file.addEveryKey(id);
    const qint64 page = file.addPage(id, 1, 1, name + QStringLiteral(" page"));
    file.addRow(id, page, 1, prefix + QStringLiteral("1"), QColor(30, 90, 140));
    file.addRow(id, page, 2, prefix + QStringLiteral("2"), QColor(200, 180, 40));
    return id;
}

void writeGoodFiles()
{
    FixtureDatabase alpine(QStringLiteral("alpine.db"));
    addCollection(alpine, Alpine, QStringLiteral("Alpine"), 1, QStringLiteral("A"));
    FixtureDatabase brume(QStringLiteral("brume.db"));
    addCollection(brume, Brume, QStringLiteral("Brume"), 2, QStringLiteral("B"));
}

void writeBytes(const QString &name, const QByteArray &bytes)
{
    QFile file(folderPath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray goodBytes()
{
    QFile file(folderPath(QStringLiteral("alpine.db")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The hostile collection, listed after the good ones unless it is meant to be shown.
void writeHostile(const QString &name, const QStringList &damage, int order = 50)
{
    FixtureDatabase file(name);
    addCollection(file, Hostile, QStringLiteral("Hostile"), order, QStringLiteral("H"));
    for (const QString &statement : damage)
        file.exec(statement);
}

using Damage = void (*)();

void truncatedHeader()
{
    writeBytes(QStringLiteral("cut.db"), goodBytes().left(50));
}

void truncatedFirstPage()
{
    writeBytes(QStringLiteral("cut.db"), goodBytes().left(1000));
}

void truncatedHalf()
{
    const QByteArray bytes = goodBytes();
    writeBytes(QStringLiteral("cut.db"), bytes.left(bytes.size() / 2));
}

void randomBytes()
{
    QByteArray bytes(64 * 1024, Qt::Uninitialized);
    QRandomGenerator generator(14);
    generator.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    writeBytes(QStringLiteral("noise.db"), bytes);
}

void randomBytesAfterHeader()
{
    QByteArray bytes = goodBytes();
    QRandomGenerator generator(41);
    for (qsizetype i = 100; i < bytes.size(); ++i)
        bytes[i] = char(generator.bounded(256));
    writeBytes(QStringLiteral("noise.db"), bytes);
}

void emptyFile()
{
    writeBytes(QStringLiteral("empty.db"), {});
}

void directory()
{
    QDir(fixtureDatabaseFolder()).mkdir(QStringLiteral("x.db"));
}

void symlinkLoop()
{
    QFile::link(folderPath(QStringLiteral("loop.db")), folderPath(QStringLiteral("loop.db")));
}

void fifo()
{
    mkfifo(QFile::encodeName(folderPath(QStringLiteral("pipe.db"))).constData(), 0600);
}

void noCollectionTable()
{
    writeHostile(QStringLiteral("hostile.db"), {QStringLiteral("DROP TABLE COLLECTION")});
}

void noSettingTable()
{
    writeHostile(QStringLiteral("hostile.db"), {QStringLiteral("DROP TABLE SETTING")});
}

void noPageTable()
{
    writeHostile(QStringLiteral("hostile.db"), {QStringLiteral("DROP TABLE PAGE")});
}

void noRowTable()
{
    writeHostile(QStringLiteral("hostile.db"), {QStringLiteral("DROP TABLE \"ROW\"")});
}

void noPageMapTable()
{
    writeHostile(QStringLiteral("hostile.db"), {QStringLiteral("DROP TABLE COLLECTION_PAGE_MAP")});
}

void noLocaleAndThemeTables()
{
    writeHostile(QStringLiteral("hostile.db"),
                 {QStringLiteral("DROP TABLE LOCALE"), QStringLiteral("DROP TABLE THEME")});
}

// Columns without declared types take whatever they are given.
void wrongTypesAndNulls()
{
    writeHostile(
        QStringLiteral("hostile.db"),
        {QStringLiteral("DROP TABLE \"ROW\""),
         QStringLiteral(
             "CREATE TABLE \"ROW\" (ID integer PRIMARY KEY, COLLECTION_ID, PAGE_ID, "
             "ROW_INDEX, CODE, NAME, SEGMENT, RED, GREEN, BLUE, L, A, B, NEUTRAL, WHITE, "
             "MOOD, SCHEME_POS, NSCHEME_POS, NAME0, NAME1, NAME2, NAME3, NAME4, NAME5, "
             "NAME6, NAME7, NAME8, NAME9, EXTRA0, EXTRA1, EXTRA2, EXTRA3, EXTRA4, EXTRA5, "
             "EXTRA6, EXTRA7, EXTRA8, EXTRA9, IS_MTO)"),
         QStringLiteral(
             "INSERT INTO \"ROW\" (ID, COLLECTION_ID, PAGE_ID, ROW_INDEX, CODE, SEGMENT, "
             "RED, GREEN, BLUE, L, A, B, MOOD, NAME0, EXTRA0) VALUES (1, 1, 1, 'one', "
             "X'00FF', NULL, 'red', 3.7, X'FF', NULL, 'x', NULL, 99, X'C0', NULL)"),
         QStringLiteral("INSERT INTO \"ROW\" (ID, COLLECTION_ID, PAGE_ID, ROW_INDEX, RED, GREEN, "
                        "BLUE, L, A, B) VALUES (2, NULL, 1, 9223372036854775807, -5, 1e300, NULL, "
                        "-1, 1, 'b')"),
         QStringLiteral("UPDATE PAGE SET SEGMENT = 'abc', NAME0 = NULL, PAGE_INDEX = 1.5"),
         QStringLiteral("UPDATE COLLECTION SET \"ORDER\" = 'last' WHERE ID > 0")});
}

void nonFiniteLab()
{
    writeHostile(QStringLiteral("hostile.db"),
                 {QStringLiteral("PRAGMA ignore_check_constraints = ON"),
                  QStringLiteral("UPDATE \"ROW\" SET L = 1e999, A = -1e999 WHERE ROW_INDEX = 1"),
                  QStringLiteral("UPDATE \"ROW\" SET A = 1e308, B = -1e308 WHERE ROW_INDEX = 2")});
}

// A WAL-mode file still open elsewhere: its "-wal" file holds what is not yet checkpointed.
void walWithLog()
{
    const QString path = folderPath(QStringLiteral("wal.db"));
    {
        QSqlDatabase database
            = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), LockConnection);
        database.setDatabaseName(path);
        database.open();
        QSqlQuery query(database);
        query.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        query.exec(QStringLiteral("PRAGMA wal_autocheckpoint = 0"));
        query.exec(QStringLiteral("CREATE TABLE COLLECTION (ID integer)"));
        query.exec(QStringLiteral("INSERT INTO COLLECTION VALUES (1)"));
    }
    // The writer stays open until cleanup, so the "-wal" and "-shm" files stay too.
}

void walWithoutLog()
{
    writeHostile(QStringLiteral("wal.db"), {QStringLiteral("PRAGMA journal_mode = WAL")});
}

// Another connection holds the write lock until cleanup.
void locked()
{
    writeHostile(QStringLiteral("locked.db"), {});
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), LockConnection);
    database.setDatabaseName(folderPath(QStringLiteral("locked.db")));
    database.open();
    QSqlQuery(database).exec(QStringLiteral("BEGIN EXCLUSIVE"));
}

// A file whose name differs from a good one's only in letter case, listed first.
void caseTwin()
{
    writeHostile(QStringLiteral("ALPINE.db"), {}, -1);
}

void duplicateUuid()
{
    FixtureDatabase file(QStringLiteral("zz-duplicate.db"));
    addCollection(file, Alpine, QStringLiteral("Alpine copy"), -1, QStringLiteral("D"));
}

// Shown first: HTML naming a local red image, terminal controls, a right-to-left override and
// texts of a megabyte.
void hostileText()
{
    const QString redImage = QDir(QDir::tempPath()).filePath(QStringLiteral("hostile-red.png"));
    QFile image(redImage);
    if (image.open(QIODevice::WriteOnly))
        image.write(pngBytes(QSize(400, 40), Qt::red));
    const QString huge(1024 * 1024, u'W');
    FixtureDatabase file(QStringLiteral("hostile.db"));
    const qint64 id = file.addCollection(Hostile, "HOSTILE", huge, -1);
    for (const char *key : {"color.palette.motto", "color.palette.copyright", "aboutbox.main",
                            "aboutbox.copyright", "license.copyright"})
        file.addLocale(id, key,
                       QStringLiteral("<img src=\"%1\"><link rel=\"stylesheet\" href=\"%1\">"
                                      "<b>bold</b><img src=\"file://%1\">")
                           .arg(redImage));
    file.addEveryKey(id);
    const qint64 page = file.addPage(id, 1, 1, huge);
    file.addRow(id, page, 1, QStringLiteral("\x1b[31mH1\x07"), QColor(30, 90, 140),
                QStringLiteral("\u202Eeman\r\b"));
    file.addRow(id, page, 2, huge, QColor(200, 180, 40), huge);
}

// Every file and folder entry below the folder: its kind and, for a regular file, its bytes.
QMap<QString, QByteArray> snapshot()
{
    QMap<QString, QByteArray> entries;
    const QDir folder(fixtureDatabaseFolder());
    for (const QFileInfo &entry : folder.entryInfoList(QDir::AllEntries | QDir::System
                                                       | QDir::Hidden | QDir::NoDotAndDotDot)) {
        QByteArray state = entry.isSymLink() ? "link " + QFile::encodeName(entry.symLinkTarget())
            : entry.isDir()                  ? QByteArray("folder")
            : entry.isFile()                 ? QByteArray("file ")
                                             : QByteArray("special");
        QFile file(entry.absoluteFilePath());
        if (entry.isFile() && !entry.isSymLink() && file.open(QIODevice::ReadOnly))
            state += QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
        entries.insert(entry.fileName(), state);
    }
    return entries;
}

int placeholderPixels(QWidget &widget)
{
    const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
    }
    return count;
}

Tools::InspectResult inspect(const char *name, const QStringList &arguments = {})
{
    for (const Tools::InspectCommand &command : Tools::inspectCommands()) {
        if (qstrcmp(command.name, name) == 0)
            return command.run(arguments);
    }
    return Tools::InspectResult::failure(QStringLiteral("no command"));
}

} // namespace

Q_DECLARE_METATYPE(Damage)

class TestHostileCollections : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetDatabaseLayer();
        QDir(fixtureDatabaseFolder()).removeRecursively();
        writeGoodFiles();
    }

    void cleanup()
    {
        QSqlDatabase::removeDatabase(LockConnection);
        resetDatabaseLayer();
    }

    void goodCollectionsSurvive_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::newRow("truncated in the header") << &truncatedHeader;
        QTest::newRow("truncated in the first page") << &truncatedFirstPage;
        QTest::newRow("truncated in half") << &truncatedHalf;
        QTest::newRow("random bytes") << &randomBytes;
        QTest::newRow("random bytes after a valid header") << &randomBytesAfterHeader;
        QTest::newRow("empty file") << &emptyFile;
        QTest::newRow("directory named x.db") << &directory;
        QTest::newRow("symlink loop") << &symlinkLoop;
        QTest::newRow("FIFO") << &fifo;
        QTest::newRow("no COLLECTION table") << &noCollectionTable;
        QTest::newRow("no SETTING table") << &noSettingTable;
        QTest::newRow("no PAGE table") << &noPageTable;
        QTest::newRow("no ROW table") << &noRowTable;
        QTest::newRow("no COLLECTION_PAGE_MAP table") << &noPageMapTable;
        QTest::newRow("no LOCALE and THEME tables") << &noLocaleAndThemeTables;
        QTest::newRow("wrong column types and NULLs") << &wrongTypesAndNulls;
        QTest::newRow("non-finite L*a*b* values") << &nonFiniteLab;
        QTest::newRow("WAL with its -wal file") << &walWithLog;
        QTest::newRow("WAL without its -wal file") << &walWithoutLog;
        QTest::newRow("locked by another connection") << &locked;
        QTest::newRow("case twin of a good file") << &caseTwin;
        QTest::newRow("duplicate collection UUID") << &duplicateUuid;
        QTest::newRow("hostile text") << &hostileText;
    }

    void goodCollectionsSurvive()
    {
        QFETCH(Damage, damage);
        damage();
        const QMap<QString, QByteArray> before = snapshot();
        QElapsedTimer timer;
        timer.start();

        QCOMPARE(DB::initializeDatabaseLayer(QCoreApplication::applicationFilePath(), QString()),
                 0);
        const QList<QUuid> listed = DB::availableCollections();
        for (const auto &[uuid, code] : {std::pair(Alpine, "A1"), std::pair(Brume, "B1")}) {
            QVERIFY(listed.contains(uuid));
            DB::ColorPage page;
            QCOMPARE(DB::loadPage(uuid, 1, page), 0);
            QCOMPARE(page.entries.value(0).code, QString::fromLatin1(code));
        }
        for (const QUuid &uuid : listed) {
            QVector<DB::LabSample> samples;
            DB::loadLabSamples(uuid, samples);
            for (const auto &[difference, rowId] :
                 nearestLabSamples(labFromColor(Qt::gray), samples, 3))
                QVERIFY(std::isfinite(difference));
        }
        {
            UserSettings::setLastUsedCollection(listed.first());
            CollectionSettings::setCurrentCollection(listed.first());
            DB::loadNameOrders(listed.first());
            MainWidget widget;
            widget.show();
            QVERIFY(QTest::qWaitForWindowExposed(&widget));
            QCOMPARE(placeholderPixels(widget), 0);
        }
        QCOMPARE(inspect("collections").status, 0);
        for (const QString &name : before.keys())
            inspect("check", {folderPath(name)});

        QCOMPARE(snapshot(), before);
        // Guards against waiting on locks, which took seconds per file; not a speed target.
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    }

    // Markup in the collection's own texts draws none of the red image it names.
    void hostileTextLoadsNothing()
    {
        hostileText();
        QCOMPARE(DB::initializeDatabaseLayer(QCoreApplication::applicationFilePath(), QString()),
                 0);
        UserSettings::setLastUsedCollection(Hostile);
        CollectionSettings::setCurrentCollection(Hostile);
        MainWidget widget;
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QCOMPARE(placeholderPixels(widget), 0);
        AboutBox about(&widget, QString());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(placeholderPixels(*about.findChild<QTextEdit *>()), 0);
        for (QLabel *label : about.findChildren<QLabel *>())
            QCOMPARE(label->pixmap().isNull() ? placeholderPixels(*label) : 0, 0);
    }
};

QTEST_MAIN(TestHostileCollections)
#include "tst_hostilecollections.moc"
