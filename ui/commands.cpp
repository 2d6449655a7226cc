#include "commands.h"

#include "engine/game.h"
#include "repaint.h"

// The windows that these commands open arrive with their dialogs; until
// then each command only takes the highlight off the board, as it will
// before its window opens. The preview numbers stay on the status line.
static void ClearBoardHighlight()
{
    ClearHighlight();
    RepaintNow();
}

void ShowHelp()
{
    ClearBoardHighlight();
}

void ShowAbout()
{
    ClearBoardHighlight();
}

void ShowHighScores()
{
    ClearBoardHighlight();
}

void ChooseLanguage()
{
    ClearBoardHighlight();
}
