#pragma once

#include "db/recordfields.h"

#include <QSqlRecord>

namespace Sorven::DB {

// The base of every database record: the row's ID, -1 when cleared or absent.
class AbstractBase
{
public:
    AbstractBase() = default;
    virtual ~AbstractBase() = default;

    virtual bool isValid() const = 0;
    virtual void clear();
    // Clears the record, then reads the row.
    void load(const QSqlRecord &row);
    virtual void load(const Fields::Row &row);

    qint64 id = -1;

protected:
    AbstractBase(const AbstractBase &) = default;
    AbstractBase &operator=(const AbstractBase &) = default;
};

} // namespace Sorven::DB
