; The Windows installer for Glomb.
;
; Besides the program and a Start-menu shortcut, it creates the settings
; key that the game expects to find (the game only ever opens it) and lets
; every user of the machine read and set its values, since the high
; scores are shared by all players. The scores outlive the program: an
; upgrade goes into the folder the game is in, and the uninstaller keeps
; the key unless asked to remove it (on its page, or /REMOVESCORES).
;
;   makensis -DEXE=path/to/glomb.exe -DOUT=path/to/glomb-setup.exe glomb.nsi

Unicode true
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

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

Var Upgrading ; 1 when Glomb is installed already: the folder is not asked

!define MUI_ICON "../../res/glomb.ico"
!define MUI_UNICON "../../res/glomb.ico"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$(WELCOME)"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartGameAsUser
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP "$(KEEP_SCORES)"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.HideSpaceRequired
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the fallback; ChooseLanguage picks the one the game would.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Italian"

VIProductVersion "1.0.0.1"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Glomb"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Glomb installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "1.0.0.1"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "1.0.0.1"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Glomb Team"

LangString GAME_OPEN ${LANG_ENGLISH} "Glomb is open. Close it, then choose Retry."
LangString GAME_OPEN ${LANG_ITALIAN} "Glomb è aperto. Chiudilo, poi scegli Riprova."
LangString NOTHING_CHANGED ${LANG_ENGLISH} "Glomb is still open: nothing has been changed."
LangString NOTHING_CHANGED ${LANG_ITALIAN} "Glomb è ancora aperto: non è stato cambiato nulla."
LangString SCORES ${LANG_ENGLISH} "High scores and language"
LangString SCORES ${LANG_ITALIAN} "Record e lingua"
LangString WELCOME ${LANG_ENGLISH} "This installs Glomb on your computer, for all of its users.$\r$\n$\r$\nIf Glomb is installed already, it is upgraded in its own folder, and every player's high scores are kept.$\r$\n$\r$\n$_CLICK"
LangString WELCOME ${LANG_ITALIAN} "Questo programma installa Glomb nel computer, per tutti i suoi utenti.$\r$\n$\r$\nSe Glomb è già installato, viene aggiornato nella sua cartella e i record di tutti i giocatori restano.$\r$\n$\r$\n$_CLICK"
LangString KEEP_SCORES ${LANG_ENGLISH} "Glomb will be removed from $INSTDIR. The high scores of every player and the language stay on this computer for a later installation, unless you tick them below."
LangString KEEP_SCORES ${LANG_ITALIAN} "Glomb verrà rimosso da $INSTDIR. I record di tutti i giocatori e la lingua restano in questo computer per una prossima installazione, a meno che tu non li selezioni qui sotto."

; The installer in the game's own language: Italian when the user's
; language is Italian, whichever country's, else English.
!macro CHOOSE_LANGUAGE un
Function ${un}ChooseLanguage
  System::Call 'kernel32::GetUserDefaultLangID() i .r0'
  IntOp $0 $0 & 0x3FF
  ${If} $0 = 0x10
    StrCpy $LANGUAGE ${LANG_ITALIAN}
  ${Else}
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CHOOSE_LANGUAGE ""
!insertmacro CHOOSE_LANGUAGE "un."

; Replacing or removing the program while it runs would fail half-way, so
; both wait until the player has closed it, or change nothing at all.
; Its window says that it is open; a program file that cannot be opened
; for writing says so too (a game on another user's desktop, or one
; showing its installation message before its window).
!macro WAIT_FOR_CLOSED_GAME un
Function ${un}WaitForClosedGame
  retry:
  FindWindow $0 "Glomb"
  ${If} $0 = 0
    ${IfNot} ${FileExists} "$INSTDIR\glomb.exe"
      Return
    ${EndIf}
    ClearErrors
    FileOpen $0 "$INSTDIR\glomb.exe" a
    ${IfNot} ${Errors}
      FileClose $0
      Return
    ${EndIf}
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(GAME_OPEN)" /SD IDCANCEL IDRETRY retry
  SetErrorLevel 2
  Abort "$(NOTHING_CHANGED)"
FunctionEnd
!macroend
!insertmacro WAIT_FOR_CLOSED_GAME ""
!insertmacro WAIT_FOR_CLOSED_GAME "un."

; An installation of the game, found by its uninstall entry: its folder
; (InstallLocation; the first release wrote only the uninstaller's path)
; in $0, or "" when there is none.
Function FindInstalledFolder
  SetRegView 64
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "UninstallString"
    StrCpy $1 $0 "" -15
    ${If} $1 == '\uninstall.exe"'
      StrCpy $0 $0 -15 1
    ${Else}
      StrCpy $0 ""
    ${EndIf}
  ${EndIf}
FunctionEnd

; An upgrade replaces the game where it is, whatever /D= says: a second
; copy would share the key with the first, whose uninstaller could then
; pull it away from under it.
Function .onInit
  Call ChooseLanguage
  Call FindInstalledFolder
  ${If} $0 != ""
    StrCpy $INSTDIR $0
    StrCpy $Upgrading 1
  ${EndIf}
FunctionEnd

Function SkipFolderOnUpgrade
  ${If} $Upgrading = 1
    Abort
  ${EndIf}
FunctionEnd

; The installer runs with administrator rights, which the game must not
; inherit: the shell of the person who is logged on starts it for them.
Function StartGameAsUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\glomb.exe"'
FunctionEnd

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
  Call WaitForClosedGame
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=glomb.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Glomb.lnk" "$INSTDIR\glomb.exe"

  ; An empty key: writing and removing a value creates it without content,
  ; and leaves the values of an existing key as they are.
  SetRegView 32
  WriteRegStr HKLM "${KEY}" "" ""
  DeleteRegValue HKLM "${KEY}" ""
  Call GrantUsersValueAccess

  SetRegView 64
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Glomb"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "1.0.0.1"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Glomb Team"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\glomb.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The program goes first: while it cannot be removed nothing else is.
Section "-un.Glomb"
  Call un.WaitForClosedGame
  SetShellVarContext all
  Delete "$INSTDIR\glomb.exe"
  Delete "$SMPROGRAMS\Glomb.lnk"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  SetRegView 64
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.$(SCORES)" RemoveScores
  SetRegView 32
  DeleteRegKey HKLM "${KEY}"
SectionEnd

; Removing frees space; the page's "Space required: 0.0 KB" would puzzle.
Function un.HideSpaceRequired
  FindWindow $0 "#32770" "" $HWNDPARENT
  GetDlgItem $0 $0 1023
  ShowWindow $0 ${SW_HIDE}
FunctionEnd

Function un.onInit
  Call un.ChooseLanguage
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESCORES" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${RemoveScores}
  ${EndIf}
FunctionEnd
