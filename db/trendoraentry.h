#pragma once

#include "db/abstractbase.h"

#include <QColor>
#include <QString>

namespace Sorven::DB {

// A colour of a trend group (a row of FUTURES_ENTRY).
class TrendoraEntry : public AbstractBase
{
public:
    explicit TrendoraEntry(const QSqlRecord &row);
    TrendoraEntry(const QSqlRecord &row, const ColumnLayout &columns);

    bool isValid() const override { return id != -1; }

    qint64 rowId = 0;
    QString name1;
    QString name2;
    QColor color;
    int order = 0;
};

} // namespace Sorven::DB
