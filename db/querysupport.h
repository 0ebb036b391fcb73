#pragma once

#include "db/columnlayout.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QUuid>
#include <QVariant>

#include <functional>
#include <initializer_list>
#include <utility>

// What every query of the database layer does before it reads rows.
namespace Sorven::DB {

using BoundValues = std::initializer_list<std::pair<const char *, QVariant>>;

// A statement and what it binds: values to its %1, %2 … in that order, as readPrepared binds
// them, and named values to its named placeholders (":ROW_ID").
struct CollectionStatement
{
    QString sql;
    QVariantList values = {};
    QList<std::pair<QString, QVariant>> named = {};
};

// Connects the collection, then builds the statement (the collection's id is known once it is
// connected), runs it on the connection of the collection's file and hands the open query to
// read, whose answer it returns. The statement is prepared once per open collection and text.
// The negative code of connectCollection, or QueryFailed when the statement fails: its error
// is then on the debug output, as logSqlError writes it.
int queryCollection(const QUuid &uuid, const std::function<CollectionStatement()> &statement,
                    const std::function<int(QSqlQuery &query)> &read);

// Prepares the statement, binds the values by placeholder name and runs it. False when a
// step fails; the query's lastError says why.
bool runStatement(QSqlQuery &query, const QString &sql, BoundValues values = {});

// Runs sql, whose placeholders %1, %2 … take values in that order, on the collection's
// connection and hands the open query to read. The statement is prepared once per connection
// and text, the values bound as parameters: SQLite takes longer to parse the chip
// statements than to run them; they are kept with the open collection. The collection
// connections serve the user-interface thread only, and so does this. The error of the failed
// step, or an invalid error.
QSqlError readPrepared(const QUuid &uuid, const QString &sql, const QVariantList &values,
                       const std::function<void(QSqlQuery &query)> &read);

// Opens a connection of the calling thread's own to the database file at path and hands it to
// use: a connection serves only the thread that opened it, so this is how a worker thread reads.
// False when the file cannot be opened.
bool withOwnConnection(const QString &path, const std::function<void(const QSqlDatabase &)> &use);

// Hands every remaining row to read. One record serves all rows, so that a row costs its
// values only, not a fresh copy of the column descriptions.
template<typename Read>
void forEachRow(QSqlQuery &query, Read read)
{
    QSqlRecord row = query.record();
    const ColumnLayout columns(row);
    while (query.next()) {
        for (int column = 0; column < row.count(); ++column)
            row.setValue(column, query.value(column));
        read(row, columns);
    }
}

} // namespace Sorven::DB
