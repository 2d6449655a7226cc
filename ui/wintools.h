// Small helpers that the windows and dialogs share.
#pragma once

#include <windows.h>

// "Glomb": class name, window title and message-box caption.
#define APP_NAME "Glomb"

extern HINSTANCE Instance; // the program's module, for loading resources

// Text n (1..19) of the current language, loaded afresh at every use so
// that a language switch shows at once. Always terminated.
void LoadText(int n, char *buffer, int size);
