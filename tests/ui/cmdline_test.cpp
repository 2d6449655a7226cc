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

    // "é1" and "é-2": a byte above 0x7F is a character like any other.
    {"\3511", 0, 1},
    {"\351-2", 0, 3},
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

struct WholeLine {
    const char *commandLine; // as the process got it
    const char *text;        // what the program reads from it
};

const WholeLine WholeLines[] = {
    {"glomb.exe -2", "-2"},
    {"\"C:\\Spiele & Co\\Gl\366mb\\glomb.exe\" \t -2 ", "-2 "}, // blanks in quotes
    {"glomb \3511", "\3511"},                                   // é1
    {"\"glomb.exe\"-", "-"},                                    // no blank needed
    {"glomb.exe   ", ""},
    {"\"glomb.exe", ""},
};

TEST(CommandLine, TheTextStartsAfterTheProgramNameAndItsBlanks)
{
    for (const WholeLine &line : WholeLines)
        EXPECT_STREQ(SkipProgramName(line.commandLine), line.text) << line.commandLine;
}

} // namespace
