#pragma once

// What the stand-in host application adds around the CAD frame: its window, the command line
// that typed keys reach, and the history above it.
class QLineEdit;
class QMainWindow;
class QPlainTextEdit;

namespace StandIn {

QMainWindow *mainWindow();
QLineEdit *commandLine();
QPlainTextEdit *commandHistory();

} // namespace StandIn
