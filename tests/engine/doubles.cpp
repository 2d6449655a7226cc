#include "doubles.h"

#include "engine/game.h"
#include "engine/move.h"
#include "store/highscores.h"
#include "ui/repaint.h"

std::string OutwardCalls;
int ScoreAtRecord;
std::string ShownAtRepaint;

void RepaintNow()
{
    OutwardCalls += 'R';
    bool highlighted = false, marked = false;
    for (int i = 0; i < BOARD_CELLS; ++i) {
        highlighted |= HighlightMap[i] == 1;
        marked |= Board[i] < 0;
    }
    ShownAtRepaint =
        "score " + std::to_string(Score) + ", preview " + std::to_string(PreviewCount) + "/" +
        std::to_string(PreviewScore) + ", undo " + std::to_string(UndoAvailable) +
        (highlighted ? ", highlight" : ", no highlight") + (marked ? ", marks" : ", no marks");
}

void RecordFinalScore()
{
    OutwardCalls += 'H';
    ScoreAtRecord = Score;
}
