#pragma once

#include "tools/demopalette.h"
#include "tools/demosettings.h"
#include "tools/demotextures.h"

#include <QByteArray>
#include <QMap>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

namespace Sorven::Demo {

// Images and textures drawn once and written into every database file.
struct DemoAssets
{
    QMap<QString, QByteArray> themeImages;
    QMap<QString, QByteArray> systemWideImages;
    QMap<DemoTextureKind, QByteArray> textures;
};

// Writes one collection database file: the schema, the system-wide collection and any number
// of collections. The file is complete only after finish(); until then it lies at the path
// given, which the caller keeps apart from the "*.db" files the palette reads.
class DemoDatabaseWriter
{
public:
    explicit DemoDatabaseWriter(const QString &path);
    ~DemoDatabaseWriter();
    DemoDatabaseWriter(const DemoDatabaseWriter &) = delete;
    DemoDatabaseWriter &operator=(const DemoDatabaseWriter &) = delete;

    bool open();
    bool writeSystemWide(const DemoAssets &assets);
    bool writeCollection(const DemoCollection &collection, const DemoAssets &assets,
                         const QMap<QString, QByteArray> &ownImages);
    bool finish();
    QString errorText() const { return m_error; }

private:
    using PlacedTexture = QPair<qint64, DemoTexture>;

    bool exec(const char *sql, const QVariantList &values = {});
    bool exec(const QString &sql, const QVariantList &values = {});
    bool fail(const QString &error);
    template<typename... Batches>
    bool flush(Batches &...batches);

    bool writeSettings(qint64 collectionId, const QList<DemoSetting> &settings);
    bool writeTexts(qint64 collectionId, const QString &collectionName);
    bool writeTheme(qint64 collectionId, const QMap<QString, QByteArray> &images);
    bool writeProducts();
    bool writeTexture(qint64 collectionId, const DemoTexture &texture, const DemoAssets &assets);
    bool writeSharedTrends();
    bool writePages(qint64 collectionId, const DemoCollection &collection);
    bool writeChips(qint64 collectionId, const DemoCollection &collection);
    bool writeSchemes(qint64 collectionId, const DemoCollection &collection);
    bool writeTrends(qint64 collectionId, const DemoCollection &collection);
    QList<PlacedTexture> pageTextures(DemoSurface surface, const DemoPage &page) const;

    qint64 pageId(int pageNumber) const;
    qint64 rowId(const DemoCollection &collection, int pageNumber, int position) const;

    QString m_path;
    QString m_connection;
    QSqlDatabase m_database;
    QString m_error;
    qint64 m_nextCollectionId = 1;
    qint64 m_nextPageId = 1;
    qint64 m_nextRowId = 1;
    qint64 m_nextTextureId = 1;
    qint64 m_nextTrendGroupId = 1;
    // The first page and row ID of the collection being written.
    qint64 m_firstPageId = 1;
    qint64 m_firstRowId = 1;
    QMap<DemoTextureKind, PlacedTexture> m_textures;
};

} // namespace Sorven::Demo
