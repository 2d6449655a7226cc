// What the tests need to read the game's objects as a client in its own
// process does.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

// The program's own: mingw's IID_IAccessible is an import thunk.
extern const GUID AccessibleIid;

inline IAccessible *ClientObject(HWND window)
{
    IAccessible *object = nullptr;
    AccessibleObjectFromWindow(window, OBJID_CLIENT, AccessibleIid,
                               reinterpret_cast<void **>(&object));
    return object;
}

inline VARIANT Child(LONG id)
{
    VARIANT child;
    V_VT(&child) = VT_I4;
    V_I4(&child) = id;
    return child;
}

// Frees the text.
inline std::string Utf8(BSTR text)
{
    char utf8[200] = "";
    if (text)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    SysFreeString(text);
    return utf8;
}
