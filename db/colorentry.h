#pragma once

#include "db/abstractbase.h"

#include <QColor>
#include <QStringList>

namespace Sorven::DB {

// A colour chip: a row of "ROW" together with the collection it was read for.
class ColorEntry : public AbstractBase
{
public:
    ColorEntry() = default;
    explicit ColorEntry(const QSqlRecord &row);
    // For the rows of one statement, whose column layout is looked up once.
    ColorEntry(const QSqlRecord &row, const ColumnLayout &columns);

    bool isValid() const override { return true; }
    void clear() override;
    using AbstractBase::load;
    void load(const Fields::Row &row) override;

    QString name(int index) const;
    QString extra(int index) const;
    QColor color() const { return QColor(red, green, blue); }

    qint64 collectionId = -1;
    qint64 pageId = -1;
    int rowIndex = -1;
    int pageOrder = -1;
    QString code;
    int segment = -1;
    int red = -1;
    int green = -1;
    int blue = -1;
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
    bool isMto = false;
    bool neutral = false;
    bool white = false;
    int mood = 0;
    int schemePos = -1;
    int nschemePos = -1;
    QStringList names;
    QStringList extras;
};

} // namespace Sorven::DB
