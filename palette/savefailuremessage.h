#pragma once

#include <QString>
#include <QUuid>

class QWidget;

namespace Sorven {

// Tells the user that a file they asked for was not written: the collection's text for textKey,
// then the file and the system's reason.
void showSaveFailure(QWidget *parent, const QUuid &collection, const QString &textKey,
                     const QString &path, const QString &reason);

} // namespace Sorven
