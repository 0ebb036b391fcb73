#pragma once

#include "db/colorentry.h"
#include "db/colorpage.h"

#include <QJsonObject>

// How vexa-inspect shows chips and pages, as JSON and as text lines.
namespace Sorven::Tools {

QJsonObject chipJson(const DB::ColorEntry &chip);
QString chipLine(const DB::ColorEntry &chip);
QJsonObject pageJson(const DB::ColorPage &page);
QString pageText(const DB::ColorPage &page);

} // namespace Sorven::Tools
