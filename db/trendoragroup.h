#pragma once

#include "db/abstractbase.h"
#include "db/trendoraentry.h"

#include <QList>
#include <QString>

namespace Sorven::DB {

// A trend group (a row of FUTURES_GROUP) with its colours in order.
class TrendoraGroup : public AbstractBase
{
public:
    explicit TrendoraGroup(const QSqlRecord &row);

    bool isValid() const override { return id != -1; }

    QString name;
    bool defaultOpen = false;
    int order = 0;
    QList<TrendoraEntry> entries;
};

} // namespace Sorven::DB
