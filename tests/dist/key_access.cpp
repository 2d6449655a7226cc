// Reports what the installed settings key's permissions give SYSTEM,
// Administrators and Users, and whether the game's own open succeeds.
// Used by the installer test: exit 0 when SYSTEM and Administrators have
// full control and Users exactly query value, set value and read control
// (so no delete, and no rewriting of permissions or owner), and the open
// works; 1 otherwise; 2 when the key is missing.
#include <windows.h>

#include <aclapi.h>
#include <cstdio>

// Everything the key's allowing entries give the well-known group rid.
static ACCESS_MASK AllowedTo(PACL dacl, DWORD subAuthorities, DWORD rid0, DWORD rid1)
{
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    AllocateAndInitializeSid(&nt, subAuthorities, rid0, rid1, 0, 0, 0, 0, 0, 0, &sid);
    ACCESS_MASK mask = 0;
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE *ace;
        if (GetAce(dacl, i, reinterpret_cast<void **>(&ace)) &&
            ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
            EqualSid(reinterpret_cast<PSID>(&ace->SidStart), sid))
            mask |= ace->Mask;
    }
    FreeSid(sid);
    return mask;
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
    GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                    nullptr, &sd);
    ACCESS_MASK system = AllowedTo(dacl, 1, SECURITY_LOCAL_SYSTEM_RID, 0);
    ACCESS_MASK admins = AllowedTo(dacl, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
    ACCESS_MASK users = AllowedTo(dacl, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS);
    LocalFree(sd);
    RegCloseKey(key);

    HKEY game;
    LONG played = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kesti Glomb", 0,
                                KEY_QUERY_VALUE | KEY_SET_VALUE, &game);
    if (played == ERROR_SUCCESS)
        RegCloseKey(game);
    std::printf("SYSTEM 0x%lx, Administrators 0x%lx, Users 0x%lx; the game's open: error %ld\n",
                system, admins, users, played);
    bool full =
        (system & KEY_ALL_ACCESS) == KEY_ALL_ACCESS && (admins & KEY_ALL_ACCESS) == KEY_ALL_ACCESS;
    bool usersExact = users == (KEY_QUERY_VALUE | KEY_SET_VALUE | READ_CONTROL);
    if (users & (DELETE | WRITE_DAC | WRITE_OWNER))
        std::printf("Users may delete the key or change its permissions or owner\n");
    return full && usersExact && played == ERROR_SUCCESS ? 0 : 1;
}
