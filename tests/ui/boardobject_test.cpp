// The board's object as a client inside the game's own process holds it:
// a hook, an injected helper, or this test.
#include "window_fixture.h"

#include "res/resource.h"
#include "ui/mainwnd.h"
#include "ui/wintools.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

namespace
{

const GUID AccessibleIid = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

IAccessible *BoardObject()
{
    IAccessible *board = nullptr;
    AccessibleObjectFromWindow(MainWindow, OBJID_CLIENT, AccessibleIid,
                               reinterpret_cast<void **>(&board));
    return board;
}

VARIANT Child(LONG id)
{
    VARIANT child;
    V_VT(&child) = VT_I4;
    V_I4(&child) = id;
    return child;
}

std::string Description(IAccessible *board)
{
    BSTR text = nullptr;
    if (board->get_accDescription(Child(CHILDID_SELF), &text) != S_OK)
        return "(failed)";
    char utf8[100] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    SysFreeString(text);
    return utf8;
}

const char *const Empty = "...............";

TEST(BoardObject, DescriptionCountsBallsAndGroupsInSingularToo)
{
    EnsureMainWindow();
    IAccessible *board = BoardObject();
    ASSERT_TRUE(board);
    const char *const twoGroups[10] = {Empty,
                                       Empty,
                                       Empty,
                                       Empty,
                                       Empty,
                                       Empty,
                                       Empty,
                                       Empty,
                                       "RR.............",
                                       "GBBB..........."};
    LoadBoard(twoGroups);
    EXPECT_EQ(Description(board), "6 glombs left, 2 groups");
    const char *const oneGroup[10] = {Empty, Empty, Empty, Empty, Empty,
                                      Empty, Empty, Empty, Empty, "BBG............"};
    LoadBoard(oneGroup);
    EXPECT_EQ(Description(board), "3 glombs left, 1 group");
    const char *const oneBall[10] = {Empty, Empty, Empty, Empty, Empty,
                                     Empty, Empty, Empty, Empty, "G.............."};
    LoadBoard(oneBall);
    EXPECT_EQ(Description(board), "1 glomb left, 0 groups");
    board->Release();
}

TEST(BoardObject, NullOutPointersAreRefusedNotWrittenThrough)
{
    EnsureMainWindow();
    IAccessible *board = BoardObject();
    ASSERT_TRUE(board);
    VARIANT self = Child(CHILDID_SELF), cell = Child(1);
    LONG n;
    EXPECT_EQ(board->QueryInterface(AccessibleIid, nullptr), E_POINTER);
    EXPECT_EQ(board->get_accParent(nullptr), E_POINTER);
    EXPECT_EQ(board->get_accChildCount(nullptr), E_POINTER);
    EXPECT_EQ(board->get_accChild(cell, nullptr), E_POINTER);
    EXPECT_EQ(board->get_accName(cell, nullptr), E_POINTER);
    EXPECT_EQ(board->get_accValue(self, nullptr), E_POINTER);
    EXPECT_EQ(board->get_accDescription(self, nullptr), E_POINTER);
    EXPECT_EQ(board->get_accRole(cell, nullptr), E_POINTER);
    EXPECT_EQ(board->get_accState(cell, nullptr), E_POINTER);
    EXPECT_EQ(board->get_accHelp(self, nullptr), E_POINTER);
    EXPECT_EQ(board->get_accHelpTopic(nullptr, self, &n), E_POINTER);
    EXPECT_EQ(board->get_accFocus(nullptr), E_POINTER);
    EXPECT_EQ(board->get_accSelection(nullptr), E_POINTER);
    EXPECT_EQ(board->get_accDefaultAction(self, nullptr), E_POINTER);
    EXPECT_EQ(board->accLocation(&n, &n, nullptr, &n, cell), E_POINTER);
    EXPECT_EQ(board->accNavigate(NAVDIR_NEXT, cell, nullptr), E_POINTER);
    EXPECT_EQ(board->accHitTest(0, 0, nullptr), E_POINTER);
    board->Release();
}

// A language switch shows the same board in a new window; Exit ends it.
TEST(BoardObject, AnswersAcrossALanguageSwitchAndFailsOnceTheGameHasClosed)
{
    EnsureMainWindow();
    IAccessible *board = BoardObject();
    ASSERT_TRUE(board);
    VARIANT self = Child(CHILDID_SELF);
    BSTR name = nullptr;
    Recreating = 1; // as the switch does it
    DestroyWindow(MainWindow);
    UnregisterClassA(APP_NAME, Instance);
    Recreating = 0;
    ASSERT_EQ(CreateMainWindow(), 1);
    EXPECT_EQ(board->get_accName(self, &name), S_OK);
    SysFreeString(name);

    Send(WM_COMMAND, IDM_EXIT);
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    LONG x, y, w, h;
    VARIANT role;
    EXPECT_TRUE(FAILED(board->get_accName(self, &name)));
    EXPECT_TRUE(FAILED(board->accLocation(&x, &y, &w, &h, self)));
    EXPECT_TRUE(FAILED(board->get_accRole(self, &role)));
    board->Release();
    EnsureMainWindow();
}

} // namespace
