#include "palette/savefailuremessage.h"

#include "db/displaytext.h"
#include "db/lookups.h"

#include <QDir>
#include <QMessageBox>

namespace Sorven {

namespace {

// The collection's text, or ours where an older collection lacks the key.
QString textOr(const QUuid &collection, const QString &key, const QString &english)
{
    const QString text = DB::localeString(collection, key);
    return text == key ? english : text;
}

QString problemText(const QUuid &collection, const UserSettings::WriteFailure &failure)
{
    switch (failure.problem) {
    case UserSettings::WriteProblem::DiskFull:
        return textOr(collection, QStringLiteral("common.settings.saveerror.diskfull"),
                      QStringLiteral("The disk is full."));
    case UserSettings::WriteProblem::ReadOnly:
        return textOr(collection, QStringLiteral("common.settings.saveerror.readonly"),
                      QStringLiteral("The settings folder is read-only."));
    case UserSettings::WriteProblem::Other:
        break;
    }
    return failure.detail.isEmpty()
        ? textOr(collection, QStringLiteral("common.settings.saveerror.other"),
                 QStringLiteral("The settings file could not be written."))
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

} // namespace Sorven

namespace Sorven {

void showCapsureFailure(QWidget *parent, const QUuid &collection, const QString &reason)
{
    QMessageBox box(
        QMessageBox::Warning,
        textOr(collection, QStringLiteral("common.error.dialog.caption"), QStringLiteral("Error")),
        DB::inertDisplayText(textOr(collection, QStringLiteral("capsure.import.error"),
                                    QStringLiteral("This measurement cannot be used."))),
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
        textOr(collection, QStringLiteral("common.error.dialog.caption"), QStringLiteral("Error")),
        DB::inertDisplayText(textOr(
            collection, QStringLiteral("common.settings.saveerror"),
            QStringLiteral("Changes to My Palette and to where you are in the collections cannot "
                           "be kept after the palette closes."))),
        QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("settingsFailure"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(QDir::toNativeSeparators(failure.path) + u'\n'
                            + problemText(collection, failure));
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

} // namespace Sorven
