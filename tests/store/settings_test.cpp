// The settings key: what loading makes of whatever is stored there, and
// exactly what saving writes.
#include "helpers.h"

#include "engine/move.h"
#include "store/settings.h"

#include <cstring>
#include <vector>

static const char INSTALL_MESSAGE[] =
    "- The application is not installed properly, repeat the installation.\n\n"
    "- L'applicazione non \xE8 installata correttamente, ripetere l'installazione.";

static std::int32_t UsersLanguage()
{
    return LanguageOfUser(GetUserDefaultLangID());
}

static std::int32_t StoredNumber(const char *name)
{
    StoredValue value = ReadStored(name);
    std::int32_t number = -12345;
    if (value.bytes.size() == 4)
        std::memcpy(&number, value.bytes.data(), 4);
    return number;
}

using LoadingSettings = StoreTest;

TEST_F(LoadingSettings, EmptyKeyGetsDefaultsWrittenBack)
{
    ASSERT_EQ(LoadSettings(), 1);
    EXPECT_EQ(TableText(), " 0,  0,  0,  0,  0");
    EXPECT_EQ(Language, UsersLanguage());
    const char *names[] = {"_1n", "_1s", "_2n", "_2s", "_3n", "_3s",
                           "_4n", "_4s", "_5n", "_5s", "Lang"};
    for (const char *name : names) {
        StoredValue value = ReadStored(name);
        EXPECT_TRUE(value.exists) << name << " should have been written";
        EXPECT_EQ(value.type, name[0] == '_' && name[2] == 'n' ? REG_SZ : REG_DWORD) << name;
    }
    EXPECT_EQ(StoredNumber("Lang"), UsersLanguage());
}

TEST_F(LoadingSettings, ItalianOnlyForItalianUsers)
{
    EXPECT_EQ(LanguageOfUser(MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN)), 0);
    EXPECT_EQ(LanguageOfUser(MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN_SWISS)), 0);
    EXPECT_EQ(LanguageOfUser(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)), 1);
    EXPECT_EQ(LanguageOfUser(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)), 1);
    EXPECT_EQ(LanguageOfUser(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)), 1);
    // The primary language is ten bits wide: 0x110 is not Italian.
    EXPECT_EQ(LanguageOfUser(0x0110), 1);
}

// Whatever the user's language is, one of the two stored choices goes
// against it, and both must be kept.
TEST_F(LoadingSettings, StoredLanguageWinsOverTheUsers)
{
    for (std::int32_t stored : {0, 1}) {
        StoreNumber("Lang", stored);
        ASSERT_EQ(LoadSettings(), 1);
        EXPECT_EQ(Language, stored);
        EXPECT_FALSE(ReadStored("_1n").exists) << "nothing should be written back";
    }
}

TEST_F(LoadingSettings, UnknownLanguageIsReplacedByTheUsers)
{
    for (std::int32_t stored : {7, -1, 2}) {
        MakeEmptyKey();
        StoreNumber("Lang", stored);
        Language = stored;
        ASSERT_EQ(LoadSettings(), 1);
        EXPECT_EQ(Language, UsersLanguage()) << "stored " << stored;
        EXPECT_EQ(StoredNumber("Lang"), UsersLanguage()) << "stored " << stored;
    }
}

TEST_F(LoadingSettings, TwentyCharacterNameComesBackAsItsFirst15)
{
    StoreNumber("Lang", 1);
    StoreString("_2n", "ABCDEFGHIJKLMNOPQRST");
    LoadSettings();
    EXPECT_STREQ(HighScoreTable[1].name, "ABCDEFGHIJKLMNO");
}

TEST_F(LoadingSettings, NegativeScoresAreKept)
{
    StoreNumber("Lang", 1);
    StoreNumber("_4s", -5);
    StoreNumber("_5s", INT32_MIN);
    LoadSettings();
    EXPECT_EQ(HighScoreTable[3].score, -5);
    EXPECT_EQ(HighScoreTable[4].score, INT32_MIN);
}

TEST_F(LoadingSettings, MissingValuesLeaveSlotsAsTheyWere)
{
    SetTable({{"Ann", 50}, {"Bob", 40}, {"Cy", 30}, {"Di", 20}, {"Ed", 10}});
    StoreNumber("Lang", 0);
    StoreString("_2n", "Zoe");
    StoreNumber("_4s", 99);
    LoadSettings();
    EXPECT_EQ(TableText(), "Ann 50, Zoe 40, Cy 30, Di 99, Ed 10");
    EXPECT_EQ(Language, 0);
}

// Values the program never writes itself must load without harm, and no
// byte beyond what the registry returned may reach a name.
struct BadName {
    DWORD type;
    std::string bytes;
    std::string expected;
};

static std::string Letters(size_t count)
{
    std::string text;
    for (size_t i = 0; i < count; i++)
        text += char('a' + i % 26);
    return text;
}

static std::vector<BadName> BadNames()
{
    std::vector<BadName> cases;
    for (size_t size : {0u, 15u, 16u, 79u, 80u, 81u, 300u}) {
        // Without a terminator, as binary and as text, and terminated.
        std::string letters = Letters(size);
        cases.push_back({REG_BINARY, letters, letters.substr(0, 15)});
        cases.push_back({REG_SZ, letters, letters.substr(0, 15)});
        if (size > 0) {
            std::string shorter = Letters(size - 1);
            cases.push_back({REG_SZ, shorter + '\0', shorter.substr(0, 15)});
        }
    }
    cases.push_back({REG_DWORD, "ABCD", "ABCD"});
    cases.push_back({REG_DWORD, std::string("AB\0\0", 4), "AB"});
    cases.push_back({REG_BINARY, std::string("\xFF\x80\x01\0junk", 8), "\xFF\x80\x01"});
    cases.push_back({REG_BINARY, std::string(300, '\x9C'), std::string(15, '\x9C')});
    return cases;
}

TEST_F(LoadingSettings, BadNamesLoadWithoutHarm)
{
    StoreNumber("Lang", 1);
    for (const BadName &bad : BadNames()) {
        SCOPED_TRACE("type " + std::to_string(bad.type) + ", " + std::to_string(bad.bytes.size()) +
                     " bytes");
        std::memset(HighScoreTable[0].name, '#', NAME_SIZE); // no terminator in memory
        StoreValue("_1n", bad.type, bad.bytes.data(), bad.bytes.size());
        ASSERT_EQ(LoadSettings(), 1);
        EXPECT_EQ(std::string(HighScoreTable[0].name), bad.expected);
    }
}

TEST_F(LoadingSettings, ScoresOfTheWrongSizeLeaveTheirSlots)
{
    StoreNumber("Lang", 1);
    SetTable({{"Ann", 50}, {"Bob", 40}, {"Cy", 30}, {"Di", 20}, {"Ed", 10}});
    StoreString("_1s", "12");                     // 3 bytes
    StoreString("_2s", "1234567");                // 8 bytes
    StoreValue("_3s", REG_BINARY, "\x07\x00", 2); // too short
    StoreValue("_4s", REG_QWORD, "\x01\0\0\0\0\0\0\0", 8);
    StoreValue("_5s", REG_BINARY, "\x01\x02\x03\x80", 4); // garbage of the right size
    LoadSettings();
    EXPECT_EQ(TableText(),
              "Ann 50, Bob 40, Cy 30, Di 20, Ed " + std::to_string(INT32_C(-2147286527)));
}

TEST_F(LoadingSettings, LanguageOfTheWrongSizeIsReplacedByTheUsers)
{
    const std::string bad[] = {std::string("\x01\x00", 2), std::string("1\0", 2),
                               std::string("\x01\0\0\0\0\0\0\0", 8)};
    for (const std::string &bytes : bad) {
        MakeEmptyKey();
        StoreValue("Lang", REG_BINARY, bytes.data(), bytes.size());
        Language = 1 - UsersLanguage();
        LoadSettings();
        EXPECT_EQ(Language, UsersLanguage()) << bytes.size() << " bytes";
        StoredValue lang = ReadStored("Lang");
        EXPECT_EQ(lang.type, DWORD(REG_DWORD));
        EXPECT_EQ(StoredNumber("Lang"), UsersLanguage());
    }
}

using MissingKey = StoreTest;

TEST_F(MissingKey, AtStartShowsTheInstallationMessage)
{
    RemoveKey();
    SeenBox box;
    CatchNextBox(&box);
    EXPECT_EQ(LoadSettings(), 0);
    EXPECT_EQ(box.text, INSTALL_MESSAGE);
    EXPECT_EQ(box.caption, "Glomb");
    EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_ERROR)) << "the error icon";
    EXPECT_EQ(box.owner, HWND(nullptr));
    EXPECT_TRUE(box.bystanderDisabled) << "the message should be task-modal";
    EXPECT_FALSE(KeyExists()) << "only the installation creates the key";
}

TEST_F(MissingKey, LaterKeepsTheTableInMemory)
{
    StoreNumber("Lang", 0);
    StoreString("_1n", "Ann");
    StoreNumber("_1s", 70);
    ASSERT_EQ(LoadSettings(), 1);
    RemoveKey();
    SaveSettings(); // fails silently
    SeenBox box;
    CatchNextBox(&box);
    EXPECT_EQ(LoadSettings(), 0);
    EXPECT_EQ(box.text, INSTALL_MESSAGE);
    EXPECT_EQ(TableText(), "Ann 70,  0,  0,  0,  0");
    EXPECT_EQ(Language, 0);
    EXPECT_EQ(BoxesShown(), 1);
    EXPECT_FALSE(KeyExists());
}

// Players get no more rights on the shared key than the game uses: they
// may read and set its values and read its permissions.
using KeyRights = StoreTest;

TEST_F(KeyRights, QueryAndSetValueAreEnoughToPlay)
{
    LimitKey("D:P(A;;0x20003;;;WD)"); // everyone: query value, set value, read control
    ASSERT_EQ(LoadSettings(), 1);
    EXPECT_EQ(StoredNumber("Lang"), UsersLanguage()) << "the default language was not saved";
    Score = 640;
    EnterNameWhenAsked("Luca");
    RecordFinalScore();
    EXPECT_EQ(ReadStored("_1n").bytes.substr(0, 5), std::string("Luca", 5));
    EXPECT_EQ(StoredNumber("_1s"), 640);
    Language = 1 - Language;
    SaveSettings();
    EXPECT_EQ(StoredNumber("Lang"), Language);
}

TEST_F(KeyRights, ReadOnlyKeyIsABrokenInstallation)
{
    LimitKey("D:P(A;;KR;;;WD)");
    SeenBox box;
    CatchNextBox(&box);
    EXPECT_EQ(LoadSettings(), 0);
    EXPECT_EQ(box.text, INSTALL_MESSAGE);
}

using SavingSettings = StoreTest;

TEST_F(SavingSettings, NamesAreEightyBytesOfNameAndZeros)
{
    SetTable({{"Al", 9}, {"ABCDEFGHIJKLMNO", 8}, {"", 7}, {"Di", -6}, {"Ed", 0}});
    std::memcpy(HighScoreTable[0].name, "Al\0JUNKJUNKJUNK", NAME_SIZE); // left after the name
    Language = 0;
    SaveSettings();
    const char *names[] = {"_1n", "_2n", "_3n", "_4n", "_5n"};
    for (int i = 0; i < HIGH_SCORE_COUNT; i++) {
        StoredValue value = ReadStored(names[i]);
        std::string name = i == 0 ? "Al" : HighScoreTable[i].name;
        EXPECT_EQ(value.type, DWORD(REG_SZ)) << names[i];
        EXPECT_EQ(value.bytes, name + std::string(80 - name.size(), '\0')) << names[i];
    }
    EXPECT_EQ(StoredNumber("_1s"), 9);
    EXPECT_EQ(StoredNumber("_4s"), -6);
    EXPECT_EQ(StoredNumber("Lang"), 0);
}
