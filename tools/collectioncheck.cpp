#include "tools/collectioncheck.h"

#include "db/databasefile.h"
#include "db/requiredkeys.h"
#include "db/schema.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

namespace Sorven::Tools {

namespace {

const QString ReferenceConnection = QStringLiteral("vexa-check-reference");
const QString FileConnection = QStringLiteral("vexa-check-file");

const char *const SchemaObjectsSql
    = "SELECT name FROM sqlite_master WHERE type = ? AND name NOT LIKE 'sqlite_%'";
const char *const SeedRowsSql = "SELECT * FROM %1 WHERE ID <= 8 AND %2 ORDER BY ID";
const char *const CollectionsSql = "SELECT ID, NAME FROM COLLECTION ORDER BY ID";
const char *const LocaleKeysSql = R"(SELECT "KEY" FROM LOCALE WHERE COLLECTION_ID = ?)";
const char *const ThemeKeysSql = "SELECT ITEM_KEY FROM THEME WHERE COLLECTION_ID = ?";

QStringList column(QSqlQuery &query)
{
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}

QStringList schemaObjects(const QSqlDatabase &database, const QString &type)
{
    QSqlQuery query(database);
    query.prepare(QString::fromLatin1(SchemaObjectsSql));
    query.addBindValue(type);
    query.exec();
    return column(query);
}

QStringList columnsOf(const QSqlDatabase &database, const QString &table)
{
    QSqlQuery query(database);
    query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
    QStringList names;
    while (query.next())
        names << query.value(1).toString().toUpper();
    return names;
}

QStringList missing(const QStringList &wanted, const QStringList &present)
{
    QSet<QString> have;
    for (const QString &name : present)
        have.insert(name.toUpper());
    QStringList absent;
    for (const QString &name : wanted) {
        if (!have.contains(name.toUpper()))
            absent << name;
    }
    return absent;
}

QStringList seedRows(const QSqlDatabase &database, const QString &table, const QString &filter)
{
    QSqlQuery query(database);
    query.exec(QString::fromLatin1(SeedRowsSql).arg(table, filter));
    QStringList rows;
    while (query.next()) {
        QStringList values;
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i) {
            const QVariant value = record.value(i);
            const QUuid uuid(value.toString());
            values << (uuid.isNull() ? value.toString() : uuid.toString());
        }
        rows << values.join(u'|');
    }
    return rows;
}

QStringList compareSchema(const QSqlDatabase &reference, const QSqlDatabase &file)
{
    QStringList problems;
    const QStringList fileTables = schemaObjects(file, QStringLiteral("table"));
    for (const QString &table : missing(DB::requiredTables(), fileTables))
        problems << QStringLiteral("missing table %1").arg(table);
    for (const QString &table : DB::requiredTables()) {
        if (!fileTables.contains(table, Qt::CaseInsensitive))
            continue;
        for (const QString &name : missing(columnsOf(reference, table), columnsOf(file, table)))
            problems << QStringLiteral("missing column %1.%2").arg(table, name);
    }
    for (const QString &index : missing(DB::requiredIndexes(), schemaObjects(file, "index")))
        problems << QStringLiteral("missing index %1").arg(index);
    for (const QString &view : missing(DB::requiredViews(), schemaObjects(file, "view")))
        problems << QStringLiteral("missing view %1").arg(view);
    return problems;
}

QStringList compareSeedRows(const QSqlDatabase &reference, const QSqlDatabase &file)
{
    const QList<std::pair<QString, QString>> seeded = {
        {QStringLiteral("COLLECTION"), QStringLiteral("ID = 0")},
        {QStringLiteral("MOOD"), QStringLiteral("COLLECTION_ID = 0")},
        {QStringLiteral("SCHEME"), QStringLiteral("COLLECTION_ID = 0")},
    };
    QStringList problems;
    for (const auto &[table, filter] : seeded) {
        const QStringList present = seedRows(file, table, filter);
        for (const QString &row : seedRows(reference, table, filter)) {
            if (!present.contains(row))
                problems << QStringLiteral("missing seed row of %1: %2").arg(table, row);
        }
    }
    return problems;
}

QStringList keysOf(const QSqlDatabase &database, const char *sql, qint64 collectionId)
{
    QSqlQuery query(database);
    query.prepare(QString::fromLatin1(sql));
    query.addBindValue(collectionId);
    query.exec();
    return column(query);
}

// Keys are matched without regard to case, as the lookups do.
QStringList missingKeys(const QString &owner, const QString &kind, const QStringList &wanted,
                        const QStringList &present)
{
    QStringList problems;
    for (const QString &key : missing(wanted, present))
        problems << QStringLiteral("%1 lacks %2 %3").arg(owner, kind, key);
    return problems;
}

QStringList compareKeys(const QSqlDatabase &file)
{
    QSqlQuery collections(file);
    collections.exec(QString::fromLatin1(CollectionsSql));
    QStringList problems;
    while (collections.next()) {
        const qint64 id = collections.value(0).toLongLong();
        const QString owner
            = QStringLiteral("collection %1 (%2)").arg(id).arg(collections.value(1).toString());
        const QStringList themeKeys = keysOf(file, ThemeKeysSql, id);
        if (id == 0) {
            problems << missingKeys(owner, QStringLiteral("THEME item"),
                                    DB::commonThemeImageKeys() + DB::systemWideThemeKeys(),
                                    themeKeys);
            continue;
        }
        problems << missingKeys(owner, QStringLiteral("LOCALE key"), DB::requiredLocaleKeys(),
                                keysOf(file, LocaleKeysSql, id));
        problems << missingKeys(owner, QStringLiteral("THEME item"),
                                DB::collectionThemeImageKeys() + DB::themeColorKeys(), themeKeys);
    }
    return problems;
}

QStringList speedWarnings(const QSqlDatabase &file)
{
    QStringList warnings;
    for (const QString &index : missing(DB::speedIndexes(), schemaObjects(file, "index")))
        warnings << QStringLiteral("missing speed index %1; the palette reads the file more slowly")
                        .arg(index);
    return warnings;
}

QSqlDatabase openReference()
{
    QSqlDatabase reference
        = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ReferenceConnection);
    reference.setDatabaseName(QStringLiteral(":memory:"));
    reference.open();
    QSqlQuery query(reference);
    for (const QString &statement : DB::schemaStatements() + DB::seedStatements())
        query.exec(statement);
    return reference;
}

QStringList check(const QString &path, QStringList &warnings)
{
    if (const QString problem = DB::databaseFileProblem(path); !problem.isEmpty())
        return {QStringLiteral("%1: %2").arg(path, problem)};
    QSqlDatabase file = DB::addReadOnlyConnection(path, FileConnection);
    QSqlQuery integrity(file);
    if (!file.open() || !integrity.exec(QStringLiteral("PRAGMA integrity_check")))
        return {
            QStringLiteral("%1: %2").arg(path,
                                         DB::isLockedError(integrity.lastError())
                                             ? QStringLiteral("locked by another program")
                                             : QStringLiteral("not a readable SQLite database"))};
    integrity.next();
    if (integrity.value(0).toString() != QLatin1String("ok"))
        return {QStringLiteral("integrity check failed: %1").arg(integrity.value(0).toString())};
    const QSqlDatabase reference = openReference();
    QStringList problems = compareSchema(reference, file);
    if (problems.isEmpty())
        problems << compareSeedRows(reference, file) << compareKeys(file);
    warnings << speedWarnings(file);
    return problems;
}

} // namespace

QStringList checkCollectionDatabase(const QString &path, QStringList *warnings)
{
    QStringList ignored;
    const QStringList problems = check(path, warnings ? *warnings : ignored);
    QSqlDatabase::removeDatabase(FileConnection);
    QSqlDatabase::removeDatabase(ReferenceConnection);
    return problems;
}

} // namespace Sorven::Tools
