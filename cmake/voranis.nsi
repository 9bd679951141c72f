; The Windows installer: the game folder, the Start-menu entries, the entry in the installed
; programs and the firewall rules for the game's port; the uninstaller takes all of them away
; again and leaves only the player's settings (%APPDATA%\Voranis).
; Made by scripts/package-windows, which defines VERSION, VERSION_QUAD, GAME_DIR, OUT_FILE
; and FILE_LIST (the uninstaller's list of the game folder's files).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!macro requireDefine NAME
  !ifndef ${NAME}
    !error "${NAME} is not defined: make the installer with scripts/package-windows GAME_DIR OUT_DIR VERSION"
  !endif
!macroend
!insertmacro requireDefine VERSION
!insertmacro requireDefine VERSION_QUAD
!insertmacro requireDefine GAME_DIR
!insertmacro requireDefine OUT_FILE
!insertmacro requireDefine FILE_LIST

!define PUBLISHER "Voranis developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Voranis"
!define MENU_DIR "$SMPROGRAMS\Voranis"
!define GAME_PORT 2345

Name "Voranis ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\Voranis"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey "ProductName" "Voranis"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "Voranis ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; One inbound rule a program and protocol: TCP for the game's joiners, UDP for the games list.
!macro firewallRules ACTION PROGRAM LABEL
  !if "${ACTION}" == "add"
    nsExec::ExecToLog 'netsh advfirewall firewall add rule name="${LABEL} (TCP)" dir=in action=allow program="$INSTDIR\${PROGRAM}" protocol=TCP localport=${GAME_PORT}'
    Pop $0
    nsExec::ExecToLog 'netsh advfirewall firewall add rule name="${LABEL} (UDP)" dir=in action=allow program="$INSTDIR\${PROGRAM}" protocol=UDP localport=${GAME_PORT}'
    Pop $0
  !else
    nsExec::ExecToLog 'netsh advfirewall firewall delete rule name="${LABEL} (TCP)"'
    Pop $0
    nsExec::ExecToLog 'netsh advfirewall firewall delete rule name="${LABEL} (UDP)"'
    Pop $0
  !endif
!macroend

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "Voranis needs a 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Voranis"
  SetOutPath "$INSTDIR"
  File /r "${GAME_DIR}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcuts start in the game folder, where the programs find their data.
  CreateDirectory "${MENU_DIR}"
  CreateShortcut "${MENU_DIR}\Voranis.lnk" "$INSTDIR\voranis.exe" "" "$INSTDIR\voranis.exe" 0
  CreateShortcut "${MENU_DIR}\Voranis server.lnk" "$INSTDIR\voranis-server.exe" "" \
    "$INSTDIR\voranis-server.exe" 0
  CreateShortcut "${MENU_DIR}\Uninstall Voranis.lnk" "$INSTDIR\uninstall.exe"

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Voranis"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\voranis.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; A reinstall replaces the rules rather than adding a second set.
  !insertmacro firewallRules delete "voranis.exe" "Voranis"
  !insertmacro firewallRules delete "voranis-server.exe" "Voranis server"
  !insertmacro firewallRules add "voranis.exe" "Voranis"
  !insertmacro firewallRules add "voranis-server.exe" "Voranis server"
SectionEnd

Section "Uninstall"
  !insertmacro firewallRules delete "voranis.exe" "Voranis"
  !insertmacro firewallRules delete "voranis-server.exe" "Voranis server"

  Delete "${MENU_DIR}\Voranis.lnk"
  Delete "${MENU_DIR}\Voranis server.lnk"
  Delete "${MENU_DIR}\Uninstall Voranis.lnk"
  RMDir "${MENU_DIR}"

  ; Only the files this installer placed, so a folder chosen by hand keeps whatever else it
  ; held; the folder goes once it is empty.
  !include "${FILE_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
