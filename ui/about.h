// The About box: three balls, the credit, and a mail link; and the help
// message.
#pragma once

#include <windows.h>

#define AUTHOR_NAME "Glomb Team"
#define CONTACT_ADDRESS "glomb@example.org"
#define CONTACT_LINK "mailto:" CONTACT_ADDRESS

extern RECT LinkRect; // where the mail link was painted last, box coordinates

// Where the About box puts its pictures and texts for a client area of
// width x height, a given cell size and an author's name nameWidth
// pixels wide. Divisions truncate toward zero.
struct AboutLayout {
    POINT ball[3]; // blue, green, red
    POINT credit;  // "Program by"
    POINT name;    // the author's name
    POINT address; // the mail link
};
AboutLayout LayOutAbout(int width, int height, int cellSize, int nameWidth);

INT_PTR CALLBACK AboutDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PaintAbout(HWND hwnd);
