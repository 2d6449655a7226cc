// Stand-ins for the painter and the high-score table, so the rules can
// be run alone. Each records its calls in order.
#pragma once

#include <string>

extern std::string OutwardCalls; // "R" per RepaintNow, "H" per RecordFinalScore
extern int ScoreAtRecord;        // Score as RecordFinalScore saw it

// What the last repaint would have shown: "score 11, preview 3/1, undo 0,
// no highlight, no marks".
extern std::string ShownAtRepaint;
