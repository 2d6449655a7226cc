// How long the game takes to show its first frame:
//
//   startup_bench.exe             the start-up steps of WinMain in this
//                                 process: the settings, the main window
//                                 with its first paint, the first game
//                                 painted; and the time since the process
//                                 was created, which adds the loader's
//                                 share. One line of milliseconds.
//   startup_bench.exe RUNS PROGRAM...
//                                 starts each program RUNS times, in turn,
//                                 each timed from CreateProcess until it
//                                 waits for input with a window shown,
//                                 then closes it. Prints a line per
//                                 program: its median and range. Taking
//                                 turns lets a busy machine slow all of
//                                 them alike, so their ratio holds.
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

// The program's main window: its only visible top-level one.
static BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM lParam)
{
    Search *search = (Search *)lParam;
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == search->process && IsWindowVisible(hwnd))
        search->window = hwnd;
    return TRUE;
}

// Milliseconds from CreateProcess until the program waits for input with
// its window shown; -1 when it never got there.
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
            EnumWindows(FindMainWindow, (LPARAM)&search);
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

static const char *BaseName(const char *path)
{
    const char *name = path;
    for (const char *c = path; *c; ++c)
        if (*c == '\\' || *c == '/')
            name = c + 1;
    return name;
}

// The first round, untimed, brings the programs and the system DLLs into
// the cache, as a player's second start would find them.
static int TimeLaunches(int runs, int count, char **programs)
{
    std::vector<std::vector<double>> ms(count);
    for (int round = 0; round <= runs; ++round)
        for (int p = 0; p < count; ++p) {
            char commandLine[MAX_PATH + 2];
            wsprintfA(commandLine, "\"%s\"", programs[p]);
            double t = TimeLaunch(commandLine);
            if (t < 0) {
                std::fprintf(stderr, "%s did not start and show its window\n", programs[p]);
                return 1;
            }
            if (round > 0)
                ms[p].push_back(t);
        }
    for (int p = 0; p < count; ++p) {
        std::sort(ms[p].begin(), ms[p].end());
        std::printf("%s  median %.1f  min %.1f  max %.1f  runs %d\n", BaseName(programs[p]),
                    ms[p][ms[p].size() / 2], ms[p].front(), ms[p].back(), runs);
    }
    return 0;
}

int main(int argc, char **argv)
{
    if (!KeyInstalled()) {
        std::fprintf(stderr, "the settings key is missing; create it first\n");
        return 1;
    }
    if (argc > 2)
        return TimeLaunches(std::max(1, std::atoi(argv[1])), argc - 2, argv + 2);
    return TimeStartUp();
}
