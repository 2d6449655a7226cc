// The name dialog as the player meets it: its opening state, OK that
// follows the field, keys that cannot leave it, and a long name.
#include "helpers.h"

#include "engine/move.h"
#include "res/resource.h"
#include "store/settings.h"
#include "ui/mainwnd.h"

#include <cstring>

class NameDialog : public StoreTest
{
  protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        MainWindow = Bystander;
        Score = 10; // enters the empty table
    }
};

static std::string PromptText(HWND dialog)
{
    char text[80] = "";
    GetDlgItemTextA(dialog, IDC_NAME_PROMPT, text, sizeof text);
    return text;
}

TEST_F(NameDialog, FirstEntryStartsEmptyWithOkDisabled)
{
    OnNextDialog({
        [](HWND dialog) {
            char caption[20] = "";
            GetWindowTextA(dialog, caption, sizeof caption);
            EXPECT_STREQ(caption, "Glomb");
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), Bystander);
            EXPECT_EQ(PromptText(dialog), "Insert your name!");
            EXPECT_EQ(FieldText(dialog), "");
            EXPECT_FALSE(OkEnabled(dialog));

            Type(dialog, "A");
            EXPECT_TRUE(OkEnabled(dialog)) << "one character is a name";
            EXPECT_STREQ(PlayerName, "A");
            Type(dialog, "\b");
            EXPECT_FALSE(OkEnabled(dialog)) << "an empty field cannot be confirmed";
            EXPECT_STREQ(PlayerName, "");
            PressKey(dialog, VK_RETURN);
        },
        [](HWND dialog) {
            EXPECT_STREQ(PlayerName, "") << "Enter does nothing while the field is empty";
            Type(dialog, "Bo");
            PressKey(dialog, VK_RETURN);
        },
    });
    RecordFinalScore();
    EXPECT_STREQ(HighScoreTable[0].name, "Bo");
}

TEST_F(NameDialog, EscapeLeavesNameDialogOpen)
{
    OnNextDialog({
        [](HWND dialog) {
            Type(dialog, "Ann");
            PressKey(dialog, VK_ESCAPE);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            PostMessageA(dialog, WM_COMMAND, 1234, 0);
        },
        [](HWND dialog) {
            EXPECT_EQ(FieldText(dialog), "Ann");
            Type(dialog, "e");
            PressKey(dialog, VK_RETURN);
        },
    });
    RecordFinalScore();
    EXPECT_STREQ(HighScoreTable[0].name, "Anne");
}

TEST_F(NameDialog, TwentyCharacterNameIsStoredAsItsFirst15)
{
    Language = 0;
    StoreNumber("Lang", 0);
    OnNextDialog({[](HWND dialog) {
        EXPECT_EQ(PromptText(dialog), "Complimenti, inserisci il tuo nome!");
        Type(dialog, "ABCDEFGHIJKLMNOPQRST");
        EXPECT_EQ(FieldText(dialog), "ABCDEFGHIJKLMNOPQRST") << "the field sets no limit";
        EXPECT_STREQ(PlayerName, "ABCDEFGHIJKLMNO");
        PressKey(dialog, VK_RETURN);
    }});
    RecordFinalScore();
    EXPECT_STREQ(HighScoreTable[0].name, "ABCDEFGHIJKLMNO");
    SetTable({});
    LoadSettings();
    EXPECT_STREQ(HighScoreTable[0].name, "ABCDEFGHIJKLMNO") << "in the registry too";
}

// Typed with real keys, which go wherever the focus is: at every entry
// it is in the field, the previous name selected, so the next player's
// typing replaces it and Enter alone keeps it.
static DialogStep Answer(const char *keys, const char *offered)
{
    return [keys, offered](HWND dialog) {
        HWND field = GetDlgItem(dialog, IDC_NAME_EDIT);
        EXPECT_EQ(FieldText(dialog), offered);
        EXPECT_EQ(OkEnabled(dialog), offered[0] != '\0');
        EXPECT_EQ(GetFocus(), field) << "the keys would not reach the field";
        DWORD start = 1, end = 0;
        SendMessageA(field, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, std::strlen(offered)) << "the offered name is not selected whole";
        StrikeKeys(keys);
    };
}

TEST_F(NameDialog, SecondEntryOfARunStartsWithTheFirstName)
{
    OnNextDialog({Answer("Ann\r", "")});
    RecordFinalScore();
    Score = 20;
    OnNextDialog({Answer("Bob\r", "Ann")});
    RecordFinalScore();
    EXPECT_STREQ(PlayerName, "Bob");
    Score = 15;
    OnNextDialog({Answer("\r", "Bob")});
    RecordFinalScore();
    // The table is read back from the registry after every entry.
    EXPECT_EQ(TableText(), "Bob 20, Bob 15, Ann 10,  0,  0");
    EXPECT_EQ(ReadStored("_1n").bytes.substr(0, 4), std::string("Bob", 4));
}
