#pragma once

#include "db/abstractbase.h"

#include <QImage>
#include <QString>

namespace Sorven::DB {

// A texture image (a row of TEXTURE).
class Texture : public AbstractBase
{
public:
    explicit Texture(const QSqlRecord &row);

    bool isValid() const override { return id != -1; }

    qint64 collectionId = -1;
    QString name;
    double baseAlpha = 1.0;
    QImage image;
};

} // namespace Sorven::DB
