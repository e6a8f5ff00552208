; Fondex's installer for one user: no administrator rights, and a folder the user may write,
; since the program keeps its lists and settings (FONDEX.DAT, FONDEX.INI) beside itself.
; The build gives VERSION, PROGRAM, HELP, ICON, PAGE_PICTURE, HEADER_PICTURE and OUTFILE on
; makensis's command line.
; A 64-bit installer for a 64-bit program: it runs wherever fondex.exe does.
Target amd64-unicode
!include "MUI2.nsh"
!include "FileFunc.nsh"

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
; The program's own picture on the pages, not the installer maker's.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PAGE_PICTURE}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${PAGE_PICTURE}"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${HEADER_PICTURE}"
!define MUI_HEADERIMAGE_UNBITMAP "${HEADER_PICTURE}"
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
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Fondex"
  ; The size of the installed files, in KiB.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The user's FONDEX.DAT and FONDEX.INI stay, and with them the folder.
; The uninstaller works from a copy of itself in a temporary folder, which the system would
; remove only at the next restart: a hidden command removes it as soon as this copy has ended
; (its short name needs no quotes, which the command's loop would not take).
!macro RemoveOwnCopyAfterwards
  ${GetFileName} "$EXEDIR" $0
  StrCpy $0 $0 4
  StrCmp $0 "~nsu" 0 +4
    GetFullPathName /SHORT $0 "$EXEDIR"
    SetOutPath "$TEMP"  ; the command's own folder, which must not be the one it removes
    ExecShell "" "$SYSDIR\cmd.exe" "/c for /l %i in (1,1,5000) do @if exist $0 rmdir /s /q $0 2>nul" SW_HIDE
!macroend

Section "Uninstall"
  !insertmacro StopIfFondexRuns "la désinstallation"
  Delete "$INSTDIR\Fondex.hlp"
  Delete "$SMPROGRAMS\Fondex.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Last before the folder: once the uninstaller is gone, the rest is done.
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  !insertmacro RemoveOwnCopyAfterwards
SectionEnd
