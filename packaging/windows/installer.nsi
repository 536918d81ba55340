; The installer of ZVK PC for 64-bit Windows, made by make_package.sh with makensis:
;   makensis -INPUTCHARSET UTF8 -DSTAGE=FOLDER -DFILES=NSH -DOUTFILE=SETUP.EXE -DVERSION=V -DICON=ICO installer.nsi
; It installs the folder STAGE for every user of the computer into Program Files, with a
; Start-menu shortcut that starts the program in the user's Documents, where its settings
; (ZVKServer.ini) and the received lists belong: Program Files is no place for either.
; "/S" installs silently; the uninstaller removes what was installed and nothing else.
; A 64-bit installer, as the program is: Windows itself refuses it on a 32-bit system.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!define PRODUCT "ZVK PC"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZVK PC"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} – inštalácia"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PRODUCT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Slovak"

; The Start menu of every user of the computer.
Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

; The shortcut's working folder, for whoever starts it: Windows expands the variable then.
!define WORKING_FOLDER "%USERPROFILE%\Documents"

; The handheld in its cradle connects to port 990 of this computer over its USB network link,
; whose addresses are link-local: Windows' firewall lets it reach the two programs there, from
; that range alone. A rule left by an earlier installation is replaced, not doubled; a
; firewall that refuses the rule leaves the installation as it is (the device connection
; software, where installed, needs none).
!define FIREWALL_RULE "${PRODUCT} - handheld"
!macro DeleteFirewallRules
    nsExec::ExecToLog 'netsh advfirewall firewall delete rule name="${FIREWALL_RULE}"'
    Pop $0
!macroend
!macro AddFirewallRule PROGRAM
    nsExec::ExecToLog 'netsh advfirewall firewall add rule name="${FIREWALL_RULE}" dir=in action=allow program="$INSTDIR\${PROGRAM}" protocol=TCP localport=990 remoteip=169.254.0.0/16 profile=any enable=yes'
    Pop $0
!macroend

Section "${PRODUCT}"
    SetOutPath "$INSTDIR"
    !include "${FILES}.install.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The shortcut takes its working folder from $OUTDIR.
    StrCpy $OUTDIR "${WORKING_FOLDER}"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\zvkpc.exe" "" "$INSTDIR\zvkpc.exe" 0
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zvkpc.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    !insertmacro DeleteFirewallRules
    !insertmacro AddFirewallRule zvkpc.exe
    !insertmacro AddFirewallRule zvk.exe
SectionEnd

; Only what the installer put there goes: a file the user left in the folder keeps it.
Section "Uninstall"
    !insertmacro DeleteFirewallRules
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    !include "${FILES}.uninstall.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
