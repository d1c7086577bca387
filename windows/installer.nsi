; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer of one edition (x86 or x64): per machine, into Program Files, with a
; Start-menu shortcut and an entry in the list of installed programs. "setup.exe /S" installs
; and the entry's quiet uninstall command removes it without a word, so that a school can put it
; on a whole lab. It replaces the other edition's setup-program installation, and refuses where a
; Windows Installer package has installed binrot: that one is IT's to change.
; makensis -DVERSION=1.00 -DEDITION=x86 -DEXE=binrot.exe -DCLOSER=close_binrot.exe
;     -DICON=binrot.ico -DWXS=binrot.wxs -DOUTFILE=setup.exe [-DSIGN=authenticode.sh] installer.nsi
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
; Signed, the uninstaller it writes is signed before it goes in.
!ifdef SIGN
    !uninstfinalize '"${SIGN}" "%1" ${EDITION}/uninstall.exe' = 0
!endif
; No file times inside, so that the same program makes the same installer.
SetDateSave off
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
; The packages' UpgradeCodes, from the package's source, where they are fixed.
!searchparse /file "${WXS}" `UpgradeCodeX86 = "` UPGRADE_CODE_X86 `"`
!searchparse /file "${WXS}" `UpgradeCodeX64 = "` UPGRADE_CODE_X64 `"`

!define TITLE "Възможни числа при двоично представяне"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\binrot"
!define SHORTCUT "$SMPROGRAMS\${TITLE}.lnk"
!define IN_USE "binrot е отворен и не може да бъде затворен. Затворете го и опитайте отново."
!define PACKAGE_INSTALLED "binrot е инсталиран на този компютър с пакет на Windows Installer (.msi). Обновете го с нов пакет или първо премахнете инсталирания."
!define OTHER_FAILED "Предишната инсталация на binrot не може да бъде премахната. Премахнете я и опитайте отново."
; Run in place (_?=, last on its line), the uninstaller is done when it returns, with its own
; exit code, but cannot delete itself: the quiet command has cmd do that after it.
!define QUIET_UNINSTALL '"$SYSDIR\cmd.exe" /c ""$INSTDIR\uninstall.exe" /S _?=$INSTDIR&& del "$INSTDIR\uninstall.exe"&& rd "$INSTDIR""'

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
; data, so the one started from this folder is closed first, whoever runs it; a binrot.exe from
; anywhere else keeps running. Should the file still not go, the installer stops before it has
; changed anything and says why; silent, it ends with exit code 2.
!macro CloseProgram
    InitPluginsDir
    File "/oname=$PLUGINSDIR\close_binrot.exe" "${CLOSER}"
    nsExec::Exec '"$PLUGINSDIR\close_binrot.exe" "$INSTDIR"'
    Pop $0
    ; An ended program may hold its file a moment longer.
    StrCpy $0 0
    close_retry:
        Delete "$INSTDIR\binrot.exe"
        IfFileExists "$INSTDIR\binrot.exe" 0 close_done
        Sleep 100
        IntOp $0 $0 + 1
        IntCmp $0 50 0 close_retry
    !insertmacro Refuse "${IN_USE}" 2
    close_done:
!macroend

; Silent, no box waits: the message is for a person at the screen, the exit code for a script.
!macro Refuse message code
    MessageBox MB_ICONSTOP "${message}" /SD IDOK
    SetErrorLevel ${code}
    Quit
!macroend

; A package of either edition installed: Windows Installer knows it by its UpgradeCode.
!macro RefuseOverPackage code
    System::Call 'msi::MsiEnumRelatedProductsW(w "{${code}}", i 0, i 0, w .r1) i .r0'
    ${If} $0 == 0
        !insertmacro Refuse "${PACKAGE_INSTALLED}" 3
    ${EndIf}
!macroend

Function .onInit
    SetShellVarContext all
    !insertmacro RefuseOverPackage ${UPGRADE_CODE_X86}
    !insertmacro RefuseOverPackage ${UPGRADE_CODE_X64}
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

; An installation by a setup program whose entry is in the registry view now set, in another
; folder than this one (the other edition's, or one chosen before), is removed by its own
; uninstaller, run in place; an entry whose uninstaller is gone is only forgotten.
Function RemoveOtherInstallation
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${IfThen} $1 == "" ${|} Return ${|}
    ${IfThen} $1 == $INSTDIR ${|} Return ${|}
    ${If} ${FileExists} "$1\uninstall.exe"
        ExecWait '"$1\uninstall.exe" /S _?=$1' $0
        ${If} $0 != 0
            !insertmacro Refuse "${OTHER_FAILED}" 4
        ${EndIf}
        ; Run in place, it leaves itself behind.
        Delete "$1\uninstall.exe"
        RMDir "$1"
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
FunctionEnd

Section
    ; Either edition's installation, each in its own registry view; 32-bit Windows has one.
    !if ${EDITION} == x64
        SetRegView 32
        Call RemoveOtherInstallation
        SetRegView 64
        Call RemoveOtherInstallation
    !else
        ${If} ${RunningX64}
            SetRegView 64
            Call RemoveOtherInstallation
            SetRegView 32
        ${EndIf}
        Call RemoveOtherInstallation
    !endif
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
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '${QUIET_UNINSTALL}'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    !insertmacro CloseProgram
    Delete "${SHORTCUT}"
    ; Run in place, the uninstaller cannot delete its own file: whoever ran it does.
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
