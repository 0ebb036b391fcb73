#pragma once

#include "core/usersettings.h"

#include <QString>
#include <QUuid>

class QWidget;

namespace Sorven {

// Tells the user that a file they asked for was not written: the collection's text for textKey,
// then the file and the system's reason.
void showSaveFailure(QWidget *parent, const QUuid &collection, const QString &textKey,
                     const QString &path, const QString &reason);

// Tells the user why a measurement file gives nothing to choose.
void showCapsureFailure(QWidget *parent, const QUuid &collection, const QString &reason);

// Tells the user, without waiting for an answer, that the settings cannot be written: changes
// last only as long as the palette stays open.
void showSettingsFailure(QWidget *parent, const QUuid &collection,
                         const UserSettings::WriteFailure &failure);

} // namespace Sorven
