; The Wordmere setup program. installer/build_installer.cmake compiles it with makensis and
; passes:
;   VERSION     the program's version ("2.2")
;   ICON        the program's icon
;   OUTFILE     the setup program to write
;   FILES_NSH   "File" lines of everything it installs
;   DELETE_NSH  "Delete" lines of the same files, for the uninstaller
Unicode true
Target amd64-unicode
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"

!define PRODUCT "Wordmere"
!define PUBLISHER "Corvessa"
!define MAIN_CLASS "Vocabre:Main"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wordmere"
!define SETTINGS_KEY "SOFTWARE\Corvessa\Wordmere"
!define SHORTCUT "$SMPROGRAMS\Wordmere.lnk"
!define UNINSTALLER "Uninstall.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright © ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This will install ${PRODUCT} ${VERSION}, the Greek–English dictionary \
with a thesaurus, further Greek dictionaries and language pairs, on your computer.$\r$\n$\r$\n\
If ${PRODUCT} is running, close it first (Exit... in its window menu).$\r$\n$\r$\n\
Click Next to continue."
; The log stays on screen until the user goes on, so a failed step can be read.
!define MUI_FINISHPAGE_NOAUTOCLOSE
!define MUI_UNFINISHPAGE_NOAUTOCLOSE
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\vbr_help.chm"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the help"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Files in use cannot be replaced or removed, and a half-replaced program would not start:
; both the setup and the uninstaller stop while Wordmere runs.
!macro RefuseWhileRunning what
    FindWindow $0 "${MAIN_CLASS}" ""
    ${If} $0 <> 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "${PRODUCT} is running. Close it (Exit... in its \
window menu), then ${what} again." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
!macroend

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs the 64-bit edition of Windows." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
    SetRegView 64
    !insertmacro RefuseWhileRunning "run the setup"
FunctionEnd

; Started through Explorer, so that the program runs with the user's own rights, not with the
; setup's elevated ones (its settings and user words then go where the user's own starts put
; them).
Function StartProgram
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\wordmere.exe"'
FunctionEnd

Section "${PRODUCT}" SectionProgram
    SectionIn RO
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    !include "${FILES_NSH}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The shortcut's working directory is the output path: the install folder.
    CreateShortcut "${SHORTCUT}" "$INSTDIR\wordmere.exe" "" "$INSTDIR\wordmere.exe" 0 \
        SW_SHOWNORMAL "" "Look up words in the Wordmere dictionaries"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\wordmere.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    SetRegView 64
    !insertmacro RefuseWhileRunning "remove it"
FunctionEnd

; Adds the folder to the list $R1 when it holds user dictionaries (*.usr).
!macro NoteUserWords folder
    ClearErrors
    FindFirst $1 $2 "${folder}\*.usr"
    ${IfNot} ${Errors}
    ${AndIf} $2 != ""
        ${If} $R1 == ""
            DetailPrint "Your own words (*.usr) were kept in:"
        ${EndIf}
        ; One line each: the details list shows a line break as boxes.
        DetailPrint "    ${folder}"
        StrCpy $R1 "$R1$\r$\n${folder}"
    ${EndIf}
    FindClose $1
!macroend

Section "Uninstall"
    SetShellVarContext all
    Delete "${SHORTCUT}"
    !include "${DELETE_NSH}"
    Delete "$INSTDIR\${UNINSTALLER}"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Corvessa"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\Corvessa"

    ; What the program wrote stays: the user's words (*.usr, in the program folder or the
    ; user's application data) and the search history (Vocabre.ini, which an older program of
    ; the same name may share). RMDir removes a folder only when it is empty.
    SetShellVarContext current
    StrCpy $R1 ""
    !insertmacro NoteUserWords "$INSTDIR"
    !insertmacro NoteUserWords "$APPDATA\${PRODUCT}"
    RMDir "$INSTDIR"
    RMDir "$APPDATA\${PRODUCT}"
    ${If} $R1 != ""
        MessageBox MB_OK|MB_ICONINFORMATION "${PRODUCT} has been removed. Your own words \
(the user dictionary files *.usr) were kept; delete them yourself when you no longer need \
them:$\r$\n$R1" /SD IDOK
    ${EndIf}
SectionEnd
