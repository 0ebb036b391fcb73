#include "palette/paletteloadmessage.h"

#include "db/displaytext.h"
#include "db/lookups.h"

#include <QDir>
#include <QMessageBox>

namespace Sorven {

namespace {

QString text(const QUuid &collection, const char *key)
{
    return DB::localeString(collection, QString::fromLatin1(key));
}

void openMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                 const QString &message, const QString &details)
{
    auto *box
        = new QMessageBox(icon, title, DB::inertDisplayText(message), QMessageBox::Ok, parent);
    box->setInformativeText(DB::inertDisplayText(details));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

} // namespace

void showPaletteLoadMessage(QWidget *parent, const QUuid &collection, const QString &path,
                            const PaletteFileRead &read)
{
    if (!read.palette) {
        openMessage(parent, QMessageBox::Warning, text(collection, "common.error.dialog.caption"),
                    text(collection, "common.filedialog.palettefile.loaderror"),
                    QDir::toNativeSeparators(path) + u'\n' + read.reason);
        return;
    }
    if (read.gaps.emptyCells == 0)
        return;
    QStringList missing;
    for (const QUuid &uuid : read.gaps.missingCollections)
        missing << uuid.toString();
    openMessage(
        parent, QMessageBox::Information, text(collection, "common.information.dialog.caption"),
        text(collection, "common.filedialog.palettefile.emptycells").arg(read.gaps.emptyCells),
        missing.isEmpty() ? QString()
                          : text(collection, "common.filedialog.palettefile.missingcollections")
                                .arg(missing.join(QStringLiteral(", "))));
}

} // namespace Sorven
