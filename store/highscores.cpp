#include "highscores.h"

#include "settings.h"
#include "engine/move.h"
#include "res/resource.h"
#include "ui/mainwnd.h"
#include "ui/namedlg.h"
#include "ui/wintools.h"

HighScoreEntry HighScoreTable[HIGH_SCORE_COUNT];
char PlayerName[NAME_SIZE];

// The first entry the score beats; an equal score goes below it. -1 when
// the score beats none.
static int FindRank(std::int32_t score)
{
    for (int k = 0; k < HIGH_SCORE_COUNT; k++) {
        if (score > HighScoreTable[k].score)
            return k;
    }
    return -1;
}

static void ShowFinalScore()
{
    char format[80];
    char message[256];
    LoadText(6, format, sizeof format);
    wsprintfA(message, format, Score);
    MessageBoxA(MainWindow, message, APP_NAME, MB_TASKMODAL | MB_ICONINFORMATION);
}

void RecordFinalScore()
{
    int rank = FindRank(Score);
    if (rank < 0) {
        ShowFinalScore();
        return;
    }
    DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_NAME), MainWindow, NameDlgProc, 0);
    for (int j = HIGH_SCORE_COUNT - 1; j > rank; j--)
        HighScoreTable[j] = HighScoreTable[j - 1];
    lstrcpynA(HighScoreTable[rank].name, PlayerName, NAME_SIZE);
    HighScoreTable[rank].score = Score;
    SaveSettings();
    LoadSettings(); // a missing key is reported there; the table in memory stands
}

void ResetHighScores()
{
    for (HighScoreEntry &entry : HighScoreTable) {
        entry.name[0] = '\0';
        entry.score = 0;
    }
    SaveSettings();
}
