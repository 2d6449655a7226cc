// Prints where the game's window lies on the screen, so that a script can
// aim the pointer at it:
//   client-left client-top client-width client-height
//   window-left window-top window-right window-bottom
// Exits with 1 while there is no such window. With the argument "dialog"
// it reports the dialog or message box that is open instead.
#include <windows.h>

#include <cstdio>

int main(int argc, char **argv)
{
    bool dialog = argc > 1 && lstrcmpA(argv[1], "dialog") == 0;
    HWND hwnd = FindWindowA(dialog ? "#32770" : "Glomb", nullptr);
    if (!hwnd || !IsWindowVisible(hwnd))
        return 1;
    RECT client, frame;
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &frame);
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", origin.x, origin.y, client.right,
                client.bottom, frame.left, frame.top, frame.right, frame.bottom);
    return 0;
}
