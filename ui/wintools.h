// Small helpers that the windows and dialogs share.
#pragma once

#include <windows.h>

// "Glomb": class name, window title and message-box caption.
#define APP_NAME "Glomb"

extern HINSTANCE Instance; // the program's module, for loading resources

// Text n (1..49) of the current language, loaded afresh at every use so
// that a language switch shows at once. Always terminated.
void LoadText(int n, char *buffer, int size);

// A system library by its full path, never a file of the same name in
// the program's folder, where a web page may have left one.
HMODULE LoadSystemLibrary(const char *name);

// A function of a library, or null; as a data pointer, which casts to
// the function's own type without a warning.
void *FindFunction(HMODULE library, const char *name);

// At start-up: what the system libraries load later comes from the
// system folder too, where Windows can say so (Windows 8, and 7 with its
// update); everywhere the current folder leaves the search.
void LimitLibrarySearch();
