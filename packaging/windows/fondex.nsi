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
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.FitLocationLabel
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

; The confirmation page's "Désinstallation à partir de :" is longer than the place the page
; gives it: the label grows to its text in its own font, and the folder's box beside it gives up
; that room.
Function un.FitLocationLabel
  FindWindow $0 "#32770" "" $HWNDPARENT
  GetDlgItem $1 $0 1029  ; the label
  GetDlgItem $2 $0 1000  ; the folder's box
  System::Call "user32::GetWindowTextW(p r1, w .r3, i ${NSIS_MAX_STRLEN})"
  StrLen $4 $3
  SendMessage $1 ${WM_GETFONT} 0 0 $5
  System::Call "user32::GetDC(p r1) p .r6"
  System::Call "gdi32::SelectObject(p r6, p r5) p .r5"
  System::Call "*(i, i) p .r7"
  System::Call "gdi32::GetTextExtentPoint32W(p r6, w r3, i r4, p r7)"
  System::Call "*$7(i .r8, i)"
  System::Free $7
  System::Call "gdi32::SelectObject(p r6, p r5)"
  System::Call "user32::ReleaseDC(p r1, p r6)"
  ; The label's and the box's places in the page.
  System::Call "*(i, i, i, i, i, i, i, i) p .r7"
  System::Call "user32::GetWindowRect(p r1, p r7)"
  IntPtrOp $9 $7 + 16
  System::Call "user32::GetWindowRect(p r2, p r9)"
  System::Call "user32::MapWindowPoints(p 0, p r0, p r7, i 4)"
  System::Call "*$7(i .R0, i .R1, i .R2, i .R3, i .R4, i .R5, i .R6, i .R7)"
  System::Free $7
  IntOp $R2 $R4 - $R2  ; the gap between them
  IntOp $8 $8 + 2
  IntOp $R8 $R0 + $8
  IntOp $R8 $R8 + $R2  ; the box's new left edge
  IntOp $R3 $R3 - $R1
  System::Call "user32::SetWindowPos(p r1, p 0, i 0, i 0, i r8, i R3, i 0x16)"
  IntOp $R9 $R6 - $R8
  IntOp $R7 $R7 - $R5
  System::Call "user32::SetWindowPos(p r2, p 0, i R8, i R5, i R9, i R7, i 0x14)"
FunctionEnd

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
