// Stand-ins until the main window and the painter are part of the
// program's library: the tests own no main window.
#include "ui/mainwnd.h"
#include "ui/repaint.h"

HWND MainWindow;

void RepaintNow() {}
