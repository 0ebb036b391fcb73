#pragma once

#include <QSqlQuery>
#include <QString>
#include <QUuid>
#include <QVariant>

#include <initializer_list>
#include <utility>

// What every query of the database layer does before it reads rows.
namespace Sorven::DB {

using BoundValues = std::initializer_list<std::pair<const char *, QVariant>>;

// A forward-only query on the connection of the file that holds the collection; call
// connectCollection first.
QSqlQuery collectionQuery(const QUuid &uuid);

// Prepares the statement, binds the values by placeholder name and runs it. False when a
// step fails; the query's lastError says why.
bool runStatement(QSqlQuery &query, const QString &sql, BoundValues values = {});

} // namespace Sorven::DB
