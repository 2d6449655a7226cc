// The command line: a leading "-" offers the reset button of the
// high-score dialog, a two-character argument sets the number of colours.
#pragma once

#include <cstdint>

extern std::int32_t ResetEnabled; // 1: the high-score dialog shows its reset button

// The text after the program's name and the blanks that follow it, from a
// whole command line as the process got it (a quoted name may hold blanks).
const char *SkipProgramName(const char *commandLine);

// Sets ResetEnabled and ColourCount from the text after the program's
// name; anything it does not recognise leaves both alone.
void ParseCommandLine(const char *commandLine);
