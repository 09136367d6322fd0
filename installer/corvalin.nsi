; The Corvalin Calculator installer: a per-user install into the user's
; programs folder, Start-menu shortcuts, an Add/Remove Programs entry and an
; uninstaller that removes everything the install made, the folders and
; keys it had to make included, and nothing else.
;
; makensis -DSOURCE=<staged release folder> -DOUTFILE=<setup.exe>
;          -DTARGET=x86-unicode|amd64-unicode -DVERSION=<version>
;          -DHELP_PAGES=<a line '${HelpPage} "name"' for each help page> corvalin.nsi

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
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE LeaveFolderChoice
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var Updating      ; 1 when setup updates its own install in its folder
Var Removing      ; the uninstaller's temporary copy is being removed: 1
Var LeftInUse     ; 1 when a file of the install could not be deleted

; Setup over an existing install updates it where it is, whatever folder
; the command line (/D=) or the folder page would choose: a second copy
; elsewhere would be left behind by the one uninstaller the system lists.
; A recorded folder that no longer holds the install (a removed drive, a
; deleted folder) is no install: setup then asks for a folder as usual.
Function .onInit
    StrCpy $Updating 0
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCmp $0 "" notUpdating
    IfFileExists "$0\Uninstall.exe" 0 notUpdating
        StrCpy $INSTDIR $0
        StrCpy $Updating 1
        Return
    notUpdating:
    ; Silent, there is no folder page to ask again: a folder that cannot be
    ; used ends setup with exit code 2.
    IfSilent 0 +5
        Call FolderHoldsFiles
        Pop $0
        StrCmp $0 1 0 +2
            Call RefuseFolder
FunctionEnd

Function SkipFolderChoiceOnUpdate
    StrCmp $Updating 1 0 +2
        Abort
FunctionEnd

; Setup writes only into a folder of its own: one that holds other files
; (Documents, say) would have them overwritten by same-named ones, and an
; uninstall would leave the folder with theirs.
Function LeaveFolderChoice
    Call FolderHoldsFiles
    Pop $0
    StrCmp $0 1 0 +2
        Call RefuseFolder
FunctionEnd

; Pushes 1 when $INSTDIR holds anything, else 0.
Function FolderHoldsFiles
    FindFirst $0 $1 "$INSTDIR\*.*"
    StrCpy $2 0
    nextEntry:
        StrCmp $1 "" done
        StrCmp $1 "." skip
        StrCmp $1 ".." skip
            StrCpy $2 1
            Goto done
        skip:
        FindNext $0 $1
        Goto nextEntry
    done:
    FindClose $0
    Push $2
FunctionEnd

; On the folder page: says why and stays on the page. Silent: exit code 2.
Function RefuseFolder
    MessageBox MB_OK|MB_ICONSTOP "$INSTDIR already holds other files.$\r$\n$\r$\n${NAME} is installed into a folder of its own: choose a new or empty folder." /SD IDOK
    IfSilent 0 +3
        SetErrorLevel 2
        Quit
    Abort
FunctionEnd

; The calculator starts in its own folder, where it finds its help file by
; its bare name.
Function StartCalculator
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\CorvalinCalc.exe"'
FunctionEnd

; The help pages, one name each (the list is made from the staged folder):
; installed by name and removed by name, never by wildcard, so that a page
; the install did not write stays.
!macro InstallHelpPage NAME
    File "${SOURCE}\help\${NAME}"
!macroend
!macro RemoveOwnFile PATH
    Delete "${PATH}"
    IfFileExists "${PATH}" 0 +2
        StrCpy $LeftInUse 1
!macroend
!macro RemoveHelpPage NAME
    !insertmacro RemoveOwnFile "$INSTDIR\help\${NAME}"
!macroend

Section "Install"
    SetShellVarContext current

    ; What the install makes, for the uninstaller to remove it and only it:
    ; whether it made the install folder, the folders above it that did not
    ; exist yet (innermost first), and whether it made the uninstall
    ; entries' key. An update keeps the first install's record: by now
    ; those folders and that key exist. A record whose folder is gone
    ; still knows who made the key.
    StrCmp $Updating 1 0 freshRecord
        ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "MadeFolders"
        ReadRegDWORD $2 HKCU "${UNINSTALL_KEY}" "MadeUninstallKey"
        ClearErrors
        ReadRegDWORD $3 HKCU "${UNINSTALL_KEY}" "MadeInstallFolder"
        ; A record from before this value: that uninstaller always removed
        ; the install folder when it was empty.
        IfErrors 0 +2
            StrCpy $3 1
        Goto recordDone
    freshRecord:
    StrCpy $3 1
    IfFileExists "$INSTDIR\*.*" 0 +2
        StrCpy $3 0
    StrCpy $0 "$INSTDIR"
    StrCpy $1 ""
    madeFolders:
        ${GetParent} "$0" $0
        StrCmp "$0" "" madeFoldersDone
        IfFileExists "$0\*.*" madeFoldersDone
        StrCpy $1 "$1$0|"
        Goto madeFolders
    madeFoldersDone:
    ClearErrors
    ReadRegDWORD $2 HKCU "${UNINSTALL_KEY}" "MadeUninstallKey"
    IfErrors 0 recordDone
    StrCpy $2 0
    ClearErrors
    EnumRegKey $4 HKCU "${UNINSTALL_PARENT}" 0
    IfErrors 0 +2
        StrCpy $2 1
    recordDone:

    SetOutPath "$INSTDIR"
    File "${SOURCE}\CorvalinCalc.exe"
    File "${SOURCE}\corvalin-calc.exe"
    File "${SOURCE}\Corvalin Calculator.chm"
    File "${SOURCE}\README.txt"
    File "${SOURCE}\LICENSE.txt"
    File "${SOURCE}\THIRD-PARTY-NOTICES.txt"
    SetOutPath "$INSTDIR\help"
    !define HelpPage "!insertmacro InstallHelpPage"
    !include "${HELP_PAGES}"
    !undef HelpPage
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
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "MadeInstallFolder" $3
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    StrCpy $LeftInUse 0
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "MadeFolders"
    ReadRegDWORD $2 HKCU "${UNINSTALL_KEY}" "MadeUninstallKey"
    ReadRegDWORD $3 HKCU "${UNINSTALL_KEY}" "MadeInstallFolder"

    !insertmacro RemoveOwnFile "$INSTDIR\CorvalinCalc.exe"
    !insertmacro RemoveOwnFile "$INSTDIR\corvalin-calc.exe"
    !insertmacro RemoveOwnFile "$INSTDIR\Corvalin Calculator.chm"
    !insertmacro RemoveOwnFile "$INSTDIR\README.txt"
    !insertmacro RemoveOwnFile "$INSTDIR\LICENSE.txt"
    !insertmacro RemoveOwnFile "$INSTDIR\THIRD-PARTY-NOTICES.txt"
    !define HelpPage "!insertmacro RemoveHelpPage"
    !include "${HELP_PAGES}"
    !undef HelpPage

    ; A file in use (the calculator running, its help open) stays: then so
    ; do the uninstaller, the shortcuts and the entry, so that the uninstall
    ; can be run again to finish once it is closed.
    StrCmp $LeftInUse 1 0 removeTheRest
        DetailPrint "Some files are in use and were not removed."
        MessageBox MB_OK|MB_ICONEXCLAMATION "Some of ${NAME}'s files are in use and were not removed.$\r$\n$\r$\nClose ${NAME} and its help, then uninstall it again to finish." /SD IDOK
        SetErrorLevel 1
        Goto startRemovingCopy
    removeTheRest:
    Delete "$SMPROGRAMS\${NAME}.lnk"
    Delete "$SMPROGRAMS\${NAME} Help.lnk"
    RMDir "$INSTDIR\help"
    Delete "$INSTDIR\Uninstall.exe"
    StrCmp $3 1 0 +2
        RMDir "$INSTDIR"

    ; RMDir without /r: a folder that something else has put files in since
    ; stays. The record is "folder|folder|...|"; a record cut short loses
    ; only its last, unterminated name.
    madeFolders:
        StrLen $5 "$1"
        StrCpy $3 0
        findBar:
            IntCmp $3 $5 madeFoldersDone 0 madeFoldersDone
            StrCpy $4 "$1" 1 $3
            IntOp $3 $3 + 1
            StrCmp "$4" "|" 0 findBar
        IntOp $4 $3 - 1
        StrCpy $4 "$1" $4
        StrCpy $1 "$1" "" $3
        RMDir "$4"
        Goto madeFolders
    madeFoldersDone:

    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    StrCmp $2 1 0 +2
        DeleteRegKey /ifempty HKCU "${UNINSTALL_PARENT}"

    startRemovingCopy:
    ; Silent, the process ends right after this section; with a window,
    ; only once the user closes it (un.onGUIEnd).
    IfSilent 0 +2
        Call un.RemoveTemporaryCopy
SectionEnd

Function un.onGUIEnd
    Call un.RemoveTemporaryCopy
FunctionEnd

; Started as the system starts it, this uninstaller runs from the copy it
; made of itself in a folder of its own under the temporary folder, which
; it cannot delete while it runs. A hidden command script deletes that copy
; once this process has ended, then the folder if nothing else is in it,
; then itself: it tries once a second (ping's pause: the one sleep every
; Windows from XP on has) for up to ten minutes, since a virus scanner may
; hold the file for a while. The script is ASCII and holds no path: the
; paths reach it in environment variables, expanded once, so neither the
; code page nor a "%" in a folder name can change them; they are the short
; forms, since Wine's command processor expands a "%" in a script's path
; again. A copy anywhere else is somebody's file, and so is anything beside
; it: they stay.
Function un.RemoveTemporaryCopy
    StrCmp $Removing 1 done
    StrCpy $Removing 1
    ${GetParent} "$EXEDIR" $0
    StrCmp "$0" "$TEMP" 0 done
    ${GetFileName} "$EXEDIR" $0
    StrCpy $0 "$0" 4
    StrCmp "$0" "~nsu" 0 done
    FileOpen $0 "$TEMP\corvalin-calculator-uninstall.cmd" w
    FileWrite $0 '@set tries=0$\r$\n:again$\r$\n'
    FileWrite $0 '@if not exist "%CORVALIN_UNINSTALLER%" goto gone$\r$\n'
    FileWrite $0 '@del "%CORVALIN_UNINSTALLER%" 2>nul$\r$\n'
    FileWrite $0 '@if not exist "%CORVALIN_UNINSTALLER%" goto gone$\r$\n'
    FileWrite $0 '@set /a tries+=1$\r$\n@if %tries% geq 600 goto end$\r$\n'
    FileWrite $0 '@ping -n 2 127.0.0.1 >nul$\r$\n@goto again$\r$\n'
    FileWrite $0 ':gone$\r$\n@rmdir "%CORVALIN_UNINSTALLER_FOLDER%" 2>nul$\r$\n:end$\r$\n@del "%~f0"$\r$\n'
    FileClose $0
    GetFullPathName /SHORT $0 "$TEMP\corvalin-calculator-uninstall.cmd"
    System::Call 'kernel32::SetEnvironmentVariable(t "CORVALIN_UNINSTALL_SCRIPT", t r0)'
    GetFullPathName /SHORT $0 "$EXEPATH"
    System::Call 'kernel32::SetEnvironmentVariable(t "CORVALIN_UNINSTALLER", t r0)'
    GetFullPathName /SHORT $0 "$EXEDIR"
    System::Call 'kernel32::SetEnvironmentVariable(t "CORVALIN_UNINSTALLER_FOLDER", t r0)'
    SetOutPath "$TEMP"
    ExecShell "" "$SYSDIR\cmd.exe" '/d /q /v:off /s /c ""%CORVALIN_UNINSTALL_SCRIPT%""' SW_HIDE
    done:
FunctionEnd
