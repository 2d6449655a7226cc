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

static void InsertEntry(int rank)
{
    for (int j = HIGH_SCORE_COUNT - 1; j > rank; j--)
        HighScoreTable[j] = HighScoreTable[j - 1];
    lstrcpynA(HighScoreTable[rank].name, PlayerName, NAME_SIZE);
    HighScoreTable[rank].score = Score;
}

// Other games on the machine may record scores, or empty the table, at
// any moment, the name dialog's included: the rank is found against the
// table as stored just before the entry is written.
void RecordFinalScore()
{
    ReloadHighScores();
    if (FindRank(Score) < 0) {
        ShowFinalScore();
        return;
    }
    DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_NAME), MainWindow, NameDlgProc, 0);
    ReloadHighScores();
    int rank = FindRank(Score);
    if (rank < 0) {
        ShowFinalScore(); // the others' new records left no room
        return;
    }
    InsertEntry(rank);
    SaveHighScores();
    if (!ReloadHighScores())
        ShowInstallationMessage(); // the entry stands in memory for this run
}

void ResetHighScores()
{
    for (HighScoreEntry &entry : HighScoreTable) {
        entry.name[0] = '\0';
        entry.score = 0;
    }
    SaveHighScores();
}
