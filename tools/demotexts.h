#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace Sorven::Demo {

// The English user-interface texts of a collection, as (LOCALE key, text) pairs.
QList<QPair<QString, QString>> demoLocaleTexts(const QString &collectionName);

} // namespace Sorven::Demo
