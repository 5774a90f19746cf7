; Dalvimo's installer for Windows, made by Debian's makensis (package nsis)
; through make_packages.cmake, which defines VERSION, OUTFILE, ICON,
; UNINSTALL_NAME, INSTALL_FILES, UNINSTALL_FILES (the staged files) and
; SIZE_KB.
;
; It installs for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Dalvimo (or the folder given with /D=), adds a
; Start-menu entry and the folder to the user's PATH (so that dalvimoctl
; runs from any console), and lists itself among the installed programs.
; The program finds its install folder in that entry and then keeps the
; user's settings in %APPDATA%\Dalvimo. Silent: setup.exe /S [/D=folder].

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"
!include "WordFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${UNINSTALL_NAME}"

Name "Dalvimo ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Dalvimo"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\dalvimo.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Dalvimo"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Dalvimo ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "The Dalvimo developers"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "GPL-3.0-or-later"

; The user's own PATH (HKCU\Environment), with the install folder added or
; taken out. A value too long for NSIS to read whole is left alone rather
; than written back cut short.
!macro EditUserPath un
Function ${un}EditUserPath
    Exch $0 ; "+folder" or "-folder"
    Push $1
    Push $2
    Push $3
    ClearErrors
    ReadRegStr $1 HKCU "Environment" "Path"
    ${If} ${Errors}
        ; Missing, or unreadable because too long: tell the two apart.
        StrCpy $3 0
        ${Do}
            EnumRegValue $2 HKCU "Environment" $3
            ${IfThen} $2 == "" ${|} ${ExitDo} ${|}
            ${If} $2 == "Path"
                DetailPrint "PATH is too long to change; dalvimoctl is in $INSTDIR"
                Goto done
            ${EndIf}
            IntOp $3 $3 + 1
        ${Loop}
        StrCpy $1 ""
    ${EndIf}
    ${WordAdd} "$1" ";" "$0" $2
    ${If} $2 != $1
        ${If} $2 == ""
            DeleteRegValue HKCU "Environment" "Path"
        ${Else}
            WriteRegExpandStr HKCU "Environment" "Path" "$2"
        ${EndIf}
        SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=500
    ${EndIf}
done:
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro EditUserPath ""
!insertmacro EditUserPath "un."

Section "Dalvimo"
    SetShellVarContext current
    !include "${INSTALL_FILES}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\Dalvimo.lnk" "$INSTDIR\dalvimo.exe" "" "$INSTDIR\dalvimo.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Dalvimo"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Dalvimo developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\dalvimo.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}

    Push "+$INSTDIR"
    Call EditUserPath
SectionEnd

; Every file the installer put there, and nothing else: settings the user
; keeps in %APPDATA%\Dalvimo, or a dalvimo.cfg beside the program, stay.
Section "Uninstall"
    SetShellVarContext current
    !include "${UNINSTALL_FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Dalvimo.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    Push "-$INSTDIR"
    Call un.EditUserPath
SectionEnd
