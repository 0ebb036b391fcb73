#include "db/connections.h"
#include "db/requiredkeys.h"
#include "support/fixturedatabase.h"
#include "tools/authorcommands.h"
#include "tools/collectioncheck.h"
#include "tools/democollections.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Sorven::Tools;

namespace {

InspectResult run(const char *name, const QStringList &arguments = {})
{
    for (const InspectCommand &command : inspectCommands()) {
        if (qstrcmp(command.name, name) == 0)
            return command.run(arguments);
    }
    return InspectResult::failure(QStringLiteral("no command"));
}

// A file whose collections carry every key the palette reads.
void addEveryKey(FixtureDatabase &file, qint64 collectionId)
{
    const QByteArray png
        = QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQD"
                                 "wAEhQGAhKmMIQAAAABJRU5ErkJggg==");
    for (const QString &key :
         Sorven::DB::commonThemeImageKeys() + Sorven::DB::systemWideThemeKeys())
        file.addTheme(0, key, png);
    for (const QString &key : Sorven::DB::requiredLocaleKeys())
        file.addLocale(collectionId, key, key);
    for (const QString &key : Sorven::DB::collectionThemeImageKeys())
        file.addTheme(collectionId, key, png);
    for (const QString &key : Sorven::DB::themeColorKeys())
        file.addTheme(collectionId, key, "1,2,3");
}

} // namespace

class TestAuthorTool : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetDatabaseLayer();
        QDir(fixtureDatabaseFolder()).removeRecursively();
    }

    void aFileWithEveryKeyConforms()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        addEveryKey(file, file.addCollection(QUuid::createUuid(), "ALP", "Alpine", 1));
        file.close();
        QCOMPARE(checkCollectionDatabase(file.path()), QStringList());
        const InspectResult result = run("check", {file.path()});
        QCOMPARE(result.status, 0);
        QVERIFY(result.json.toObject()["ok"].toBool());
    }

    void reportsMissingKeys()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        const qint64 id = file.addCollection(QUuid::createUuid(), "ALP", "Alpine", 1);
        addEveryKey(file, id);
        file.exec(R"(DELETE FROM LOCALE WHERE "KEY" = 'mypalette.palette.save')");
        file.exec("DELETE FROM THEME WHERE ITEM_KEY = 'image.banner'");
        file.exec("DELETE FROM THEME WHERE ITEM_KEY = 'list.of.preferred.font.faces'");
        file.close();
        const QStringList problems = checkCollectionDatabase(file.path());
        QCOMPARE(problems.size(), 3);
        QVERIFY(problems.contains("collection 1 (Alpine) lacks LOCALE key mypalette.palette.save"));
        QVERIFY(problems.contains("collection 1 (Alpine) lacks THEME item image.banner"));
        QVERIFY(problems.contains(
            "collection 0 (SystemWide Collection) lacks THEME item list.of.preferred.font.faces"));
    }

    void theDemoCollectionsConform()
    {
        QTemporaryDir root;
        const Sorven::Demo::DemoBuildResult demo
            = Sorven::Demo::buildDemoCollections(root.path(), {});
        QVERIFY2(demo.error.isEmpty(), qPrintable(demo.error));
        QVERIFY(demo.files.size() >= 2);
        for (const QString &path : demo.files)
            QCOMPARE(checkCollectionDatabase(path), QStringList());
    }

    void reportsWhatIsMissing_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("problem");
        QTest::newRow("table") << "DROP TABLE TEXTURE_MAP"
                               << "missing table TEXTURE_MAP";
        QTest::newRow("view") << "DROP VIEW CAPSURE_COLLECTION_IDS_BY_PRIORITY"
                              << "missing view CAPSURE_COLLECTION_IDS_BY_PRIORITY";
        QTest::newRow("index") << "DROP INDEX IDX_PAGE_ID"
                               << "missing index IDX_PAGE_ID";
        QTest::newRow("column") << "ALTER TABLE \"ROW\" DROP COLUMN EXTRA9"
                                << "missing column ROW.EXTRA9";
        QTest::newRow("seed row") << "DELETE FROM SCHEME WHERE ID = 8"
                                  << "missing seed row of SCHEME: 8|0|complementaryneutral";
    }

    void reportsWhatIsMissing()
    {
        QFETCH(QString, damage);
        QFETCH(QString, problem);
        FixtureDatabase file(QStringLiteral("a.db"));
        QVERIFY(file.exec(damage));
        file.close();
        QVERIFY2(checkCollectionDatabase(file.path()).contains(problem),
                 qPrintable(checkCollectionDatabase(file.path()).join(u'\n')));
        QCOMPARE(run("check", {file.path()}).status, 1);
    }

    void rejectsFilesThatAreNoDatabase()
    {
        const QString garbage = QDir(fixtureDatabaseFolder()).filePath(QStringLiteral("x.db"));
        QFile file(garbage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        QCOMPARE(checkCollectionDatabase(garbage).size(), 1);
        QCOMPARE(checkCollectionDatabase(garbage + QStringLiteral(".gone")).size(), 1);
        QVERIFY(!QFile::exists(garbage + QStringLiteral(".gone")));
    }

    void listsCollectionsWithCounts()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        const QUuid uuid = QUuid::createUuid();
        const qint64 id
            = file.addCollection(uuid, QStringLiteral("ALP"), QStringLiteral("Alpine"), 1);
        const qint64 page = file.addPage(id, 1, 1, QStringLiteral("Dawn"));
        file.addRow(id, page, 1, QStringLiteral("A1"), Qt::red);
        file.addRow(id, page, 2, QStringLiteral("A2"), Qt::green);
        file.close();

        const InspectResult result = run("collections");
        QCOMPARE(result.status, 0);
        const QJsonObject alpine = result.json.toArray().first().toObject();
        QCOMPARE(alpine["uuid"].toString(), uuid.toString());
        QCOMPARE(alpine["name"].toString(), QStringLiteral("Alpine"));
        QCOMPARE(alpine["pages"].toInt(), 1);
        QCOMPARE(alpine["chips"].toInt(), 2);
        QVERIFY(result.text.contains(QStringLiteral("Alpine")));
    }

    void browsingCommandsAnswerWhatThePaletteWouldShow()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        const qint64 id = file.addCollection(QUuid::createUuid(), "ALP", "Alpine", 1);
        const qint64 dawn = file.addPage(id, 1, 2, "Dawn", 1);
        const qint64 dusk = file.addPage(id, 2, 5, "Dusk", 3, true);
        const qint64 red = file.addRow(id, dawn, 1, "A1", QColor(200, 30, 40), "Poppy");
        file.addRow(id, dusk, 1, "O'HARA", QColor(20, 30, 140), "Night");
        file.addSetting(id, "row.name.search.order", 0);
        file.addSetting(id, "color.tooltip.show.row.code", 1);
        file.close();

        QCOMPARE(run("page", {"alpine", "2"}).json.toObject()["segment"].toInt(), 5);
        QCOMPARE(run("walk", {"ALP", "2", "forward"}).json.toObject()["pageIndex"].toInt(), 1);
        QCOMPARE(run("walk", {"ALP", "1", "backward", "--exterior"})
                     .json.toObject()["pageIndex"]
                     .toInt(),
                 2);
        QCOMPARE(run("segment", {"ALP", "3"}).json.toObject()["pageIndex"].toInt(), 2);
        const QJsonObject found = run("find", {"ALP", "o'hara"}).json.toObject();
        QCOMPARE(found["pageIndex"].toInt(), 2);
        QCOMPARE(found["rowIndex"].toInt(), 1);
        QCOMPARE(run("describe", {"ALP", QString::number(red)}).text, QStringLiteral("A1\n"));
        QCOMPARE(run("complete", {"ALP"}).json.toArray(),
                 QJsonArray::fromStringList({"A1", "Night", "O'HARA", "Poppy"}));
        const QJsonArray nearest = run("nearest", {"ALP", "#c81e29", "-n", "1"}).json.toArray();
        QCOMPARE(nearest.first().toObject()["code"].toString(), QStringLiteral("A1"));
        QCOMPARE(run("schemes", {"ALP", "1", "9"}).status, 1);
    }

    void commandErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown collection") << QStringList {"page", "Nope", "1"};
        QTest::newRow("page not a number") << QStringList {"page", "ALP", "x"};
        QTest::newRow("no such page") << QStringList {"page", "ALP", "9"};
        QTest::newRow("walk without direction") << QStringList {"walk", "ALP", "1"};
        QTest::newRow("no phrase match") << QStringList {"find", "ALP", "'; DROP TABLE PAGE; --"};
        QTest::newRow("no chip") << QStringList {"describe", "ALP", "999"};
        QTest::newRow("colour name") << QStringList {"delta", "red", "#000000"};
        QTest::newRow("short colour") << QStringList {"nearest", "ALP", "#fff"};
    }

    void commandErrors()
    {
        QFETCH(QStringList, arguments);
        FixtureDatabase file(QStringLiteral("a.db"));
        const qint64 id = file.addCollection(QUuid::createUuid(), "ALP", "Alpine", 1);
        file.addRow(id, file.addPage(id, 1, 1, "Dawn"), 1, "A1", Qt::red);
        file.close();
        const InspectResult result = run(qPrintable(arguments.takeFirst()), arguments);
        QCOMPARE(result.status, 1);
        QVERIFY(!result.error.isEmpty());
    }

    void deltaOfTwoColours()
    {
        const InspectResult result = run("delta", {"#ffffff", "#000000"});
        QCOMPARE(result.status, 0);
        QVERIFY(qAbs(result.json.toObject()["difference"].toDouble() - 100.0) < 1e-4);
        QCOMPARE(run("delta", {"#336699", "#336699"}).json.toObject()["difference"].toDouble(),
                 0.0);
    }

    void noCollectionsIsAnError()
    {
        const InspectResult result = run("collections");
        QCOMPARE(result.status, 1);
        QVERIFY(!result.error.isEmpty());
    }
};

QTEST_MAIN(TestAuthorTool)
#include "tst_authortool.moc"
