#include "palette/colorchipdnd.h"

#include "db/collectionqueries.h"
#include "palette/dndjson.h"

#include <QMimeData>
#include <QRegularExpression>
#include <QVariantMap>

namespace Sorven {

namespace {

const QString FromKey = QStringLiteral("from");
const QString CollectionKey = QStringLiteral("collectuionUuid");
const QString ColorIdKey = QStringLiteral("colorId");
const QString ColorRgbKey = QStringLiteral("colorRgb");
const QString Name1Key = QStringLiteral("colorName1");
const QString Name2Key = QStringLiteral("colorName2");

constexpr int Unreadable = -1;

std::optional<QVariantMap> record(const QMimeData *mimeData)
{
    if (!hasColorChipDndInfo(mimeData))
        return std::nullopt;
    const std::optional<QVariant> document = DndJson::read(mimeData->data(ColorChipDndMimeType));
    if (!document || document->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return document->toMap();
}

// Only numbers count; a member of another type reads as absent.
bool isInteger(const QVariant &value)
{
    return value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::ULongLong;
}

qint64 integer(const QVariantMap &map, const QString &key)
{
    const QVariant value = map.value(key);
    return isInteger(value) ? value.toLongLong() : 0;
}

QString text(const QVariantMap &map, const QString &key)
{
    const QVariant value = map.value(key);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

} // namespace

QByteArray colorChipDndRecord(int from, const QUuid &collection, qint64 colorId)
{
    return DndJson::write(QVariantMap {
        {FromKey, from},
        {CollectionKey, collection.toString(QUuid::WithBraces)},
        {ColorIdKey, colorId},
    });
}

QByteArray colorDndRecord(int from, QRgb rgb, const QString &name1, const QString &name2)
{
    return DndJson::write(QVariantMap {
        {FromKey, from},
        {ColorRgbKey, quint64(rgb)},
        {Name1Key, name1},
        {Name2Key, name2},
    });
}

bool hasColorChipDndInfo(const QMimeData *mimeData)
{
    return mimeData && mimeData->hasFormat(ColorChipDndMimeType);
}

int colorChipDndSource(const QMimeData *mimeData)
{
    const std::optional<QVariantMap> map = record(mimeData);
    if (!map)
        return NoDndSource;
    const qint64 from = integer(*map, FromKey);
    return from >= CardRollerDndSource && from <= TrendoraDndSource ? int(from) : NoDndSource;
}

int readColorChipDndEntry(const QMimeData *mimeData, QUuid &collection, DB::ColorEntry &entry)
{
    collection = QUuid();
    entry.clear();
    const std::optional<QVariantMap> map = record(mimeData);
    if (!map)
        return Unreadable;
    collection = QUuid(text(*map, CollectionKey));
    return DB::loadEntryById(collection, integer(*map, ColorIdKey), entry);
}

bool hasColorChipDndRgb(const QMimeData *mimeData)
{
    const std::optional<QVariantMap> map = record(mimeData);
    return map && isInteger(map->value(ColorRgbKey));
}

int readColorChipDndRgb(const QMimeData *mimeData, QColor &color)
{
    color = QColor();
    const std::optional<QVariantMap> map = record(mimeData);
    if (!map)
        return Unreadable;
    color = QColor::fromRgba(QRgb(integer(*map, ColorRgbKey)));
    return 0;
}

int readColorChipDndNames(const QMimeData *mimeData, QString &name1, QString &name2)
{
    name1.clear();
    name2.clear();
    const std::optional<QVariantMap> map = record(mimeData);
    if (!map)
        return Unreadable;
    name1 = text(*map, Name1Key);
    name2 = text(*map, Name2Key);
    return 0;
}

namespace {

// The text is the colour alone: other programs paste short "#rrggbb" text as a colour, and the
// chip's code and names travel in our own record.
QMimeData *mimeData(const QByteArray &record, const QColor &color)
{
    auto *data = new QMimeData;
    data->setData(ColorChipDndMimeType, record);
    data->setColorData(color);
    data->setText(color.name());
    return data;
}

} // namespace

QMimeData *colorChipMimeData(int from, const QUuid &collection, const DB::ColorEntry &chip)
{
    return mimeData(colorChipDndRecord(from, collection, chip.id), chip.color());
}

QMimeData *colorMimeData(int from, const QColor &color, const QString &name1, const QString &name2)
{
    return mimeData(colorDndRecord(from, color.rgb(), name1, name2), color);
}

std::optional<QColor> colorFromText(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^#[0-9a-f]{6}$"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression rgb(
        QStringLiteral("^rgb\\s*\\(\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*\\)$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString trimmed = text.trimmed();
    if (hex.match(trimmed).hasMatch())
        return QColor(QRgb(trimmed.mid(1).toUInt(nullptr, 16)));
    const QRegularExpressionMatch match = rgb.match(trimmed);
    if (!match.hasMatch())
        return std::nullopt;
    const int r = match.captured(1).toInt(), g = match.captured(2).toInt(),
              b = match.captured(3).toInt();
    if (r > 255 || g > 255 || b > 255)
        return std::nullopt;
    return QColor(r, g, b);
}

std::optional<QColor> foreignColor(const QMimeData *mimeData)
{
    if (!mimeData || hasColorChipDndInfo(mimeData))
        return std::nullopt;
    if (mimeData->hasColor()) {
        const QColor color = qvariant_cast<QColor>(mimeData->colorData());
        if (color.isValid())
            return color.toRgb();
    }
    if (!mimeData->hasText())
        return std::nullopt;
    return colorFromText(mimeData->text().section(u'\n', 0, 0));
}

int colorDropSource(const QMimeData *mimeData)
{
    if (hasColorChipDndInfo(mimeData))
        return colorChipDndSource(mimeData);
    return foreignColor(mimeData) ? ForeignColorDndSource : NoDndSource;
}

} // namespace Sorven
