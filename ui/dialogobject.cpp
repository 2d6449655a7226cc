#include "dialogobject.h"

#include "wintools.h"

static DialogObject *Of(IAccessible *self)
{
    return reinterpret_cast<DialogObject *>(self);
}

// The n-th visible control, counting from 0, or null.
static HWND Control(HWND dialog, int n)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && n-- == 0)
            return child;
    }
    return nullptr;
}

static int ChildCount(const DialogObject *object)
{
    int n = 0;
    while (Control(object->dialog, n))
        ++n;
    return object->texts + n;
}

// The child that a VARIANT names, or -1; the dialog's being open first.
static int ChildOfDialog(const DialogObject *object, VARIANT child)
{
    return object->dialog ? ChildOf(child, ChildCount(object)) : -1;
}

static HRESULT Failure(const DialogObject *object)
{
    return object->dialog ? E_INVALIDARG : GONE;
}

// A text by number, a control by its object, in the form that a reader
// expects of a child that the answer names.
static HRESULT ReturnChild(const DialogObject *object, int id, VARIANT *out)
{
    if (id <= object->texts)
        return ReturnNumber(id, out);
    if (!out)
        return E_POINTER;
    V_VT(out) = VT_DISPATCH;
    HRESULT result =
        ReturnWindowObject(Control(object->dialog, id - object->texts - 1), &V_DISPATCH(out));
    if (FAILED(result))
        V_VT(out) = VT_EMPTY;
    return result;
}

static HRESULT STDMETHODCALLTYPE Dialog_get_accParent(IAccessible *self, IDispatch **parent)
{
    HWND dialog = Of(self)->dialog;
    return dialog ? ReturnWindowObject(dialog, parent) : GONE;
}

static HRESULT STDMETHODCALLTYPE Dialog_get_accChildCount(IAccessible *self, LONG *count)
{
    if (!count)
        return E_POINTER;
    *count = Of(self)->dialog ? ChildCount(Of(self)) : 0;
    return Of(self)->dialog ? S_OK : GONE;
}

static HRESULT STDMETHODCALLTYPE Dialog_get_accChild(IAccessible *self, VARIANT child,
                                                     IDispatch **out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    DialogObject *object = Of(self);
    int id = ChildOfDialog(object, child);
    if (id <= 0)
        return Failure(object);
    if (id <= object->texts)
        return S_FALSE;
    return ReturnWindowObject(Control(object->dialog, id - object->texts - 1), out);
}

// The texts are described afresh at every call: they follow the
// language and the table as they are now.
static int Describe(DialogObject *object, VARIANT child, DialogText *text)
{
    int id = ChildOfDialog(object, child);
    if (id > 0 && id <= object->texts)
        object->describe(object->dialog, id - 1, text);
    return id;
}

static HRESULT STDMETHODCALLTYPE Dialog_get_accName(IAccessible *self, VARIANT child, BSTR *name)
{
    if (!name)
        return E_POINTER;
    *name = nullptr;
    DialogText text;
    int id = Describe(Of(self), child, &text);
    if (id == CHILDID_SELF)
        GetWindowTextA(Of(self)->dialog, text.name, sizeof text.name);
    else if (id < 0 || id > Of(self)->texts)
        return Failure(Of(self));
    return ReturnText(text.name, name);
}

static HRESULT STDMETHODCALLTYPE Dialog_get_accRole(IAccessible *self, VARIANT child, VARIANT *role)
{
    DialogText text;
    int id = Describe(Of(self), child, &text);
    if (id == CHILDID_SELF)
        return ReturnNumber(ROLE_SYSTEM_CLIENT, role);
    if (id < 0 || id > Of(self)->texts)
        return ReturnNothing(Failure(Of(self)), role);
    return ReturnNumber(text.role, role);
}

static HRESULT STDMETHODCALLTYPE Dialog_get_accState(IAccessible *self, VARIANT child,
                                                     VARIANT *state)
{
    DialogText text;
    int id = Describe(Of(self), child, &text);
    if (id == CHILDID_SELF)
        return ReturnNumber(0, state);
    if (id < 0 || id > Of(self)->texts)
        return ReturnNothing(Failure(Of(self)), state);
    return ReturnNumber(text.action ? STATE_SYSTEM_LINKED : STATE_SYSTEM_READONLY, state);
}

static HRESULT STDMETHODCALLTYPE Dialog_get_accDefaultAction(IAccessible *self, VARIANT child,
                                                             BSTR *action)
{
    if (!action)
        return E_POINTER;
    *action = nullptr;
    DialogText text;
    int id = Describe(Of(self), child, &text);
    if (id < 0 || id > Of(self)->texts)
        return Failure(Of(self));
    if (id == CHILDID_SELF || !text.action)
        return DISP_E_MEMBERNOTFOUND;
    LoadText(text.action, text.name, sizeof text.name);
    return ReturnText(text.name, action);
}

static HRESULT STDMETHODCALLTYPE Dialog_accDoDefaultAction(IAccessible *self, VARIANT child)
{
    DialogText text;
    int id = Describe(Of(self), child, &text);
    if (id < 0 || id > Of(self)->texts)
        return Failure(Of(self));
    if (id == CHILDID_SELF || !text.action)
        return DISP_E_MEMBERNOTFOUND;
    Of(self)->act(Of(self)->dialog, id - 1);
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE Dialog_get_accFocus(IAccessible *self, VARIANT *focus)
{
    DialogObject *object = Of(self);
    HWND focused = GetFocus();
    if (!object->dialog)
        return ReturnNothing(GONE, focus);
    if (focused == object->dialog)
        return ReturnNumber(CHILDID_SELF, focus);
    for (int n = 0; HWND control = Control(object->dialog, n); ++n) {
        if (control == focused)
            return ReturnChild(object, object->texts + n + 1, focus);
    }
    return ReturnNothing(S_FALSE, focus);
}

static HRESULT STDMETHODCALLTYPE Dialog_accLocation(IAccessible *self, LONG *left, LONG *top,
                                                    LONG *width, LONG *height, VARIANT child)
{
    DialogText text;
    int id = Describe(Of(self), child, &text);
    if (id == CHILDID_SELF && !GetClientRect(Of(self)->dialog, &text.place))
        return GONE;
    if (id < 0 || id > Of(self)->texts)
        return Failure(Of(self));
    return ReturnScreenRect(Of(self)->dialog, text.place, left, top, width, height);
}

// In id order, the texts and then the controls, as the children are
// listed; and from the dialog its first and last child.
static HRESULT STDMETHODCALLTYPE Dialog_accNavigate(IAccessible *self, LONG direction,
                                                    VARIANT start, VARIANT *end)
{
    DialogObject *object = Of(self);
    int id = ChildOfDialog(object, start), count = id < 0 ? 0 : ChildCount(object);
    if (id < 0)
        return ReturnNothing(Failure(object), end);
    int to = 0;
    if (id == CHILDID_SELF)
        to = direction == NAVDIR_FIRSTCHILD ? 1 : direction == NAVDIR_LASTCHILD ? count : 0;
    else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)
        to = id + 1;
    else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)
        to = id - 1;
    if (to < 1 || to > count)
        return ReturnNothing(S_FALSE, end);
    return ReturnChild(object, to, end);
}

static HRESULT STDMETHODCALLTYPE Dialog_accHitTest(IAccessible *self, LONG x, LONG y,
                                                   VARIANT *child)
{
    DialogObject *object = Of(self);
    POINT at = {x, y};
    RECT client;
    if (!object->dialog || !ScreenToClient(object->dialog, &at) ||
        !GetClientRect(object->dialog, &client))
        return ReturnNothing(GONE, child);
    if (!PtInRect(&client, at))
        return ReturnNothing(S_FALSE, child);
    HWND under = ChildWindowFromPointEx(object->dialog, at, CWP_SKIPINVISIBLE);
    for (int n = 0; HWND control = Control(object->dialog, n); ++n) {
        if (control == under)
            return ReturnChild(object, object->texts + n + 1, child);
    }
    for (int k = 0; k < object->texts; ++k) {
        DialogText text;
        object->describe(object->dialog, k, &text);
        if (PtInRect(&text.place, at))
            return ReturnNumber(k + 1, child);
    }
    return ReturnNumber(CHILDID_SELF, child);
}

const IAccessibleVtbl DialogObjectVtbl = {
    SHARED_OBJECT_SLOTS,
    .get_accParent = Dialog_get_accParent,
    .get_accChildCount = Dialog_get_accChildCount,
    .get_accChild = Dialog_get_accChild,
    .get_accName = Dialog_get_accName,
    .get_accValue = Object_NoText,
    .get_accDescription = Object_NoText,
    .get_accRole = Dialog_get_accRole,
    .get_accState = Dialog_get_accState,
    .get_accHelp = Object_NoText,
    .get_accHelpTopic = Object_get_accHelpTopic,
    .get_accKeyboardShortcut = Object_NoText,
    .get_accFocus = Dialog_get_accFocus,
    .get_accSelection = Object_get_accSelection,
    .get_accDefaultAction = Dialog_get_accDefaultAction,
    .accSelect = Object_accSelect,
    .accLocation = Dialog_accLocation,
    .accNavigate = Dialog_accNavigate,
    .accHitTest = Dialog_accHitTest,
    .accDoDefaultAction = Dialog_accDoDefaultAction,
    .put_accName = Object_put_text,
    .put_accValue = Object_put_text,
};

INT_PTR AnswerDialogGetObject(DialogObject *object, HWND dialog, WPARAM wParam, LPARAM lParam)
{
    if (!IsClientRequest(lParam) || !LoadOle())
        return 0;
    object->dialog = dialog;
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, HandOver(&object->object, wParam));
    return 1;
}

void CloseDialogObject(DialogObject *object)
{
    object->dialog = nullptr;
    Disconnect(&object->object);
}

void AnnounceDialogTexts(const DialogObject *object, HWND dialog)
{
    for (int k = 1; k <= object->texts; ++k)
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, dialog, OBJID_CLIENT, k);
}
