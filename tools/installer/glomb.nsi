; The Windows installer for Glomb.
;
; Besides the program and a Start-menu shortcut, it creates the settings
; key that the game expects to find (the game only ever opens it) and lets
; every user of the machine read and set its values, since the high
; scores are shared by all players.
;
;   makensis -DEXE=path/to/glomb.exe -DOUT=path/to/glomb-setup.exe glomb.nsi

Unicode true
!include "LogicLib.nsh"

!ifndef EXE
  !error "pass -DEXE=path/to/glomb.exe"
!endif
!ifndef OUT
  !define OUT "glomb-setup.exe"
!endif

!define KEY "Software\Kesti Glomb"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glomb"
; SYSTEM and Administrators keep full control of the settings key. Users
; (S-1-5-32-545, by SID so that it works in every language of Windows)
; get what the game asks for and no more: query value, set value and read
; control (0x20003), so no player can delete the key, rewrite its
; permissions or take it over.
!define KEY_SDDL "D:P(A;CI;KA;;;SY)(A;CI;KA;;;BA)(A;CI;0x20003;;;S-1-5-32-545)"

Name "Glomb"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES32\Glomb"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "1.0.0.1"
VIAddVersionKey "ProductName" "Glomb"
VIAddVersionKey "FileDescription" "Glomb installer"
VIAddVersionKey "FileVersion" "1.0.0.1"
VIAddVersionKey "ProductVersion" "1.0.0.1"
VIAddVersionKey "LegalCopyright" "Glomb Team"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Grants the access described by KEY_SDDL on the settings key, in the
; 32-bit view where the 32-bit game looks for it.
Function GrantUsersValueAccess
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${KEY_SDDL}", i 1, *p .r1, p 0) i .r0'
  ${If} $0 == 0
    DetailPrint "Could not build the security descriptor"
    Return
  ${EndIf}
  ; WRITE_DAC | KEY_WOW64_32KEY
  System::Call 'advapi32::RegOpenKeyExW(p 0x80000002, w "${KEY}", i 0, i 0x40200, *p .r2) i .r0'
  ${If} $0 == 0
    ; DACL_SECURITY_INFORMATION
    System::Call 'advapi32::RegSetKeySecurity(p r2, i 4, p r1) i .r0'
    System::Call 'advapi32::RegCloseKey(p r2)'
  ${EndIf}
  ${If} $0 != 0
    DetailPrint "Could not open the settings key to its players (error $0)"
  ${EndIf}
  System::Call 'kernel32::LocalFree(p r1)'
FunctionEnd

Section "Glomb"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=glomb.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Glomb.lnk" "$INSTDIR\glomb.exe"

  ; An empty key: writing and removing a value creates it without content.
  SetRegView 32
  WriteRegStr HKLM "${KEY}" "" ""
  DeleteRegValue HKLM "${KEY}" ""
  Call GrantUsersValueAccess

  SetRegView 64
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Glomb"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "1.0.0.1"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Glomb Team"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\glomb.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Glomb.lnk"
  Delete "$INSTDIR\glomb.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  SetRegView 32
  DeleteRegKey HKLM "${KEY}"
  SetRegView 64
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
