#include "palette/savefailuremessage.h"

#include "db/displaytext.h"
#include "db/lookups.h"

#include <QDir>
#include <QMessageBox>

namespace Sorven {

void showSaveFailure(QWidget *parent, const QUuid &collection, const QString &textKey,
                     const QString &path, const QString &reason)
{
    QMessageBox box(QMessageBox::Warning,
                    DB::localeString(collection, QStringLiteral("common.error.dialog.caption")),
                    DB::inertDisplayText(DB::localeString(collection, textKey)), QMessageBox::Ok,
                    parent);
    box.setInformativeText(QDir::toNativeSeparators(path) + u'\n' + reason);
    box.exec();
}

} // namespace Sorven
