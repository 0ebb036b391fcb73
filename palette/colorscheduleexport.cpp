#include "palette/colorscheduleexport.h"

#include "core/platformpaths.h"
#include "core/usersettings.h"
#include "db/lookups.h"
#include "palette/colorschedule.h"
#include "palette/savefailuremessage.h"

#include <QDir>

namespace Sorven {

bool exportColorSchedule(const PaletteModel &palette, QWidget *parent,
                         const ColorBookFileDialog &dialog)
{
    const QUuid collection = UserSettings::lastUsedCollection();
    const auto text = [&collection](const char *key) {
        return DB::localeString(collection, QString::fromLatin1(key));
    };
    const QString path = (dialog ? dialog : platformSaveDialog)(
        parent, text("mypalette.schedule.dialog.caption"),
        QDir(Platform::documentsFolder())
            .filePath(text("mypalette.schedule.dialog.defaultfilename")),
        QStringLiteral("%1 (*.pdf)").arg(text("mypalette.schedule.dialog.filter")));
    if (path.isEmpty())
        return false;
    QString reason;
    if (ColorSchedule(palette, collection).save(path, &reason))
        return true;
    showSaveFailure(parent, collection, QStringLiteral("mypalette.schedule.saveerror"), path,
                    reason);
    return false;
}

} // namespace Sorven
