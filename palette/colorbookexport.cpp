#include "palette/colorbookexport.h"

#include "core/usersettings.h"
#include "db/lookups.h"
#include "host/colorbookhost.h"
#include "palette/colorbook.h"
#include "palette/mypalettewidget.h"
#include "palette/savefailuremessage.h"

#include <QFileDialog>

namespace Sorven {

QString platformSaveDialog(QWidget *parent, const QString &caption, const QString &folder,
                           const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, folder, filter);
}

bool exportColorBook(const MyPaletteWidget &myPalette, QWidget *parent, const ColorBookHost &host,
                     const ColorBookFileDialog &dialog)
{
    const PaletteModel palette = myPalette.palette();
    if (!host.acceptsExport() || palette.isEmpty())
        return false;
    const QUuid collection = UserSettings::lastUsedCollection();
    const QString filter
        = QStringLiteral("%1 (*.acb)")
              .arg(DB::localeString(collection,
                                    QStringLiteral("autocad.createcolorbook.dialog.filter")));
    const QString path = (dialog ? dialog : platformSaveDialog)(
        parent,
        DB::localeString(collection, QStringLiteral("autocad.createcolorbook.dialog.caption")),
        host.colorBookFolders().constLast(), filter);
    if (path.isEmpty())
        return false;
    QString reason;
    if (saveColorBook(palette, collection, path, &reason))
        return true;
    showSaveFailure(parent, collection, QStringLiteral("autocad.createcolorbook.saveerror"), path,
                    reason);
    return false;
}

} // namespace Sorven
