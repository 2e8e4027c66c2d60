; The Windows installer of Tamrel.  scripts/package.sh builds it from the
; install tree of the MinGW cross build:
;   makensis -DVERSION=2.1 -DVERSION4=2.1.0.0 -DSTAGE=DIR -DICON=resources/tamrel.ico \
;            -DOUTFILE=dist/Tamrel-2.1-setup.exe packaging/tamrel.nsi
; STAGE holds Tamrel.exe, cli/tamrel.exe, README.md and LICENSE.txt.
;
; It installs for the current user alone, without administrator rights:
; the files under %LOCALAPPDATA%\Programs\Tamrel, a Start-menu shortcut and
; the uninstall entry under HKCU.  /S installs silently, /D=DIR elsewhere.

!ifndef VERSION
  !error "define VERSION, VERSION4, STAGE, ICON and OUTFILE (see the top of this file)"
!endif
!ifndef VERSION4
  !error "define VERSION4: the version in four numbers, as 2.1.0.0"
!endif
!ifndef STAGE
  !error "define STAGE: the install tree of the cross build"
!endif
!ifndef ICON
  !error "define ICON: resources/tamrel.ico"
!endif
!ifndef OUTFILE
  !error "define OUTFILE: the installer to write"
!endif

Unicode true
; The programs are 64-bit, and so is the installer: it runs wherever they do.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamrel"

Name "Tamrel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tamrel"
; A later install goes where the last one went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tamrel ${VERSION}"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "Tamrel"
VIAddVersionKey /LANG=1033 "FileDescription" "Tamrel installer"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "The Tamrel developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 The Tamrel developers"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tamrel.exe"

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Stops with a message and status 2 when an installed program cannot be
; replaced because it is running; a silent install would otherwise skip the
; file and report success.
!macro ReplaceProgram PROGRAM
  ClearErrors
  ${If} ${FileExists} "${PROGRAM}"
    Delete "${PROGRAM}"
  ${EndIf}
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "Tamrel is running. Close it and install again." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
!macroend

Section "Tamrel"
  SetShellVarContext current
  !insertmacro ReplaceProgram "$INSTDIR\Tamrel.exe"
  !insertmacro ReplaceProgram "$INSTDIR\cli\tamrel.exe"
  SetOutPath "$INSTDIR"
  File "${STAGE}/Tamrel.exe"
  File "${STAGE}/README.md"
  File "${STAGE}/LICENSE.txt"
  ; Tamrel.exe and tamrel.exe differ only in letter case, which a Windows
  ; folder does not tell apart.
  SetOutPath "$INSTDIR\cli"
  File "${STAGE}/cli/tamrel.exe"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Tamrel.lnk" "$INSTDIR\Tamrel.exe" "" "$INSTDIR\Tamrel.exe" 0

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tamrel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Tamrel developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "https://www.tamrel.org"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tamrel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what the installer wrote and the folders it made, when
; they are empty: the user may have chosen a folder that holds other files,
; or kept outputs in it, and those stay.
Section "Uninstall"
  SetShellVarContext current
  ; A running Tamrel.exe cannot be deleted: stop before anything is
  ; removed, so the uninstall entry still leads here once it is closed.
  ClearErrors
  Delete "$INSTDIR\Tamrel.exe"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "Tamrel is running. Close it and uninstall again." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  Delete "$INSTDIR\cli\tamrel.exe"
  RMDir "$INSTDIR\cli"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$SMPROGRAMS\Tamrel.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
