// The off-screen drawing surfaces of the main window: the back buffer
// with its brush, pen and font, and the sprite sheet.
#pragma once

#include <windows.h>

// Builds BackBuffer and SpriteSheet compatible with the screen, the back
// buffer with a bitmap of the client area's size.
void CreateSurfaces(HDC screen, int clientWidth, int clientHeight);

// Frees both surfaces and every object that was made for them. Does
// nothing when there are none.
void ReleaseSurfaces();
