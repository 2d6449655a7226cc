#include "engine/game.h"
#include "ui/cmdline.h"

#include <gtest/gtest.h>

namespace
{

struct Example {
    const char *commandLine;
    int reset;
    int colours;
};

// Each line starts from a fresh run: no reset button, three colours.
const Example Examples[] = {
    {"-2", 1, 2},  // reset button and two colours
    {"-1", 1, 1},  //
    {"-", 1, 3},   // reset button alone
    {"a1", 0, 1},  // the colour rule ignores the first character
    {"-9", 1, 3},  // out of range
    {"-0", 1, 3},  //
    {"-x", 1, 3},  // a letter reads as 0
    {"-10", 1, 3}, // three characters: no colour rule
    {"-2 ", 1, 3}, // a trailing blank belongs to the command line
    {"5", 0, 3},   // a digit alone changes nothing
    {"", 0, 3},    //
    {"x2y", 0, 3}, //
};

TEST(CommandLine, ResetButtonAndColourCountFollowTheArgument)
{
    for (const Example &e : Examples) {
        ResetEnabled = 0;
        ColourCount = 3;
        ParseCommandLine(e.commandLine);
        EXPECT_EQ(ResetEnabled, e.reset) << '"' << e.commandLine << '"';
        EXPECT_EQ(ColourCount, e.colours) << '"' << e.commandLine << '"';
    }
    ColourCount = 3;
}

} // namespace
