#include "db/lookups.h"

#include "core/collectionsettings.h"
#include "db/builtintexts.h"
#include "db/builtinthemeimages.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/displaytext.h"
#include "db/opencollection.h"
#include "db/querysupport.h"
#include "db/search.h"

#include <QPainter>

#include <algorithm>

namespace Sorven::DB {

namespace {

// Runs a statement whose %1 is the collection's id and whose :KEY is the key.
int queryKeyed(const QUuid &uuid, const char *sql, const QString &key,
               const std::function<int(QSqlQuery &query)> &read)
{
    const auto statement = [&] {
        return CollectionStatement {
            QString::fromLatin1(sql), {collectionId(uuid)}, {{QStringLiteral(":KEY"), key}}};
    };
    return queryCollection(uuid, statement, read);
}

// The first column of the keyed statement's first row; QueryFailed when it answers none.
int keyedValue(const QUuid &uuid, const char *sql, const QString &key, QVariant &value)
{
    return queryKeyed(uuid, sql, key, [&](QSqlQuery &query) {
        if (!query.next())
            return QueryFailed;
        value = query.value(0);
        return Success;
    });
}

// A colour channel written as a decimal integer 0 to 255, or -1.
int channel(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value >= 0 && value <= 255 ? value : -1;
}

// Texts and decoded images are kept with the open collection by key: every widget asks again
// for its texts and images on every collection change. Only texts and images the database gave
// are kept: a key without a row, a failed read and bytes that do not decode are asked again
// next time, so that a lock or a damaged file does not leave a raw key or a placeholder behind
// once the file reads again.
QImage decodedThemeImage(const QUuid &uuid, const QString &itemKey)
{
    if (OpenCollection *open = OpenCollection::of(uuid)) {
        if (const QImage *cached = open->images().object(itemKey))
            return *cached;
    }
    QByteArray bytes;
    if (themeItemData(uuid, itemKey, bytes) != Success)
        return {};
    const QImage image = QImage::fromData(bytes);
    if (OpenCollection *open = OpenCollection::of(uuid); open && !image.isNull())
        open->images().insert(itemKey, new QImage(image),
                              std::max(qsizetype(1), image.sizeInBytes() / 1024));
    return image;
}

} // namespace

QImage placeholderImage(const QSize &size)
{
    if (size.width() <= 0 || size.height() <= 0)
        return {};
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    const int right = size.width() - 2;
    const int bottom = size.height() - 2;
    QPainter painter(&image);
    for (const QRect &edge :
         {QRect(QPoint(1, 1), QPoint(right, 1)), QRect(QPoint(1, bottom), QPoint(right, bottom)),
          QRect(QPoint(1, 1), QPoint(1, bottom)), QRect(QPoint(right, 1), QPoint(right, bottom))})
        painter.fillRect(edge, Qt::red);
    return image;
}

const char *const LocaleStringSql = "SELECT L.STRING FROM LOCALE L WHERE L.COLLECTION_ID = %1 AND "
                                    "      L.KEY = :KEY COLLATE NOCASE";

// A key the palette added answers its built-in English text where the collection has none.
QString localeString(const QUuid &uuid, const QString &key)
{
    if (OpenCollection *open = OpenCollection::of(uuid)) {
        if (const auto cached = open->texts().constFind(key); cached != open->texts().cend())
            return *cached;
    }
    const QString fallback = builtInLocaleTexts().value(key, key);
    QVariant text;
    if (keyedValue(uuid, LocaleStringSql, key, text) != Success
        || text.typeId() != QMetaType::QString)
        return fallback;
    // Connected, the collection is open.
    return *OpenCollection::of(uuid)->texts().insert(
        key, boundedDisplayText(text.toString(), MaximumLocaleTextLength));
}

const char *const ThemeItemDataSql = "SELECT T.ITEM_DATA FROM THEME T WHERE T.COLLECTION_ID = %1 "
                                     "AND        T.ITEM_KEY = :KEY COLLATE NOCASE";

int themeItemData(const QUuid &uuid, const QString &itemKey, QByteArray &bytes)
{
    bytes.clear();
    QVariant data;
    if (const int result = keyedValue(uuid, ThemeItemDataSql, itemKey, data); result < 0)
        return result;
    if (data.typeId() != QMetaType::QByteArray)
        return QueryFailed;
    bytes.append(data.toByteArray());
    return Success;
}

// A key the palette added answers its built-in image where the theme has none.
QImage themeImage(const QUuid &uuid, const QString &itemKey, const QSize &size)
{
    if (const QImage image = decodedThemeImage(uuid, itemKey); !image.isNull())
        return image;
    const QImage builtIn = builtInThemeImage(itemKey);
    return builtIn.isNull() ? placeholderImage(size) : builtIn;
}

void forgetCachedLookups()
{
    OpenCollection::forgetAll();
}

QColor themeColor(const QUuid &uuid, const QString &itemKey, const QColor &fallback)
{
    QByteArray bytes;
    if (themeItemData(uuid, itemKey, bytes) != Success)
        return fallback;
    const QStringList parts = QString::fromUtf8(bytes).split(u',', Qt::SkipEmptyParts);
    if (parts.size() != 3 && parts.size() != 4)
        return fallback;
    int channels[4] = {0, 0, 0, 255};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        channels[i] = channel(parts.at(i));
        if (channels[i] < 0)
            return fallback;
    }
    return QColor(channels[0], channels[1], channels[2], channels[3]);
}

const char *const SettingValueSql
    = "SELECT S.VALUE FROM SETTING S WHERE S.COLLECTION_ID = %1 AND "
      "      S.NAME = :KEY COLLATE NOCASE AND       S.VALUE_INDEX = 0 ";

QVariant settingValue(const QUuid &uuid, const QString &name, const QVariant &fallback)
{
    QVariant value;
    return keyedValue(uuid, SettingValueSql, name, value) == Success ? value : fallback;
}

const char *const SettingValuesSql
    = "SELECT S.VALUE FROM SETTING S WHERE S.COLLECTION_ID = %1 AND       S.NAME = :KEY COLLATE "
      "NOCASE ORDER BY S.VALUE_INDEX ASC ";

QVariantList settingValues(const QUuid &uuid, const QString &name)
{
    QVariantList values;
    queryKeyed(uuid, SettingValuesSql, name, [&](QSqlQuery &query) {
        while (query.next())
            values.append(query.value(0));
        return Success;
    });
    return values;
}

namespace {

// What a chip description shows.
struct TooltipFlags
{
    bool collectionName = false;
    bool pageName = false;
    bool rowCode = false;
    bool rowName = false;
    bool rowAuxiliaryInfo = false;
    bool pageIndex = false;
    bool rowIndex = false;
};

TooltipFlags tooltipFlags(const QUuid &uuid)
{
    return {
        CollectionSettings::tooltipShowCollectionName(uuid),
        CollectionSettings::tooltipShowPageName(uuid),
        CollectionSettings::tooltipShowRowCode(uuid),
        CollectionSettings::tooltipShowRowName(uuid),
        CollectionSettings::tooltipShowRowAuxiliaryInfo(uuid),
        CollectionSettings::tooltipShowPageIndex(uuid),
        CollectionSettings::tooltipShowRowIndex(uuid),
    };
}

// The non-empty texts of the columns the order names.
QStringList orderedTexts(const QVector<qint64> &order, const QStringList &texts)
{
    QStringList shown;
    for (const int column : nameColumns(order)) {
        if (const QString text = texts.value(column); !text.isEmpty())
            shown.append(text);
    }
    return shown;
}

} // namespace

QString chipDescription(const QUuid &uuid, qint64 rowId, bool html)
{
    const TooltipFlags show = tooltipFlags(uuid);
    ColorEntry chip;
    if (loadEntryById(uuid, rowId, chip) != Success)
        return {};
    // Names come from the database as plain text; escaped, a "<" or "&" shows as written.
    const auto text = [html](const QString &plain) { return html ? plain.toHtmlEscaped() : plain; };
    ColorPage page;
    const bool pageLoaded = (show.pageName || show.pageIndex)
        && loadPageById(uuid, chip.pageId, true, page) == Success;
    QStringList lines;
    if (show.collectionName) {
        if (QSharedPointer<Collection> collection; loadCollection(uuid, collection) == Success)
            lines << text(collection->name);
    }
    if (show.pageName && pageLoaded) {
        for (const QString &name : orderedTexts(pageNameDisplayOrder(), page.names))
            lines << text(name);
    }
    if (show.rowCode && !chip.code.isEmpty())
        lines << text(chip.code);
    if (show.rowName) {
        for (const QString &name : orderedTexts(rowNameDisplayOrder(), chip.names))
            lines << text(name);
    }
    if (show.rowAuxiliaryInfo) {
        for (const QString &extra : orderedTexts(rowExtraDisplayOrder(), chip.extras)) {
            lines << (html ? QStringLiteral("<span style=\"font-style:italic;\">%1</span>")
                                 .arg(text(extra))
                           : extra);
        }
    }
    if (show.pageIndex && pageLoaded)
        lines << QString::number(page.pageIndex);
    if (show.rowIndex)
        lines << QString::number(chip.rowIndex);
    if (html)
        return QStringLiteral("<div style=\"margin:2px;\">%1</div>").arg(lines.join(u"<br/>"));
    return lines.join(u'\n');
}

} // namespace Sorven::DB
