// Loads thousands of random settings keys, as another program or a person
// with regedit could leave them, and checks what must hold whatever was
// stored: the load succeeds, every name is a terminated string of at most
// 15 characters, the language is 0 or 1, and the key is left exactly as
// it was unless no usable language was stored, in which case the whole
// set of eleven values is written from memory and nothing else changes.
#include "../store/helpers.h"

#include "store/highscores.h"
#include "store/settings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>

namespace
{

constexpr int CASES = 3000;
constexpr unsigned SEED = 20240607;
constexpr size_t MAX_SIZE = 4096;
constexpr size_t NAME_VALUE_SIZE = 80;

const char *const NAME_VALUES[HIGH_SCORE_COUNT] = {"_1n", "_2n", "_3n", "_4n", "_5n"};
const char *const SCORE_VALUES[HIGH_SCORE_COUNT] = {"_1s", "_2s", "_3s", "_4s", "_5s"};

// Names a slip in formatting the program's own could hit; none equals one
// of them, even ignoring case as the registry does.
const char *const NEIGHBOURS[] = {"",   "_0n",  "_6n", "_0s",   "_6s",      "_1",    "_1ns",
                                  "_n", "_%in", "Lan", "Lang2", "Language", " Lang", "1n"};

// Types the program writes, types it never does, and numbers that are no
// type at all.
const DWORD TYPES[] = {REG_SZ,       REG_DWORD, REG_BINARY,    REG_QWORD,
                       REG_MULTI_SZ, REG_NONE,  REG_EXPAND_SZ, REG_DWORD_BIG_ENDIAN,
                       12,           0x12345,   0x7FFFFFFF,    0xFFFFFFFF};

using Key = std::map<std::string, StoredValue>;

// Every value of the settings key as the program's ANSI calls see it.
Key ReadKey()
{
    Key values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name, type = 0, size = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        StoredValue value = {true, type, std::string(size, '\0')};
        nameSize = sizeof name;
        RegEnumValueA(key, i, name, &nameSize, nullptr, &value.type, (BYTE *)value.bytes.data(),
                      &size);
        value.bytes.resize(size);
        values[name] = value;
    }
    RegCloseKey(key);
    return values;
}

std::string Number(std::int32_t n)
{
    return std::string((const char *)&n, 4);
}

size_t RandomSize(std::mt19937 &rng)
{
    // Mostly the sizes around the program's own buffers.
    static const size_t EDGES[] = {0, 1, 3, 4, 4, 4, 5, 8, 15, 16, 17, 79, 80, 81};
    if (rng() % 3 == 0)
        return rng() % (MAX_SIZE + 1);
    return EDGES[rng() % (sizeof EDGES / sizeof EDGES[0])];
}

// Random bytes, or letters with a zero byte somewhere or nowhere, so that
// names of every length turn up.
std::string RandomBytes(std::mt19937 &rng, size_t size)
{
    std::string bytes(size, '\0');
    bool letters = rng() % 2;
    for (char &b : bytes)
        b = letters ? char('A' + rng() % 26) : char(rng());
    if (letters && size && rng() % 2)
        bytes[rng() % size] = '\0';
    return bytes;
}

StoredValue RandomValue(std::mt19937 &rng)
{
    DWORD type = TYPES[rng() % (sizeof TYPES / sizeof TYPES[0])];
    return {true, type, RandomBytes(rng, RandomSize(rng))};
}

// A value for "Lang": often four bytes holding a choice or a number close
// to one, so that both the load that keeps the key and the one that
// rewrites it are well exercised.
StoredValue RandomLanguage(std::mt19937 &rng)
{
    static const std::int32_t NUMBERS[] = {0, 1, 0, 1, 2, -1, 0x100, 0x10000};
    if (rng() % 2) {
        std::int32_t number = NUMBERS[rng() % (sizeof NUMBERS / sizeof NUMBERS[0])];
        DWORD type = rng() % 4 ? REG_DWORD : REG_BINARY;
        return {true, type, Number(number)};
    }
    return RandomValue(rng);
}

Key RandomKey(std::mt19937 &rng)
{
    Key values;
    for (int i = 0; i < HIGH_SCORE_COUNT; ++i) {
        if (rng() % 4)
            values[NAME_VALUES[i]] = RandomValue(rng);
        if (rng() % 4)
            values[SCORE_VALUES[i]] = RandomValue(rng);
    }
    if (rng() % 4)
        values["Lang"] = RandomLanguage(rng);
    for (int extra = rng() % 4; extra > 0; --extra) {
        std::string name = NEIGHBOURS[rng() % (sizeof NEIGHBOURS / sizeof NEIGHBOURS[0])];
        if (rng() % 2)
            name = std::to_string(rng() % 1000) + "x";
        values[name] = RandomValue(rng);
    }
    return values;
}

void WriteKey(const Key &values)
{
    MakeEmptyKey();
    for (const auto &[name, value] : values)
        StoreValue(name.c_str(), value.type, value.bytes.data(), value.bytes.size());
}

// A known table in memory: short names with junk after their terminators.
void FillTable(std::mt19937 &rng)
{
    for (HighScoreEntry &entry : HighScoreTable) {
        std::memset(entry.name, '#', NAME_SIZE);
        size_t length = rng() % NAME_SIZE;
        for (size_t k = 0; k < length; ++k)
            entry.name[k] = char('a' + rng() % 26);
        entry.name[length] = '\0';
        entry.score = std::int32_t(rng());
    }
    Language = 7;
}

std::string Describe(const Key &values)
{
    std::string text;
    for (const auto &[name, value] : values)
        text += "\"" + name + "\" type " + std::to_string(value.type) + ", " +
                std::to_string(value.bytes.size()) + " bytes; ";
    return text;
}

bool ValidLanguage(const Key &values)
{
    auto lang = values.find("Lang");
    if (lang == values.end() || lang->second.bytes.size() != 4)
        return false;
    std::int32_t stored;
    std::memcpy(&stored, lang->second.bytes.data(), 4);
    return stored == 0 || stored == 1;
}

// The name a stored value gives: its characters up to the first zero
// byte, at most 15.
std::string NameFrom(const std::string &bytes)
{
    return bytes.substr(0, std::min(bytes.find('\0'), size_t(NAME_SIZE - 1)));
}

// The key after a load that had to choose the language: the whole set as
// the program writes it, from the table now in memory.
Key Rewritten(Key values)
{
    for (int i = 0; i < HIGH_SCORE_COUNT; ++i) {
        std::string name = HighScoreTable[i].name;
        values[NAME_VALUES[i]] = {true, REG_SZ,
                                  name + std::string(NAME_VALUE_SIZE - name.size(), '\0')};
        values[SCORE_VALUES[i]] = {true, REG_DWORD, Number(HighScoreTable[i].score)};
    }
    values["Lang"] = {true, REG_DWORD, Number(Language)};
    return values;
}

bool Same(const Key &a, const Key &b)
{
    if (a.size() != b.size())
        return false;
    for (const auto &[name, value] : a) {
        auto other = b.find(name);
        if (other == b.end() || other->second.type != value.type ||
            other->second.bytes != value.bytes)
            return false;
    }
    return true;
}

struct Tally {
    int kept = 0, rewritten = 0, longNameValues = 0, cutNames = 0, scoresRead = 0, scoresLeft = 0,
        oddTypes = 0, extras = 0;
};

void Count(const Key &stored, Tally &tally)
{
    (ValidLanguage(stored) ? tally.kept : tally.rewritten)++;
    for (const auto &[name, value] : stored) {
        bool isName = std::count(NAME_VALUES, NAME_VALUES + HIGH_SCORE_COUNT, name) > 0;
        bool isScore = std::count(SCORE_VALUES, SCORE_VALUES + HIGH_SCORE_COUNT, name) > 0;
        if (!isName && !isScore && name != "Lang")
            tally.extras++;
        else if (value.type != (isName ? REG_SZ : REG_DWORD))
            tally.oddTypes++;
        if (isName && value.bytes.size() > NAME_VALUE_SIZE)
            tally.longNameValues++;
        if (isName && std::min(value.bytes.find('\0'), value.bytes.size()) > NAME_SIZE - 1)
            tally.cutNames++;
        if (isScore)
            (value.bytes.size() == 4 ? tally.scoresRead : tally.scoresLeft)++;
    }
}

// What the load must have made of the key before, given the table it
// started from.
void CheckLoad(const Key &before, const HighScoreEntry *old)
{
    for (int i = 0; i < HIGH_SCORE_COUNT; ++i) {
        const char *name = HighScoreTable[i].name;
        ASSERT_TRUE(std::memchr(name, '\0', NAME_SIZE)) << "name " << i + 1 << " has no terminator";
        auto stored = before.find(NAME_VALUES[i]);
        if (stored == before.end())
            EXPECT_STREQ(name, old[i].name) << "a missing name changed its slot";
        else if (stored->second.bytes.size() <= NAME_VALUE_SIZE)
            EXPECT_EQ(name, NameFrom(stored->second.bytes)) << NAME_VALUES[i];
        else // a value the program never writes may be cut or left unread
            EXPECT_TRUE(name == NameFrom(stored->second.bytes) || !std::strcmp(name, old[i].name))
                << NAME_VALUES[i] << " became \"" << name << "\"";

        stored = before.find(SCORE_VALUES[i]);
        if (stored != before.end() && stored->second.bytes.size() == 4)
            EXPECT_EQ(Number(HighScoreTable[i].score), stored->second.bytes) << SCORE_VALUES[i];
        else
            EXPECT_EQ(HighScoreTable[i].score, old[i].score)
                << SCORE_VALUES[i] << ": a score that is not 4 bytes changed its slot";
    }
    ASSERT_TRUE(Language == 0 || Language == 1) << "language " << Language;

    Key after = ReadKey();
    if (ValidLanguage(before)) {
        EXPECT_EQ(Number(Language), before.at("Lang").bytes) << "the stored language was not used";
        EXPECT_TRUE(Same(after, before)) << "the load wrote although a language was stored";
    } else {
        EXPECT_TRUE(Same(after, Rewritten(before)))
            << "without a usable language the load must write the whole set and nothing else";
    }
}

using RegistryFuzz = StoreTest;

TEST_F(RegistryFuzz, RandomKeysLoadSafelyAndWriteOnlyTheWholeSet)
{
    std::mt19937 rng(SEED);
    Tally tally;
    int n = 0;
    for (; n < CASES && !HasFailure(); ++n) {
        WriteKey(RandomKey(rng));
        // What was really stored, as the program reads it: string values
        // pass through the ANSI conversion.
        Key before = ReadKey();
        SCOPED_TRACE("case " + std::to_string(n) + ": " + Describe(before));
        FillTable(rng);
        HighScoreEntry old[HIGH_SCORE_COUNT];
        std::memcpy(old, HighScoreTable, sizeof old);
        ASSERT_EQ(LoadSettings(), 1);
        CheckLoad(before, old);
        Count(before, tally);
    }
    std::printf("%d random keys (seed %u): language kept %d, whole set rewritten %d; "
                "%d name values over 80 bytes, %d names cut to 15 characters; %d scores read, "
                "%d left as they were; %d values of another type, %d extra values\n",
                n, SEED, tally.kept, tally.rewritten, tally.longNameValues, tally.cutNames,
                tally.scoresRead, tally.scoresLeft, tally.oddTypes, tally.extras);
}

} // namespace
