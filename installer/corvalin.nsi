; The Corvalin Calculator installer: a per-user install into the user's
; programs folder, Start-menu shortcuts, an Add/Remove Programs entry and an
; uninstaller that removes everything the install made, the folders and
; keys it had to make included, and nothing else.
;
; makensis -DSOURCE=<staged release folder> -DOUTFILE=<setup.exe>
;          -DTARGET=x86-unicode|amd64-unicode -DVERSION=<version> corvalin.nsi

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh

!define NAME "Corvalin Calculator"
!define MAKER "Maplestead, Inc."
!define UNINSTALL_PARENT "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_PARENT}\CorvalinCalculator"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${NAME}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1033 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${NAME} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2017 ${MAKER}"

!define MUI_ICON "..\res\corvalin.ico"
!define MUI_UNICON "..\res\corvalin.ico"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${NAME}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartCalculator
!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENSE.txt"
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderChoiceOnUpdate
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Setup over an existing install updates it where it is, whatever folder
; the command line (/D=) or the folder page would choose: a second copy
; elsewhere would be left behind by the one uninstaller the system lists.
Function .onInit
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCmp $0 "" +2
        StrCpy $INSTDIR $0
FunctionEnd

Function SkipFolderChoiceOnUpdate
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCmp $0 "" +2
        Abort
FunctionEnd

; The calculator starts in its own folder, where it finds its help file by
; its bare name.
Function StartCalculator
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\CorvalinCalc.exe"'
FunctionEnd

Section "Install"
    SetShellVarContext current

    ; The folders above the install folder that do not exist yet, innermost
    ; first, and whether the uninstall entries' key does: the uninstaller
    ; removes what this install makes, and only that. An update keeps the
    ; first install's record: by now those folders and that key exist.
    ClearErrors
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "MadeFolders"
    ReadRegDWORD $2 HKCU "${UNINSTALL_KEY}" "MadeUninstallKey"
    IfErrors 0 recordKept
    StrCpy $0 "$INSTDIR"
    StrCpy $1 ""
    madeFolders:
        ${GetParent} "$0" $0
        StrCmp "$0" "" madeFoldersDone
        IfFileExists "$0\*.*" madeFoldersDone
        StrCpy $1 "$1$0|"
        Goto madeFolders
    madeFoldersDone:
    StrCpy $2 0
    ClearErrors
    EnumRegKey $3 HKCU "${UNINSTALL_PARENT}" 0
    IfErrors 0 +2
        StrCpy $2 1
    recordKept:

    SetOutPath "$INSTDIR"
    File "${SOURCE}\CorvalinCalc.exe"
    File "${SOURCE}\corvalin-calc.exe"
    File "${SOURCE}\Corvalin Calculator.chm"
    File "${SOURCE}\README.txt"
    File "${SOURCE}\LICENSE.txt"
    File "${SOURCE}\THIRD-PARTY-NOTICES.txt"
    SetOutPath "$INSTDIR\help"
    File "${SOURCE}\help\*.html"
    File "${SOURCE}\help\style.css"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ; The shortcuts start in the install folder.
    SetOutPath "$INSTDIR"
    CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\CorvalinCalc.exe"
    CreateShortCut "$SMPROGRAMS\${NAME} Help.lnk" "$INSTDIR\help\index.html"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\CorvalinCalc.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegStr HKCU "${UNINSTALL_KEY}" "MadeFolders" "$1"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "MadeUninstallKey" $2
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "MadeFolders"
    ReadRegDWORD $2 HKCU "${UNINSTALL_KEY}" "MadeUninstallKey"

    Delete "$SMPROGRAMS\${NAME}.lnk"
    Delete "$SMPROGRAMS\${NAME} Help.lnk"
    Delete "$INSTDIR\CorvalinCalc.exe"
    Delete "$INSTDIR\corvalin-calc.exe"
    Delete "$INSTDIR\Corvalin Calculator.chm"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
    Delete "$INSTDIR\help\*.html"
    Delete "$INSTDIR\help\style.css"
    RMDir "$INSTDIR\help"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    ; RMDir without /r: a folder that something else has put files in since
    ; stays.
    madeFolders:
        StrCmp "$1" "" madeFoldersDone
        StrCpy $3 0
        findBar:
            IntOp $3 $3 + 1
            StrCpy $4 "$1" 1 $3
            StrCmp "$4" "|" 0 findBar
        StrCpy $4 "$1" $3
        IntOp $3 $3 + 1
        StrCpy $1 "$1" "" $3
        RMDir "$4"
        Goto madeFolders
    madeFoldersDone:

    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    StrCmp $2 1 0 +2
        DeleteRegKey /ifempty HKCU "${UNINSTALL_PARENT}"

    ; Started as the system starts it, this uninstaller runs from the copy
    ; it made of itself in a folder of its own under the temporary folder,
    ; which it cannot delete while it runs: a hidden command script deletes
    ; that copy as soon as this process has ended (giving up after some
    ; thousand tries), then the folder if nothing else is in it, then
    ; itself. A copy anywhere else is somebody's file, and so is anything
    ; beside it: they stay.
    ${GetParent} "$EXEDIR" $0
    StrCmp "$0" "$TEMP" 0 done
    ${GetFileName} "$EXEDIR" $0
    StrCpy $0 "$0" 4
    StrCmp "$0" "~nsu" 0 done
    FileOpen $0 "$TEMP\Remove ${NAME} uninstaller.cmd" w
    FileWrite $0 '@set tries=0$\r$\n:again$\r$\n@del "$EXEPATH" 2>nul$\r$\n'
    FileWrite $0 '@if exist "$EXEPATH" if %tries% lss 20000 (set /a tries+=1 & goto again)$\r$\n'
    FileWrite $0 '@rmdir "$EXEDIR" 2>nul$\r$\n@del "%~f0"$\r$\n'
    FileClose $0
    SetOutPath "$TEMP"
    ExecShell "" '"$TEMP\Remove ${NAME} uninstaller.cmd"' "" SW_HIDE
    done:
SectionEnd
