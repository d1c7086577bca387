; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer of one edition (x86 or x64): per machine, into Program Files, with a
; Start-menu shortcut and an entry in the list of installed programs. "setup.exe /S" installs
; and "uninstall.exe /S" removes it without a word, so that a school can put it on a whole lab.
; makensis -DVERSION=1.00 -DEDITION=x86 -DEXE=binrot.exe -DICON=binrot.ico -DOUTFILE=setup.exe
;     installer.nsi
Unicode true
; The installer is a program of its edition too, so that the x64 one runs where no 32-bit
; code does, and writes to the 64-bit Program Files and registry.
!if ${EDITION} == x64
    Target amd64-unicode
    InstallDir "$PROGRAMFILES64\binrot"
!else
    Target x86-unicode
    InstallDir "$PROGRAMFILES\binrot"
!endif
SetCompressor /SOLID lzma
; No file times inside, so that the same program makes the same installer.
SetDateSave off
!include "MUI2.nsh"

!define TITLE "Възможни числа при двоично представяне"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\binrot"
!define SHORTCUT "$SMPROGRAMS\${TITLE}.lnk"

Name "binrot ${VERSION} (${EDITION})"
Caption "binrot ${VERSION} (${EDITION}) - ${TITLE}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1026 "ProductName" "binrot"
VIAddVersionKey /LANG=1026 "FileDescription" "binrot ${VERSION} (${EDITION}) - ${TITLE}"
VIAddVersionKey /LANG=1026 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1026 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1026 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Bulgarian"

Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File "/oname=binrot.exe" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\binrot.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "binrot (${EDITION}) - ${TITLE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "binrot"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\binrot.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "${SHORTCUT}"
    Delete "$INSTDIR\binrot.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
