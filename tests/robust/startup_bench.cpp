// How long the game takes to show its first frame:
//
//   startup_bench.exe             the start-up steps of WinMain in this
//                                 process: the settings, the main window
//                                 with its first paint, the first game
//                                 painted; and the time since the process
//                                 was created, which adds the loader's
//                                 share. One line of milliseconds.
//   startup_bench.exe GAME RUNS   starts the real game RUNS times, each
//                                 timed from CreateProcess until it waits
//                                 for input with its window shown, then
//                                 closes it. Prints the median and range.
//
// Both need the settings key; run under Wine through tools/wine-run.sh
// with a persistent wineserver, so that Wine's own boot is not counted.
#include "res/resource.h"
#include "store/settings.h"
#include "ui/cmdline.h"
#include "ui/mainwnd.h"
#include "ui/wintools.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

static double Now()
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1e3 / double(frequency.QuadPart);
}

static double Milliseconds(const FILETIME &t)
{
    return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
}

// Milliseconds since this process was created, by the system clock.
static double SinceCreation()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    return Milliseconds(now) - Milliseconds(created);
}

// Without the key the load would stop at the installation message.
static bool KeyInstalled()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The steps of WinMain up to its message loop.
static int TimeStartUp()
{
    double start = Now();
    ParseCommandLine("");
    Instance = GetModuleHandleA(nullptr);
    if (!LoadSettings())
        return 1;
    double settings = Now();
    if (!CreateMainWindow()) // shows the window and paints it once
        return 1;
    double window = Now();
    SendMessageA(MainWindow, WM_COMMAND, IDM_NEW, 0);
    GdiFlush();
    double game = Now();
    double sinceCreation = SinceCreation();
    std::printf("settings %.2f  window %.2f  first game frame %.2f  since process creation %.2f\n",
                settings - start, window - start, game - start, sinceCreation);
    DestroyWindow(MainWindow);
    return 0;
}

struct Search {
    DWORD process;
    HWND window;
};

static BOOL CALLBACK FindGameWindow(HWND hwnd, LPARAM lParam)
{
    Search *search = (Search *)lParam;
    DWORD process = 0;
    char className[16] = "";
    GetWindowThreadProcessId(hwnd, &process);
    GetClassNameA(hwnd, className, sizeof className);
    if (process == search->process && lstrcmpA(className, APP_NAME) == 0 && IsWindowVisible(hwnd))
        search->window = hwnd;
    return TRUE;
}

// Milliseconds from CreateProcess until the game waits for input with its
// window shown; -1 when it never got there.
static double TimeLaunch(char *commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    double start = Now();
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    // The window is normally there when the game first idles; should it
    // come later, the wait for it is part of the start.
    Search search = {process.dwProcessId, nullptr};
    if (WaitForInputIdle(process.hProcess, 20000) == 0)
        for (int tries = 0; !search.window && tries < 2000; ++tries) {
            EnumWindows(FindGameWindow, (LPARAM)&search);
            if (!search.window)
                Sleep(1);
        }
    double elapsed = search.window ? Now() - start : -1;
    if (search.window)
        PostMessageA(search.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

// The first launch, untimed, brings the exe and the system DLLs into the
// cache, as a player's second start would find them.
static int TimeLaunches(const char *game, int runs)
{
    char commandLine[MAX_PATH + 2];
    wsprintfA(commandLine, "\"%s\"", game);
    std::vector<double> ms;
    for (int i = 0; i <= runs; ++i) {
        double t = TimeLaunch(commandLine);
        if (t < 0) {
            std::fprintf(stderr, "%s did not start and show its window\n", game);
            return 1;
        }
        if (i > 0)
            ms.push_back(t);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("launch to waiting for input  median %.1f  min %.1f  max %.1f  (%d runs)\n",
                ms[ms.size() / 2], ms.front(), ms.back(), runs);
    return 0;
}

int main(int argc, char **argv)
{
    if (!KeyInstalled()) {
        std::fprintf(stderr, "the settings key is missing; create it first\n");
        return 1;
    }
    if (argc > 2)
        return TimeLaunches(argv[1], std::max(1, std::atoi(argv[2])));
    return TimeStartUp();
}
