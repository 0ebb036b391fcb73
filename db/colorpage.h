#pragma once

#include "db/abstractbase.h"
#include "db/colorentry.h"

#include <QStringList>
#include <QVector>

namespace Sorven::DB {

// A fan-deck page, optionally with its chips in rowIndex order.
class ColorPage : public AbstractBase
{
public:
    ColorPage() { id = 0; }
    explicit ColorPage(const QSqlRecord &row);

    bool isValid() const override { return pageIndex > 0 && segment > 0; }

    QString name(int index) const;
    void sortEntries();

    int pageIndex = -1;
    int segment = -1;
    bool exterior = false;
    int mood = 0;
    QStringList names;
    QStringList extras;
    QVector<ColorEntry> entries;
};

} // namespace Sorven::DB
