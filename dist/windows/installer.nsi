; Dalvimo's installer for Windows, made by Debian's makensis (package nsis)
; through make_packages.cmake, which defines VERSION, OUTFILE, ICON,
; UNINSTALL_NAME, INSTALL_FILES, UNINSTALL_FILES (the staged files), HELPER
; (dalvimo-setup.exe, built with the programs) and SIZE_KB.
;
; It installs for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Dalvimo (or the folder given with /D=), adds a
; Start-menu entry and the folder bin, which holds only dalvimoctl's
; launcher, to the user's PATH, and lists itself among the installed
; programs. The program finds its install folder in that entry and then
; keeps the user's settings in %APPDATA%\Dalvimo. Silent: setup.exe /S
; [/D=folder].
;
; Whatever the system's API does better than the installer's own commands
; is the helper's (setup_helper/main.cpp): closing the programs that run
; from the folder, moving all the files in at once, and the PATH, which
; is read and written whole at any length.
;
; Exit status, of setup.exe and of the uninstaller alike:
;   0  done
;   1  cancelled by the user
;   2  a Dalvimo program in that folder is still running: nothing touched
;   3  done, but the PATH is left as it was (dalvimoctl is not on it, or
;      uninstalling could not take its entry off)
;   4  the files could not all be replaced: each is as it was

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${UNINSTALL_NAME}"
!define EXIT_RUNNING 2
!define EXIT_PATH_UNCHANGED 3
!define EXIT_FILES_KEPT 4

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

LangString RunningAsk ${LANG_RUSSIAN} "Из папки $INSTDIR сейчас работает Dalvimo (dalvimo.exe, dalvimoctl.exe или quorvan-sim.exe).$\r$\n$\r$\nЗакрыть его и продолжить? Окно Dalvimo закроется так же, как по кнопке «Выйти», и его настройки сохранятся."
LangString RunningAsk ${LANG_ENGLISH} "Dalvimo is running from $INSTDIR (dalvimo.exe, dalvimoctl.exe or quorvan-sim.exe).$\r$\n$\r$\nClose it and go on? The Dalvimo window closes as its button «Выйти» closes it, and keeps its settings."
LangString StillRunning ${LANG_RUSSIAN} "Dalvimo из папки $INSTDIR всё ещё работает, и ни один файл не изменён.$\r$\n$\r$\nЗакройте его (dalvimoctl и quorvan-sim — клавишами Ctrl+C в их окне консоли) и нажмите «Повтор»."
LangString StillRunning ${LANG_ENGLISH} "Dalvimo from $INSTDIR is still running, and no file has been changed.$\r$\n$\r$\nClose it (dalvimoctl and quorvan-sim with Ctrl+C in their console window) and press Retry."
LangString FilesKept ${LANG_RUSSIAN} "Файлы в папке $INSTDIR не удалось заменить все сразу, поэтому каждый оставлен как был."
LangString FilesKept ${LANG_ENGLISH} "The files in $INSTDIR could not all be replaced, so each one is as it was."
LangString PathNotice ${LANG_RUSSIAN} "Dalvimo установлен, но dalvimoctl не добавлен в PATH: переменную PATH этого пользователя не удалось прочитать или записать целиком (или она стала бы длиннее 32 767 знаков). PATH оставлен в точности таким, каким был.$\r$\n$\r$\nЗапускайте dalvimoctl по полному пути:$\r$\n$INSTDIR\bin\dalvimoctl.exe$\r$\nили добавьте в PATH папку $INSTDIR\bin сами."
LangString PathNotice ${LANG_ENGLISH} "Dalvimo is installed, but dalvimoctl is not on the PATH: this user's PATH could not be read or written whole (or would grow beyond 32,767 characters). The PATH is left exactly as it was.$\r$\n$\r$\nRun dalvimoctl by its full path:$\r$\n$INSTDIR\bin\dalvimoctl.exe$\r$\nor add the folder $INSTDIR\bin to the PATH yourself."
LangString UnPathNotice ${LANG_RUSSIAN} "Dalvimo удалён, но папку $INSTDIR\bin не удалось убрать из PATH этого пользователя: PATH оставлен таким, каким был. Уберите её сами: «Изменение переменных среды текущего пользователя», переменная Path."
LangString UnPathNotice ${LANG_ENGLISH} "Dalvimo is removed, but the folder $INSTDIR\bin could not be taken off this user's PATH: the PATH is left as it was. Take it off yourself: «Edit environment variables for your account», variable Path."

LangString ClosingDetail ${LANG_RUSSIAN} "Закрывается Dalvimo из папки $INSTDIR"
LangString ClosingDetail ${LANG_ENGLISH} "Closing Dalvimo in $INSTDIR"
LangString RunningDetail ${LANG_RUSSIAN} "Dalvimo из папки $INSTDIR всё ещё работает: ничего не изменено"
LangString RunningDetail ${LANG_ENGLISH} "Dalvimo in $INSTDIR is still running: nothing changed"
LangString PathDetail ${LANG_RUSSIAN} "dalvimoctl не добавлен в PATH, PATH оставлен как был; dalvimoctl — в папке $INSTDIR\bin"
LangString PathDetail ${LANG_ENGLISH} "dalvimoctl is not on the PATH, which is left as it was; it is in $INSTDIR\bin"
LangString UnPathDetail ${LANG_RUSSIAN} "$INSTDIR\bin остался в PATH, PATH оставлен как был"
LangString UnPathDetail ${LANG_ENGLISH} "$INSTDIR\bin is still on the PATH, which is left as it was"

; The helper, unpacked for this run only.
!macro Helper un
Function ${un}UnpackHelper
    InitPluginsDir
    File "/oname=$PLUGINSDIR\dalvimo-setup.exe" "${HELPER}"
FunctionEnd

; Before any file is touched: no program of the package may run from the
; folder. Asked first in the wizard; closed without asking when silent.
Function ${un}CloseRunning
    ExecWait '"$PLUGINSDIR\dalvimo-setup.exe" running "$INSTDIR"' $0
    ${If} $0 == 0
        Return
    ${EndIf}
    ${IfNot} ${Silent}
        MessageBox MB_OKCANCEL|MB_ICONQUESTION "$(RunningAsk)" IDOK close
        SetErrorLevel ${EXIT_RUNNING}
        Abort
    ${EndIf}
close:
    DetailPrint "$(ClosingDetail)"
    ExecWait '"$PLUGINSDIR\dalvimo-setup.exe" close "$INSTDIR"' $0
    ${If} $0 != 0
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY close
        DetailPrint "$(RunningDetail)"
        SetErrorLevel ${EXIT_RUNNING}
        Abort
    ${EndIf}
FunctionEnd
!macroend
!insertmacro Helper ""
!insertmacro Helper "un."

Function .onInit
    Call UnpackHelper
FunctionEnd

Function un.onInit
    Call un.UnpackHelper
FunctionEnd

; A run cut off before the files were moved in leaves no staging folder.
Function .onInstFailed
    RMDir /r "$INSTDIR\.setup-new"
    RMDir "$INSTDIR"
FunctionEnd

Var Stage

Section "Dalvimo"
    SetShellVarContext current
    Call CloseRunning
    StrCpy $Stage "$INSTDIR\.setup-new"
    RMDir /r "$Stage"
    !include "${INSTALL_FILES}"
    WriteUninstaller "$Stage\uninstall.exe"
    SetOutPath "$INSTDIR" ; the staging folder may go only when no longer the current one
    ExecWait '"$PLUGINSDIR\dalvimo-setup.exe" commit "$Stage" "$INSTDIR" "${UNINSTALL_KEY}"' $0
    ${If} $0 != 0
        MessageBox MB_OK|MB_ICONSTOP "$(FilesKept)" /SD IDOK
        DetailPrint "$(FilesKept)"
        SetErrorLevel ${EXIT_FILES_KEPT}
        Abort
    ${EndIf}
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

    ; The launcher's folder on the PATH; the install folder itself, which
    ; the first version put there, off it.
    ExecWait '"$PLUGINSDIR\dalvimo-setup.exe" path-add "${UNINSTALL_KEY}" "$INSTDIR\bin" "$INSTDIR"' $0
    ${If} $0 != 0
        DetailPrint "$(PathDetail)"
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(PathNotice)" /SD IDOK
        SetErrorLevel ${EXIT_PATH_UNCHANGED}
    ${EndIf}
SectionEnd

; Every file the installer put there, and nothing else: settings the user
; keeps in %APPDATA%\Dalvimo, or a dalvimo.cfg beside the program, stay.
Section "Uninstall"
    SetShellVarContext current
    Call un.CloseRunning
    ExecWait '"$PLUGINSDIR\dalvimo-setup.exe" remove "$INSTDIR" "${UNINSTALL_KEY}"' $0
    ${If} $0 != 0
        MessageBox MB_OK|MB_ICONSTOP "$(FilesKept)" /SD IDOK
        SetErrorLevel ${EXIT_FILES_KEPT}
        Abort
    ${EndIf}
    ; What the helper's list did not hold (it has them all, unless the
    ; registry lost it).
    !include "${UNINSTALL_FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Dalvimo.lnk"
    ExecWait '"$PLUGINSDIR\dalvimo-setup.exe" path-remove "${UNINSTALL_KEY}"' $0
    ${If} $0 != 0
        DetailPrint "$(UnPathDetail)"
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(UnPathNotice)" /SD IDOK
        SetErrorLevel ${EXIT_PATH_UNCHANGED}
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
