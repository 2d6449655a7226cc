// Reads the game from a process of its own, the way a screen reader does:
//
//   screen_reader listen SECONDS
//                         prints "listening", then a line for each focus
//                         or value-change event of the game's board, read
//                         through AccessibleObjectFromEvent, for SECONDS
//   screen_reader focus   a line for the child that the board's accFocus
//                         names
//   screen_reader read TITLE
//                         a line for the client object of the window
//                         captioned TITLE, then one for each child that
//                         AccessibleChildren finds; a control's line is
//                         read from the control's own client object
//
// Each line, tab-separated: the event (focus or value), the child id, its
// role, name, value and state as the system words them, and its screen
// rectangle: left top width height; read adds the description and the
// default action. Texts are in UTF-8. Exits with 1 while there is no
// such window.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>

// mingw's IID_IAccessible resolves to an import thunk, not the GUID.
static const GUID AccessibleIid = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

static void PrintText(BSTR text)
{
    // A text too long for the buffer leaves it undefined: print none.
    char utf8[1000] = "";
    if (text && !WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr))
        utf8[0] = '\0';
    std::printf("\t%s", utf8);
    SysFreeString(text);
}

static void PrintChild(const char *event, IAccessible *object, VARIANT child, bool more = false)
{
    BSTR name = nullptr, value = nullptr;
    VARIANT role = {}, state = {}; // VT_EMPTY and 0 where a call fails
    LONG x = 0, y = 0, w = 0, h = 0;
    object->get_accName(child, &name);
    object->get_accValue(child, &value);
    object->get_accRole(child, &role);
    object->get_accState(child, &state);
    object->accLocation(&x, &y, &w, &h, child);
    char text[100] = "";
    GetRoleTextA(V_I4(&role), text, sizeof text);
    std::printf("%s\t%ld\t%s", event, V_I4(&child), text);
    PrintText(name);
    PrintText(value);
    const char *comma = ""; // the state's bits, lowest first
    std::printf("\t");
    for (DWORD bit = 1; bit; bit <<= 1) {
        if ((V_I4(&state) & bit) && GetStateTextA(bit, text, sizeof text)) {
            std::printf("%s%s", comma, text);
            comma = ",";
        }
    }
    std::printf("\t%ld %ld %ld %ld", x, y, w, h);
    if (more) {
        BSTR description = nullptr, action = nullptr;
        object->get_accDescription(child, &description);
        object->get_accDefaultAction(child, &action);
        PrintText(description);
        PrintText(action);
    }
    std::printf("\n");
    std::fflush(stdout);
}

// Reading an event calls into the game, and a call out pumps messages:
// the next event would be read inside this one and printed first. So the
// hook only notes each event, and the loop reads them in order.
static struct {
    DWORD event;
    HWND hwnd;
    LONG childId;
} Heard[200];
static int HeardCount;

static void CALLBACK NoteEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG objectId, LONG childId,
                               DWORD, DWORD)
{
    char className[32] = "";
    GetClassNameA(hwnd, className, sizeof className);
    if (objectId != OBJID_CLIENT || lstrcmpA(className, "Glomb") != 0 || HeardCount == 200)
        return;
    if (event == EVENT_OBJECT_FOCUS || event == EVENT_OBJECT_VALUECHANGE) {
        Heard[HeardCount++] = {event, hwnd, childId};
        // The hook runs inside GetMessage, which returns only for a message.
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    }
}

static void ReadEvent(int n)
{
    IAccessible *object = nullptr;
    VARIANT child;
    const char *name = Heard[n].event == EVENT_OBJECT_FOCUS ? "focus" : "value";
    if (AccessibleObjectFromEvent(Heard[n].hwnd, OBJID_CLIENT, Heard[n].childId, &object, &child) !=
        S_OK) {
        std::printf("%s\t%ld\tunreadable\n", name, Heard[n].childId);
        std::fflush(stdout);
        return;
    }
    PrintChild(name, object, child);
    object->Release();
}

static int Listen(HWND game, int seconds)
{
    DWORD process = 0;
    GetWindowThreadProcessId(game, &process);
    if (!SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, NoteEvent, process,
                         0, WINEVENT_OUTOFCONTEXT))
        return 2;
    std::puts("listening");
    std::fflush(stdout);
    SetTimer(nullptr, 0, seconds * 1000, nullptr);
    MSG msg;
    int read = 0;
    while (GetMessageA(&msg, nullptr, 0, 0) && msg.message != WM_TIMER) {
        DispatchMessageA(&msg);
        while (read < HeardCount)
            ReadEvent(read++);
    }
    return 0;
}

static int ReadFocus(HWND game)
{
    IAccessible *board = nullptr;
    VARIANT focus;
    VariantInit(&focus);
    if (AccessibleObjectFromWindow(game, OBJID_CLIENT, AccessibleIid,
                                   reinterpret_cast<void **>(&board)) != S_OK)
        return 2;
    if (board->get_accFocus(&focus) == S_OK && V_VT(&focus) == VT_I4)
        PrintChild("focus", board, focus);
    board->Release();
    return 0;
}

static VARIANT Self()
{
    VARIANT self;
    V_VT(&self) = VT_I4;
    V_I4(&self) = CHILDID_SELF;
    return self;
}

static int ReadAll(HWND window)
{
    IAccessible *object = nullptr;
    if (AccessibleObjectFromWindow(window, OBJID_CLIENT, AccessibleIid,
                                   reinterpret_cast<void **>(&object)) != S_OK)
        return 2;
    PrintChild("self", object, Self(), true);
    LONG count = 0, got = 0;
    VARIANT children[200];
    object->get_accChildCount(&count);
    AccessibleChildren(object, 0, count < 200 ? count : 200, children, &got);
    for (LONG i = 0; i < got; ++i) {
        if (V_VT(&children[i]) != VT_DISPATCH) {
            PrintChild("child", object, children[i], true);
            continue;
        }
        HWND control = nullptr;
        IAccessible *own = nullptr;
        WindowFromAccessibleObject(reinterpret_cast<IAccessible *>(V_DISPATCH(&children[i])),
                                   &control);
        if (AccessibleObjectFromWindow(control, OBJID_CLIENT, AccessibleIid,
                                       reinterpret_cast<void **>(&own)) == S_OK) {
            PrintChild("control", own, Self(), true);
            own->Release();
        }
        VariantClear(&children[i]);
    }
    object->Release();
    return 0;
}

int main(int argc, char **argv)
{
    bool read = argc > 2 && lstrcmpA(argv[1], "read") == 0;
    HWND game = read ? FindWindowA(nullptr, argv[2]) : FindWindowA("Glomb", nullptr);
    if (!game)
        return 1;
    CoInitialize(nullptr);
    int result = read                                           ? ReadAll(game)
                 : argc > 2 && lstrcmpA(argv[1], "listen") == 0 ? Listen(game, std::atoi(argv[2]))
                                                                : ReadFocus(game);
    CoUninitialize();
    return result;
}
