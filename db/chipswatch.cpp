#include "db/chipswatch.h"

#include "db/connections.h"
#include "db/querysupport.h"

namespace Sorven::DB {

namespace {

QColor colorOf(int red, int green, int blue)
{
    const auto inRange = [](int channel) { return channel >= 0 && channel <= 255; };
    return inRange(red) && inRange(green) && inRange(blue) ? QColor(red, green, blue) : QColor();
}

ChipSwatch swatchOf(const QSqlQuery &query)
{
    return {{query.value(6).toDouble(), query.value(7).toDouble(), query.value(8).toDouble(),
             query.value(0).toLongLong()},
            query.value(1).toLongLong(),
            query.value(2).toString(),
            colorOf(query.value(3).toInt(), query.value(4).toInt(), query.value(5).toInt())};
}

} // namespace

// The joins and filter of the colour table's statement, so that both list the chips alike.
const char *const ChipSwatchesSql
    = R"(SELECT R.ID, R.PAGE_ID, R.CODE, R.RED, R.GREEN, R.BLUE, R.L, R.A, R.B FROM "ROW" R )"
      R"(JOIN PAGE P ON R.PAGE_ID = P.ID JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID )"
      R"(WHERE CMAP.COLLECTION_ID = :COLLECTION)";

int loadChipSwatches(const QUuid &uuid, QVector<ChipSwatch> &swatches)
{
    swatches.clear();
    const auto sql = [&] {
        return CollectionStatement {QString::fromLatin1(ChipSwatchesSql),
                                    {},
                                    {{QStringLiteral(":COLLECTION"), collectionId(uuid)}}};
    };
    return queryCollection(uuid, sql, [&](QSqlQuery &query) {
        while (query.next())
            swatches.append(swatchOf(query));
        return Success;
    });
}

} // namespace Sorven::DB
