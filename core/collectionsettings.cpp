#include "core/collectionsettings.h"

#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"

#include <QHash>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <optional>

namespace Sorven {

namespace {

const QString DefaultHelpLink = QStringLiteral("file:///%APP%/Contents/Resources/help/main.html");

struct Cache
{
    QUuid collection;
    QHash<QString, QVariant> values;
};

Cache &cache()
{
    static Cache cache;
    return cache;
}

// The cached answers, emptied first when they belong to another collection.
QHash<QString, QVariant> &cachedValues(const QUuid &uuid)
{
    Cache &current = cache();
    if (current.collection != uuid) {
        current.collection = uuid;
        current.values.clear();
    }
    return current.values;
}

// A derived answer: cached, else computed and cached unless it is null.
template<typename Compute>
QVariant derivedValue(const QUuid &uuid, const QString &key, Compute compute)
{
    QHash<QString, QVariant> &values = cachedValues(uuid);
    if (const QVariant cached = values.value(key); !cached.isNull())
        return cached;
    const QVariant value = compute();
    if (!value.isNull())
        values.insert(key, value);
    return value;
}

// The row of name (value index 0) as the database gives it; null when there is no row.
QVariant storedValue(const QUuid &uuid, const QString &name)
{
    return derivedValue(uuid, name, [&] { return DB::settingValue(uuid, name, QVariant()); });
}

// Only the integer 1 is true; text that is no integer counts as 0.
bool isOne(const QVariant &value)
{
    bool ok = false;
    return value.toInt(&ok) == 1 && ok;
}

// The stored integer when it lies in [low, high]; nothing for text that is no integer and for a
// number outside, so that the caller falls back to its default.
std::optional<int> intInRange(const QVariant &value, int low, int high)
{
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < low || number > high)
        return std::nullopt;
    return int(number);
}

// Width and height of an on-screen tile or chip: wider than the palette is nonsense, and the
// layouts add and multiply these.
constexpr int MaximumTileSide = 4096;

std::optional<QSize> sizeInRange(const QVariant &width, const QVariant &height)
{
    const std::optional<int> w = intInRange(width, 1, MaximumTileSide);
    const std::optional<int> h = intInRange(height, 1, MaximumTileSide);
    if (!w || !h)
        return std::nullopt;
    return QSize(*w, *h);
}

bool isNonZeroNumber(const QVariant &value)
{
    bool ok = false;
    return value.toDouble(&ok) != 0.0 && ok;
}

bool flag(const QUuid &uuid, const QString &name, bool defaultValue)
{
    const QVariant value = storedValue(uuid, name);
    return value.isNull() ? defaultValue : isOne(value);
}

// For the switches that stay on unless a row turns them off.
bool flagOrTrue(const QUuid &uuid, const QString &name, bool defaultValue)
{
    const QVariant value = storedValue(uuid, name);
    if (value.isNull())
        return defaultValue;
    return value.canConvert<int>() ? isOne(value) : true;
}

// The first name, or the second when the first has no row.
bool tooltipFlag(const QUuid &uuid, const QString &name, const QString &otherName = QString())
{
    QVariant value = storedValue(uuid, name);
    if (value.isNull() && !otherName.isEmpty())
        value = storedValue(uuid, otherName);
    return isOne(value);
}

bool isText(const QVariant &value)
{
    return value.typeId() == QMetaType::QString;
}

QString text(const QUuid &uuid, const QString &name, const QString &defaultText = QString())
{
    const QVariant value = storedValue(uuid, name);
    return isText(value) ? value.toString() : defaultText;
}

// The position of value in names plus 1, compared without regard to case; 0 when absent.
int textIndex(const QVariant &value, const QStringList &names, bool trimmed = false)
{
    if (!isText(value))
        return 0;
    const QString text = trimmed ? value.toString().trimmed() : value.toString();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    }
    return 0;
}

} // namespace

void CollectionSettings::setCurrentCollection(const QUuid &uuid)
{
    cachedValues(uuid);
}

// A scheme row holds at most this many chips; a value outside 0 to 1000 falls back to 0.
int CollectionSettings::maxChipsOnAPage(const QUuid &uuid)
{
    return intInRange(storedValue(uuid, QStringLiteral("max.chips.on.a.page")), 0, 1000)
        .value_or(0);
}

CollectionSettings::CardType CollectionSettings::cardType(const QUuid &uuid)
{
    return CardType(textIndex(storedValue(uuid, QStringLiteral("card.type")),
                              {QStringLiteral("normal"), QStringLiteral("polvaron")}));
}

// The colour wheel divides the circle by this number and walks every segment, so a value outside
// 1 to 360, or one that is no number, falls back to the default 12.
int CollectionSettings::numOfSegments(const QUuid &uuid)
{
    return intInRange(storedValue(uuid, QStringLiteral("num.of.segments")), 1, 360).value_or(12);
}

double CollectionSettings::firstSegmentAngle(const QUuid &uuid)
{
    bool ok = false;
    const double angle = storedValue(uuid, QStringLiteral("first.segment.angle")).toDouble(&ok);
    // Reduced into one turn, which keeps the direction; not finite falls back to 0.
    return ok && std::isfinite(angle) ? std::fmod(angle, 360.0) : 0.0;
}

CollectionSettings::SegmentOrientation
CollectionSettings::segmentIncrementOrientation(const QUuid &uuid)
{
    return SegmentOrientation(
        textIndex(storedValue(uuid, QStringLiteral("segment.increment.orientation")),
                  {QStringLiteral("CW"), QStringLiteral("CCW")}));
}

CollectionSettings::CardMode CollectionSettings::cardMode(const QUuid &uuid)
{
    return CardMode(
        textIndex(storedValue(uuid, QStringLiteral("mode.card")),
                  {QStringLiteral("ModeColorToColor"), QStringLiteral("ModeColorToCard"),
                   QStringLiteral("ModeCardToCard")}));
}

CollectionSettings::MoodMode CollectionSettings::moodMode(const QUuid &uuid)
{
    return MoodMode(
        textIndex(storedValue(uuid, QStringLiteral("mode.mood")),
                  {QStringLiteral("MoodModeNormal"), QStringLiteral("MoodModeWarmFreshEquals")}));
}

bool CollectionSettings::productsMode(const QUuid &uuid)
{
    return textIndex(storedValue(uuid, QStringLiteral("product.groups.mode")),
                     {QStringLiteral("Products")})
        == 1;
}

QString CollectionSettings::productNameCodeSeparator(const QUuid &uuid)
{
    return text(uuid, QStringLiteral("product.group.productname.productcode.separator:string"),
                QStringLiteral(": "));
}

QString CollectionSettings::headerLink(const QUuid &uuid)
{
    return DB::settingValue(uuid, QStringLiteral("header.link"), QString()).toString();
}

QString CollectionSettings::helpLink(const QUuid &uuid)
{
    const QString link = DB::settingValue(uuid, QStringLiteral("help.link"), QString()).toString();
    return link.isEmpty() ? DefaultHelpLink : link;
}

bool CollectionSettings::hasExteriorFilter(const QUuid &uuid)
{
    return flagOrTrue(uuid, QStringLiteral("has.exterior.filter"), true);
}

bool CollectionSettings::moodVisible(const QUuid &uuid)
{
    return flagOrTrue(uuid, QStringLiteral("mood.visible"), true);
}

bool CollectionSettings::hasColorSchemesPage(const QUuid &uuid)
{
    return flagOrTrue(uuid, QStringLiteral("has.color.schemes.page"), false);
}

bool CollectionSettings::tooltipShowPageName(const QUuid &uuid)
{
    return tooltipFlag(uuid, QStringLiteral("color.tooltip.show.page.name"),
                       QStringLiteral("color.tooltip.show.card.name"));
}

bool CollectionSettings::tooltipShowRowName(const QUuid &uuid)
{
    return tooltipFlag(uuid, QStringLiteral("color.tooltip.show.row.name"),
                       QStringLiteral("color.tooltip.show.color.name"));
}

bool CollectionSettings::tooltipShowRowCode(const QUuid &uuid)
{
    return tooltipFlag(uuid, QStringLiteral("color.tooltip.show.row.code"),
                       QStringLiteral("color.tooltip.show.color.code"));
}

bool CollectionSettings::tooltipShowRowAuxiliaryInfo(const QUuid &uuid)
{
    return tooltipFlag(uuid, QStringLiteral("color.tooltip.show.row.auxiliary.info"),
                       QStringLiteral("color.tooltip.show.auxiliary"));
}

bool CollectionSettings::tooltipShowCollectionName(const QUuid &uuid)
{
    return tooltipFlag(uuid, QStringLiteral("color.tooltip.show.collection.name"));
}

bool CollectionSettings::tooltipShowPageIndex(const QUuid &uuid)
{
    return tooltipFlag(uuid, QStringLiteral("color.tooltip.show.page.index"));
}

bool CollectionSettings::tooltipShowRowIndex(const QUuid &uuid)
{
    return tooltipFlag(uuid, QStringLiteral("color.tooltip.show.row.row.index"));
}

bool CollectionSettings::exportColorNameAppendProductCode(const QUuid &uuid)
{
    return flag(uuid, QStringLiteral("export.color.name.append.product.code"), false);
}

bool CollectionSettings::capsureEnabled(const QUuid &uuid)
{
    return flag(uuid, QStringLiteral("capsure.enabled"), false);
}

QString CollectionSettings::capsureFolderToWatch(const QUuid &uuid)
{
    return text(uuid, QStringLiteral("capsure.folder.to.watch.windows"));
}

QString CollectionSettings::capsureFilenameToWatch(const QUuid &uuid)
{
    return text(uuid, QStringLiteral("capsure.filename.to.watch"));
}

bool CollectionSettings::savePaletteTextFormat(const QUuid &uuid, bool defaultValue)
{
    return flag(uuid, QStringLiteral("save.palette.text.format"), defaultValue);
}

TabBarPages CollectionSettings::availableTabBarPages(const QUuid &uuid)
{
    const auto compute = [&uuid] {
        TabBarPages pages = ColorSchemes;
        if (isNonZeroNumber(storedValue(uuid, QStringLiteral("has.product.groups.page"))))
            pages |= Products;
        // The shared settings are read past the cache, which holds this collection only.
        const QString textures = QStringLiteral("has.textures.page");
        if (isNonZeroNumber(DB::settingValue(DB::SystemWideCollectionUuid, textures, QVariant()))
            && isNonZeroNumber(storedValue(uuid, textures)))
            pages |= Textures;
        if (isNonZeroNumber(storedValue(uuid, QStringLiteral("has.trendora.page"))))
            pages |= Trendora;
        return QVariant(int(pages));
    };
    return TabBarPages(derivedValue(uuid, QStringLiteral("availableTabBarPages"), compute).toInt());
}

QList<TabBarPage> CollectionSettings::tabBarPages(const QUuid &uuid)
{
    const auto compute = [&uuid] {
        const QVariantList rows = DB::settingValues(uuid, QStringLiteral("tab.bar.page"));
        if (!std::all_of(rows.cbegin(), rows.cend(), isText))
            return QVariantList {int(ColorSchemes), int(Products), int(Trendora), int(Textures)};
        const QStringList names {QStringLiteral("PageOfColorSchemes"),
                                 QStringLiteral("PageOfProducts"), QStringLiteral("PageOfTrendora"),
                                 QStringLiteral("PageOfTextures")};
        const TabBarPage named[] = {NoTabBarPage, ColorSchemes, Products, Trendora, Textures};
        QVariantList pages {int(ColorSchemes)};
        for (const QVariant &row : rows) {
            if (const TabBarPage page = named[textIndex(row, names, true)]; page != ColorSchemes)
                pages.append(int(page));
        }
        return pages;
    };
    QList<TabBarPage> pages;
    for (const QVariant &page :
         derivedValue(uuid, QStringLiteral("tab.bar.page"), compute).toList())
        pages.append(TabBarPage(page.toInt()));
    return pages;
}

QList<SchemeKind> CollectionSettings::schemes(const QUuid &uuid)
{
    const auto compute = [&uuid] {
        const QVariantList rows = DB::settingValues(uuid, QStringLiteral("schemes"));
        if (rows.isEmpty() || !std::all_of(rows.cbegin(), rows.cend(), isText))
            return QVariant();
        const QStringList names {
            QStringLiteral("harmonic"),       QStringLiteral("contrast"),
            QStringLiteral("wide contrast"),  QStringLiteral("dynamic"),
            QStringLiteral("dramatic"),       QStringLiteral("neutral"),
            QStringLiteral("tonal neutral"),  QStringLiteral("complementary neutral"),
            QStringLiteral("natural neutral")};
        QVariantList kinds;
        for (const QVariant &row : rows)
            kinds.append(textIndex(row, names, true));
        return QVariant(kinds);
    };
    QList<SchemeKind> kinds;
    for (const QVariant &kind : derivedValue(uuid, QStringLiteral("schemes"), compute).toList())
        kinds.append(SchemeKind(kind.toInt()));
    return kinds;
}

QSize CollectionSettings::trendoraChipSize(const QUuid &uuid)
{
    // A side outside 1 to MaximumTileSide falls back to the default size.
    const auto compute = [&uuid] {
        const std::optional<QSize> size
            = sizeInRange(storedValue(uuid, QStringLiteral("widget.trendora.chip.width")),
                          storedValue(uuid, QStringLiteral("widget.trendora.chip.height")));
        return size ? QVariant(*size) : QVariant();
    };
    const QVariant size = derivedValue(uuid, QStringLiteral("TrendoraChipSize"), compute);
    return size.isNull() ? QSize(64, 48) : size.toSize();
}

QSize CollectionSettings::textureSize(const QUuid &uuid, const QSize &defaultSize)
{
    const auto compute = [&uuid] {
        const QString name = QStringLiteral("texture.size");
        QVariant value = DB::settingValue(uuid, name, QVariant());
        if (value.isNull())
            value = DB::settingValue(DB::SystemWideCollectionUuid, name, QVariant());
        // A side outside 1 to MaximumTileSide falls back to the caller's default.
        const QStringList parts = value.toString().split(u',', Qt::SkipEmptyParts);
        const std::optional<QSize> size
            = parts.size() == 2 ? sizeInRange(parts.at(0), parts.at(1)) : std::nullopt;
        return size ? QVariant(*size) : QVariant();
    };
    const QVariant size = derivedValue(uuid, QStringLiteral("texture.size"), compute);
    return size.isNull() ? defaultSize : size.toSize();
}

QList<double> CollectionSettings::cie2000DeltaIntervals(const QUuid &uuid)
{
    const auto compute = [&uuid] {
        const QString name = QStringLiteral("cie2000.delta.intervals");
        QVariantList intervals;
        for (const QString &part :
             DB::settingValue(uuid, name, QVariant()).toString().split(u',', Qt::SkipEmptyParts)) {
            bool ok = false;
            const double interval = part.toDouble(&ok);
            // Colour differences beyond 1000 do not occur; infinity would match every colour.
            if (ok && interval > 0.0 && interval <= 1000.0)
                intervals.append(interval);
        }
        return intervals.isEmpty() ? QVariant() : QVariant(intervals);
    };
    const QVariant intervals
        = derivedValue(uuid, QStringLiteral("cie2000.delta.intervals"), compute);
    if (intervals.isNull())
        return {0.05};
    QList<double> result;
    for (const QVariant &interval : intervals.toList())
        result.append(interval.toDouble());
    return result;
}

bool CollectionSettings::hasPageWithExteriorMood(const QUuid &uuid, Mood mood)
{
    return derivedValue(uuid, QStringLiteral("hasPageWithExteriorMood:%1").arg(int(mood)),
                        [&] { return QVariant(DB::hasExteriorPagesWithMood(uuid, mood)); })
        .toBool();
}

} // namespace Sorven
