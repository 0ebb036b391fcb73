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

} // namespace NativeWindows
