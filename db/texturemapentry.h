#pragma once

#include <QSqlRecord>
#include <QString>

namespace Sorven::DB {

// Which texture applies to which page, with what opacity (a row of TEXTURE_MAP).
struct TextureMapEntry
{
    TextureMapEntry() = default;
    explicit TextureMapEntry(const QSqlRecord &row);

    qint64 textureId = -1;
    qint64 pageId = -1;
    QString name;
    double alpha = 1.0;
};

} // namespace Sorven::DB
