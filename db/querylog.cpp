#include "db/querylog.h"

namespace Sorven::DB {

Q_LOGGING_CATEGORY(queryLog, "vexa.db.query", QtWarningMsg)

} // namespace Sorven::DB
