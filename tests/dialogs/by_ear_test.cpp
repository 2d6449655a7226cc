// The high-score table and the About box as a screen reader reads them,
// through the objects that their dialogs hand out.
#include "../store/helpers.h"
#include "../ui/window_fixture.h"
#include "../ui/window_session.h"

#include "res/resource.h"
#include "store/settings.h"
#include "ui/about.h"
#include "ui/cmdline.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace
{

const GUID AccessibleIid = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

IAccessible *ClientObject(HWND window)
{
    IAccessible *object = nullptr;
    AccessibleObjectFromWindow(window, OBJID_CLIENT, AccessibleIid,
                               reinterpret_cast<void **>(&object));
    return object;
}

VARIANT Child(LONG id)
{
    VARIANT child;
    V_VT(&child) = VT_I4;
    V_I4(&child) = id;
    return child;
}

std::string Utf8(BSTR text)
{
    char utf8[200] = "";
    if (text)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    SysFreeString(text);
    return utf8;
}

// "role: name" of the object's child, as a reader speaks it.
std::string Spoken(IAccessible *object, VARIANT child)
{
    BSTR name = nullptr;
    VARIANT role;
    VariantInit(&role);
    object->get_accName(child, &name);
    object->get_accRole(child, &role);
    char text[50] = "";
    GetRoleTextA(V_I4(&role), text, sizeof text);
    return std::string(text) + ": " + Utf8(name);
}

// Every child in order, the way AccessibleChildren hands them to a reader.
std::vector<std::string> Children(IAccessible *object)
{
    LONG count = 0, got = 0;
    object->get_accChildCount(&count);
    std::vector<VARIANT> children(count);
    AccessibleChildren(object, 0, count, children.data(), &got);
    std::vector<std::string> spoken;
    for (VARIANT &child : children) {
        if (V_VT(&child) == VT_DISPATCH) { // a control: read as the reader goes on, inside it
            HWND control = nullptr;
            WindowFromAccessibleObject(reinterpret_cast<IAccessible *>(V_DISPATCH(&child)),
                                       &control);
            IAccessible *own = ClientObject(control);
            BSTR name = nullptr; // its role is Wine's or Windows' own
            if (own)
                own->get_accName(Child(CHILDID_SELF), &name);
            spoken.push_back("control: " + Utf8(name));
            if (own)
                own->Release();
        } else {
            spoken.push_back(Spoken(object, child));
        }
        VariantClear(&child);
    }
    return spoken;
}

using ByEar = WindowSessionTest;

TEST_F(ByEar, HighScoreTableReadsRowByRowThenItsButtonsAndFailsOnceClosed)
{
    SetTable({{"R&D", 421}, {"Bruno", 7}});
    SaveSettings();
    ResetEnabled = 1;
    IAccessible *table = nullptr;
    std::vector<std::string> heard, afterReset;
    std::string focus;
    OnNextDialog({[&](HWND dialog) {
                      table = ClientObject(dialog);
                      heard = Children(table);
                      VARIANT focused;
                      if (table->get_accFocus(&focused) == S_OK && V_VT(&focused) == VT_DISPATCH)
                          focus = "a control";
                      VariantClear(&focused);
                      SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
                  },
                  [&](HWND dialog) {
                      afterReset = Children(table);
                      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                  }});
    Send(WM_COMMAND, IDM_HIGHSCORES);
    ResetEnabled = 0;
    ASSERT_TRUE(table);
    EXPECT_EQ(heard, (std::vector<std::string>{
                         "static text: 1 - R&D, 421", "static text: 2 - Bruno, 7",
                         "static text: 3 - empty", "static text: 4 - empty",
                         "static text: 5 - empty", "control: OK", "control: Cancel"}));
    EXPECT_EQ(focus, "a control");
    ASSERT_EQ(afterReset.size(), 7u);
    EXPECT_EQ(afterReset[0], "static text: 1 - empty");
    BSTR name = nullptr;
    EXPECT_TRUE(FAILED(table->get_accName(Child(1), &name)));
    table->Release();
}

// The link's mail program is, while a test lives, a command of its own
// that notes the address it was given. Wine looks for it under the
// machine's classes only.
struct MailHandler {
    const char *key = "Software\\Classes\\mailto\\shell\\open\\command";
    char mark[MAX_PATH], saved[MAX_PATH * 2];
    LONG savedSize = sizeof saved;
    MailHandler()
    {
        GetTempPathA(MAX_PATH, mark);
        lstrcatA(mark, "glomb-mailto.txt");
        DeleteFileA(mark);
        RegQueryValueA(HKEY_LOCAL_MACHINE, key, saved, &savedSize);
        std::string command = "cmd.exe /c echo %1>\"" + std::string(mark) + "\"";
        RegSetValueA(HKEY_LOCAL_MACHINE, key, REG_SZ, command.c_str(), command.size());
    }
    ~MailHandler() { RegSetValueA(HKEY_LOCAL_MACHINE, key, REG_SZ, saved, lstrlenA(saved)); }
    std::string Called()
    {
        for (int i = 0; i < 100; ++i, Sleep(100)) {
            char text[100] = "";
            HANDLE file = CreateFileA(mark, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            DWORD got = 0;
            if (file != INVALID_HANDLE_VALUE && ReadFile(file, text, 99, &got, nullptr) && got) {
                CloseHandle(file);
                DeleteFileA(mark);
                return std::string(text, got).substr(0,
                                                     std::string(text, got).find_first_of(" \r\n"));
            }
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        }
        return "(nothing)";
    }
};

TEST_F(ByEar, AboutBoxReadsItsLinesAndItsLinkOpensAsAClickDoes)
{
    MailHandler mail;
    IAccessible *about = nullptr;
    std::vector<std::string> heard;
    std::string name, action;
    LONG before[4] = {}, after[4] = {};
    RECT link = {};
    HRESULT done = E_FAIL;
    bool pendingNotRun = false;
    OnNextDialog({[&](HWND box) {
        about = ClientObject(box);
        name = Spoken(about, Child(CHILDID_SELF));
        heard = Children(about);
        about->accLocation(&before[0], &before[1], &before[2], &before[3], Child(3));
        UpdateWindow(box);
        link = LinkRect;
        MapWindowPoints(box, nullptr, reinterpret_cast<POINT *>(&link), 2);
        about->accLocation(&after[0], &after[1], &after[2], &after[3], Child(3));
        BSTR text = nullptr;
        about->get_accDefaultAction(Child(3), &text);
        action = Utf8(text);
        done = about->accDoDefaultAction(Child(3));
        MSG msg;
        pendingNotRun = PeekMessageA(&msg, box, WM_APP, WM_APP, PM_NOREMOVE);
        PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    }});
    Send(WM_COMMAND, IDM_ABOUT);
    ASSERT_TRUE(about);
    EXPECT_EQ(name, "client: About Glomb");
    EXPECT_EQ(heard, (std::vector<std::string>{"static text: Program by", "static text: Glomb Team",
                                               "link: glomb@example.org"}));
    EXPECT_EQ(std::vector<LONG>(before, before + 4), std::vector<LONG>(after, after + 4))
        << "the link was placed otherwise before the first paint";
    EXPECT_EQ(after[0], link.left);
    EXPECT_EQ(after[1], link.top);
    EXPECT_EQ(after[2], link.right - link.left);
    EXPECT_EQ(action, "Open");
    EXPECT_EQ(done, S_OK);
    EXPECT_TRUE(pendingNotRun) << "the action ran inside the reader's call";
    EXPECT_EQ(mail.Called(), "mailto:glomb@example.org");
    about->Release();
}

} // namespace
