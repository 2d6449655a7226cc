// What a screen reader hears of the board: the texts it reads for the
// board and for each cell, and the events that tell it to read them.
#pragma once

// The cells are the board's children, child id CellIndex + 1: child 0
// is the board itself.
constexpr int CellChild(int index)
{
    return index + 1;
}
constexpr int ChildCell(int child)
{
    return child - 1;
}

// Texts of at most 80 bytes, but the board's value, which is the whole
// status line: BOARD_VALUE_SIZE.
constexpr int BOARD_VALUE_SIZE = 256;
void FormatBoardName(char *text);
void FormatBoardValue(char *text);
void FormatBoardDescription(char *text); // the balls left and the groups among them
void FormatCellName(int index, char *text);
int FormatCellValue(int index, char *text); // 0 for an empty cell, which has no value

// The child with the keyboard focus: the frame's cell while the frame
// shows, else the board (CHILDID_SELF); -1 while the focus is in
// another window, a dialog say.
int FocusedChild();

// The frame has appeared or moved, or what lies under it has changed.
void AnnounceFrame();

// The pointer has taken the board from the frame.
void AnnounceBoardFocus();

// A move, Undo or New changed the board, the score and the status line.
void AnnounceBoardChange();
