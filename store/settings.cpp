#include "settings.h"

#include "highscores.h"
#include "ui/wintools.h"

std::int32_t Language;

// Shown before the language is known, so it speaks both.
static const char INSTALL_MESSAGE[] =
    "- The application is not installed properly, repeat the installation.\n\n"
    "- L'applicazione non \xE8 installata correttamente, ripetere l'installazione.";

// The program writes names as 80-byte values: the name, its terminator and
// zeros.
constexpr DWORD NAME_VALUE_SIZE = 80;

std::int32_t LanguageOfUser(std::uint16_t userLangId)
{
    return PRIMARYLANGID(userLangId) == LANG_ITALIAN ? 0 : 1;
}

// The key is shared by every player of the machine: the game asks only
// for the values, so an installation need not let players delete the
// key or rewrite its permissions.
static HKEY OpenSettingsKey()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

// Takes at most 15 characters up to the first 0 byte, but never looks past
// the bytes the registry actually returned: a value may lack a terminator.
static void CopyName(char *name, const char *data, DWORD size)
{
    DWORD n = 0;
    while (n < size && n < NAME_SIZE - 1 && data[n] != '\0') {
        name[n] = data[n];
        n++;
    }
    name[n] = '\0';
}

// A name value longer than the program writes, stored by someone else, is
// still cut to its first characters up to this size; a longer one is left
// unread. The registry says nothing about the bytes of a read that did not
// fit, so the value is read whole or not at all.
constexpr DWORD LONG_NAME_VALUE_SIZE = 1024;

static void ReadName(HKEY key, const char *valueName, char *name)
{
    char data[LONG_NAME_VALUE_SIZE];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, (BYTE *)data, &size) == ERROR_SUCCESS &&
        size <= sizeof data)
        CopyName(name, data, size);
}

// 1 when the value holds exactly four bytes, now in *number.
static int ReadNumber(HKEY key, const char *valueName, std::int32_t *number)
{
    std::int32_t data;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, (BYTE *)&data, &size) != ERROR_SUCCESS)
        return 0;
    if (size != sizeof data)
        return 0;
    *number = data;
    return 1;
}

// The stored choice when it is one; -1 when missing or unusable.
static std::int32_t ReadStoredLanguage(HKEY key)
{
    std::int32_t stored;
    if (ReadNumber(key, "Lang", &stored) && (stored == 0 || stored == 1))
        return stored;
    return -1;
}

static void ReadTable(HKEY key)
{
    char valueName[8];
    for (int i = 1; i <= HIGH_SCORE_COUNT; i++) {
        wsprintfA(valueName, "_%in", i);
        ReadName(key, valueName, HighScoreTable[i - 1].name);
        wsprintfA(valueName, "_%is", i);
        ReadNumber(key, valueName, &HighScoreTable[i - 1].score);
    }
}

static void WriteAll(HKEY key, std::int32_t language)
{
    char valueName[8];
    for (int i = 1; i <= HIGH_SCORE_COUNT; i++) {
        // Only the name leaves the process: the rest of the value is zeros.
        char data[NAME_VALUE_SIZE] = {};
        lstrcpynA(data, HighScoreTable[i - 1].name, NAME_SIZE);
        wsprintfA(valueName, "_%in", i);
        RegSetValueExA(key, valueName, 0, REG_SZ, (const BYTE *)data, sizeof data);
        wsprintfA(valueName, "_%is", i);
        RegSetValueExA(key, valueName, 0, REG_DWORD, (const BYTE *)&HighScoreTable[i - 1].score,
                       sizeof(std::int32_t));
    }
    RegSetValueExA(key, "Lang", 0, REG_DWORD, (const BYTE *)&language, sizeof language);
}

void ShowInstallationMessage()
{
    MessageBoxA(nullptr, INSTALL_MESSAGE, APP_NAME, MB_TASKMODAL | MB_ICONERROR);
}

int LoadSettings()
{
    HKEY key = OpenSettingsKey();
    if (!key) {
        ShowInstallationMessage();
        return 0;
    }
    ReadTable(key);
    std::int32_t stored = ReadStoredLanguage(key);
    if (stored >= 0) {
        Language = stored;
    } else {
        // No usable choice stored: follow the user and remember it.
        Language = LanguageOfUser(GetUserDefaultLangID());
        WriteAll(key, Language);
    }
    RegCloseKey(key);
    return 1;
}

void SaveSettings()
{
    HKEY key = OpenSettingsKey();
    if (!key)
        return;
    WriteAll(key, Language);
    RegCloseKey(key);
}

// Only the table: a game keeps speaking the language of its menu even
// when another game has stored a new choice meanwhile.
int ReloadHighScores()
{
    HKEY key = OpenSettingsKey();
    if (!key)
        return 0;
    ReadTable(key);
    RegCloseKey(key);
    return 1;
}

void SaveHighScores()
{
    HKEY key = OpenSettingsKey();
    if (!key)
        return;
    std::int32_t stored = ReadStoredLanguage(key);
    WriteAll(key, stored >= 0 ? stored : Language);
    RegCloseKey(key);
}
