#include "helpers.h"

#include "engine/move.h"
#include "res/resource.h"
#include "store/settings.h"
#include "ui/mainwnd.h"
#include "ui/wintools.h"

#include <sddl.h>

#include <cstring>
#include <deque>

// No registry view flag: a test sees the key where the game built for the
// same bitness sees it.
static const char KEY_PATH[] = "Software\\Kesti Glomb";

HWND Bystander;

void LimitKey(const char *sddl)
{
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(
        ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr));
    HKEY key;
    // The owner may always rewrite the permissions, whatever they say.
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, KEY_PATH, 0, WRITE_DAC, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    RegCloseKey(key);
    LocalFree(sd);
}

void RemoveKey()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KEY_PATH, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return;
    RegCloseKey(key);
    LimitKey("D:P(A;;KA;;;WD)"); // a test may have taken the right to delete it
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, KEY_PATH);
}

void MakeEmptyKey()
{
    RemoveKey();
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, KEY_PATH, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

static HKEY OpenKey()
{
    HKEY key;
    // No more than the game asks for, so the tests can read a key whose
    // permissions allow only that.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KEY_PATH, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool KeyExists()
{
    HKEY key = OpenKey();
    if (key)
        RegCloseKey(key);
    return key != nullptr;
}

void StoreValue(const char *name, DWORD type, const void *data, DWORD size)
{
    HKEY key = OpenKey();
    ASSERT_TRUE(key) << "the settings key should exist";
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, (const BYTE *)data, size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void StoreNumber(const char *name, std::int32_t number)
{
    StoreValue(name, REG_DWORD, &number, sizeof number);
}

void StoreString(const char *name, const std::string &text)
{
    StoreValue(name, REG_SZ, text.c_str(), text.size() + 1);
}

StoredValue ReadStored(const char *name)
{
    StoredValue value = {false, REG_NONE, {}};
    HKEY key = OpenKey();
    if (!key)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.exists = RegQueryValueExA(key, name, nullptr, &value.type, (BYTE *)value.bytes.data(),
                                        &size) == ERROR_SUCCESS;
        value.bytes.resize(size);
    }
    RegCloseKey(key);
    return value;
}

// The watcher: a CBT hook notices each dialog as it is activated and
// starts a thread timer; the timer fires inside the dialog's own modal
// loop once its queue is empty, and there the test acts.
static HHOOK Hook;
static std::deque<std::vector<DialogStep>> Waiting; // steps for the windows to come
static std::vector<DialogStep> Steps;               // and for the one open now
static size_t NextStep;
static HWND Watched;
static UINT_PTR Timer;
static int Shown;

static void CALLBACK WatchDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = Watched;
    bool stepsLeft = NextStep < Steps.size();
    if (!IsWindow(dialog)) {
        KillTimer(nullptr, Timer);
        Timer = 0;
        if (stepsLeft)
            ADD_FAILURE() << "the dialog closed before step " << NextStep + 1;
        Steps.clear();
        return;
    }
    // A dialog box shows itself only once its queue first runs empty; on a
    // busy machine the timer can come first, and a paint then draws nothing.
    if (stepsLeft && NextStep == 0 && !IsWindowVisible(dialog))
        return;
    if (stepsLeft) {
        Steps[NextStep++](dialog);
        if (NextStep == Steps.size()) { // from now on, a watchdog
            KillTimer(nullptr, Timer);
            Timer = SetTimer(nullptr, 0, 3000, WatchDialog);
        }
        return;
    }
    KillTimer(nullptr, Timer);
    Timer = 0;
    char caption[80] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    ADD_FAILURE() << "\"" << caption << "\" stayed open with nobody to answer it";
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

static LRESULT CALLBACK NoticeDialog(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = (HWND)wParam;
    char className[16] = "";
    if (code == HCBT_ACTIVATE && window != Watched) {
        GetClassNameA(window, className, sizeof className);
        if (std::strcmp(className, "#32770") == 0) {
            Watched = window;
            Shown++;
            Steps.clear();
            NextStep = 0;
            if (!Waiting.empty()) {
                Steps = std::move(Waiting.front());
                Waiting.pop_front();
            }
            if (Timer)
                KillTimer(nullptr, Timer);
            Timer = SetTimer(nullptr, 0, 10, WatchDialog);
        }
    }
    return CallNextHookEx(Hook, code, wParam, lParam);
}

void OnNextDialog(std::vector<DialogStep> steps)
{
    Waiting.push_back(std::move(steps));
}

int BoxesShown()
{
    return Shown;
}

static BOOL CALLBACK ReadBoxPart(HWND child, LPARAM lParam)
{
    SeenBox *seen = (SeenBox *)lParam;
    char className[16] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0)
        return TRUE;
    HICON icon = (HICON)SendMessageA(child, STM_GETICON, 0, 0);
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    if (icon)
        seen->icon = icon;
    else if (text[0])
        seen->text = text;
    return TRUE;
}

void CatchNextBox(SeenBox *seen)
{
    *seen = SeenBox{};
    OnNextDialog({[seen](HWND box) {
        char caption[80] = "";
        GetWindowTextA(box, caption, sizeof caption);
        seen->caption = caption;
        seen->owner = GetWindow(box, GW_OWNER);
        seen->bystanderDisabled = !IsWindowEnabled(Bystander);
        EnumChildWindows(box, ReadBoxPart, (LPARAM)seen);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }});
}

void Type(HWND dialog, const std::string &text)
{
    HWND field = GetDlgItem(dialog, IDC_NAME_EDIT);
    for (char c : text)
        SendMessageA(field, WM_CHAR, (unsigned char)c, 0);
}

void PressKey(HWND dialog, UINT key)
{
    PostMessageA(GetDlgItem(dialog, IDC_NAME_EDIT), WM_KEYDOWN, key, 0);
}

static void AddKeyEvent(std::vector<INPUT> &inputs, WORD key, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
}

void StrikeKeys(const char *keys)
{
    std::vector<INPUT> inputs;
    for (const char *c = keys; *c; ++c) {
        bool capital = *c >= 'A' && *c <= 'Z';
        WORD key = *c == '\r' ? VK_RETURN : (WORD)VkKeyScanA(*c) & 0xFF;
        if (capital)
            AddKeyEvent(inputs, VK_SHIFT, 0);
        AddKeyEvent(inputs, key, 0);
        AddKeyEvent(inputs, key, KEYEVENTF_KEYUP);
        if (capital)
            AddKeyEvent(inputs, VK_SHIFT, KEYEVENTF_KEYUP);
    }
    SendInput(inputs.size(), inputs.data(), sizeof(INPUT));
}

std::string FieldText(HWND dialog)
{
    char text[100] = "";
    GetDlgItemTextA(dialog, IDC_NAME_EDIT, text, sizeof text);
    return text;
}

bool OkEnabled(HWND dialog)
{
    return IsWindowEnabled(GetDlgItem(dialog, IDOK));
}

void EnterNameWhenAsked(const std::string &name)
{
    OnNextDialog({[name](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_NAME_EDIT, "");
        Type(dialog, name);
        PressKey(dialog, VK_RETURN);
    }});
}

void StoreTest::SetUp()
{
    Instance = GetModuleHandleA(nullptr);
    if (!Bystander)
        Bystander = CreateWindowExA(0, "Static", "bystander", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                                    nullptr, Instance, nullptr);
    EnableWindow(Bystander, TRUE);
    Hook = SetWindowsHookExA(WH_CBT, NoticeDialog, nullptr, GetCurrentThreadId());
    Waiting.clear();
    Steps.clear();
    Watched = nullptr;
    Shown = 0;
    MainWindow = nullptr;
    Score = 0;
    Language = 1;
    PlayerName[0] = '\0';
    SetTable({});
    MakeEmptyKey();
}

void StoreTest::TearDown()
{
    if (!Waiting.empty())
        ADD_FAILURE() << "a dialog the test waited for never opened";
    Waiting.clear();
    if (Timer)
        KillTimer(nullptr, Timer);
    Timer = 0;
    UnhookWindowsHookEx(Hook);
    // Leave the key as the installation makes it, for whoever runs next.
    MakeEmptyKey();
}

void SetTable(std::initializer_list<HighScoreEntry> entries)
{
    std::memset(HighScoreTable, 0, sizeof HighScoreTable);
    int k = 0;
    for (const HighScoreEntry &entry : entries)
        HighScoreTable[k++] = entry;
}

std::string TableText()
{
    std::string text;
    for (const HighScoreEntry &entry : HighScoreTable) {
        if (!text.empty())
            text += ", ";
        text += std::string(entry.name) + " " + std::to_string(entry.score);
    }
    return text;
}
