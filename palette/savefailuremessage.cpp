#include "palette/savefailuremessage.h"

#include "db/displaytext.h"
#include "db/lookups.h"

#include <QDir>
#include <QMessageBox>

namespace Sorven {

namespace {

QString problemText(const QUuid &collection, const UserSettings::WriteFailure &failure)
{
    switch (failure.problem) {
    case UserSettings::WriteProblem::DiskFull:
        return DB::localeString(collection, QStringLiteral("common.settings.saveerror.diskfull"));
    case UserSettings::WriteProblem::ReadOnly:
        return DB::localeString(collection, QStringLiteral("common.settings.saveerror.readonly"));
    case UserSettings::WriteProblem::Other:
        break;
    }
    return failure.detail.isEmpty()
        ? DB::localeString(collection, QStringLiteral("common.settings.saveerror.other"))
        : failure.detail;
}

} // namespace

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

void showCapsureFailure(QWidget *parent, const QUuid &collection, const QString &reason)
{
    QMessageBox box(
        QMessageBox::Warning,
        DB::localeString(collection, QStringLiteral("common.error.dialog.caption")),
        DB::inertDisplayText(DB::localeString(collection, QStringLiteral("capsure.import.error"))),
        QMessageBox::Ok, parent);
    box.setInformativeText(reason);
    box.setWindowModality(Qt::WindowModal);
    box.exec();
}

void showSettingsFailure(QWidget *parent, const QUuid &collection,
                         const UserSettings::WriteFailure &failure)
{
    auto *box = new QMessageBox(
        QMessageBox::Warning,
        DB::localeString(collection, QStringLiteral("common.error.dialog.caption")),
        DB::inertDisplayText(
            DB::localeString(collection, QStringLiteral("common.settings.saveerror"))),
        QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("settingsFailure"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(QDir::toNativeSeparators(failure.path) + u'\n'
                            + problemText(collection, failure));
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

} // namespace Sorven
