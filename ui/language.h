// Choosing the interface language: the window is rebuilt in the other
// language while the game goes on untouched.
#pragma once

#include <windows.h>

INT_PTR CALLBACK LanguageDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void SwitchLanguage(int chosen);
