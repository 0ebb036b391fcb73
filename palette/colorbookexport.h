#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace Sorven {

class ColorBookHost;
class MyPaletteWidget;

// Asks for the file to write: parent, caption, start folder, filter. The platform's save dialog
// unless a caller (a test) replaces it.
using ColorBookFileDialog = std::function<QString(QWidget *parent, const QString &caption,
                                                  const QString &folder, const QString &filter)>;

// The platform's save dialog, which the exports ask when no caller replaces it.
QString platformSaveDialog(QWidget *parent, const QString &caption, const QString &folder,
                           const QString &filter);

// The create-colour-book button's whole task: when the host has a drawing that can take it and
// My Palette holds a chip, asks for a file in the profile's colour book folder and writes My
// Palette's colours there as a colour book; a file that cannot be written is reported in a
// message box. Answers whether a book was written.
bool exportColorBook(const MyPaletteWidget &myPalette, QWidget *parent, const ColorBookHost &host,
                     const ColorBookFileDialog &dialog = {});

} // namespace Sorven
