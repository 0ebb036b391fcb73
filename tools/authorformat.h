#pragma once

#include "db/colorentry.h"
#include "db/colorpage.h"

#include <QJsonObject>

// How vexa-inspect shows chips and pages, as JSON and as text lines.
namespace Sorven::Tools {

// The text with control characters and bidirectional embeddings, overrides and isolates
// written as \xHH or \uHHHH escapes, so that a name from a database cannot move the cursor,
// recolour the terminal or reorder what follows it. Line feeds stay when keepLineFeeds.
QString terminalSafe(const QString &text, bool keepLineFeeds = false);

QJsonObject chipJson(const DB::ColorEntry &chip);
QString chipLine(const DB::ColorEntry &chip);
QJsonObject pageJson(const DB::ColorPage &page);
QString pageText(const DB::ColorPage &page);

} // namespace Sorven::Tools
