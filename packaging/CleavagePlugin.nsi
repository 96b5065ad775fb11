; The Windows installer of the plug-in, the engine and the workbench. make-installer.sh
; makes it with makensis, giving VERSION, STAGE (the folder of the files to install),
; FILES and UNFILES (the File and Delete lines of those files, written from STAGE) and
; OUTFILE.
;
; The reagent library AM\Enzymes.dat is the user's data. Beside it the installer keeps
; AM\Enzymes.shipped.dat, the library as this version ships it: a library whose bytes still
; equal that copy is unchanged, and is replaced by an upgrade and removed by the uninstaller;
; a changed one (or one the installer did not put there) is never overwritten or removed.
Unicode true
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Cleavage Plug-in"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CleavagePlugin"
!define SETTINGS_KEY "Software\Cleavage Plug-in"
!define LIBRARY "$INSTDIR\AM\Enzymes.dat"
!define SHIPPED_LIBRARY "$INSTDIR\AM\Enzymes.shipped.dat"
!define MENU_FOLDER "$SMPROGRAMS\Cleavage Plug-in"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Cleavage Plug-in"
InstallDirRegKey HKLM "${SETTINGS_KEY}" "InstallDir"
RequestExecutionLevel admin

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" ""

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; SameContent, for the installer and (un.SameContent) the uninstaller: with two paths
; pushed, pushes 1 when both files exist and hold the same bytes, else 0 (in $R0 too).
!macro SAME_CONTENT_FUNCTION prefix
Function ${prefix}SameContent
    Exch $R1 ; the second path
    Exch
    Exch $R2 ; the first path
    Push $R3
    Push $R4
    Push $R5
    Push $R6
    StrCpy $R0 0
    ClearErrors
    FileOpen $R3 $R2 r
    IfErrors done
    FileOpen $R4 $R1 r
    IfErrors closeFirst
    FileSeek $R3 0 END $R5
    FileSeek $R4 0 END $R6
    StrCmp $R5 $R6 0 closeSecond
    FileSeek $R3 0 SET
    FileSeek $R4 0 SET
    nextByte:
        ClearErrors
        FileReadByte $R3 $R5
        IfErrors same
        FileReadByte $R4 $R6
        StrCmp $R5 $R6 nextByte closeSecond
    same:
        StrCpy $R0 1
    closeSecond:
        FileClose $R4
    closeFirst:
        FileClose $R3
    done:
    Pop $R6
    Pop $R5
    Pop $R4
    Pop $R3
    Pop $R2
    Pop $R1
    Push $R0
FunctionEnd
!macroend
!insertmacro SAME_CONTENT_FUNCTION ""
!insertmacro SAME_CONTENT_FUNCTION "un."

Section "Install"
    SetShellVarContext all
    !include "${FILES}"

    ; The library: installed where there is none, replaced where it is the one an earlier
    ; version installed unchanged, kept otherwise. Then this version's copy is recorded.
    SetOutPath "$INSTDIR\AM"
    ${If} ${FileExists} "${LIBRARY}"
        Push "${LIBRARY}"
        Push "${SHIPPED_LIBRARY}"
        Call SameContent
        Pop $0
    ${Else}
        StrCpy $0 1
    ${EndIf}
    ${If} $0 == 1
        File "/oname=Enzymes.dat" "${STAGE}\AM\Enzymes.dat"
    ${Else}
        DetailPrint "Kept the reagent library ${LIBRARY}: it was changed since it was installed."
        MessageBox MB_OK|MB_ICONINFORMATION "Your reagent library ${LIBRARY} was changed since it was installed, and is kept as it is.$\r$\n$\r$\nThe library of this version is ${SHIPPED_LIBRARY}." /SD IDOK
    ${EndIf}
    File "/oname=Enzymes.shipped.dat" "${STAGE}\AM\Enzymes.dat"

    CreateDirectory "${MENU_FOLDER}"
    CreateShortcut "${MENU_FOLDER}\Cleavage Workbench.lnk" "$INSTDIR\Workbench.exe"

    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKLM "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Workbench.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "${MENU_FOLDER}\Cleavage Workbench.lnk"
    RMDir "${MENU_FOLDER}"
    !include "${UNFILES}"

    ${If} ${FileExists} "${LIBRARY}"
        Push "${LIBRARY}"
        Push "${SHIPPED_LIBRARY}"
        Call un.SameContent
        Pop $0
        ${If} $0 == 1
            Delete "${LIBRARY}"
        ${Else}
            DetailPrint "Kept the reagent library ${LIBRARY}: it was changed since it was installed."
            MessageBox MB_OK|MB_ICONINFORMATION "Your reagent library ${LIBRARY} was changed since it was installed, and is left where it is." /SD IDOK
        ${EndIf}
    ${EndIf}
    Delete "${SHIPPED_LIBRARY}"
    RMDir "$INSTDIR\AM"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "${SETTINGS_KEY}"
SectionEnd
