// Where a final score lands in the table, what the player is told when it
// does not, and the reset.
#include "helpers.h"

#include "engine/move.h"
#include "store/settings.h"
#include "ui/mainwnd.h"

#include <cstring>

// The table as the registry holds it now, read back by a fresh load.
static std::string StoredTable()
{
    HighScoreEntry inMemory[HIGH_SCORE_COUNT];
    std::memcpy(inMemory, HighScoreTable, sizeof inMemory);
    SetTable({});
    LoadSettings();
    std::string stored = TableText();
    std::memcpy(HighScoreTable, inMemory, sizeof inMemory);
    return stored;
}

class FinalScore : public StoreTest
{
  protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        MainWindow = Bystander; // the owner of what the table shows
        SetTable({{"Ann", 500}, {"Bob", 400}, {"Cy", 300}, {"Di", 200}, {"Ed", 100}});
        SaveSettings();
    }
};

TEST_F(FinalScore, ZeroOnAnEmptyTableIsOnlyReported)
{
    SetTable({});
    SaveSettings();
    SeenBox box;
    CatchNextBox(&box);
    RecordFinalScore();
    EXPECT_EQ(box.text, "Game over.\nYour score is 0.");
    EXPECT_EQ(box.caption, "Glomb");
    EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_INFORMATION)) << "the information icon";
    EXPECT_EQ(box.owner, Bystander) << "the main window owns the message";
    EXPECT_EQ(TableText(), " 0,  0,  0,  0,  0");

    Language = 0;
    Score = -7;
    CatchNextBox(&box);
    RecordFinalScore();
    EXPECT_EQ(box.text, "Il gioco \xE8 finito\nil tuo punteggio \xE8 -7.");
    EXPECT_EQ(BoxesShown(), 2) << "no name dialog";
}

TEST_F(FinalScore, AnyPositiveScoreEntersAnEmptyTable)
{
    SetTable({});
    SaveSettings();
    Score = 1;
    EnterNameWhenAsked("Fay");
    RecordFinalScore();
    EXPECT_EQ(TableText(), "Fay 1,  0,  0,  0,  0");
}

TEST_F(FinalScore, HighestEntersAtTheTopAndDropsTheFifth)
{
    Score = 600;
    EnterNameWhenAsked("Zed");
    RecordFinalScore();
    EXPECT_EQ(TableText(), "Zed 600, Ann 500, Bob 400, Cy 300, Di 200");
    EXPECT_EQ(StoredTable(), TableText());
    EXPECT_EQ(BoxesShown(), 1) << "only the name dialog, no message";
}

TEST_F(FinalScore, EqualScoreGoesBelow)
{
    Score = 300;
    EnterNameWhenAsked("Zed");
    RecordFinalScore();
    EXPECT_EQ(TableText(), "Ann 500, Bob 400, Cy 300, Zed 300, Di 200");
    EXPECT_EQ(StoredTable(), TableText());
}

TEST_F(FinalScore, EqualToTheFifthIsOnlyReported)
{
    for (std::int32_t score : {100, 99, -1}) {
        Score = score;
        SeenBox box;
        CatchNextBox(&box);
        RecordFinalScore();
        EXPECT_EQ(box.text, "Game over.\nYour score is " + std::to_string(score) + ".");
        EXPECT_EQ(TableText(), "Ann 500, Bob 400, Cy 300, Di 200, Ed 100");
    }
    EXPECT_EQ(StoredTable(), TableText());
}

// Another game on the machine records while this player types a name.
TEST_F(FinalScore, RankIsFoundAgainstWhatOthersStoredDuringTheNameDialog)
{
    Score = 450;
    OnNextDialog({[](HWND dialog) {
        SetTable({{"Ann", 500}, {"Eve", 450}, {"Bob", 400}, {"Cy", 300}, {"Di", 200}});
        SaveSettings();
        Type(dialog, "Zed");
        PressKey(dialog, VK_RETURN);
    }});
    RecordFinalScore();
    EXPECT_EQ(StoredTable(), "Ann 500, Eve 450, Zed 450, Bob 400, Cy 300");

    OnNextDialog({[](HWND dialog) {
        SetTable({{"A", 900}, {"B", 900}, {"C", 900}, {"D", 900}, {"E", 900}});
        SaveSettings(); // no room left
        Type(dialog, "Zed");
        PressKey(dialog, VK_RETURN);
    }});
    SeenBox box;
    CatchNextBox(&box);
    RecordFinalScore();
    EXPECT_EQ(box.text, "Game over.\nYour score is 450.");
    EXPECT_EQ(StoredTable(), "A 900, B 900, C 900, D 900, E 900");
}

// A game keeps speaking the language of its menu; the language another
// game stored stays stored.
TEST_F(FinalScore, AnEntryChangesNeitherLanguage)
{
    StoreNumber("Lang", 0);
    Score = 150;
    EnterNameWhenAsked("Zed");
    RecordFinalScore();
    EXPECT_EQ(TableText(), "Ann 500, Bob 400, Cy 300, Di 200, Zed 150");
    EXPECT_EQ(Language, 1);
    EXPECT_EQ(ReadStored("Lang").bytes, std::string("\0\0\0\0", 4));
}

TEST_F(FinalScore, KeyRemovedDuringTheRunKeepsTheEntryInMemory)
{
    RemoveKey();
    Score = 450;
    EnterNameWhenAsked("Zed");
    SeenBox box;
    CatchNextBox(&box); // after the name dialog
    RecordFinalScore();
    EXPECT_EQ(box.caption, "Glomb");
    EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_ERROR)) << "the installation message";
    EXPECT_EQ(TableText(), "Ann 500, Zed 450, Bob 400, Cy 300, Di 200");
    EXPECT_FALSE(KeyExists());
}

TEST_F(FinalScore, ResetEmptiesTheTableAndTheRegistry)
{
    ResetHighScores();
    EXPECT_EQ(TableText(), " 0,  0,  0,  0,  0");
    EXPECT_EQ(StoredTable(), TableText());
}
