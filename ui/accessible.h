// What the objects that screen readers see have in common: the OLE
// libraries, loaded at the first request, and the slots of IAccessible
// that every object fills the same way. Include it first: the C form of
// the interfaces must be chosen before any OLE header is read.
#pragma once

#define CINTERFACE
#define CONST_VTABLE
#include <ole2.h>
#include <oleacc.h>

// mingw's IID_IAccessible from liboleacc is an import thunk, not the
// GUID; and the program links no OLE library to take the others from.
extern const GUID AccessibleIid;

// From the system's libraries once LoadOle has succeeded.
extern decltype(&AccessibleObjectFromWindow) AccessibleObjectFromWindowCall;

// Once, at the first request: 1 when everything was found in the system
// folder and this thread joined an apartment, which carries a reader's
// calls in from its own process.
int LoadOle();

// Whether a WM_GETOBJECT asks for the client area: the object id is 32
// bits, and 64-bit Windows may widen it either way.
int IsClientRequest(LPARAM objectId);

// The answer to WM_GETOBJECT that hands object over.
LRESULT HandOver(IAccessible *object, WPARAM wParam);

// Cuts off every reader in another process that still holds object; a
// no-op while no reader has asked.
void Disconnect(IAccessible *object);

// The child that a VARIANT names: CHILDID_SELF (0), 1..count, or -1.
int ChildOf(VARIANT child, int count);

// Texts come in the program's code page, which LoadStringA converted
// them to; BSTRs are UTF-16. At most 255 bytes.
HRESULT ReturnText(const char *text, BSTR *out);
HRESULT ReturnNumber(LONG number, VARIANT *out);
HRESULT ReturnNothing(HRESULT result, VARIANT *out);
HRESULT ReturnWindowObject(HWND window, IDispatch **out);

// A rectangle in window's client coordinates, in screen coordinates.
HRESULT ReturnScreenRect(HWND window, RECT place, LONG *left, LONG *top, LONG *width, LONG *height);

// What the answers say once the window of an object has gone.
constexpr HRESULT GONE = CO_E_OBJNOTCONNECTED;

// The slots that every object shares, in vtable order. There is one
// object of each kind for the program's lifetime: nothing to count or
// free, and readers call the interface directly, never through IDispatch.
HRESULT STDMETHODCALLTYPE Object_QueryInterface(IAccessible *self, REFIID iid, void **object);
ULONG STDMETHODCALLTYPE Object_AddRef(IAccessible *);
ULONG STDMETHODCALLTYPE Object_Release(IAccessible *);
HRESULT STDMETHODCALLTYPE Object_GetTypeInfoCount(IAccessible *, UINT *count);
HRESULT STDMETHODCALLTYPE Object_GetTypeInfo(IAccessible *, UINT, LCID, ITypeInfo **info);
HRESULT STDMETHODCALLTYPE Object_GetIDsOfNames(IAccessible *, REFIID, LPOLESTR *, UINT, LCID,
                                               DISPID *);
HRESULT STDMETHODCALLTYPE Object_Invoke(IAccessible *, DISPID, REFIID, LCID, WORD, DISPPARAMS *,
                                        VARIANT *, EXCEPINFO *, UINT *);
HRESULT STDMETHODCALLTYPE Object_NoText(IAccessible *, VARIANT, BSTR *text);
HRESULT STDMETHODCALLTYPE Object_get_accHelpTopic(IAccessible *, BSTR *file, VARIANT, LONG *topic);
HRESULT STDMETHODCALLTYPE Object_get_accSelection(IAccessible *, VARIANT *selection);
HRESULT STDMETHODCALLTYPE Object_accSelect(IAccessible *, LONG, VARIANT);
HRESULT STDMETHODCALLTYPE Object_put_text(IAccessible *, VARIANT, BSTR);

#define SHARED_OBJECT_SLOTS                                                                        \
    .QueryInterface = Object_QueryInterface, .AddRef = Object_AddRef, .Release = Object_Release,   \
    .GetTypeInfoCount = Object_GetTypeInfoCount, .GetTypeInfo = Object_GetTypeInfo,                \
    .GetIDsOfNames = Object_GetIDsOfNames, .Invoke = Object_Invoke
