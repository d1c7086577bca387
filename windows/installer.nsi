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
!define IN_USE "binrot е отворен и не може да бъде затворен. Затворете го и опитайте отново."

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

; A running binrot holds its file, which can then be neither replaced nor removed. It keeps no
; data, so it is closed first, whoever runs it. Should the file still not go, the installer
; stops before it has changed anything and says why; silent, it ends with exit code 2.
!macro CloseProgram
    nsExec::Exec '"$SYSDIR\taskkill.exe" /f /im binrot.exe'
    Pop $0 ; 128 where none was running
    ; An ended program may hold its file a moment longer.
    StrCpy $0 0
    close_retry:
        Delete "$INSTDIR\binrot.exe"
        IfFileExists "$INSTDIR\binrot.exe" 0 close_done
        Sleep 100
        IntOp $0 $0 + 1
        IntCmp $0 50 0 close_retry
    MessageBox MB_ICONSTOP "${IN_USE}" /SD IDOK
    SetErrorLevel 2
    Quit
    close_done:
!macroend

Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    !insertmacro CloseProgram
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
    !insertmacro CloseProgram
    Delete "${SHORTCUT}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
