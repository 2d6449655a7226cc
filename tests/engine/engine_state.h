// Puts the engine back to its start-up state between tests, and lets a
// test draw a board as text: one line per row from the top, one letter
// per column from the left. '.' is empty, B G R a blue, green or red
// ball, and b g r a marked (or, in HighlightText, highlighted) one. A
// drawing may give only the bottom rows and the left columns.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

typedef std::initializer_list<const char *> Drawing;

void ResetEngine();
std::string Text(Drawing rows); // the whole board, as BoardText shows it
void SetBoard(Drawing rows);
std::string BoardText();
std::string HighlightText();
bool NoHighlight();

struct EngineTest : ::testing::Test {
    void SetUp() override { ResetEngine(); }
};
