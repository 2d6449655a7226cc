#include "cmdline.h"

#include "engine/game.h"

#include <cstdlib>
#include <cstring>

std::int32_t ResetEnabled;

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Every byte that is not a blank belongs to the text, 0x80 and above
// included: "\xE9" "1" deals one colour.
const char *SkipProgramName(const char *commandLine)
{
    const char *text = commandLine;
    if (*text == '"') {
        do
            ++text;
        while (*text != '\0' && *text != '"');
        if (*text == '"')
            ++text;
    } else {
        while (*text != '\0' && !IsBlank(*text))
            ++text;
    }
    while (IsBlank(*text))
        ++text;
    return text;
}

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
