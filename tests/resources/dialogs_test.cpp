#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

// A dialog template read field by field from the resource and written
// out as text: the frame on the first line, then one line per control
// in template order, each with its style, extended style, class, id, text
// and place.
struct Reader {
    const BYTE *at;

    WORD Word()
    {
        WORD w;
        memcpy(&w, at, 2);
        at += 2;
        return w;
    }
    DWORD Dword()
    {
        DWORD lo = Word();
        return lo | (DWORD)Word() << 16;
    }
    std::string Text() // UTF-16 in the template, code page 1252 here
    {
        std::wstring wide;
        for (WORD c; (c = Word()) != 0;)
            wide += (wchar_t)c;
        char narrow[300] = {};
        WideCharToMultiByte(1252, 0, wide.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
        return narrow;
    }
    std::string NameOrNumber() // a predefined class is stored as a number
    {
        if (*(const WORD *)at != 0xFFFF)
            return '"' + Text() + '"';
        at += 2;
        WORD n = Word();
        return n == 0x80 ? "button" : n == 0x81 ? "edit" : n == 0x82 ? "static" : "number";
    }
    std::string Box()
    {
        char out[40];
        int x = (short)Word(), y = (short)Word(), cx = Word(), cy = Word();
        wsprintfA(out, "at %i,%i size %ix%i", x, y, cx, cy);
        return out;
    }
};

static std::string Hex(DWORD v)
{
    char out[12];
    wsprintfA(out, "%08X", v);
    return out;
}

static std::string Describe(int resource)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resource), RT_DIALOG);
    if (!found)
        return "missing";
    Reader r{(const BYTE *)LockResource(LoadResource(module, found))};
    // One read per statement: the operands of + are read in no fixed order.
    DWORD style = r.Dword();
    std::string out = Hex(style);
    out += " ex " + Hex(r.Dword());
    int count = r.Word();
    out += " " + r.Box();
    out += " menu " + r.NameOrNumber();
    out += " class " + r.NameOrNumber();
    out += " title " + r.NameOrNumber();
    if (style & DS_SETFONT) {
        out += " font " + std::to_string(r.Word());
        out += " " + r.Text();
    }
    for (int i = 0; i < count; i++) {
        r.at += (4 - (uintptr_t)r.at % 4) % 4;
        out += "\n" + Hex(r.Dword());
        out += " ex " + Hex(r.Dword());
        std::string box = r.Box();
        std::string id = std::to_string(r.Word());
        out += " " + r.NameOrNumber();
        out += " " + id;
        out += " " + r.NameOrNumber();
        out += " " + box;
        r.at += r.Word(); // creation data
    }
    return out;
}

// The expected frame and control lines, with styles by name.
static std::string Frame(DWORD style, const char *size, const char *title, int points)
{
    return Hex(style) + " ex 00000000 at 0,0 size " + size + " menu \"\" class \"\" title \"" +
           title + "\" font " + std::to_string(points) + " MS Sans Serif";
}

static std::string Line(DWORD style, const char *rest)
{
    return "\n" + Hex(style) + " ex 00000000 " + rest;
}

static const DWORD Popup = WS_POPUP | DS_CENTER | DS_SETFONT;
static const DWORD Boxed = Popup | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
static const DWORD Child = WS_CHILD | WS_VISIBLE;

TEST(Dialogs, AboutBoxIsABarePopupWithoutTitleOrControls)
{
    EXPECT_EQ(Frame(Popup, "167x66", "", 10), Describe(IDD_ABOUT));
}

TEST(Dialogs, NameEntryHasNoCloseBoxAndItsOkStartsDisabled)
{
    EXPECT_EQ(Frame(Boxed & ~WS_SYSMENU, "169x69", "Glomb", 8) +
                  Line(Child | WS_DISABLED | WS_TABSTOP | BS_DEFPUSHBUTTON,
                       "button 1 \"OK\" at 112,47 size 50x14") +
                  Line(Child | WS_GROUP | SS_LEFT, "static 1019 \"\" at 7,7 size 148x14") +
                  Line(Child | WS_TABSTOP | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL,
                       "edit 1014 \"\" at 7,26 size 155x14"),
              Describe(IDD_NAME));
}

TEST(Dialogs, HighScoresHaveAHiddenResetButtonAndNoTitleOfTheirOwn)
{
    EXPECT_EQ(
        Frame(Boxed, "175x172", "", 8) +
            Line(Child | WS_TABSTOP | BS_DEFPUSHBUTTON, "button 1 \"&OK\" at 118,151 size 50x14") +
            Line(WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON,
                 "button 2 \"&Cancel\" at 59,151 size 50x14"),
        Describe(IDD_SCORES));
}

TEST(Dialogs, LanguageChoiceIsTheSameInBothLanguages)
{
    EXPECT_EQ(
        Frame(Boxed, "102x106", "Dialog", 8) +
            Line(Child | WS_TABSTOP | BS_DEFPUSHBUTTON, "button 1 \"OK\" at 45,84 size 50x16") +
            Line(Child | WS_GROUP | SS_LEFT,
                 "static 65535 \"- Choose a language:\n- Scegli una lingua:\" at 7,7 size 88x21") +
            Line(Child | BS_AUTORADIOBUTTON, "button 1028 \"&Italiano\" at 7,36 size 88x13") +
            Line(Child | BS_AUTORADIOBUTTON, "button 1029 \"&English\" at 7,56 size 88x13"),
        Describe(IDD_LANGUAGE));
}
