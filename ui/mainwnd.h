// The main window, which owns the program's dialogs and message boxes.
#pragma once

#include <windows.h>

extern HWND MainWindow;
