#include "wintools.h"

#include "store/settings.h"

HINSTANCE Instance;

// Both languages share the string table: language L's text n has the
// id L * 50 + n.
static int StringId(int n)
{
    return Language * 50 + n;
}

void LoadText(int n, char *buffer, int size)
{
    if (LoadStringA(Instance, StringId(n), buffer, size) == 0 && size > 0)
        buffer[0] = '\0';
}

HMODULE LoadSystemLibrary(const char *name)
{
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenA(name) >= MAX_PATH)
        return nullptr;
    path[length] = '\\';
    lstrcpynA(path + length + 1, name, MAX_PATH - length - 1);
    return LoadLibraryA(path);
}

void *FindFunction(HMODULE library, const char *name)
{
    return library ? reinterpret_cast<void *>(GetProcAddress(library, name)) : nullptr;
}

// Looked up rather than imported, so that Windows XP still starts.
void LimitLibrarySearch()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto setDefault =
        reinterpret_cast<BOOL(WINAPI *)(DWORD)>(FindFunction(kernel, "SetDefaultDllDirectories"));
    auto setDirectory =
        reinterpret_cast<BOOL(WINAPI *)(LPCSTR)>(FindFunction(kernel, "SetDllDirectoryA"));
    if (setDefault)
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (setDirectory)
        setDirectory("");
}
