#include "db/connections.h"
#include "db/requiredkeys.h"
#include "db/schema.h"
#include "palette/colorscience.h"
#include "support/fixturedatabase.h"
#include "tools/democollections.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Sorven;
using namespace Sorven::Demo;

namespace {

// The rows of a statement, each as its values joined by "|".
QStringList rows(const QSqlDatabase &database, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery query(database);
    query.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec())
        return {QStringLiteral("failed: ") + sql};
    QStringList result;
    while (query.next()) {
        QStringList fields;
        for (int i = 0; i < query.record().count(); ++i)
            fields << query.value(i).toString();
        result << fields.join(QLatin1Char('|'));
    }
    return result;
}

QString single(const QSqlDatabase &database, const QString &sql, const QVariantList &values = {})
{
    return rows(database, sql, values).value(0);
}

QSqlDatabase openFile(const QString &path)
{
    const QString name = QStringLiteral("test:") + path;
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(path);
    database.open();
    return database;
}

void closeFiles()
{
    for (const QString &name : QSqlDatabase::connectionNames()) {
        if (!name.startsWith(QLatin1String("test:")))
            continue;
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
}

QStringList lowered(const QStringList &keys)
{
    QStringList result;
    for (const QString &key : keys)
        result << key.toLower();
    return result;
}

// The keys of the list that the collection has no row for.
QStringList missingKeys(const QSqlDatabase &database, const QString &sql, qint64 collectionId,
                        const QStringList &required)
{
    const QStringList keys = rows(database, sql, {collectionId});
    const QSet<QString> present(keys.cbegin(), keys.cend());
    QStringList missing;
    for (const QString &key : lowered(required)) {
        if (!present.contains(key))
            missing << key;
    }
    return missing;
}

} // namespace

class TestDemoCollections : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_root = qEnvironmentVariable("VEXA_COMMON_APPDATA");
        m_result = buildDemoCollections(m_root, DemoOptions());
        QVERIFY2(m_result.error.isEmpty(), qPrintable(m_result.error));
        QCOMPARE(m_result.files.size(), 2);
    }

    void cleanupTestCase() { closeFiles(); }

    void filesPassTheDatabaseChecks()
    {
        for (const QString &path : m_result.files) {
            const QSqlDatabase database = openFile(path);
            QCOMPARE(single(database, QStringLiteral("PRAGMA integrity_check")),
                     QStringLiteral("ok"));
            QCOMPARE(rows(database, QStringLiteral("PRAGMA foreign_key_check")), QStringList());
            const auto names = [&database](const char *type) {
                return rows(database,
                            QStringLiteral("SELECT name FROM sqlite_master WHERE type = ?"),
                            {QString::fromLatin1(type)});
            };
            for (const QString &table : DB::requiredTables())
                QVERIFY2(names("table").contains(table), qPrintable(table));
            for (const QString &index : DB::requiredIndexes() + DB::speedIndexes())
                QVERIFY2(names("index").contains(index), qPrintable(index));
            for (const QString &view : DB::requiredViews())
                QVERIFY2(names("view").contains(view), qPrintable(view));
        }
        const QStringList left = QDir(demoDatabaseFolder(m_root)).entryList(QDir::Files);
        QCOMPARE(
            left,
            QStringList({QStringLiteral("vexa-exterior.db"), QStringLiteral("vexa-interior.db")}));
    }

    void seedRowsArePresent()
    {
        QSqlDatabase reference
            = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test:seed"));
        reference.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(reference.open());
        for (const QString &statement : DB::schemaStatements() + DB::seedStatements())
            QVERIFY(QSqlQuery(reference).exec(statement));
        const QStringList seeds {
            QStringLiteral(
                R"(SELECT ID, UUID, SYSTEMID, VERSION, NAME, "ORDER" FROM COLLECTION WHERE ID = 0)"),
            QStringLiteral("SELECT ID, COLLECTION_ID, NAME FROM MOOD ORDER BY ID"),
            QStringLiteral("SELECT ID, COLLECTION_ID, NAME FROM SCHEME ORDER BY ID"),
        };
        for (const QString &path : m_result.files) {
            for (const QString &sql : seeds)
                QCOMPARE(rows(openFile(path), sql), rows(reference, sql));
        }
    }

    void collectionsAreOfferedInTheirOrder()
    {
        resetDatabaseLayer();
        QCOMPARE(DB::ensureCollectionsEnumerated(), 1);
        QVERIFY(DB::collectionRegistry().contains(DB::SystemWideCollectionUuid));
        const QList<QUuid> expected {
            demoCollectionUuid(QStringLiteral("VXI")), demoCollectionUuid(QStringLiteral("VXE")),
            demoCollectionUuid(QStringLiteral("VXA")), demoCollectionUuid(QStringLiteral("PLV"))};
        QCOMPARE(DB::availableCollections(), expected);
        for (const QString &path : m_result.files) {
            const QSqlDatabase database = openFile(path);
            for (const QString &uuid :
                 rows(database, QStringLiteral("SELECT UUID FROM COLLECTION WHERE ID > 0")))
                QVERIFY2(uuid.size() == 38 && uuid.startsWith(QLatin1Char('{')), qPrintable(uuid));
            QCOMPARE(
                single(database,
                       QStringLiteral("SELECT COUNT(*) FROM PAGE P WHERE NOT EXISTS (SELECT 1 FROM "
                                      "COLLECTION_PAGE_MAP M WHERE M.PAGE_ID = P.ID AND "
                                      "M.COLLECTION_ID = P.COLLECTION_ID)")),
                QStringLiteral("0"));
        }
        resetDatabaseLayer();
    }

    void collectionsCarryEveryKey_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("collectionId");
        QTest::addColumn<QStringList>("localeKeys");
        QTest::addColumn<QStringList>("themeKeys");
        QTest::addColumn<QStringList>("settingNames");
        const QStringList allImages = DB::collectionThemeImageKeys() + DB::commonThemeImageKeys();
        for (const QString &path : m_result.files) {
            const QString file = QFileInfo(path).fileName();
            QTest::addRow("%s system-wide", qPrintable(file))
                << path << qint64(0) << DB::requiredLocaleKeys()
                << allImages + DB::themeColorKeys() + DB::systemWideThemeKeys()
                << DB::systemWideSettingNames();
            for (const QString &row :
                 rows(openFile(path),
                      QStringLiteral("SELECT ID, SYSTEMID FROM COLLECTION WHERE ID > 0")))
                QTest::addRow("%s %s", qPrintable(file),
                              qPrintable(row.section(QLatin1Char('|'), 1)))
                    << path << row.section(QLatin1Char('|'), 0, 0).toLongLong()
                    << DB::requiredLocaleKeys() << allImages + DB::themeColorKeys()
                    << DB::requiredSettingNames();
        }
    }

    void collectionsCarryEveryKey()
    {
        QFETCH(QString, path);
        QFETCH(qint64, collectionId);
        QFETCH(QStringList, localeKeys);
        QFETCH(QStringList, themeKeys);
        QFETCH(QStringList, settingNames);
        const QSqlDatabase database = openFile(path);
        const QStringList missing
            = missingKeys(
                  database,
                  QStringLiteral(R"(SELECT LOWER("KEY") FROM LOCALE WHERE COLLECTION_ID = ?)"),
                  collectionId, localeKeys)
            + missingKeys(
                  database,
                  QStringLiteral("SELECT LOWER(ITEM_KEY) FROM THEME WHERE COLLECTION_ID = ?"),
                  collectionId, themeKeys)
            + missingKeys(
                  database,
                  QStringLiteral("SELECT LOWER(NAME) FROM SETTING WHERE COLLECTION_ID = ? AND "
                                 "VALUE_INDEX = 0"),
                  collectionId, settingNames);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
    }

    void themeItemsDecode()
    {
        for (const QString &path : m_result.files) {
            QSqlQuery query(openFile(path));
            QVERIFY(query.exec(
                QStringLiteral("SELECT ITEM_KEY, ITEM_DATA, typeof(ITEM_DATA) FROM THEME")));
            while (query.next()) {
                const QString key = query.value(0).toString();
                const QByteArray data = query.value(1).toByteArray();
                QVERIFY2(query.value(2).toString() == QLatin1String("blob"), qPrintable(key));
                if (key.startsWith(QLatin1String("image.")))
                    QVERIFY2(!QImage::fromData(data).isNull(), qPrintable(key));
            }
        }
    }

    void themeTextsParse()
    {
        const QSqlDatabase database = openFile(m_result.files.first());
        for (const QString &color :
             rows(database,
                  QStringLiteral("SELECT CAST(ITEM_DATA AS TEXT) FROM THEME WHERE "
                                 "ITEM_KEY = 'color.widget.collectionselector.text'"))) {
            const QStringList parts = color.split(QLatin1Char(','));
            QVERIFY2(parts.size() == 3 || parts.size() == 4, qPrintable(color));
            for (const QString &part : parts)
                QVERIFY2(part.toInt() >= 0 && part.toInt() <= 255, qPrintable(color));
        }
        const QString faces
            = single(database,
                     QStringLiteral("SELECT CAST(ITEM_DATA AS TEXT) FROM THEME WHERE "
                                    "COLLECTION_ID = 0 AND ITEM_KEY = "
                                    "'list.of.preferred.font.faces'"));
        QStringList families;
        for (const QString &pair : faces.split(QLatin1Char(';'))) {
            QCOMPARE(pair.split(QLatin1Char(',')).size(), 2);
            QVERIFY(pair.section(QLatin1Char(','), 1).toInt() > 0);
            families << pair.section(QLatin1Char(','), 0, 0);
        }
        const QStringList installed = QFontDatabase::families();
        QVERIFY2(std::any_of(families.cbegin(), families.cend(),
                             [&installed](const QString &family) {
                                 return installed.contains(family, Qt::CaseInsensitive);
                             }),
                 qPrintable(faces));
    }

    void chipsCarryTheLabValuesOfTheirColour()
    {
        for (const QString &path : m_result.files) {
            QSqlQuery query(openFile(path));
            QVERIFY(
                query.exec(QStringLiteral(R"(SELECT CODE, RED, GREEN, BLUE, L, A, B FROM "ROW")")));
            while (query.next()) {
                const LabColor lab = labFromColor(
                    QColor(query.value(1).toInt(), query.value(2).toInt(), query.value(3).toInt()));
                const bool same = qAbs(lab.l - query.value(4).toDouble()) < 1e-9
                    && qAbs(lab.a - query.value(5).toDouble()) < 1e-9
                    && qAbs(lab.b - query.value(6).toDouble()) < 1e-9;
                QVERIFY2(same, qPrintable(query.value(0).toString()));
            }
        }
    }

    void pagesAreLaidOutForTheWheel()
    {
        for (const QString &path : m_result.files) {
            const QSqlDatabase database = openFile(path);
            for (const QString &id :
                 rows(database, QStringLiteral("SELECT ID FROM COLLECTION WHERE ID > 0"))) {
                QCOMPARE(
                    rows(
                        database,
                        QStringLiteral(
                            "SELECT DISTINCT SEGMENT FROM PAGE WHERE COLLECTION_ID = ? ORDER BY 1"),
                        {id}),
                    QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
                // Chips go from light to dark down a page.
                QCOMPARE(
                    single(database,
                           QStringLiteral(
                               R"(SELECT COUNT(*) FROM "ROW" R JOIN "ROW" S ON S.PAGE_ID = R.PAGE_ID
                                               AND S.ROW_INDEX = R.ROW_INDEX + 1 WHERE R.COLLECTION_ID = ?
                                               AND S.L > R.L + 0.5)"),
                           {id}),
                    QStringLiteral("0"));
            }
        }
        const QSqlDatabase interior = openFile(m_result.files.first());
        QCOMPARE(rows(interior,
                      QStringLiteral(
                          "SELECT DISTINCT MOOD FROM PAGE WHERE COLLECTION_ID = 1 ORDER BY 1")),
                 QStringList({"1", "2", "3", "4", "5", "6"}));
        const double exteriorShare
            = single(interior,
                     QStringLiteral("SELECT AVG(EXTERIOR) FROM PAGE WHERE COLLECTION_ID = 1"))
                  .toDouble();
        QVERIFY(exteriorShare > 0.2 && exteriorShare < 0.6);
    }

    void schemesRespectTheirGates()
    {
        for (const QString &path : m_result.files) {
            const QSqlDatabase database = openFile(path);
            const QString gate = QStringLiteral(
                R"(SELECT COUNT(*) FROM ROW_SCHEME_MAP M JOIN "ROW" R ON R.ID = M.ROW_ID WHERE M.SCHEME_ID = ?
                       AND %1)");
            QCOMPARE(
                single(database, gate.arg(QLatin1String("R.NEUTRAL = 0 AND R.WHITE = 0")), {5}),
                QStringLiteral("0"));
            QCOMPARE(single(database, gate.arg(QLatin1String("R.MOOD != 4")), {8}),
                     QStringLiteral("0"));
        }
        const QSqlDatabase interior = openFile(m_result.files.first());
        for (int scheme : {1, 2, 3, 4, 5, 6, 7, 8})
            QVERIFY(
                single(interior,
                       QStringLiteral("SELECT COUNT(*) FROM ROW_SCHEME_MAP WHERE SCHEME_ID = ?"),
                       {scheme})
                    .toInt()
                > 0);
        // Every chip of a normal collection has the schemes that are not gated.
        for (int scheme : {1, 2, 3, 4, 6, 7})
            QCOMPARE(single(interior,
                            QStringLiteral(
                                R"(SELECT COUNT(*) FROM "ROW" R WHERE NOT EXISTS (SELECT 1 FROM
                                           ROW_SCHEME_MAP M WHERE M.COLLECTION_ID = R.COLLECTION_ID AND M.ROW_ID = R.ID AND M.SCHEME_ID = ?))"),
                            {scheme}),
                     QStringLiteral("0"));
    }

    void everyCardModeIsExercised()
    {
        QStringList modes;
        for (const QString &path : m_result.files)
            modes += rows(openFile(path),
                          QStringLiteral("SELECT VALUE FROM SETTING WHERE NAME = 'mode.card'"));
        for (const char *mode : {"ModeColorToColor", "ModeColorToCard", "ModeCardToCard"})
            QVERIFY2(modes.contains(QLatin1String(mode)), mode);
    }

    // Colour-to-colour schemes show rows of exactly "max.chips.on.a.page" chips, one segment
    // per row, and a row ends where the segment changes.
    void rowSchemesFillWholeRows()
    {
        const QSqlDatabase database = openFile(m_result.files.first());
        const QString collection
            = single(database,
                     QStringLiteral("SELECT COLLECTION_ID FROM SETTING WHERE "
                                    "NAME = 'mode.card' AND VALUE = 'ModeColorToColor'"));
        const int width = single(database,
                                 QStringLiteral("SELECT VALUE FROM SETTING WHERE NAME = "
                                                "'max.chips.on.a.page' AND COLLECTION_ID = ?"),
                                 {collection})
                              .toInt();
        const QStringList groups = rows(
            database,
            QStringLiteral(R"(SELECT M.ROW_ID, M.SCHEME_ID, COUNT(*), MIN(R.SEGMENT), MAX(R.SEGMENT)
                                            FROM ROW_SCHEME_MAP M JOIN "ROW" R ON R.ID = M.SCHEME_ROW_ID
                                            WHERE M.COLLECTION_ID = ? GROUP BY M.ROW_ID, M.SCHEME_ID, M.PAGE_ORDER
                                            ORDER BY M.ROW_ID, M.SCHEME_ID, M.PAGE_ORDER)"),
            {collection});
        QVERIFY(!groups.isEmpty());
        QString previous;
        for (const QString &group : groups) {
            const QStringList fields = group.split(QLatin1Char('|'));
            QCOMPARE(fields[2].toInt(), width);
            QCOMPARE(fields[3], fields[4]);
            const QString key
                = fields[0] + QLatin1Char('|') + fields[1] + QLatin1Char('|') + fields[3];
            QVERIFY2(key != previous, qPrintable(group));
            previous = key;
        }
    }

    // Colour-to-card schemes show whole pages, so every page must hold "max.chips.on.a.page".
    void cardSchemesUseWholePages()
    {
        const QSqlDatabase database = openFile(m_result.files.last());
        const QString collection
            = single(database,
                     QStringLiteral("SELECT COLLECTION_ID FROM SETTING WHERE "
                                    "NAME = 'mode.card' AND VALUE = 'ModeColorToCard'"));
        const QString width = single(database,
                                     QStringLiteral("SELECT VALUE FROM SETTING WHERE NAME = "
                                                    "'max.chips.on.a.page' AND COLLECTION_ID = ?"),
                                     {collection});
        QCOMPARE(
            rows(
                database,
                QStringLiteral(
                    R"(SELECT DISTINCT COUNT(*) FROM "ROW" WHERE COLLECTION_ID = ? GROUP BY PAGE_ID)"),
                {collection}),
            QStringList {width});
        QCOMPARE(single(database,
                        QStringLiteral(
                            R"(SELECT COUNT(*) FROM "ROW" R WHERE R.COLLECTION_ID = ? AND NOT EXISTS
                                       (SELECT 1 FROM ROW_TO_PAGE_SCHEME S WHERE S.COLLECTION_ID = R.COLLECTION_ID AND S.ROW_ID = R.ID AND S.SCHEME_ID = 6))"),
                        {collection}),
                 QStringLiteral("0"));
    }

    void pageSchemesCoverEveryPage()
    {
        const QSqlDatabase database = openFile(m_result.files.first());
        const QString collection
            = single(database,
                     QStringLiteral("SELECT COLLECTION_ID FROM SETTING WHERE "
                                    "NAME = 'mode.card' AND VALUE = 'ModeCardToCard'"));
        for (int scheme : {1, 2, 3, 4, 6, 7})
            QCOMPARE(
                single(
                    database,
                    QStringLiteral(
                        "SELECT COUNT(*) FROM PAGE P WHERE P.COLLECTION_ID = ? AND NOT EXISTS "
                        "(SELECT 1 FROM PAGE_SCHEME S WHERE S.PAGE_ID = P.ID AND S.SCHEME_ID = ?)"),
                    {collection, scheme}),
                QStringLiteral("0"));
        QCOMPARE(single(database,
                        QStringLiteral(
                            "SELECT COUNT(*) FROM PAGE_SCHEME S JOIN PAGE P ON P.ID = S.PAGE_ID "
                            "WHERE S.SCHEME_ID = 8 AND P.MOOD != 4")),
                 QStringLiteral("0"));
    }

    // The powder-coating view shows a chip's partners only when there are exactly three:
    // wide contrast of page order 0, contrast, wide contrast of page order 1.
    void powderCoatingsPairThreePartners()
    {
        const QSqlDatabase database = openFile(m_result.files.last());
        const QString collection
            = single(database,
                     QStringLiteral("SELECT COLLECTION_ID FROM SETTING WHERE "
                                    "NAME = 'card.type' AND VALUE = 'polvaron'"));
        QCOMPARE(
            single(database,
                   QStringLiteral("SELECT VALUE FROM SETTING WHERE COLLECTION_ID = ? AND NAME = "
                                  "'has.color.schemes.page'"),
                   {collection}),
            QStringLiteral("0"));
        QCOMPARE(rows(database,
                      QStringLiteral(
                          R"(SELECT DISTINCT GROUP_CONCAT(SCHEME_ID || ':' || PAGE_ORDER, ' ') FROM
                                     (SELECT * FROM ROW_SCHEME_MAP WHERE COLLECTION_ID = ?
                                      ORDER BY ROW_ID, SCHEME_ID, PAGE_ORDER) GROUP BY ROW_ID)"),
                      {collection}),
                 QStringList {QStringLiteral("2:0 3:0 3:1")});
        QVERIFY(single(database,
                       QStringLiteral(
                           R"(SELECT COUNT(*) FROM "ROW" WHERE IS_MTO = 1 AND COLLECTION_ID = ?)"),
                       {collection})
                    .toInt()
                > 0);
    }

    // Each statement counts rows that point at the wrong thing; every count must be 0.
    void sidePanesPointAtTheirCollection_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("chip without code, name or reflectance")
            << R"(SELECT COUNT(*) FROM "ROW" WHERE CODE = '' OR NAME0 IS NULL OR EXTRA0 NOT LIKE 'LRV %')";
        QTest::newRow("trend colour not its chip's")
            << R"(SELECT COUNT(*) FROM FUTURES_ENTRY E JOIN "ROW" R ON R.ID = E.ROW_ID
                      WHERE R.COLLECTION_ID != E.COLLECTION_ID OR R.RED != E.RED
                      OR R.GREEN != E.GREEN OR R.BLUE != E.BLUE)";
        QTest::newRow("trend group of another collection")
            << "SELECT COUNT(*) FROM FUTURES_ENTRY E JOIN FUTURES_GROUP G ON G.ID = "
               "E.FUTURES_GROUP_ID "
               "WHERE G.COLLECTION_ID != E.COLLECTION_ID";
        QTest::newRow("texture of another collection")
            << "SELECT COUNT(*) FROM TEXTURE_MAP M JOIN TEXTURE T ON T.ID = M.TEXTURE_ID "
               "JOIN PAGE P ON P.ID = M.PAGE_ID WHERE T.COLLECTION_ID NOT IN (0, P.COLLECTION_ID)";
        QTest::newRow("page without textures")
            << "SELECT COUNT(*) FROM PAGE P WHERE NOT EXISTS "
               "(SELECT 1 FROM TEXTURE_MAP M WHERE M.PAGE_ID = P.ID)";
        QTest::newRow("chip without products")
            << R"(SELECT COUNT(*) FROM "ROW" R WHERE NOT EXISTS (SELECT 1 FROM ROW_PRODUCT_MAP M
                      WHERE M.COLLECTION_ID = R.COLLECTION_ID AND M.ROW_ID = R.ID))";
        QTest::newRow("product group the chip has no product of")
            << "SELECT COUNT(*) FROM ROW_PRODUCT_GROUP_MAP G WHERE NOT EXISTS (SELECT 1 FROM "
               "ROW_PRODUCT_MAP M JOIN PRODUCT_PRODUCT_GROUP_MAP P ON P.PRODUCT_ID = M.PRODUCT_ID "
               "WHERE M.ROW_ID = G.ROW_ID AND P.PRODUCT_GROUP_ID = G.PRODUCT_GROUP_ID)";
        QTest::newRow("product without code")
            << "SELECT COUNT(*) FROM PRODUCT WHERE COALESCE(PRODUCT_CODE, '') = ''";
        QTest::newRow("scheme chip of another collection")
            << R"(SELECT COUNT(*) FROM ROW_SCHEME_MAP M JOIN "ROW" R ON R.ID = M.SCHEME_ROW_ID
                      WHERE R.COLLECTION_ID != M.COLLECTION_ID)";
    }

    void sidePanesPointAtTheirCollection()
    {
        QFETCH(QString, sql);
        for (const QString &path : m_result.files)
            QCOMPARE(single(openFile(path), sql), QStringLiteral("0"));
    }

    void capsureCollectionsComeInPriorityOrder()
    {
        const QSqlDatabase database = openFile(m_result.files.first());
        QCOMPARE(rows(database,
                      QStringLiteral(
                          "SELECT C.SYSTEMID, V.PRIORITY FROM CAPSURE_COLLECTION_IDS_BY_PRIORITY V "
                          "JOIN COLLECTION C ON C.ID = V.COLLECTION_ID")),
                 QStringList({QStringLiteral("VXI|1"), QStringLiteral("VXA|3")}));
    }

    void capsureSampleNamesKnownChips()
    {
        const QSqlDatabase database = openFile(m_result.files.first());
        const QString folder
            = single(database,
                     QStringLiteral("SELECT VALUE FROM SETTING WHERE COLLECTION_ID = 1 "
                                    "AND NAME = 'capsure.folder.to.watch.windows'"));
        const QString file
            = single(database,
                     QStringLiteral("SELECT VALUE FROM SETTING WHERE COLLECTION_ID = 1 "
                                    "AND NAME = 'capsure.filename.to.watch'"));
        QFile sample(QString(folder).replace(QLatin1String("%PROGRAMDATA%"), m_root)
                     + QLatin1Char('/') + file);
        QVERIFY(sample.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&sample);
        QStringList names;
        while (xml.readNextStartElement() || !xml.atEnd()) {
            if (xml.isStartElement() && xml.name() == QLatin1String("Object"))
                names << xml.attributes().value(QLatin1String("Name")).toString();
        }
        QVERIFY(names.size() >= 3);
        // The last object is found by its colour alone.
        QCOMPARE(names.takeLast(), QStringLiteral("Garden wall"));
        for (const QString &name : names) {
            int found = 0;
            for (const QString &path : m_result.files)
                found += single(openFile(path),
                                QStringLiteral(R"(SELECT COUNT(*) FROM "ROW" WHERE CODE = ?)"),
                                {name})
                             .toInt();
            QVERIFY2(found == 1, qPrintable(name));
        }
    }

    void sameArgumentsGiveSameBytes()
    {
        QTemporaryDir other;
        DemoOptions options;
        options.scaleChips = 300;
        const DemoBuildResult again = buildDemoCollections(other.path(), options);
        QVERIFY2(again.error.isEmpty(), qPrintable(again.error));
        for (const QString &path : m_result.files) {
            QFile first(path);
            QFile second(
                QDir(demoDatabaseFolder(other.path())).filePath(QFileInfo(path).fileName()));
            QVERIFY(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
            QVERIFY2(first.readAll() == second.readAll(), qPrintable(path));
        }
        QCOMPARE(again.files.size(), 3);
        QCOMPARE(again.collections.last().systemId, QStringLiteral("BENCH"));
        QCOMPARE(again.collections.last().chips, 300);
        QCOMPARE(
            single(openFile(again.files.last()), QStringLiteral(R"(SELECT COUNT(*) FROM "ROW")")),
            QStringLiteral("300"));
        closeFiles();
    }

    void badArgumentsFailWithoutLeavingFiles_data()
    {
        QTest::addColumn<QString>("subfolder");
        QTest::addColumn<int>("scale");
        QTest::newRow("root below a file") << "blocker/root" << 0;
        QTest::newRow("scale too small") << "root" << MinimumScaleChips - 1;
    }

    void badArgumentsFailWithoutLeavingFiles()
    {
        QFETCH(QString, subfolder);
        QFETCH(int, scale);
        QTemporaryDir temporary;
        QFile blocker(temporary.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        DemoOptions options;
        options.scaleChips = scale;
        const DemoBuildResult result = buildDemoCollections(temporary.filePath(subfolder), options);
        QVERIFY(!result.error.isEmpty());
        QVERIFY(result.files.isEmpty());
        QCOMPARE(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList {QStringLiteral("blocker")});
    }

private:
    QString m_root;
    DemoBuildResult m_result;
};

// Text is drawn into the theme images, which needs a GUI application.
QTEST_MAIN(TestDemoCollections)
#include "tst_democollections.moc"
