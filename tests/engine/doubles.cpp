#include "doubles.h"

#include "engine/move.h"
#include "store/highscores.h"
#include "ui/repaint.h"

std::string OutwardCalls;
int ScoreAtRecord;

void RepaintNow() { OutwardCalls += 'R'; }

void RecordFinalScore()
{
    OutwardCalls += 'H';
    ScoreAtRecord = Score;
}
