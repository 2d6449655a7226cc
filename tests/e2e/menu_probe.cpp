// Loaded into the game's process by window_place's message hook, because
// under Wine a menu can only be read by the process that owns it. On the
// first message the game's thread fetches, it writes the main window's
// menu into the shared text that window_place created, then signals it.
#include <windows.h>

#include "menu_probe.h"

static int WriteItem(char *out, int depth, HWND owner, HMENU menu, int i)
{
    char text[64] = "";
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    RECT r = {};
    GetMenuItemRect(owner, menu, i, &r); // stays empty while a drop-down is closed
    return wsprintfA(out, "%i\t%li\t%li\t%li\t%li\t%s\n", depth, r.left, r.top, r.right, r.bottom,
                     text);
}

static void WriteMenu(char *out, HWND window)
{
    HMENU bar = GetMenu(window);
    int n = 0;
    for (int i = 0; i < GetMenuItemCount(bar) && n < PROBE_TEXT_SIZE - 1024; ++i) {
        n += WriteItem(out + n, 0, window, bar, i);
        HMENU drop = GetSubMenu(bar, i);
        for (int j = 0; j < GetMenuItemCount(drop); ++j)
            n += WriteItem(out + n, 1, nullptr, drop, j);
    }
}

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeMenu(int code, WPARAM wParam, LPARAM lParam)
{
    HANDLE shared = OpenFileMappingA(FILE_MAP_WRITE, FALSE, PROBE_TEXT_NAME);
    if (code >= 0 && shared) {
        char *out = (char *)MapViewOfFile(shared, FILE_MAP_WRITE, 0, 0, PROBE_TEXT_SIZE);
        if (out && out[0] == '\0') { // the first answer stands
            WriteMenu(out, FindWindowA("Glomb", nullptr));
            HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, PROBE_DONE_NAME);
            SetEvent(done);
            CloseHandle(done);
        }
        if (out)
            UnmapViewOfFile(out);
    }
    if (shared)
        CloseHandle(shared);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
