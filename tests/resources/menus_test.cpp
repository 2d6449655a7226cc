#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

static HMODULE Module()
{
    return GetModuleHandleA(nullptr);
}

// A menu bar written out as "title: item=id, item=id | title: ...", a
// separator as "-=id" and an item that is checked, greyed or disabled
// marked with "!".
static std::string Describe(HMENU menu)
{
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        char text[100];
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        bool separator = info.fType & MFT_SEPARATOR;
        out += i == 0 ? "" : info.hSubMenu ? " | " : ", ";
        out += separator ? "-" : text;
        out += info.hSubMenu ? ": " : "=";
        out += info.hSubMenu ? Describe(info.hSubMenu) : std::to_string(info.wID);
        if (info.fState && !separator)
            out += "!";
    }
    return out;
}

TEST(Menus, ItalianHasGameAndHelpMenusWithSeparatorsOfTheirOwnId)
{
    HMENU bar = LoadMenuA(Module(), MAKEINTRESOURCEA(IDM_MENU_ITALIAN));
    EXPECT_EQ("  &Partita  : &Nuova=40002, Re&cord=40010, &Annulla=40006, -=40005, "
              "&Lingua=40012, -=40005, &Esci=40003 | "
              "  &?  : &Guida=40008, -=40005, &Informazioni=40009",
              Describe(bar));
    DestroyMenu(bar);
}

TEST(Menus, EnglishHasTheSameCommandsInTheSameOrder)
{
    HMENU bar = LoadMenuA(Module(), MAKEINTRESOURCEA(IDM_MENU_ENGLISH));
    EXPECT_EQ("  &Game  : &New=40002, &High scores=40010, &Undo=40006, -=40005, "
              "&Language=40012, -=40005, &Exit=40003 | "
              "  &?  : &Help=40008, -=40005, &About=40009",
              Describe(bar));
    DestroyMenu(bar);
}

TEST(Accelerators, AreBangAndIForAboutQuestionMarkAndF1ForHelp)
{
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ACCEL entries[8];
    // Character entries (no FVIRTKEY) match the typed character exactly:
    // "i" opens the About box, "I" does nothing.
    ASSERT_EQ(4, CopyAcceleratorTableA(table, entries, 8));
    const ACCEL expected[4] = {{FNOINVERT, '!', IDM_ABOUT},
                               {FNOINVERT, '?', IDM_HELP},
                               {FVIRTKEY | FNOINVERT, VK_F1, IDM_HELP},
                               {FNOINVERT, 'i', IDM_ABOUT}};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(expected[i].fVirt, entries[i].fVirt) << "entry " << i;
        EXPECT_EQ(expected[i].key, entries[i].key) << "entry " << i;
        EXPECT_EQ(expected[i].cmd, entries[i].cmd) << "entry " << i;
    }
}
