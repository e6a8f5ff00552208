; Fondex's installer for one user: no administrator rights, and a folder the user may write,
; since the program keeps its lists and settings (FONDEX.DAT, FONDEX.INI) beside itself.
; The build gives VERSION, PROGRAM, HELP, ICON and OUTFILE on makensis's command line.
; A 64-bit installer for a 64-bit program: it runs wherever fondex.exe does.
Target amd64-unicode
!include "MUI2.nsh"

!define UNINSTALLER "desinstaller.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Fondex"

Name "Fondex"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Fondex"
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
BrandingText "Fondex ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\fondex.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

; A running copy holds its file: stop before changing anything rather than half-way (a silent
; install would otherwise go on past the file it cannot replace and report success).
!macro StopIfFondexRuns again
  ClearErrors
  Delete "$INSTDIR\fondex.exe"
  IfErrors 0 +3
    MessageBox MB_OK|MB_ICONSTOP "Fondex est ouvert : fermez-le, puis recommencez ${again}." /SD IDOK
    Abort
!macroend

Section
  !insertmacro StopIfFondexRuns "l'installation"
  SetOutPath "$INSTDIR"
  File "/oname=fondex.exe" "${PROGRAM}"
  File "/oname=Fondex.hlp" "${HELP}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\Fondex.lnk" "$INSTDIR\fondex.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Fondex"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\fondex.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The user's FONDEX.DAT and FONDEX.INI stay, and with them the folder.
Section "Uninstall"
  !insertmacro StopIfFondexRuns "la désinstallation"
  Delete "$INSTDIR\Fondex.hlp"
  Delete "$SMPROGRAMS\Fondex.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Last before the folder: once the uninstaller is gone, the rest is done.
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd
