#pragma once

#include <windows.h>

class QWidget;

// Window handles of the stand-in: each names a Qt widget for as long as it lives, with the
// window procedure and style bits the module may replace.
namespace NativeWindows {

HWND handle(QWidget *widget);
QWidget *widget(HWND hwnd);
void setDefaultProcedure(QWidget *widget, WNDPROC procedure);
void forget(QWidget *widget);

// Applies the size limits that the window procedure answers to WM_GETMINMAXINFO.
void applySizeLimits(HWND hwnd);

// The native window a Qt widget draws in and takes input through: the nearest window of its
// own among the widget and its ancestors. Null when that window is not a Qt window whose
// procedure was replaced, so that Qt's events reach it directly.
HWND subclassedQtWindow(QWidget *widget);

// Sends the message through the window's procedure chain; true when it reached the Qt window
// procedure at the chain's end, which is what lets Qt paint or take the input.
bool reachesQt(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace NativeWindows
