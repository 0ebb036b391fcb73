#pragma once

#include <QLoggingCategory>

namespace Sorven::DB {

// The query layer's own diagnostics: failed statements and their text. Off unless asked for
// ("QT_LOGGING_RULES=vexa.db.query.debug=true"), so that normal use prints nothing.
Q_DECLARE_LOGGING_CATEGORY(queryLog)

} // namespace Sorven::DB
