// Shared by the store tests: the settings key in the test prefix's real
// registry, a watcher that drives modal dialogs and message boxes from
// inside their own message loops, and a fixture that starts every test
// from a known state.
#pragma once

#include "store/highscores.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The settings key, always in the 32-bit view like the program's.
void MakeEmptyKey();
void RemoveKey();
void LimitKey(const char *sddl); // replaces the key's permissions
bool KeyExists();
void StoreValue(const char *name, DWORD type, const void *data, DWORD size);
void StoreNumber(const char *name, std::int32_t number);
void StoreString(const char *name, const std::string &text); // REG_SZ, terminated

struct StoredValue {
    bool exists;
    DWORD type;
    std::string bytes;
};
StoredValue ReadStored(const char *name);

// What a test saw of a message box before closing it.
struct SeenBox {
    std::string text;
    std::string caption;
    HICON icon;
    HWND owner;
    bool bystanderDisabled; // a message box that is task-modal disables it
};

// Acts on the next dialog or message box this thread shows (called
// twice, on the one after that too), from inside
// its own modal loop, where sending to it is safe. Each step runs once the
// messages that the previous one posted have been handled; a step that
// finds the window gone fails the test. A window still open seconds after
// the last step, or one that opens with no steps waiting, fails the test
// and is closed.
using DialogStep = std::function<void(HWND)>;
void OnNextDialog(std::vector<DialogStep> steps);

// Closes the next message box, returning what it showed in *seen.
void CatchNextBox(SeenBox *seen);
int BoxesShown(); // message boxes and dialogs seen since the test began

// The player at the name dialog: typing goes straight to the field, keys
// go through the dialog's own loop as real ones would.
void Type(HWND dialog, const std::string &text);
void PressKey(HWND dialog, UINT key);
std::string FieldText(HWND dialog);
bool OkEnabled(HWND dialog);
void EnterNameWhenAsked(const std::string &name); // types it and presses Enter

// Real key strokes, as from the keyboard: they go wherever the focus is.
// Letters, blanks and "\r" for Enter.
void StrikeKeys(const char *keys);

// An ordinary top-level window of this thread that a task-modal message
// box must disable while it is up.
extern HWND Bystander;

class StoreTest : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;
};

// Fills the table in memory, best first; names may be up to 15 characters.
void SetTable(std::initializer_list<HighScoreEntry> entries);
std::string TableText(); // "Ann 500, Bob 400, ..." for readable failures
