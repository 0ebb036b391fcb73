#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QUuid>
#include <QVariant>

// A collection's own texts, theme items and settings, with their fallbacks.
namespace Sorven::DB {

QString localeString(const QUuid &uuid, const QString &key);
// The collection's text, or builtIn where the collection has none or cannot be read: for texts
// that must show even then.
QString localeStringOr(const QUuid &uuid, const QString &key, const QString &builtIn);
int themeItemData(const QUuid &uuid, const QString &itemKey, QByteArray &bytes);
// White with a one-pixel red outline one pixel inside the edge: what a missing image shows.
QImage placeholderImage(const QSize &size);
QImage themeImage(const QUuid &uuid, const QString &itemKey, const QSize &size);
QColor themeColor(const QUuid &uuid, const QString &itemKey, const QColor &fallback);
QVariant settingValue(const QUuid &uuid, const QString &name, const QVariant &fallback);
QVariantList settingValues(const QUuid &uuid, const QString &name);
QString chipDescription(const QUuid &uuid, qint64 rowId, bool html);

// Texts and images are read once per collection and key; this drops what was read,
// for databases enumerated anew.
void forgetCachedLookups();

} // namespace Sorven::DB
