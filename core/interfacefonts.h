#pragma once

#include <QFont>
#include <QString>

// The fonts every widget draws its texts in: one family, chosen once per process from the
// preferred faces that the colour data name, at five size steps around a base point size. Needs
// a QGuiApplication.
namespace Sorven {

QString interfaceFontFamily();

// Size steps: 0 is two points below the base size, 1 one below, 3 one above, 4 two above; any
// other step is the base size itself.
QFont regularFont(int sizeStep);
QFont italicFont(int sizeStep);
QFont boldFont(int sizeStep);

// Fonts are made once per set of arguments and kept. A point size below 1 is raised to 1.
QFont cachedFont(const QString &family, int pointSize, QFont::Weight weight, bool italic,
                 qreal letterSpacing, int stretch);

// Forgets the chosen family and every cached font, as when the module is unloaded.
void clearInterfaceFonts();

} // namespace Sorven
