; Per-user installer of Valdris3. It makes exactly what vd_uninstall removes:
; the installation folder, the uninstall entry under HKCU, the desktop
; shortcut and the Start-menu folder "Korvan游戏\Valdris3".
;
; Defined by the build (makensis -D...):
;   VD_TARGET        x86-unicode or amd64-unicode
;   VD_OUT_FILE      the installer to write
;   VD_CLIENT_EXE    vd.exe to package
;   VD_UNINSTALL_EXE vd_uninstall.exe to package
;   VD_ICON          the client's icon
;   VD_HEADER_BMP    150x57 header picture
;   VD_WELCOME_BMP   164x314 welcome and finish picture
;   VD_CHANNEL_UID   channel ids written to Config.ini
;   VD_CHANNEL_ADV

Unicode true
Target ${VD_TARGET}
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define GAME_TITLE "Valdris3"
!define GAME_VERSION "1.16"
!define PUBLISHER "Korvan"
!define START_GROUP "Korvan游戏"
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\${GAME_TITLE}"
; Seconds from 1601-01-01 to 1970-01-01 in FILETIME ticks.
!define UNIX_EPOCH_TICKS 116444736000000000

Name "${GAME_TITLE}"
OutFile "${VD_OUT_FILE}"
InstallDir "$LOCALAPPDATA\Korvan\${GAME_TITLE}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${START_GROUP}"
ShowInstDetails nevershow

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${VD_ICON}"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${VD_HEADER_BMP}"
!define MUI_HEADERIMAGE_BITMAP_STRETCH NoStretchNoCropNoAlign
!define MUI_WELCOMEFINISHPAGE_BITMAP "${VD_WELCOME_BMP}"
!define MUI_BGCOLOR "14122E"
!define MUI_TEXTCOLOR "F2D9A0"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\vd.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${GAME_VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${GAME_TITLE}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${GAME_TITLE} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${GAME_VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${GAME_VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "© ${PUBLISHER}"

; Replaces the path on the stack by 1 when it is a folder, else by 0 (a
; file, or nothing there).
Function IsFolder
  Exch $R0
  System::Call "kernel32::GetFileAttributesW(w R0) i .R0"
  ${If} $R0 = -1
    StrCpy $R0 0
  ${Else}
    IntOp $R0 $R0 & 0x10
    ${If} $R0 <> 0
      StrCpy $R0 1
    ${EndIf}
  ${EndIf}
  Exch $R0
FunctionEnd

; The uninstaller deletes everything in the folder it runs from, so the
; installer may only use a folder that is missing, empty, or an earlier
; installation: vd.exe or vd_uninstall.exe beside nothing but the files an
; installation holds; and never a folder the uninstaller keeps (the user's
; and the system's own). Leaves 1 in $R0 when $INSTDIR may be used, else 0.
Function CheckInstallFolder
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  StrCpy $R0 1
  Push "$INSTDIR"
  Call IsFolder
  Pop $R1
  ${If} $R1 == 1
    StrCpy $R3 0 ; a program of an earlier installation was seen
    StrCpy $R4 0 ; anything was seen
    FindFirst $R1 $R2 "$INSTDIR\*.*"
    ${DoUntil} $R2 == ""
      ${If} $R2 != "."
      ${AndIf} $R2 != ".."
        StrCpy $R4 1
        Push "$INSTDIR\$R2"
        Call IsFolder
        Pop $R5
        ${If} $R5 == 1
          StrCpy $R0 0
        ${ElseIf} $R2 == "vd.exe"
        ${OrIf} $R2 == "vd_uninstall.exe"
          StrCpy $R3 1
        ${ElseIf} $R2 != "Config.ini"
        ${AndIf} $R2 != "korvan_uninstall.bat"
          StrCpy $R0 0
        ${EndIf}
      ${EndIf}
      FindNext $R1 $R2
    ${Loop}
    FindClose $R1
    ; Settings alone, without our programs, are somebody else's.
    ${If} $R4 == 1
    ${AndIf} $R3 == 0
      StrCpy $R0 0
    ${EndIf}
  ${ElseIf} ${FileExists} "$INSTDIR"
    StrCpy $R0 0
  ${EndIf}
  Call RefuseUserAndSystemFolders
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
FunctionEnd

; The folder given with /D=, from the raw command line, on the stack (empty
; when none). The installer itself drops a /D= that names a file or a drive
; root, or that is quoted, and would silently use its default folder.
Function RequestedFolder
  Push $0
  Push $1
  Push $2
  System::Call "kernel32::GetCommandLineW() w .r0"
  StrCpy $1 0
  ${Do}
    StrCpy $2 $0 4 $1
    ${If} $2 == ""
      StrCpy $0 ""
      ${Break}
    ${ElseIf} $2 == " /D="
    ${OrIf} $2 == '"/D='
      IntOp $1 $1 + 4
      StrCpy $0 $0 "" $1
      ${If} $2 == '"/D='
      ${AndIf} $0 != ""
        StrCpy $0 $0 -1
      ${EndIf}
      ${Break}
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
  ${Do}
    StrCpy $2 $0 1 -1
    ${If} $2 != "\"
      ${Break}
    ${EndIf}
    StrCpy $0 $0 -1
  ${Loop}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Clears $R0 when $INSTDIR is the folder on the stack or lies above it.
Function RefuseAtOrAbove
  Exch $0
  Push $1
  Push $2
  ${If} $0 != ""
    StrLen $1 $INSTDIR
    StrCpy $2 $0 $1
    ${If} $2 == $INSTDIR
      StrCpy $2 $0 1 $1
      ${If} $2 == ""
      ${OrIf} $2 == "\"
        StrCpy $R0 0
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

!macro RefuseAtOrAbove FOLDER
  Push "${FOLDER}"
  Call RefuseAtOrAbove
!macroend

; vd_uninstall never empties these folders nor one above them, so an
; installation there could not be removed.
Function RefuseUserAndSystemFolders
  Push $0
  !insertmacro RefuseAtOrAbove "$PROFILE"
  !insertmacro RefuseAtOrAbove "$DESKTOP"
  !insertmacro RefuseAtOrAbove "$DOCUMENTS"
  !insertmacro RefuseAtOrAbove "$APPDATA"
  !insertmacro RefuseAtOrAbove "$LOCALAPPDATA"
  !insertmacro RefuseAtOrAbove "$WINDIR"
  !insertmacro RefuseAtOrAbove "$PROGRAMFILES32"
  !insertmacro RefuseAtOrAbove "$PROGRAMFILES64"
  ReadRegStr $0 HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders" "{374DE290-123F-4565-9164-39C4925E467B}"
  ExpandEnvStrings $0 $0
  !insertmacro RefuseAtOrAbove "$0"
  Pop $0
FunctionEnd

Function TellFolderRefused
  ${IfNot} ${Silent}
    MessageBox MB_OK|MB_ICONSTOP "不能安装到“$INSTDIR”：卸载${GAME_TITLE}时会删除整个安装文件夹。请选择一个空文件夹或新文件夹。"
  ${EndIf}
FunctionEnd

Function .onInit
  SetShellVarContext current
  ${If} ${Silent}
    Call RequestedFolder
    Pop $0
    ${If} $0 != ""
    ${AndIf} $0 != $INSTDIR
      SetErrorLevel 2
      Quit
    ${EndIf}
    Call CheckInstallFolder
    ${If} $R0 == 0
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  Call CheckInstallFolder
  ${If} $R0 == 0
    Call TellFolderRefused
    Abort
  ${EndIf}
FunctionEnd

; Unix seconds (UTC) on the stack, the form the client puts into its URL.
Function UnixTimeNow
  Push $0
  System::Call "kernel32::GetSystemTimeAsFileTime(*l .r0)"
  System::Int64Op $0 - ${UNIX_EPOCH_TICKS}
  Pop $0
  System::Int64Op $0 / 10000000
  Pop $0
  Exch $0
FunctionEnd

; A running client holds vd.exe open; the file could not be replaced.
Function WaitForClientToEnd
  ${Do}
    FindWindow $0 "valdris" "${GAME_TITLE}"
    ${If} $0 == 0
      Return
    ${EndIf}
    ${If} ${Silent}
      SetErrorLevel 3
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${GAME_TITLE}正在运行，请关闭游戏后重试。" IDRETRY again
    Quit
    again:
  ${Loop}
FunctionEnd

; In silent mode a file that cannot be written is skipped, and the
; installer would still end with success.
!macro InstallFile NAME SOURCE
  ClearErrors
  File "/oname=${NAME}" "${SOURCE}"
  ${If} ${Errors}
    SetErrorLevel 4
    Abort "${NAME}"
  ${EndIf}
!macroend

Section "${GAME_TITLE}"
  SetShellVarContext current
  Call WaitForClientToEnd
  SetOverwrite on
  SetOutPath "$INSTDIR"
  !insertmacro InstallFile "vd.exe" "${VD_CLIENT_EXE}"
  !insertmacro InstallFile "vd_uninstall.exe" "${VD_UNINSTALL_EXE}"

  ; A new Config.ini starts as UTF-16 with a byte-order mark: the profile
  ; functions then keep writing Unicode, and a Chinese user name that the
  ; client stores survives on a system whose code page cannot hold it.
  ${IfNot} ${FileExists} "$INSTDIR\Config.ini"
    FileOpen $0 "$INSTDIR\Config.ini" w
    FileWriteUTF16LE /BOM $0 ""
    FileClose $0
  ${EndIf}
  ; The client owns every other key; an earlier installation keeps its run
  ; count, user name and first install time.
  WriteINIStr "$INSTDIR\Config.ini" "Common" "UID" "${VD_CHANNEL_UID}"
  WriteINIStr "$INSTDIR\Config.ini" "Common" "ADV" "${VD_CHANNEL_ADV}"
  ReadINIStr $0 "$INSTDIR\Config.ini" "Install" "InstallTime"
  ${If} $0 == ""
    Call UnixTimeNow
    Pop $0
    WriteINIStr "$INSTDIR\Config.ini" "Install" "InstallTime" "$0"
  ${EndIf}

  ; vd_uninstall removes the key with RegDeleteKey, so it must stay without subkeys.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${GAME_TITLE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vd.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\vd_uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${GAME_VERSION}"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  CreateShortcut "$DESKTOP\${GAME_TITLE}.lnk" "$INSTDIR\vd.exe" "" "$INSTDIR\vd.exe" 0
  CreateDirectory "$SMPROGRAMS\${START_GROUP}\${GAME_TITLE}"
  CreateShortcut "$SMPROGRAMS\${START_GROUP}\${GAME_TITLE}\${GAME_TITLE}.lnk" "$INSTDIR\vd.exe" "" "$INSTDIR\vd.exe" 0
  CreateShortcut "$SMPROGRAMS\${START_GROUP}\${GAME_TITLE}\卸载${GAME_TITLE}.lnk" "$INSTDIR\vd_uninstall.exe" "" "$INSTDIR\vd_uninstall.exe" 0
SectionEnd
