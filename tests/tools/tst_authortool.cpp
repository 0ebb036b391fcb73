#include "db/connections.h"
#include "support/fixturedatabase.h"
#include "tools/authorcommands.h"
#include "tools/authorformat.h"
#include "tools/collectioncheck.h"
#include "tools/democollections.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
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
        file.addEveryKey(file.addCollection(QUuid::createUuid(), "ALP", "Alpine", 1));
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
        file.addEveryKey(id);
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

    void rejectsFilesThatAreNoDatabase_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem");
        QTest::newRow("garbage") << "garbage"
                                 << "not a readable SQLite database";
        QTest::newRow("missing") << "missing"
                                 << "no such file";
        QTest::newRow("folder") << "folder"
                                << "not a regular file";
    }

    void rejectsFilesThatAreNoDatabase()
    {
        QFETCH(QString, kind);
        QFETCH(QString, problem);
        const QString path = QDir(fixtureDatabaseFolder()).filePath(QStringLiteral("x.db"));
        QFile file(path);
        if (kind == QLatin1String("garbage") && file.open(QIODevice::WriteOnly))
            file.write(QByteArray(4096, 'x'));
        file.close();
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));
        QCOMPARE(checkCollectionDatabase(path),
                 QStringList {path + QStringLiteral(": ") + problem});
        QCOMPARE(QFile::exists(path), kind != QLatin1String("missing"));
    }

    // Indexes added for the palette's speed are not part of the format: their absence warns.
    void aMissingSpeedIndexOnlyWarns()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        file.addEveryKey(file.addCollection(QUuid::createUuid(), "ALP", "Alpine", 1));
        QVERIFY(file.exec(QStringLiteral("DROP INDEX IDX_ROW_RGB")));
        file.close();
        QStringList warnings;
        QCOMPARE(checkCollectionDatabase(file.path(), &warnings), QStringList());
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings.first().contains(QStringLiteral("IDX_ROW_RGB")));
        const InspectResult result = run("check", {file.path()});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.json.toObject()["warnings"].toArray().size(), 1);
        QVERIFY(result.text.startsWith(QStringLiteral("warning: missing speed index IDX_ROW_RGB")));
    }

    // A locked file is passed over at once, and the tools say which file was locked.
    void namesALockedFile()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        file.addEveryKey(file.addCollection(QUuid::createUuid(), "ALP", "Alpine", 1));
        QVERIFY(file.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QRegularExpression::escape(file.path())
                                                + QStringLiteral(": locked by another program$")));
        QCOMPARE(run("collections").status, 1);
        QCOMPARE(checkCollectionDatabase(file.path()),
                 QStringList {file.path() + QStringLiteral(": locked by another program")});
        QVERIFY(file.exec(QStringLiteral("ROLLBACK")));
    }

    void terminalSafeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("escape sequence") << "\x1b[2JA1"
                                         << "\\x1b[2JA1";
        QTest::newRow("bell and backspace") << "a\ab\bc"
                                            << "a\\x07b\\x08c";
        QTest::newRow("carriage return") << "done\rfake"
                                         << "done\\x0dfake";
        QTest::newRow("right-to-left override") << "\u202Egnp.exe"
                                                << "\\u202egnp.exe";
        QTest::newRow("C1 control") << "a\u009bb"
                                    << "a\\x9bb";
        QTest::newRow("line feed") << "a\nb"
                                   << "a\\x0ab";
        QTest::newRow("ordinary text") << "Crème 🎨 مرحبا"
                                       << "Crème 🎨 مرحبا";
    }

    void terminalSafeText()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(terminalSafe(text), shown);
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

    void capsureListsNameMatchesThenChipsNearTheMeasuredColour()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        const qint64 id = file.addCollection(QUuid::createUuid(), "ALP", "Alpine", 1);
        file.addSetting(id, "capsure.enabled", 1);
        file.addSetting(id, "capsure.priority", 1);
        file.addSetting(id, "cie2000.delta.intervals", "5");
        const qint64 page = file.addPage(id, 1, 1, "Dawn");
        file.addRow(id, page, 1, "A1", QColor(200, 30, 40));
        const qint64 near = file.addRow(id, page, 2, "A2", QColor(20, 30, 140));
        file.exec(R"(UPDATE "ROW" SET L = 40, A = 10, B = -20 WHERE ID = ?)", {near});
        file.close();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("m.cxf"));
        QFile cxf(path);
        QVERIFY(cxf.open(QIODevice::WriteOnly));
        cxf.write("<CxF xmlns='http://colorexchangeformat.com/CxF3-core'><Object Name='a1'/>"
                  "<Object Name='Wall'><ColorValues><ColorCIELab ColorSpecification='s'><L>41</L>"
                  "<A>10</A><B>-20</B></ColorCIELab></ColorValues></Object><ColorSpecification "
                  "Id='s'><TristimulusSpec><Illuminant>D65</Illuminant><Observer>2_Degree"
                  "</Observer><Method>E308_Table5</Method></TristimulusSpec></ColorSpecification>"
                  "</CxF>");
        cxf.close();

        const InspectResult result = run("capsure", {path});
        QCOMPARE(result.error, QString());
        QCOMPARE(result.json.toObject()["names"].toArray(), QJsonArray({"a1", "Wall"}));
        const QJsonArray candidates = result.json.toObject()["candidates"].toArray();
        QCOMPARE(candidates.size(), 2);
        const QStringList keys {"code",  "collection", "collectionName",
                                "color", "pageIndex",  "rowIndex"};
        QCOMPARE(candidates[0].toObject().keys(), keys);
        QCOMPARE(candidates[0].toObject()["code"].toString(), QStringLiteral("A1"));
        const QJsonObject byValue = candidates[1].toObject();
        QCOMPARE(byValue.keys(),
                 QStringList({"code", "collection", "collectionName", "color", "deltaE",
                              "pageIndex", "rowIndex"}));
        QCOMPARE(byValue["code"].toString(), QStringLiteral("A2"));
        QCOMPARE(byValue["deltaE"].toDouble(), 0.89);
        QVERIFY(result.text.contains(QStringLiteral("ΔE  0.89")));
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
        QTest::newRow("chip of another collection") << QStringList {"describe", "ALP", "2"};
        QTest::newRow("row not a number") << QStringList {"describe", "ALP", "one"};
        QTest::newRow("colour name") << QStringList {"delta", "red", "#000000"};
        QTest::newRow("short colour") << QStringList {"nearest", "ALP", "#fff"};
        QTest::newRow("equivalents of another collection's chip")
            << QStringList {"equivalents", "ALP", "B1"};
        QTest::newRow("equivalents without code") << QStringList {"equivalents", "ALP"};
        QTest::newRow("mood not a number")
            << QStringList {"walk", "ALP", "1", "forward", "--mood", "abc"};
        QTest::newRow("mood out of range") << QStringList {"segment", "ALP", "1", "--mood", "8"};
        QTest::newRow("huge scheme kind")
            << QStringList {"schemes", "ALP", "1", "1", "--kind", "2147483647"};
        QTest::newRow("nearest count zero") << QStringList {"nearest", "ALP", "#ff0000", "-n", "0"};
        QTest::newRow("unknown option") << QStringList {"walk", "ALP", "1", "forward", "--moody"};
        QTest::newRow("option without value") << QStringList {"segment", "ALP", "1", "--mood"};
    }

    void commandErrors()
    {
        QFETCH(QStringList, arguments);
        FixtureDatabase file(QStringLiteral("a.db"));
        const qint64 id = file.addCollection(QUuid::createUuid(), "ALP", "Alpine", 1);
        file.addRow(id, file.addPage(id, 1, 1, "Dawn"), 1, "A1", Qt::red);
        const qint64 other = file.addCollection(QUuid::createUuid(), "BRU", "Brume", 2);
        QCOMPARE(file.addRow(other, file.addPage(other, 1, 1, "Dusk"), 1, "B1", Qt::blue), 2);
        file.close();
        const InspectResult result = run(qPrintable(arguments.takeFirst()), arguments);
        QCOMPARE(result.status, 1);
        QVERIFY(!result.error.isEmpty());
    }

    void equivalentsNameTheNearestChipOfEveryOtherCollection()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        const QUuid alpine = QUuid::createUuid(), bay = QUuid::createUuid();
        const qint64 alp = file.addCollection(alpine, "ALP", "Alpine", 1);
        const qint64 by = file.addCollection(bay, "BAY", "Bay", 2);
        file.addSetting(by, "cie2000.delta.intervals", "2");
        const QString setLab
            = QStringLiteral(R"(UPDATE "ROW" SET L = ?, A = ?, B = ? WHERE ID = ?)");
        file.exec(
            setLab,
            {40, 10, -20, file.addRow(alp, file.addPage(alp, 1, 1, "Dawn"), 1, "A1", Qt::red)});
        const qint64 dusk = file.addPage(by, 1, 1, "Dusk");
        file.exec(setLab, {80, 0, 0, file.addRow(by, dusk, 1, "B1", Qt::white)});
        file.exec(setLab, {42, 10, -20, file.addRow(by, dusk, 2, "B2", QColor(90, 80, 120))});
        file.close();

        const InspectResult result = run("equivalents", {"alpine", "a1"});
        QCOMPARE(result.error, QString());
        const QJsonObject json = result.json.toObject();
        QCOMPARE(json.keys(), QStringList({"code", "collection", "equivalents"}));
        QCOMPARE(json["collection"].toString(), alpine.toString());
        QCOMPARE(json["code"].toString(), QStringLiteral("A1"));
        const QJsonArray equivalents = json["equivalents"].toArray();
        QCOMPARE(equivalents.size(), 1);
        QCOMPARE(equivalents.first().toObject(),
                 QJsonObject({{"collection", bay.toString()},
                              {"collectionName", "Bay"},
                              {"code", "B2"},
                              {"color", "#5a5078"},
                              {"deltaE", 1.78},
                              {"withinInterval", true}}));
        QVERIFY2(
            result.text.contains(QStringLiteral("B2            #5a5078  ΔE  1.78  within  Bay")),
            qPrintable(result.text));
    }

    // A screenshot's pixel goes where the eyedropper would take it, with the same lists.
    void pickAnswersAsTheEyedropper()
    {
        FixtureDatabase file(QStringLiteral("a.db"));
        const QUuid bay = QUuid::createUuid();
        const qint64 alp = file.addCollection(QUuid::createUuid(), "ALP", "Alpine", 1);
        const qint64 by = file.addCollection(bay, "BAY", "Bay", 2);
        file.addSetting(alp, "cie2000.delta.intervals", "5");
        const QString setLab
            = QStringLiteral(R"(UPDATE "ROW" SET L = ?, A = ?, B = ? WHERE ID = ?)");
        file.exec(
            setLab,
            {52, 76, 62,
             file.addRow(alp, file.addPage(alp, 1, 1, "Dawn"), 1, "A1", QColor(230, 30, 30))});
        file.exec(setLab,
                  {53, 78, 63,
                   file.addRow(by, file.addPage(by, 1, 1, "Dusk"), 1, "B1", QColor(232, 28, 30))});
        file.close();
        QTemporaryDir folder;
        const QString screenshot = folder.filePath(QStringLiteral("screen.png"));
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::black);
        image.setPixelColor(5, 4, QColor(228, 32, 31));
        QVERIFY(image.save(screenshot));

        const InspectResult result = run("pick", {screenshot, "5", "4", "--collection", "ALP"});
        QCOMPARE(result.error, QString());
        const QJsonObject json = result.json.toObject();
        QCOMPARE(json["color"].toString(), QStringLiteral("#e4201f"));
        QCOMPARE(json["chip"].toObject()["code"].toString(), QStringLiteral("A1"));
        QCOMPARE(json["nearest"].toArray()[0].toObject()["code"].toString(), QStringLiteral("A1"));
        const QJsonArray others = json["otherCollections"].toArray();
        QCOMPARE(others.size(), 1);
        QCOMPARE(others[0].toObject()["collection"].toString(), bay.toString());
        QCOMPARE(others[0].toObject()["code"].toString(), QStringLiteral("B1"));

        QCOMPARE(run("pick", {screenshot, "8", "4"}).status, 1);
        QCOMPARE(run("pick", {folder.path(), "1", "1"}).status, 1);
        QCOMPARE(run("pick", {screenshot, "one", "1"}).status, 1);
    }

    void deltaOfTwoColours()
    {
        const InspectResult result = run("delta", {"#ffffff", "#000000"});
        QCOMPARE(result.status, 0);
        QVERIFY(qAbs(result.json.toObject()["difference"].toDouble() - 100.0) < 1e-4);
        QCOMPARE(run("delta", {"#336699", "#336699"}).json.toObject()["difference"].toDouble(),
                 0.0);
    }

    void toolsAnswerHelpAndVersion_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        const QString inspect = QStringLiteral(VEXA_INSPECT);
        const QString mkcollections = QStringLiteral(VEXA_MKCOLLECTIONS);
        QTest::newRow("inspect help") << inspect << QStringList {"--help"} << 0 << "nearest";
        QTest::newRow("inspect version") << inspect << QStringList {"--version"} << 0 << "0.";
        QTest::newRow("inspect without command") << inspect << QStringList() << 0 << "Commands:";
        QTest::newRow("inspect unknown option") << inspect << QStringList {"--colour"} << 2 << "";
        QTest::newRow("inspect unknown command") << inspect << QStringList {"paint"} << 2 << "";
        QTest::newRow("mkcollections help")
            << mkcollections << QStringList {"--help"} << 0 << "OUTPUT_ROOT";
        QTest::newRow("mkcollections version")
            << mkcollections << QStringList {"--version"} << 0 << "0.";
    }

    void toolsAnswerHelpAndVersion()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);
        QProcess process;
        process.start(tool, arguments);
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), status);
        QVERIFY(QString::fromLocal8Bit(process.readAllStandardOutput()).contains(output));
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
