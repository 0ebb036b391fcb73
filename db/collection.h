#pragma once

#include "db/abstractbase.h"

#include <QString>
#include <QUuid>

namespace Sorven::DB {

// A row of COLLECTION.
class Collection : public AbstractBase
{
public:
    explicit Collection(const QSqlRecord &row);

    bool isValid() const override { return true; }

    QString systemId;
    qint64 version = 0;
    QUuid uuid;
    QString name;
    int order = 0;
};

} // namespace Sorven::DB
