; The Corvane installer for Windows, made by make-installer.sh with makensis.
;
; One installer for both architectures: on 64-bit Windows it installs the
; 64-bit programs, on 32-bit Windows the 32-bit ones.
;   corvane.exe, README.txt, THIRD-PARTY-NOTICES.txt and uninstall.exe
;                      in Program Files\Corvane (the folder can be changed)
;   corvane.scr        in the real system folder (System32, with WOW64's file
;                      redirection off for the 64-bit one), where Screen Saver
;                      Settings list it
;   Corvane.lnk        in every user's Start menu
;   the uninstall key  under HKLM (the native registry view), for Installed
;                      apps: name, version, publisher, icon, size
; An optional choice, off by default, makes Corvane the current user's
; screen saver (/SCREENSAVER does it in a silent install).
;
; Installing over an installed Corvane first runs the installed uninstaller
; silently, in place, so that nothing of the older version stays behind (it
; keeps the user's screen-saver choice).
; /S installs and uninstalls silently. Without administrator rights it says
; so (on standard error in a silent run, in a message box otherwise),
; changes nothing and ends with status 740.
;
; Defines (makensis -D): VERSION (shown), VERSION_NUMBERS (four numbers for
; the version resource), STAGE32 and STAGE64 (the installed trees of the two
; builds) with SIZE32 and SIZE64 (theirs in KiB), ICON, OUTFILE and, to sign
; the uninstaller, SIGN (the command).

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "x64.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define NAME "Corvane"
!define PUBLISHER "Corvane Developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane"
!define DESKTOP_KEY "Control Panel\Desktop"
; Windows' code for "the requested operation requires elevation".
!define ERROR_ELEVATION_REQUIRED 740

Name "${NAME}"
OutFile "${OUTFILE}"
BrandingText "${NAME} ${VERSION}"
InstallDir "$PROGRAMFILES\${NAME}"

!ifdef SIGN
!uninstfinalize `${SIGN} "%1"`
!endif

VIProductVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=1033 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${NAME} installer"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The registry and file system of the programs' own architecture.
!macro NativeViews
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend

; Refuses to go on without administrator rights: nothing is changed yet.
!macro NeedAdmin
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    ${If} ${Silent}
      StrCpy $1 "${NAME} needs administrator rights to install or uninstall.$\r$\n"
      StrLen $2 $1
      System::Call 'kernel32::GetStdHandle(i -12) p .r3'
      System::Call 'kernel32::WriteFile(p r3, m r1, i r2, *i .r4, p 0)'
    ${Else}
      MessageBox MB_ICONSTOP "${NAME} needs administrator rights to install or uninstall.$\r$\nRun it again as an administrator."
    ${EndIf}
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
    Quit
  ${EndIf}
!macroend

Section "${NAME} (the show and the screen saver)" Programs
  SectionIn RO
  !insertmacro NativeViews

  ; An older version goes first, by its own uninstaller, left in place.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ExecWait '"$0\uninstall.exe" /S /UPGRADE _?=$0'
    Delete "$0\uninstall.exe"
  ${EndIf}

  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "${STAGE64}\corvane.exe"
    ${DisableX64FSRedirection}
    SetOutPath "$WINDIR\System32"
    File "${STAGE64}\corvane.scr"
    ${EnableX64FSRedirection}
  ${Else}
    File "${STAGE32}\corvane.exe"
    SetOutPath "$SYSDIR"
    File "${STAGE32}\corvane.scr"
  ${EndIf}
  SetOutPath "$INSTDIR"
  File "${STAGE32}\README.txt"
  File "${STAGE32}\THIRD-PARTY-NOTICES.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\corvane.exe" "" "$INSTDIR\corvane.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\corvane.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB, with the screen saver, which is not in the folder.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    ${GetSize} "$WINDIR\System32" "/M=corvane.scr /S=0K /G=0" $1 $2 $3
    ${EnableX64FSRedirection}
  ${Else}
    ${GetSize} "$SYSDIR" "/M=corvane.scr /S=0K /G=0" $1 $2 $3
  ${EndIf}
  IntOp $0 $0 + $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Use ${NAME} as my screen saver" ScreenSaverChoice
  ; The path as Screen Saver Settings write it: System32, which a 64-bit
  ; Windows resolves for 64-bit programs, as the control panel is one.
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$WINDIR\System32\corvane.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

Function .onInit
  !insertmacro NeedAdmin
  !insertmacro NativeViews
  ; The space one architecture's files take, not both.
  SectionSetSize ${Programs} ${SIZE32}
  ${If} ${RunningX64}
    StrCpy $INSTDIR "$PROGRAMFILES64\${NAME}"
    SectionSetSize ${Programs} ${SIZE64}
  ${EndIf}
  ; An installed Corvane keeps its folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/SCREENSAVER" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${ScreenSaverChoice} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro NeedAdmin
FunctionEnd

; Whatever of it is left: a file deleted by hand is simply not there.
Section "Uninstall"
  !insertmacro NativeViews
  Delete "$INSTDIR\corvane.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    Delete "$WINDIR\System32\corvane.scr"
    ${EnableX64FSRedirection}
  ${Else}
    Delete "$SYSDIR\corvane.scr"
  ${EndIf}

  SetShellVarContext all
  Delete "$SMPROGRAMS\${NAME}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The current user's screen saver, when it is the one just removed; an
  ; upgrade (/UPGRADE, from the newer installer) keeps the user's choice.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/UPGRADE" $1
  ${If} ${Errors}
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${GetFileName} $0 $1
    ${If} $1 == "corvane.scr"
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}
  ClearErrors
SectionEnd
