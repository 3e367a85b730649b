; The setup program of WYN for Windows: a per-user install, no administrator needed.
; scripts/windows-installer builds it and passes:
;   VERSION      the project's version, e.g. 3.5
;   VI_VERSION   the same in four numbers, e.g. 3.5.0.0
;   FILES        an .nsh that installs each file of the program folder
;   UNFILES      an .nsh that deletes those files and then their folders, if empty
;   SIZE_KB      the program folder's size, for the Apps list
;   OUT_FILE     where the setup program goes

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh

!define PRODUCT "Vantor Frontend"
!define PUBLISHER "Tolvane"
!define PROG_ID "Tolvane.WYN.Preset"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\WYN"
!define CLASSES "Software\Classes"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; SHChangeNotify's "file associations changed", so Explorer shows the new icon and verb.
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\WYN"
; A new version goes where the last one went, unless /D= says otherwise.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VI_VERSION}"
VIFileVersion "${VI_VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VI_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VI_VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 The WYN developers of Tolvane"

!define MUI_ICON "${__FILEDIR__}\wyn.ico"
!define MUI_UNICON "${__FILEDIR__}\wyn.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\wyn.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Install"
    SetShellVarContext current

    ; The uninstaller of the version already there takes its own files away first:
    ; files this version no longer has would otherwise stay behind for good. Only
    ; ours: another program's uninstall.exe in a folder chosen with /D= is not run.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
    ${AndIf} ${FileExists} "$INSTDIR\${UNINSTALLER}"
        ExecWait '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
    ${EndIf}

    !include "${FILES}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    CreateShortcut "${SHORTCUT}" "$INSTDIR\wyn.exe" "" "$INSTDIR\wyn.exe" 0 \
        SW_SHOWNORMAL "" "${PRODUCT}"

    WriteRegStr HKCU "${CLASSES}\.wyn" "" "${PROG_ID}"
    WriteRegStr HKCU "${CLASSES}\.wyn\OpenWithProgids" "${PROG_ID}" ""
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}" "" "WYN preset"
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}\DefaultIcon" "" '"$INSTDIR\wyn.exe",0'
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\wyn.exe" "%1"'
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\wyn.exe",0'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the setup put there goes, and the news cache earlier versions of WYN
; wrote beside the program: the user's presets, the settings under
; HKCU\Software\Tolvane\WYN and the logs and news in %LOCALAPPDATA%\WYN stay, and
; so does anything the user put into the program folder, which then stays with
; it. Never RMDir /r: a folder chosen with /D= may hold the user's own files.
Section "Uninstall"
    SetShellVarContext current

    !include "${UNFILES}"
    Delete "$INSTDIR\devnews.dat"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"

    Delete "${SHORTCUT}"

    ; .wyn may have been given to another program since; then it keeps it.
    ReadRegStr $0 HKCU "${CLASSES}\.wyn" ""
    ${If} $0 == "${PROG_ID}"
        DeleteRegValue HKCU "${CLASSES}\.wyn" ""
    ${EndIf}
    DeleteRegValue HKCU "${CLASSES}\.wyn\OpenWithProgids" "${PROG_ID}"
    DeleteRegKey /ifempty HKCU "${CLASSES}\.wyn\OpenWithProgids"
    DeleteRegKey /ifempty HKCU "${CLASSES}\.wyn"
    DeleteRegKey HKCU "${CLASSES}\${PROG_ID}"
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
