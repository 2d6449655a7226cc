#include "window_fixture.h"

#include "engine/game.h"
#include "ui/readout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{

std::string Name(int col, int row)
{
    char text[80];
    FormatCellName(CellIndex(col, row), text);
    return text;
}

std::string Value(int col, int row)
{
    char text[80];
    return FormatCellValue(CellIndex(col, row), text) ? text : "(none)";
}

// A reader asks about any cell while the player looks at the highlight.
TEST(Readout, CellsTellTheirGroupAndLeaveTheHighlightShown)
{
    const char *const position[10] = {"...............", "...............", "...............",
                                      "...............", "...............", "...............",
                                      "...............", "...............", "RR.............",
                                      "GBBB..........."};
    EnsureMainWindow();
    LoadBoard(position);
    UpdatePreview(PackCell(1, 8));
    std::uint8_t shown[BOARD_CELLS];
    std::memcpy(shown, HighlightMap, sizeof shown);

    EXPECT_EQ(Name(2, 9), "Blue, column 3, row 1");
    EXPECT_EQ(Value(2, 9), "group of 3, 1 point");
    EXPECT_EQ(Value(0, 8), "group of 2, 0 points");
    EXPECT_EQ(Value(0, 9), "alone");
    EXPECT_EQ(Name(14, 0), "Empty cell, column 15, row 10");
    EXPECT_EQ(Value(14, 0), "(none)");
    EXPECT_EQ(std::memcmp(shown, HighlightMap, sizeof shown), 0) << "reading moved the highlight";
    for (int i = 0; i < BOARD_CELLS; ++i)
        ASSERT_GE(Board[i], 0) << "reading left cell " << i << " marked";
}

} // namespace
