#include "readout.h"

#include "engine/board.h"
#include "keycursor.h"
#include "mainwnd.h"
#include "paint.h"
#include "wintools.h"

// The reader's texts follow the status line's ten.
static const int BOARD_NAME = 11;
static const int CELL_NAME = 12;
static const int EMPTY_CELL = 13; // + the cell's value for its colour
static const int GROUP = 17;
static const int GROUP_OF_THREE = 18;
static const int LONE_BALL = 19;
static const int BALLS_LEFT = 20; // + 1 for one ball
static const int GROUPS = 22;     // + 1 for one group

void FormatBoardName(char *text)
{
    LoadText(BOARD_NAME, text, 80);
}

// The status line read in the order it is painted, left to right.
void FormatBoardValue(char *text)
{
    char parts[STATUS_PARTS][80];
    for (int part = 0; part < STATUS_PARTS; ++part)
        FormatStatusText(part, parts[part]);
    wsprintfA(text, "%s, %s, %s", parts[0], parts[1], parts[2]);
}

// Each count in its own words, so that one ball or group is singular.
static void FormatCount(int text, int n, char *out)
{
    char format[80];
    LoadText(text + (n == 1), format, sizeof format);
    wsprintfA(out, format, n);
}

void FormatBoardDescription(char *text)
{
    int balls = 0;
    for (int v : Board)
        balls += v != 0;
    char left[80], groups[80];
    FormatCount(BALLS_LEFT, balls, left);
    FormatCount(GROUPS, CountGroups(), groups);
    wsprintfA(text, "%s, %s", left, groups);
}

// The colour first, so that a player moving the frame hears what
// changes before where it is. Rows count from the bottom, where the
// balls settle, as columns count from the left, where they close up.
void FormatCellName(int index, char *text)
{
    char format[80], contents[80];
    LoadText(CELL_NAME, format, sizeof format);
    LoadText(EMPTY_CELL + Board[index], contents, sizeof contents);
    wsprintfA(text, format, contents, IndexCol(index) + 1, BOARD_ROWS - IndexRow(index));
}

int FormatCellValue(int index, char *text)
{
    int n = CountGroup(CellOfIndex(index));
    if (n == 0)
        return 0;
    char format[80];
    LoadText(n == 1 ? LONE_BALL : n == 3 ? GROUP_OF_THREE : GROUP, format, sizeof format);
    wsprintfA(text, format, n, (n - 2) * (n - 2));
    return 1;
}

static int FrameChild()
{
    return CellChild(IndexOfCell(KeyCursorCell));
}

int FocusedChild()
{
    if (GetFocus() != MainWindow)
        return -1;
    return KeyCursorShown ? FrameChild() : CHILDID_SELF;
}

void AnnounceFrame()
{
    if (KeyCursorShown)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, MainWindow, OBJID_CLIENT, FrameChild());
}

void AnnounceBoardFocus()
{
    NotifyWinEvent(EVENT_OBJECT_FOCUS, MainWindow, OBJID_CLIENT, CHILDID_SELF);
}

// The value first: a reader speaks the cell that then takes the focus
// with its new group.
void AnnounceBoardChange()
{
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, MainWindow, OBJID_CLIENT, CHILDID_SELF);
    AnnounceFrame();
}
