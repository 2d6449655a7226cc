// Reports whether the Users group may open the settings key with full
// access, and whether such an open succeeds here. Used by the installer
// test: exit 0 when both hold, 1 otherwise, 2 when the key is missing.
#include <windows.h>

#include <aclapi.h>
#include <cstdio>

static bool UsersHaveFullControl(PACL dacl)
{
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID users = nullptr;
    AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0, 0,
                             0, 0, 0, 0, &users);
    bool found = false;
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE *ace;
        if (!GetAce(dacl, i, reinterpret_cast<void **>(&ace)))
            continue;
        if (ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE)
            continue;
        if (EqualSid(reinterpret_cast<PSID>(&ace->SidStart), users) &&
            (ace->Mask & KEY_ALL_ACCESS) == KEY_ALL_ACCESS)
            found = true;
    }
    FreeSid(users);
    return found;
}

int main()
{
    HKEY key;
    LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kesti Glomb", 0, READ_CONTROL, &key);
    if (opened != ERROR_SUCCESS) {
        std::printf("settings key missing (error %ld)\n", opened);
        return 2;
    }
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    DWORD got = GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                &dacl, nullptr, &sd);
    bool users = got == ERROR_SUCCESS && UsersHaveFullControl(dacl);
    LocalFree(sd);
    RegCloseKey(key);

    HKEY full;
    LONG all = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kesti Glomb", 0, KEY_ALL_ACCESS, &full);
    if (all == ERROR_SUCCESS)
        RegCloseKey(full);
    std::printf("users full control: %s; open with full access: %s\n", users ? "yes" : "no",
                all == ERROR_SUCCESS ? "yes" : "no");
    return users && all == ERROR_SUCCESS ? 0 : 1;
}
