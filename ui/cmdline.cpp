#include "cmdline.h"

#include "engine/game.h"

#include <cstdlib>
#include <cstring>

std::int32_t ResetEnabled;

// The colour count looks only at the length, not at the first character:
// "a1" deals one colour. A letter reads as 0 and falls back to three.
void ParseCommandLine(const char *commandLine)
{
    std::size_t length = std::strlen(commandLine);
    if (length >= 1 && commandLine[0] == '-')
        ResetEnabled = 1;
    if (length == 2) {
        ColourCount = std::atoi(commandLine + 1);
        if (ColourCount < 1 || ColourCount > 3)
            ColourCount = 3;
    }
}
