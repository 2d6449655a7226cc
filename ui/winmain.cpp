// Start-up: command line, settings, the main window, the first game, and
// the message loop until the window is destroyed.
#include "cmdline.h"
#include "mainwnd.h"
#include "res/resource.h"
#include "store/settings.h"
#include "wintools.h"

// Accelerators work only here: a modal window runs its own loop.
static int RunMessageLoop(HACCEL accelerators)
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

// The command line comes from the process itself: mingw's start-up, which
// hands WinMain its own copy, skips every byte above 0x7F along with the
// blanks after the program's name.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    LimitLibrarySearch();
    ParseCommandLine(SkipProgramName(GetCommandLineA()));
    Instance = instance;
    if (!LoadSettings()) // the installation message has been shown
        return 0;
    if (!CreateMainWindow())
        return 0;
    // The first game is dealt by the same command as the menu's New.
    SendMessageA(MainWindow, WM_COMMAND, IDM_NEW, 0);
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    return RunMessageLoop(accelerators);
}
