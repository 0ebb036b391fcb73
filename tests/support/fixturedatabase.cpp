#include "support/fixturedatabase.h"

#include "db/connections.h"
#include "db/lookups.h"
#include "db/requiredkeys.h"
#include "db/schema.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSqlError>
#include <QSqlQuery>

FixtureDatabase::FixtureDatabase(const QString &fileName, bool withSchema)
    : m_path(QDir::isAbsolutePath(fileName) ? fileName
                                            : QDir(fixtureDatabaseFolder()).filePath(fileName)),
      m_connection(QStringLiteral("fixture:") + m_path)
{
    QFile::remove(m_path);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.open();
    // Fixtures are throw-away files: skip the fsyncs that would dominate test time.
    exec(QStringLiteral("PRAGMA synchronous = OFF"));
    exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
    if (!withSchema)
        return;
    for (const QString &statement : Sorven::DB::schemaStatements() + Sorven::DB::seedStatements())
        exec(statement);
}

FixtureDatabase::~FixtureDatabase()
{
    close();
}

QSqlDatabase FixtureDatabase::database() const
{
    return QSqlDatabase::database(m_connection);
}

bool FixtureDatabase::exec(const QString &sql, const QVariantList &values)
{
    return insert(sql, values) != -2;
}

qint64 FixtureDatabase::insert(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(database());
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning().noquote() << "fixture statement failed:" << sql << query.lastError().text();
        return -2;
    }
    return query.lastInsertId().isValid() ? query.lastInsertId().toLongLong() : -1;
}

qint64 FixtureDatabase::addCollection(const QUuid &uuid, const QString &systemId,
                                      const QString &name, int order, const QVariant &enabled)
{
    const qint64 id
        = insert(R"(INSERT INTO COLLECTION(UUID, SYSTEMID, NAME, "ORDER") VALUES(?, ?, ?, ?))",
                 {uuid.isNull() ? systemId : uuid.toString(), systemId, name, order});
    if (enabled.isValid())
        addSetting(id, QStringLiteral("collection.enabled"), enabled);
    return id;
}

qint64 FixtureDatabase::addPage(qint64 collectionId, int pageIndex, int segment,
                                const QString &name, int mood, bool exterior)
{
    const qint64 id
        = insert(QStringLiteral("INSERT INTO PAGE(COLLECTION_ID, PAGE_INDEX, SEGMENT, "
                                "NAME, NAME0, MOOD, EXTERIOR) VALUES(?,?,?,?,?,?,?)"),
                 {collectionId, pageIndex, segment, name, name, mood, exterior ? 1 : 0});
    insert(QStringLiteral("INSERT INTO COLLECTION_PAGE_MAP(COLLECTION_ID, PAGE_ID) VALUES(?, ?)"),
           {collectionId, id});
    return id;
}

qint64 FixtureDatabase::addRow(qint64 collectionId, qint64 pageId, int rowIndex,
                               const QString &code, const QColor &color, const QString &name)
{
    return insert(QStringLiteral(
                      R"(INSERT INTO "ROW"(COLLECTION_ID, PAGE_ID, ROW_INDEX, CODE, NAME0,
                          SEGMENT, RED, GREEN, BLUE, L, A, B)
                          VALUES(?, ?, ?, ?, ?, (SELECT SEGMENT FROM PAGE WHERE ID = ?),
                                 ?, ?, ?, 50, 0, 0))"),
                  {collectionId, pageId, rowIndex, code, name.isNull() ? QVariant() : name, pageId,
                   color.red(), color.green(), color.blue()});
}

void FixtureDatabase::addSetting(qint64 collectionId, const QString &name, const QVariant &value,
                                 int valueIndex)
{
    insert(QStringLiteral(
               "INSERT INTO SETTING(COLLECTION_ID, NAME, VALUE, VALUE_INDEX) VALUES(?,?,?,?)"),
           {collectionId, name, value, valueIndex});
}

void FixtureDatabase::addLocale(qint64 collectionId, const QString &key, const QString &text)
{
    insert(QStringLiteral(R"(INSERT INTO LOCALE(COLLECTION_ID, "KEY", STRING) VALUES(?,?,?))"),
           {collectionId, key, text});
}

void FixtureDatabase::addTheme(qint64 collectionId, const QString &key, const QByteArray &data)
{
    insert(QStringLiteral("INSERT INTO THEME(COLLECTION_ID, ITEM_KEY, ITEM_DATA) VALUES(?,?,?)"),
           {collectionId, key, data});
}

void FixtureDatabase::addEveryKey(qint64 collectionId)
{
    const QByteArray png = pngBytes(QSize(1, 1), Qt::gray);
    QSqlQuery shared(database());
    shared.exec(QStringLiteral("SELECT COUNT(*) FROM THEME WHERE COLLECTION_ID = 0"));
    if (shared.next() && shared.value(0).toInt() == 0) {
        for (const QString &key :
             Sorven::DB::commonThemeImageKeys() + Sorven::DB::systemWideThemeKeys())
            addTheme(0, key, png);
    }
    for (const QString &key : Sorven::DB::requiredLocaleKeys())
        addLocale(collectionId, key, key);
    for (const QString &key : Sorven::DB::collectionThemeImageKeys())
        addTheme(collectionId, key, png);
    for (const QString &key : Sorven::DB::themeColorKeys())
        addTheme(collectionId, key, "1,2,3");
}

void FixtureDatabase::close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

QByteArray pngBytes(const QSize &size, const QColor &color)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

void writeBrokenCollectionDatabase(const QString &fileName, const QUuid &uuid)
{
    FixtureDatabase fixture(fileName, false);
    fixture.exec(QStringLiteral("CREATE TABLE COLLECTION (ID integer, UUID text, SYSTEMID "
                                "text, NAME text, \"ORDER\" integer)"));
    fixture.exec(QStringLiteral("CREATE TABLE SETTING (COLLECTION_ID integer, NAME text, "
                                "VALUE text, VALUE_INDEX integer)"));
    fixture.exec(QStringLiteral("INSERT INTO COLLECTION VALUES (4, ?, 'BROKEN', 'Broken', 8)"),
                 {uuid.toString()});
    fixture.exec(QStringLiteral("INSERT INTO SETTING VALUES (4, 'collection.enabled', 1, 0)"));
}

QString fixtureDatabaseFolder()
{
    const QString folder = Sorven::DB::collectionDatabaseFolder(Sorven::DB::collectionDataPath());
    QDir().mkpath(folder);
    return folder;
}

void resetDatabaseLayer()
{
    // Reads under way use connections of their own, which go below.
    Sorven::DB::closeCollections();
    Sorven::DB::collectionRegistry().clear();
    Sorven::DB::forgetCachedLookups();
    for (const QString &name : QSqlDatabase::connectionNames()) {
        if (!name.startsWith(QStringLiteral("fixture:")))
            QSqlDatabase::removeDatabase(name);
    }
}
