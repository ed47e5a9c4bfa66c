; The Windows installer of Tessaline Blockwright, built by scripts/build-windows.sh:
;   makensis -DVERSION=x.y.z -DSTAGE=<folder with the program's files>
;            -DOUTFILE=<setup.exe>
;            -DLISTS=<folder with files.nsh and unfiles.nsh>
; The lists of what is installed are written by the build script from STAGE,
; so that the uninstaller removes exactly that.
;
; Installs for all users into Program Files, or for the current user into the
; user's profile without administrator rights (/AllUsers, /CurrentUser on the
; command line); /S installs silently, /D= chooses the folder and /AddToPath
; selects the PATH entry, which is off by default.

; A 64-bit installer for the 64-bit program: it needs no 32-bit Windows
; subsystem (nor Wine's 32-bit part).
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Tessaline Blockwright"
!define PUBLISHER "Calderic"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TessalineBlockwright"
!define SETTINGS_KEY "Software\Calderic\Tessaline Blockwright"
!define FILE_CLASS "Calderic.Blockwright.Template"
!define WIZARD "blockwright-wizard.exe"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Tessaline Blockwright"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
; The choices as the README names them.
!define MULTIUSER_INSTALLMODEPAGE_TEXT_ALLUSERS "&Anyone who uses this computer (into Program Files)"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_CURRENTUSER "Only for &me (into your profile)"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include StrFunc.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh
${UnStrRep}

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${PRODUCT} setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey LegalCopyright "${PUBLISHER}; Qt under the GNU LGPL version 3"

!define MUI_ICON "${STAGE}/blockwright.ico"
!define MUI_UNICON "${STAGE}/blockwright.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${WIZARD}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSES.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The Path value of the environment this install mode changes: the machine's
; for all users, the user's otherwise.
!define MACHINE_ENVIRONMENT "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
!define USER_ENVIRONMENT "Environment"

!macro ReadPath out
    ${If} $MultiUser.InstallMode == "AllUsers"
        ReadRegStr ${out} HKLM "${MACHINE_ENVIRONMENT}" "Path"
    ${Else}
        ReadRegStr ${out} HKCU "${USER_ENVIRONMENT}" "Path"
    ${EndIf}
!macroend

!macro WritePath value
    ${If} $MultiUser.InstallMode == "AllUsers"
        WriteRegExpandStr HKLM "${MACHINE_ENVIRONMENT}" "Path" ${value}
    ${Else}
        WriteRegExpandStr HKCU "${USER_ENVIRONMENT}" "Path" ${value}
    ${EndIf}
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=500
!macroend


Function un.onInit
    !insertmacro MULTIUSER_UNINIT
    SetRegView 64
FunctionEnd

Section "${PRODUCT}" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    !include "${LISTS}/files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${WIZARD}" "" "$INSTDIR\${WIZARD}" 0

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${WIZARD},0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The components list shows about 25 characters of a name: the
; descriptions below say the rest.
Section "Open .tbt in the wizard" SecAssociation
    WriteRegStr SHCTX "Software\Classes\.tbt" "" "${FILE_CLASS}"
    WriteRegStr SHCTX "Software\Classes\${FILE_CLASS}" "" "Blockwright block template"
    WriteRegStr SHCTX "Software\Classes\${FILE_CLASS}\DefaultIcon" "" "$INSTDIR\${WIZARD},0"
    WriteRegStr SHCTX "Software\Classes\${FILE_CLASS}\shell\open\command" "" \
        '"$INSTDIR\${WIZARD}" "%1"'
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section /o "Add to PATH" SecPath
    !insertmacro ReadPath $3
    ${StrStr} $4 ";$3;" ";$INSTDIR;"
    ${If} $4 == ""
        ${If} $3 == ""
            StrCpy $3 "$INSTDIR"
        ${Else}
            StrCpy $3 "$3;$INSTDIR"
        ${EndIf}
        !insertmacro WritePath $3
        WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "AddedToPath" 1
    ${EndIf}
SectionEnd

Function .onInit
    ; MultiUser sets its default folder; a folder given with /D= wins.
    StrCpy $0 $INSTDIR
    !insertmacro MULTIUSER_INIT
    ${If} $0 != ""
        StrCpy $INSTDIR $0
    ${EndIf}
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/AddToPath" $2
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecPath}
    ${EndIf}
    SetRegView 64
FunctionEnd

LangString DESC_Program ${LANG_ENGLISH} "The wizard, the blockwright command line, Qt and the examples."
LangString DESC_Association ${LANG_ENGLISH} "Double-clicking a .tbt block template opens it in the wizard."
LangString DESC_Path ${LANG_ENGLISH} "Puts blockwright.exe on PATH, so that a console runs blockwright generate from any folder."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(DESC_Program)
    !insertmacro MUI_DESCRIPTION_TEXT ${SecAssociation} $(DESC_Association)
    !insertmacro MUI_DESCRIPTION_TEXT ${SecPath} $(DESC_Path)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "un.${PRODUCT}"
    SectionIn RO
    ReadRegDWORD $0 SHCTX "${UNINSTALL_KEY}" "AddedToPath"
    ${If} $0 == 1
        !insertmacro ReadPath $3
        ${UnStrRep} $3 ";$3;" ";$INSTDIR;" ";"
        ; Back from ";a;b;" to "a;b".
        StrCpy $3 $3 "" 1
        StrCpy $3 $3 -1
        !insertmacro WritePath $3
    ${EndIf}

    ReadRegStr $0 SHCTX "Software\Classes\.tbt" ""
    ${If} $0 == "${FILE_CLASS}"
        DeleteRegKey SHCTX "Software\Classes\.tbt"
    ${EndIf}
    DeleteRegKey SHCTX "Software\Classes\${FILE_CLASS}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    !include "${LISTS}/unfiles.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

; The user's settings stay unless asked for: another install finds them again.
Section /o "un.Remove my settings"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Calderic"
SectionEnd
