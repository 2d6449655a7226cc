#include "accessible.h"

#include "wintools.h"

const GUID AccessibleIid = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
static const GUID DispatchIid = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID UnknownIid = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

decltype(&AccessibleObjectFromWindow) AccessibleObjectFromWindowCall;
static decltype(&SysAllocString) SysAllocStringCall;
static decltype(&LresultFromObject) LresultFromObjectCall;
static decltype(&CoDisconnectObject) CoDisconnectObjectCall;

static int SameIid(REFIID a, const GUID &b)
{
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i])
            return 0;
    }
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3;
}

template <typename Function> static void Find(Function &call, HMODULE library, const char *name)
{
    call = reinterpret_cast<Function>(FindFunction(library, name));
}

int LoadOle()
{
    static int state; // 0 before the first request, then 1 or -1
    if (state != 0)
        return state == 1;
    HMODULE ole = LoadSystemLibrary("ole32.dll");
    HMODULE automation = LoadSystemLibrary("oleaut32.dll");
    HMODULE accessibility = LoadSystemLibrary("oleacc.dll");
    decltype(&CoInitialize) coInitialize;
    Find(coInitialize, ole, "CoInitialize");
    Find(CoDisconnectObjectCall, ole, "CoDisconnectObject");
    Find(SysAllocStringCall, automation, "SysAllocString");
    Find(LresultFromObjectCall, accessibility, "LresultFromObject");
    Find(AccessibleObjectFromWindowCall, accessibility, "AccessibleObjectFromWindow");
    bool found = coInitialize && CoDisconnectObjectCall && SysAllocStringCall &&
                 LresultFromObjectCall && AccessibleObjectFromWindowCall;
    state = found && SUCCEEDED(coInitialize(nullptr)) ? 1 : -1;
    return state == 1;
}

int IsClientRequest(LPARAM objectId)
{
    return static_cast<DWORD>(objectId) == static_cast<DWORD>(OBJID_CLIENT);
}

LRESULT HandOver(IAccessible *object, WPARAM wParam)
{
    return LresultFromObjectCall(AccessibleIid, wParam, reinterpret_cast<IUnknown *>(object));
}

void Disconnect(IAccessible *object)
{
    if (CoDisconnectObjectCall)
        CoDisconnectObjectCall(reinterpret_cast<IUnknown *>(object), 0);
}

int ChildOf(VARIANT child, int count)
{
    if (V_VT(&child) != VT_I4)
        return -1;
    LONG id = V_I4(&child);
    return id >= 0 && id <= count ? int(id) : -1;
}

HRESULT ReturnText(const char *text, BSTR *out)
{
    if (!out)
        return E_POINTER;
    WCHAR wide[256];
    if (!MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 256))
        wide[0] = 0;
    *out = SysAllocStringCall(wide);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnNumber(LONG number, VARIANT *out)
{
    if (!out)
        return E_POINTER;
    V_VT(out) = VT_I4;
    V_I4(out) = number;
    return S_OK;
}

HRESULT ReturnNothing(HRESULT result, VARIANT *out)
{
    if (!out)
        return E_POINTER;
    V_VT(out) = VT_EMPTY;
    return result;
}

HRESULT ReturnWindowObject(HWND window, IDispatch **out)
{
    if (!out)
        return E_POINTER;
    return AccessibleObjectFromWindowCall(window, OBJID_WINDOW, AccessibleIid,
                                          reinterpret_cast<void **>(out));
}

HRESULT ReturnScreenRect(HWND window, RECT place, LONG *left, LONG *top, LONG *width, LONG *height)
{
    if (!left || !top || !width || !height)
        return E_POINTER;
    POINT corner = {place.left, place.top};
    if (!ClientToScreen(window, &corner))
        return GONE;
    *left = corner.x;
    *top = corner.y;
    *width = place.right - place.left;
    *height = place.bottom - place.top;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Object_QueryInterface(IAccessible *self, REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
    if (SameIid(iid, UnknownIid) || SameIid(iid, DispatchIid) || SameIid(iid, AccessibleIid)) {
        *object = self;
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE Object_AddRef(IAccessible *)
{
    return 2;
}

ULONG STDMETHODCALLTYPE Object_Release(IAccessible *)
{
    return 1;
}

HRESULT STDMETHODCALLTYPE Object_GetTypeInfoCount(IAccessible *, UINT *count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Object_GetTypeInfo(IAccessible *, UINT, LCID, ITypeInfo **info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Object_GetIDsOfNames(IAccessible *, REFIID, LPOLESTR *, UINT, LCID,
                                               DISPID *)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Object_Invoke(IAccessible *, DISPID, REFIID, LCID, WORD, DISPPARAMS *,
                                        VARIANT *, EXCEPINFO *, UINT *)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Object_NoText(IAccessible *, VARIANT, BSTR *text)
{
    if (!text)
        return E_POINTER;
    *text = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE Object_get_accHelpTopic(IAccessible *, BSTR *file, VARIANT, LONG *topic)
{
    if (!file || !topic)
        return E_POINTER;
    *file = nullptr;
    *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE Object_get_accSelection(IAccessible *, VARIANT *selection)
{
    return ReturnNothing(DISP_E_MEMBERNOTFOUND, selection);
}

HRESULT STDMETHODCALLTYPE Object_accSelect(IAccessible *, LONG, VARIANT)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE Object_put_text(IAccessible *, VARIANT, BSTR)
{
    return E_NOTIMPL;
}
