#include "gdi_tracker.h"

#include <windows.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

namespace
{

std::set<void *> Live;
bool Tracking;
std::map<std::string, void *> Genuine; // the import slots' values before redirection

template <typename F> F Real(const char *name)
{
    return reinterpret_cast<F>(Genuine[name]);
}

template <typename H> H Made(H handle)
{
    if (Tracking && handle)
        Live.insert(handle);
    return handle;
}

template <typename R> R Freed(void *handle, R ok)
{
    if (ok)
        Live.erase(handle);
    return ok;
}

#define GENUINE(name) Real<decltype(&name)>(#name)

HBRUSH WINAPI SolidBrush(COLORREF c)
{
    return Made(GENUINE(CreateSolidBrush)(c));
}
HPEN WINAPI Pen(int s, int w, COLORREF c)
{
    return Made(GENUINE(CreatePen)(s, w, c));
}
HBITMAP WINAPI Bitmap(HDC dc, int w, int h)
{
    return Made(GENUINE(CreateCompatibleBitmap)(dc, w, h));
}
HDC WINAPI MemoryDC(HDC dc)
{
    return Made(GENUINE(CreateCompatibleDC)(dc));
}
HBITMAP WINAPI Picture(HINSTANCE i, LPCSTR n)
{
    return Made(GENUINE(LoadBitmapA)(i, n));
}
HDC WINAPI WindowDC(HWND hwnd)
{
    return Made(GENUINE(GetDC)(hwnd));
}
HDC WINAPI DeviceDC(LPCSTR d, LPCSTR dev, LPCSTR o, const DEVMODEA *m)
{
    return Made(GENUINE(CreateDCA)(d, dev, o, m));
}
HFONT WINAPI Font(int h, int w, int e, int o, int wt, DWORD i, DWORD u, DWORD s, DWORD cs, DWORD op,
                  DWORD cp, DWORD q, DWORD pf, LPCSTR face)
{
    return Made(GENUINE(CreateFontA)(h, w, e, o, wt, i, u, s, cs, op, cp, q, pf, face));
}
BOOL WINAPI DeleteObj(HGDIOBJ h)
{
    return Freed(h, GENUINE(DeleteObject)(h));
}
BOOL WINAPI DeleteDc(HDC dc)
{
    return Freed(dc, GENUINE(DeleteDC)(dc));
}
int WINAPI ReleaseDc(HWND hwnd, HDC dc)
{
    return Freed(dc, GENUINE(ReleaseDC)(hwnd, dc));
}

const std::map<std::string, void *> Hooks = {
    {"CreateSolidBrush", reinterpret_cast<void *>(SolidBrush)},
    {"CreatePen", reinterpret_cast<void *>(Pen)},
    {"CreateFontA", reinterpret_cast<void *>(Font)},
    {"CreateCompatibleBitmap", reinterpret_cast<void *>(Bitmap)},
    {"CreateCompatibleDC", reinterpret_cast<void *>(MemoryDC)},
    {"CreateDCA", reinterpret_cast<void *>(DeviceDC)},
    {"LoadBitmapA", reinterpret_cast<void *>(Picture)},
    {"GetDC", reinterpret_cast<void *>(WindowDC)},
    {"DeleteObject", reinterpret_cast<void *>(DeleteObj)},
    {"DeleteDC", reinterpret_cast<void *>(DeleteDc)},
    {"ReleaseDC", reinterpret_cast<void *>(ReleaseDc)},
};

void Redirect(const char *name, void **slot)
{
    auto hook = Hooks.find(name);
    if (hook == Hooks.end())
        return;
    Genuine[name] = *slot;
    DWORD old;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = hook->second;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

// The program's code is linked into this executable, so its calls go
// through this executable's import slots.
void RedirectImports()
{
    auto *base = reinterpret_cast<BYTE *>(GetModuleHandleA(nullptr));
    auto *dos = reinterpret_cast<IMAGE_DOS_HEADER *>(base);
    auto *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto *imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + rva); imp->Name; ++imp) {
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + imp->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto *import = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            Redirect(reinterpret_cast<char *>(import->Name),
                     reinterpret_cast<void **>(&slots->u1.Function));
        }
    }
}

} // namespace

void StartTrackingGdi()
{
    if (Genuine.empty())
        RedirectImports();
    Live.clear();
    Tracking = true;
}

void StopTrackingGdi()
{
    Tracking = false;
}

std::size_t LiveGdiObjects()
{
    return Live.size();
}
