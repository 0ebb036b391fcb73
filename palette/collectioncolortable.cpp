#include "palette/collectioncolortable.h"

#include "db/connections.h"
#include "db/search.h"

#include <QColor>

namespace Sorven {

namespace {

struct ColorTable
{
    QUuid collection;
    QList<DB::LabSample> samples;
};

ColorTable &table()
{
    static ColorTable table;
    return table;
}

} // namespace

void setCollectionColorTable(const QUuid &uuid, const QList<DB::LabSample> &samples)
{
    table() = {uuid, samples};
}

int loadCollectionColorTable(const QUuid &uuid)
{
    QVector<DB::LabSample> samples;
    const int result = DB::loadLabSamples(uuid, samples);
    setCollectionColorTable(uuid, result == DB::Success ? samples : QList<DB::LabSample>());
    return result;
}

void clearCollectionColorTable()
{
    table() = {};
}

LabMatches nearestChips(const QUuid &uuid, const QColor &color, int n)
{
    if (uuid.isNull() || uuid != table().collection)
        return {};
    return nearestLabSamples(labFromColor(color), table().samples, n);
}

qint64 nearestChip(const QUuid &uuid, const QColor &color)
{
    const LabMatches matches = nearestChips(uuid, color, 1);
    return matches.isEmpty() ? -1 : matches.first().second;
}

} // namespace Sorven
