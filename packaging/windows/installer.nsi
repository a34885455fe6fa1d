; The Windows installer of Tessarin, built by makensis (Debian's nsis) from the cross build's stripped
; programs: windows_packages.cmake passes VERSION, STAGE (the folder holding the programs and
; LICENSE.txt), ICON and OUTFILE. 64-bit, in German, for the user who runs it: no administrator rights, the
; programs in %LOCALAPPDATA%\Programs\Tessarin, the registry entries under HKEY_CURRENT_USER.
; The uninstaller removes every file, link and registry entry this installer made, and only those.

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define PRODUCT "Tessarin"
!define PROGID "Tessarin.Container"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessarin"
!define CLASSES "Software\Classes"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tessarin"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "CompanyName" "Tessarin-Team"
VIAddVersionKey /LANG=1031 "FileDescription" "Tessarin installieren"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "MIT-Lizenz"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tessarin.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; Explorer reads file types anew only when told that they changed.
!macro NotifyAssociationsChanged
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

Section "Tessarin"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}\tessarin.exe"
    File "${STAGE}\tessarin-cli.exe"
    File "${STAGE}\tessarin-launch.exe"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The Start-menu entry and "Senden an" run tessarin-launch.exe, which quotes every path Explorer
    ; sends or drops onto them before it starts the window.
    CreateShortCut "$SMPROGRAMS\Tessarin.lnk" "$INSTDIR\tessarin-launch.exe" "" "$INSTDIR\tessarin.exe" 0 \
        SW_SHOWNORMAL "" "Dateien mit einem Passwort verschlüsseln und wieder entschlüsseln"
    CreateShortCut "$SENDTO\Tessarin.lnk" "$INSTDIR\tessarin-launch.exe" "" "$INSTDIR\tessarin.exe" 0 \
        SW_SHOWNORMAL "" "Die Dateien in Tessarin öffnen"

    ; The container type: its icon, and opening one puts it into the window's decryption list ("%1"
    ; is quoted, so the window takes it as one path; several selected containers open one window each).
    WriteRegStr HKCU "${CLASSES}\.rc4" "" "${PROGID}"
    WriteRegStr HKCU "${CLASSES}\.rc4\OpenWithProgids" "${PROGID}" ""
    WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "Mit Tessarin verschlüsselte Datei"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" '"$INSTDIR\tessarin.exe",0'
    WriteRegStr HKCU "${CLASSES}\${PROGID}\shell" "" "open"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open" "" "Mit Tessarin entschlüsseln"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\tessarin.exe" "%1"'
    ; "Öffnen mit" knows the program by its name and the types it takes.
    WriteRegStr HKCU "${CLASSES}\Applications\tessarin.exe" "FriendlyAppName" "${PRODUCT}"
    WriteRegStr HKCU "${CLASSES}\Applications\tessarin.exe\SupportedTypes" ".rc4" ""
    WriteRegStr HKCU "${CLASSES}\Applications\tessarin.exe\shell\open\command" "" '"$INSTDIR\tessarin.exe" "%1"'

    ; "Apps & Features" lists it for this user and can remove it.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tessarin-Team"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\tessarin.exe",0'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    !insertmacro NotifyAssociationsChanged
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$INSTDIR\tessarin.exe"
    Delete "$INSTDIR\tessarin-cli.exe"
    Delete "$INSTDIR\tessarin-launch.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    ; Only an empty folder goes: files the user put there stay.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Tessarin.lnk"
    Delete "$SENDTO\Tessarin.lnk"

    DeleteRegKey HKCU "${CLASSES}\${PROGID}"
    DeleteRegKey HKCU "${CLASSES}\Applications\tessarin.exe"
    DeleteRegValue HKCU "${CLASSES}\.rc4\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKCU "${CLASSES}\.rc4\OpenWithProgids"
    ; ".rc4" is left to another program that took it over meanwhile.
    ReadRegStr $0 HKCU "${CLASSES}\.rc4" ""
    StrCmp $0 "${PROGID}" 0 +2
        DeleteRegValue HKCU "${CLASSES}\.rc4" ""
    DeleteRegKey /ifempty HKCU "${CLASSES}\.rc4"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    !insertmacro NotifyAssociationsChanged
SectionEnd
