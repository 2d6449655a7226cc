#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <set>
#include <string>

// What the program's texts must be once they reach it as code page 1252
// bytes; the escapes are the accented letters and the typographic
// apostrophe.
static const struct {
    int id;
    const char *text;
} Texts[] = {
    {1, "Glombi selezionate: %i"},
    {2, "Punteggio: %i"},
    {3, "Impossibile annullare."},
    {4, "Punti realizzabili: %i"},
    {5, "Record"},
    {6, "Il gioco \xE8 finito\nil tuo punteggio \xE8 %i."},
    {7, "Complimenti, inserisci il tuo nome!"},
    {8, "Programma realizzato da"},
    {9, "Per eliminare le glombi \xE8 necessario cliccarne un gruppo dello stesso colore, il "
        "gruppo scompare e le glombi sopra di esse cadono.\n\nLo scopo del gioco \xE8 di "
        "eliminare pi\xF9 glombi contemporaneamente per ottenere un punteggio maggiore.\n\nSe "
        "non rimane nessuna glombo si ottiene un bonus di 1000 punti."},
    {10, "Guida"},
    {11, "Tabellone di Glomb"},
    {12, "%s, colonna %i, riga %i"},
    {13, "Cella vuota"},
    {14, "Blu"},
    {15, "Verde"},
    {16, "Rosso"},
    {17, "gruppo di %i, %i punti"},
    {18, "gruppo di %i, %i punto"},
    {19, "isolata"},
    {20, "%i glombi rimaste"},
    {21, "%i glombo rimasta"},
    {22, "%i gruppi"},
    {23, "%i gruppo"},
    {24, "%i - vuoto"},
    {25, "Informazioni su Glomb"},
    {26, "Apri"},
    {51, "Selected glombs: %i"},
    {52, "Score: %i"},
    {53, "Cannot undo."},
    {54, "Possible score: %i"},
    {55, "High scores"},
    {56, "Game over.\nYour score is %i."},
    {57, "Insert your name!"},
    {58, "Program by"},
    {59, "To eliminate the glombs you must click on a group of the same color, the group "
         "disappears and the glombs on top of them fall down.\n\nThe game\x92s purpose is to "
         "eliminate more glombs at the same time to obtain a bigger score.\n\nIf no glombs "
         "remain you will have a bonus of 1000 points."},
    {60, "Help"},
    {61, "Glomb board"},
    {62, "%s, column %i, row %i"},
    {63, "Empty cell"},
    {64, "Blue"},
    {65, "Green"},
    {66, "Red"},
    {67, "group of %i, %i points"},
    {68, "group of %i, %i point"},
    {69, "alone"},
    {70, "%i glombs left"},
    {71, "%i glomb left"},
    {72, "%i groups"},
    {73, "%i group"},
    {74, "%i - empty"},
    {75, "About Glomb"},
    {76, "Open"},
};

static std::string LoadId(int id)
{
    char buffer[1000];
    int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, length);
}

TEST(Texts, ReachTheProgramAsCodePage1252)
{
    // Everything below compares bytes that only this code page gives.
    ASSERT_EQ(1252u, GetACP());
}

TEST(Texts, EveryTextIsExactInBothLanguages)
{
    for (const auto &t : Texts)
        EXPECT_EQ(t.text, LoadId(t.id)) << "text with id " << t.id;
}

TEST(Texts, NoOtherIdHoldsAText)
{
    std::set<int> ids;
    for (const auto &t : Texts)
        ids.insert(t.id);
    for (int id = 0; id <= 200; id++) {
        if (!ids.count(id)) {
            EXPECT_EQ("", LoadId(id)) << "unexpected text at id " << id;
        }
    }
}

TEST(Texts, FitTheirBuffersEvenFormattedWithTheWidestNumber)
{
    for (const auto &t : Texts) {
        char out[1024];
        std::string format = LoadId(t.id);
        // A cell's name takes the longest word for what it holds.
        int length = format.find("%s") != std::string::npos
                         ? wsprintfA(out, format.c_str(), LoadId(13).c_str(), INT_MIN, INT_MIN)
                         : wsprintfA(out, format.c_str(), INT_MIN, INT_MIN);
        EXPECT_LT(length, t.id % 50 == 9 ? 300 : 80) << "text with id " << t.id;
    }
    char out[100];
    EXPECT_EQ(49, wsprintfA(out, LoadId(6).c_str(), INT_MIN)) << "the longest, Italian text 6";
}
