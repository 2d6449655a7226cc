// The high-score dialog, the help message, the About box and the language
// switch, opened through the main window's commands as a player would.
#include "../store/helpers.h"
#include "../ui/gdi_tracker.h"
#include "../ui/window_fixture.h"
#include "../ui/window_session.h"

#include "engine/game.h"
#include "engine/move.h"
#include "engine/random.h"
#include "res/resource.h"
#include "store/highscores.h"
#include "store/settings.h"
#include "ui/about.h"
#include "ui/cmdline.h"
#include "ui/language.h"
#include "ui/mainwnd.h"
#include "ui/scoresdlg.h"
#include "ui/wintools.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{

class DialogTest : public WindowSessionTest
{
  protected:
    void SetUp() override
    {
        WindowSessionTest::SetUp();
        ResetEnabled = 0;
    }
};

std::string Caption(HWND window)
{
    char text[80] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

int HighlightedCells()
{
    int n = 0;
    for (std::uint8_t h : HighlightMap)
        n += h;
    return n;
}

// ---- High scores ----

TEST_F(DialogTest, HighScoreCaptionFollowsTheLanguage)
{
    std::string seen[2];
    for (int language : {1, 0}) {
        Language = language;
        OnNextDialog({[&](HWND dialog) {
            seen[language] = Caption(dialog);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }});
        Send(WM_COMMAND, IDM_HIGHSCORES);
    }
    Language = 1;
    EXPECT_EQ(seen[1], "High scores");
    EXPECT_EQ(seen[0], "Record");
}

TEST_F(DialogTest, ResetButtonShowsOnlyWithTheSwitch)
{
    bool visible[2] = {true, false};
    for (int enabled : {0, 1}) {
        ResetEnabled = enabled;
        OnNextDialog({[&](HWND dialog) {
            visible[enabled] = IsWindowVisible(GetDlgItem(dialog, IDCANCEL));
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }});
        Send(WM_COMMAND, IDM_HIGHSCORES);
    }
    EXPECT_FALSE(visible[0]) << "the reset button shows without the command-line switch";
    EXPECT_TRUE(visible[1]) << "the command-line switch did not show the reset button";
}

TEST_F(DialogTest, ResetEmptiesTheTableAndTheRegistryAndStaysOpen)
{
    SetTable({{"Anna", 500}, {"Bruno", 400}});
    SaveSettings();
    ResetEnabled = 1;
    bool openAfterReset = false;
    OnNextDialog({[&](HWND dialog) { SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0); },
                  [&](HWND dialog) {
                      openAfterReset = IsWindowVisible(dialog);
                      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                  }});
    Send(WM_COMMAND, IDM_HIGHSCORES);
    EXPECT_TRUE(openAfterReset) << "the reset closed the dialog";
    EXPECT_EQ(TableText(), " 0,  0,  0,  0,  0");
    EXPECT_EQ(ReadStored("_1n").bytes, std::string(80, '\0'));
    EXPECT_EQ(ReadStored("_1s").bytes, std::string(4, '\0'));
}

// Escape and the close box send the reset button's id too; they only
// close the dialog.
TEST_F(DialogTest, CancelRequestsCloseWithoutReset)
{
    SetTable({{"Anna", 500}});
    SaveSettings();
    ResetEnabled = 1;
    OnNextDialog({[](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }});
    Send(WM_COMMAND, IDM_HIGHSCORES);
    OnNextDialog({[](HWND dialog) {
        SetForegroundWindow(dialog);
        keybd_event(VK_ESCAPE, 0, 0, 0);
        keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    }});
    Send(WM_COMMAND, IDM_HIGHSCORES);
    EXPECT_EQ(TableText(), "Anna 500,  0,  0,  0,  0");
}

TEST_F(DialogTest, RowsSpreadOutWithTheClientHeight)
{
    int tops[5];
    for (int k = 0; k < 5; ++k)
        tops[k] = ScoreRowTop(k, 279);
    EXPECT_EQ(std::vector<int>(tops, tops + 5), (std::vector<int>{5, 56, 107, 158, 209}));
    EXPECT_EQ(ScoreRowTop(4, 279) + 18, 227) << "the last row's bottom";
    EXPECT_EQ(ScoreRowTop(1, 144), 23) << "(144 - 145) / 4 truncates to 0";
}

TEST_F(DialogTest, RowsShowRankNameAndSignedScore)
{
    SetTable({{"Anna", 500}, {"Fifteen chars!!", -2147483647 - 1}});
    char left[20], right[20];
    FormatScoreRow(0, left, right);
    EXPECT_STREQ(left, "1 - Anna");
    EXPECT_STREQ(right, "500");
    FormatScoreRow(1, left, right);
    EXPECT_STREQ(left, "2 - Fifteen chars!!");
    EXPECT_STREQ(right, "-2147483648");
    FormatScoreRow(4, left, right);
    EXPECT_STREQ(left, "5 - ");
    EXPECT_STREQ(right, "0");
}

// How far the first row's rank and name reach, as painted, and as far as
// TEXT reaches drawn plainly in the table's font.
struct RowReach {
    int painted = 0;
    int plain = 0;
};

RowReach ReachOfFirstRow(HWND dialog, const char *text)
{
    RowReach reach;
    UpdateWindow(dialog);
    RECT client;
    GetClientRect(dialog, &client);
    HDC dc = GetDC(dialog);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int x = 10; x < client.right / 2 + 40; ++x) // short of the score
        for (int y = 5; y < 23; ++y)
            if (GetPixel(dc, x, y) != face)
                reach.painted = x + 1;
    HFONT font =
        CreateFontA(18, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0, 0, FF_ROMAN, NULL);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size;
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    reach.plain = 10 + size.cx;
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(dialog, dc);
    return reach;
}

// "&" would mark a mnemonic: "R&D&&" would show as "RD&", the D underlined.
TEST_F(DialogTest, NamesShowAsTypedAmpersandsAndAll)
{
    SetTable({{"R&D&&", 7}});
    SaveSettings();
    RowReach reach;
    OnNextDialog({[&](HWND dialog) {
        reach = ReachOfFirstRow(dialog, "1 - R&D&&");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }});
    Send(WM_COMMAND, IDM_HIGHSCORES);
    EXPECT_NEAR(reach.painted, reach.plain, 3) << "the name is not shown as it was typed";
}

// ---- Help ----

// The message of a message box is its longest static text.
BOOL CALLBACK KeepLongestText(HWND child, LPARAM lParam)
{
    std::string *longest = (std::string *)lParam;
    char text[1000] = "";
    GetWindowTextA(child, text, sizeof text);
    if (std::strlen(text) > longest->size())
        *longest = text;
    return TRUE;
}

TEST_F(DialogTest, HelpShowsTheRulesAndKeepsThePreviewNumbers)
{
    const char *rows[10] = {"BB.............", "...............", "...............",
                            "...............", "...............", "...............",
                            "...............", "...............", "...............",
                            "..............."};
    LoadBoard(rows);
    for (int language : {0, 1}) {
        Language = language;
        char rules[1000], title[80];
        LoadText(9, rules, sizeof rules);
        LoadText(10, title, sizeof title);
        Send(WM_MOUSEMOVE, 0, CellCentre(0, 0));
        ASSERT_EQ(HighlightedCells(), 2);
        int highlightWhileOpen = -1;
        std::string caption, text;
        HWND owner = nullptr;
        OnNextDialog({[&](HWND box) {
            highlightWhileOpen = HighlightedCells();
            caption = Caption(box);
            owner = GetWindow(box, GW_OWNER);
            EnumChildWindows(box, KeepLongestText, (LPARAM)&text);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }});
        Send(WM_COMMAND, IDM_HELP);
        EXPECT_EQ(highlightWhileOpen, 0) << "the highlight stayed while the help was open";
        EXPECT_EQ(caption, title);
        EXPECT_EQ(text, rules);
        EXPECT_EQ(owner, MainWindow);
        EXPECT_EQ(HighlightedCells(), 0);
        EXPECT_EQ(PreviewCount, 2) << "the status line keeps its numbers";
    }
}

// ---- About ----

TEST(AboutLayout, WorkedExample)
{
    AboutLayout at = LayOutAbout(300, 130, 40, 150);
    EXPECT_EQ(at.ball[0].x, 10);
    EXPECT_EQ(at.ball[0].y, 25);
    EXPECT_EQ(at.ball[1].x, 50);
    EXPECT_EQ(at.ball[1].y, 25);
    EXPECT_EQ(at.ball[2].x, 30);
    EXPECT_EQ(at.ball[2].y, 65);
    EXPECT_EQ(at.name.x, 120);
    EXPECT_EQ(at.name.y, 52);
    EXPECT_EQ(at.credit.x, 120);
    EXPECT_EQ(at.credit.y, 27);
    EXPECT_EQ(at.address.x, 120);
    EXPECT_EQ(at.address.y, 88);
}

TEST(AboutLayout, DivisionsTruncateTowardZero)
{
    // 300 - 80 - 30 - 197 = -7, and -7 / 2 is -3, not -4.
    EXPECT_EQ(LayOutAbout(300, 130, 40, 197).name.x, 97);
    EXPECT_EQ(LayOutAbout(300, 75, 40, 150).name.y, 25) << "(75 - 76) / 2 is 0";
}

COLORREF PixelOf(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

TEST_F(DialogTest, AboutBoxShowsBallsAndALinkThatKeepsItOpen)
{
    bool openAfterLinkClick = false, openAfterKeys = false, handOverLink = false;
    COLORREF corner = 0, blue = 0;
    RECT link = {};
    OnNextDialog(
        {[&](HWND box) {
             UpdateWindow(box); // the first paint measures the link
             link = LinkRect;
             RECT client;
             GetClientRect(box, &client);
             AboutLayout at = LayOutAbout(client.right, client.bottom, CellSize, 0);
             corner = PixelOf(box, client.right - 1, client.bottom - 1);
             blue = PixelOf(box, at.ball[0].x + CellSize / 2, at.ball[0].y + CellSize / 2);
             SendMessageA(box, WM_MOUSEMOVE, 0, MAKELPARAM(link.left + 1, link.top + 1));
             handOverLink = GetCursor() == LoadCursorA(Instance, MAKEINTRESOURCEA(IDC_LINK_HAND));
             SendMessageA(box, WM_KEYDOWN, VK_ESCAPE, 0);
             SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
             openAfterKeys = IsWindowVisible(box);
             SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(link.left + 1, link.top + 1));
         },
         [&](HWND box) {
             openAfterLinkClick = IsWindowVisible(box);
             SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
         }});
    Send(WM_COMMAND, IDM_ABOUT);
    EXPECT_GT(link.right, link.left) << "the link was not measured";
    EXPECT_GT(link.bottom, link.top);
    EXPECT_EQ(corner, RGB(0, 0, 0)) << "the box is not black";
    EXPECT_GT(GetBValue(blue), 2 * GetRValue(blue)) << "the first ball is not blue";
    EXPECT_TRUE(handOverLink) << "no hand over the link";
    EXPECT_TRUE(openAfterKeys) << "a key closed the About box";
    EXPECT_TRUE(openAfterLinkClick) << "a click on the link closed the About box";
}

// ---- Language ----

TEST_F(DialogTest, LanguageDialogChecksTheCurrentLanguage)
{
    UINT italian = 9, english = 9;
    OnNextDialog({[&](HWND dialog) {
        italian = IsDlgButtonChecked(dialog, IDC_ITALIAN);
        english = IsDlgButtonChecked(dialog, IDC_ENGLISH);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }});
    Send(WM_COMMAND, IDM_LANGUAGE);
    EXPECT_EQ(italian, (UINT)BST_UNCHECKED);
    EXPECT_EQ(english, (UINT)BST_CHECKED);
}

void PickItalian(HWND dialog)
{
    SendDlgItemMessageA(dialog, IDC_ITALIAN, BM_CLICK, 0, 0);
}

TEST_F(DialogTest, CancelOrOkWithoutChangeLeaveEverythingAlone)
{
    HWND window = MainWindow;
    OnNextDialog({PickItalian, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }});
    Send(WM_COMMAND, IDM_LANGUAGE);
    OnNextDialog({[](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); }});
    Send(WM_COMMAND, IDM_LANGUAGE);
    EXPECT_EQ(Language, 1);
    EXPECT_EQ(MainWindow, window);
    EXPECT_FALSE(ReadStored("Lang").exists) << "nothing should have been saved";
}

std::string FirstMenuTitle(HWND window)
{
    char title[40] = "";
    GetMenuStringA(GetMenu(window), 0, title, sizeof title, MF_BYPOSITION);
    return title;
}

TEST_F(DialogTest, SwitchRebuildsTheWindowAndKeepsTheGame)
{
    ColourCount = 3;
    SeedRandom(5);
    DealBoard();
    Send(WM_LBUTTONDOWN, 0, CellCentre(0, 9)); // whatever this does, it is kept
    Score = 77;
    UndoScore = 5;
    UndoAvailable = 1;
    PreviewCount = 4;
    PreviewScore = 4;
    std::int32_t board[BOARD_CELLS], undo[BOARD_CELLS];
    std::memcpy(board, Board, sizeof board);
    std::memcpy(undo, UndoBoard, sizeof undo);
    HWND old = MainWindow;

    OnNextDialog({PickItalian, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); }});
    Send(WM_COMMAND, IDM_LANGUAGE);

    EXPECT_EQ(Language, 0);
    EXPECT_FALSE(IsWindow(old)) << "the old window is still there";
    ASSERT_TRUE(IsWindow(MainWindow));
    EXPECT_EQ(FirstMenuTitle(MainWindow), "  &Partita  ");
    EXPECT_EQ(std::memcmp(board, Board, sizeof board), 0) << "the board changed";
    EXPECT_EQ(std::memcmp(undo, UndoBoard, sizeof undo), 0) << "the undo copy changed";
    EXPECT_EQ(Score, 77);
    EXPECT_EQ(UndoScore, 5);
    EXPECT_EQ(UndoAvailable, 1);
    EXPECT_EQ(PreviewCount, 4);
    EXPECT_EQ(PreviewScore, 4);
    StoredValue lang = ReadStored("Lang");
    EXPECT_EQ(lang.bytes, std::string(4, '\0')) << "Italian was not saved";
    EXPECT_TRUE(ReadStored("_5n").exists) << "the whole set is saved";
}

LRESULT CALLBACK RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        char className[16] = "";
        GetClassNameA((HWND)wParam, className, sizeof className);
        if (std::strcmp(className, APP_NAME) == 0)
            return 1; // the window is not made
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Were the new window not made, nothing could ever end the program: it
// quits instead.
TEST_F(DialogTest, SwitchThatCannotMakeTheWindowEndsTheProgram)
{
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseMainWindow, nullptr, GetCurrentThreadId());
    SwitchLanguage(0);
    UnhookWindowsHookEx(hook);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "no quit message after the window could not be made";
    EXPECT_FALSE(IsWindow(MainWindow));
    SwitchLanguage(1); // a window again for the tests that follow
    ASSERT_TRUE(IsWindow(MainWindow));
}

// Every language switch replaces the window's drawing surfaces; none of
// the replaced objects may survive.
TEST_F(DialogTest, HundredSwitchesLeaveOnlyTheLastWindowsObjects)
{
    StartTrackingGdi();
    for (int i = 0; i < 100; ++i)
        SwitchLanguage(1 - Language);
    EXPECT_EQ(LiveGdiObjects(), 7u) << "two DCs, two bitmaps, a brush, a pen and a font";
    StopTrackingGdi();
    EXPECT_EQ(Language, 1);
}

TEST_F(DialogTest, DialogsLeaveNoDrawingObjectBehind)
{
    StartTrackingGdi();
    for (int i = 0; i < 50; ++i) {
        OnNextDialog({[](HWND box) {
            UpdateWindow(box);
            SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        }});
        Send(WM_COMMAND, IDM_ABOUT);
        OnNextDialog({[](HWND dialog) {
            UpdateWindow(dialog);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }});
        Send(WM_COMMAND, IDM_HIGHSCORES);
    }
    EXPECT_EQ(LiveGdiObjects(), 0u);
    StopTrackingGdi();
}

} // namespace
