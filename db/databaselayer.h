#pragma once

#include <QString>

namespace Sorven::DB {

// Starts the colour database layer once, before any window exists: finds the collections,
// picks the collection a new host process starts on and loads its name orders. 0 on success;
// -1 without the SQLite driver, -3 without any collection.
int initializeDatabaseLayer(const QString &modulePath, const QString &dataPath);

} // namespace Sorven::DB
