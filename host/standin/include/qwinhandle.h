#pragma once

// The native window handle of a Qt widget, which Qt-in-native-window embedding needs.
#include <windows.h>

class QWidget;

HWND qWinHandle(QWidget *widget);
