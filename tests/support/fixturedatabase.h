#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QSqlDatabase>
#include <QString>
#include <QUuid>
#include <QVariant>

// A small collection database written by a test, with the full schema and seed rows.
class FixtureDatabase
{
public:
    // Creates the file (replacing an existing one) in the collection folder of the test's
    // data root, or at an absolute path.
    explicit FixtureDatabase(const QString &fileName, bool withSchema = true);
    ~FixtureDatabase();
    FixtureDatabase(const FixtureDatabase &) = delete;
    FixtureDatabase &operator=(const FixtureDatabase &) = delete;

    QString path() const { return m_path; }
    QSqlDatabase database() const;

    // Runs one statement with positional values; a failure is printed and returns false.
    bool exec(const QString &sql, const QVariantList &values = {});
    qint64 insert(const QString &sql, const QVariantList &values = {});

    qint64 addCollection(const QUuid &uuid, const QString &systemId, const QString &name, int order,
                         const QVariant &enabled = 1);
    // Adds the page to COLLECTION_PAGE_MAP too; NAME0 holds the name.
    qint64 addPage(qint64 collectionId, int pageIndex, int segment, const QString &name,
                   int mood = 0, bool exterior = false);
    // NAME0 holds the name; the chip's L*a*b* values are left at 50, 0, 0.
    qint64 addRow(qint64 collectionId, qint64 pageId, int rowIndex, const QString &code,
                  const QColor &color, const QString &name = QString());
    void addSetting(qint64 collectionId, const QString &name, const QVariant &value,
                    int valueIndex = 0);
    void addLocale(qint64 collectionId, const QString &key, const QString &text);
    void addTheme(qint64 collectionId, const QString &key, const QByteArray &data);
    // Every LOCALE text (the key itself) and THEME item (grey images, colours) the palette
    // reads, for the collection and, once per file, for the system-wide collection.
    void addEveryKey(qint64 collectionId);

    // Closes the connection so the palette's own connections see a finished file.
    void close();

private:
    QString m_path;
    QString m_connection;
};

// A PNG-encoded image of one colour, as THEME and TEXTURE rows hold it.
QByteArray pngBytes(const QSize &size, const QColor &color);

// A database that registers one enabled collection (ID 4) but lacks every other table, so
// each statement on it fails.
void writeBrokenCollectionDatabase(const QString &fileName, const QUuid &uuid);

// The folder the palette reads "*.db" files from, created below the test's data root.
QString fixtureDatabaseFolder();

// Forgets every registered collection and removes every connection, so the next test starts
// like a fresh process.
void resetDatabaseLayer();
