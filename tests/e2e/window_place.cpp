// Tells a script what the game shows, so that it can aim the pointer and
// check texts without reading pixels:
//
//   window_place          the main window: client-left client-top
//                         client-width client-height, then its frame:
//                         left top right bottom
//   window_place dialog   the same for the open dialog or message box
//   window_place texts    the open dialog's caption, then a line per
//                         control: id, "shown" or "hidden" (and ",checked"
//                         for a checked button), text; a line break in a
//                         text shows as \n
//   window_place control ID
//                         the screen rectangle of that control of the open
//                         dialog: left top width height
//   window_place move X Y moves the main window's frame to X Y on the
//                         screen, so that a second game opened over it
//                         leaves it in sight
//   window_place menu     the main window's menu, a line per entry: depth
//                         (0 a title, 1 an item of its drop-down), screen
//                         rectangle left top right bottom (zeros while the
//                         drop-down is closed), text
//
// Exits with 1 while there is no such window. Texts come in the game's
// code page, 1252.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "menu_probe.h"

static HWND FindShown(const char *className)
{
    HWND hwnd = FindWindowA(className, nullptr);
    return hwnd && IsWindowVisible(hwnd) ? hwnd : nullptr;
}

static int PrintPlace(HWND hwnd)
{
    RECT client, frame;
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &frame);
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", origin.x, origin.y, client.right,
                client.bottom, frame.left, frame.top, frame.right, frame.bottom);
    return 0;
}

static void PrintText(HWND hwnd)
{
    // GetWindowText of another process's window returns the text it was
    // made with, not what a player has typed into an edit field since.
    char text[1000] = "";
    SendMessageA(hwnd, WM_GETTEXT, sizeof text, (LPARAM)text);
    for (const char *c = text; *c; ++c) {
        if (*c == '\n')
            std::fputs("\\n", stdout);
        else if (*c != '\r')
            std::putchar(*c);
    }
    std::putchar('\n');
}

static BOOL CALLBACK PrintControl(HWND control, LPARAM)
{
    bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    std::printf("%i\t%s%s\t", GetDlgCtrlID(control), IsWindowVisible(control) ? "shown" : "hidden",
                checked ? ",checked" : "");
    PrintText(control);
    return TRUE;
}

static int PrintTexts(HWND dialog)
{
    std::fputs("caption\t\t", stdout);
    PrintText(dialog);
    EnumChildWindows(dialog, PrintControl, 0);
    return 0;
}

static int PrintControlPlace(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    RECT r;
    if (!control || !GetWindowRect(control, &r))
        return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

// A menu belongs to its process: the probe is hooked into the game's
// thread, reads it there and hands the text back.
static int PrintMenu(HWND window)
{
    HANDLE shared = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                       PROBE_TEXT_SIZE, PROBE_TEXT_NAME);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, PROBE_DONE_NAME);
    HMODULE probe = LoadLibraryA("menu_probe.dll");
    HOOKPROC proc = probe ? (HOOKPROC)(void *)GetProcAddress(probe, "ProbeMenu") : nullptr;
    HHOOK hook = proc ? SetWindowsHookExA(WH_GETMESSAGE, proc, probe,
                                          GetWindowThreadProcessId(window, nullptr))
                      : nullptr;
    if (!shared || !done || !hook) {
        std::fputs("window_place: cannot hook the menu probe into the game\n", stderr);
        return 2;
    }
    PostMessageA(window, WM_NULL, 0, 0);
    bool answered = WaitForSingleObject(done, 5000) == WAIT_OBJECT_0;
    UnhookWindowsHookEx(hook);
    const char *text = (const char *)MapViewOfFile(shared, FILE_MAP_READ, 0, 0, PROBE_TEXT_SIZE);
    if (!answered || !text)
        return 1;
    std::fputs(text, stdout);
    return 0;
}

int main(int argc, char **argv)
{
    const char *mode = argc > 1 ? argv[1] : "";
    bool mainWindow =
        lstrcmpA(mode, "") == 0 || lstrcmpA(mode, "menu") == 0 || lstrcmpA(mode, "move") == 0;
    HWND hwnd = FindShown(mainWindow ? "Glomb" : "#32770");
    if (!hwnd)
        return 1;
    if (lstrcmpA(mode, "menu") == 0)
        return PrintMenu(hwnd);
    if (lstrcmpA(mode, "move") == 0 && argc > 3)
        return !SetWindowPos(hwnd, nullptr, std::atoi(argv[2]), std::atoi(argv[3]), 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (lstrcmpA(mode, "texts") == 0)
        return PrintTexts(hwnd);
    if (lstrcmpA(mode, "control") == 0 && argc > 2)
        return PrintControlPlace(hwnd, std::atoi(argv[2]));
    return PrintPlace(hwnd);
}
