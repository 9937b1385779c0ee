; The Horloma setup program: installs the screen saver into the system folder, its
; wallpapers and licence texts into an installation folder, the Dodaz font for all users,
; the "Install path" entry the saver reads, and an uninstaller listed in Apps & features.
;
; Built by the build with makensis and these defines (paths as makensis sees them):
;   WIDTH            x86 (the shipped installer) or amd64 (the one the tests run)
;   OUTFILE          the setup program to write
;   SAVER            horloma.scr of that width
;   ICON             horloma.ico
;   FONT_FILE        Dodaz.ttf          FONT_LICENSE  Dodaz-LICENSE.txt
;   WALLPAPER_LIST   wallpapers.nsh, the File and Delete lines of the wallpaper set
;   WALLPAPER_NOTE   the wallpapers' licence note
; Silent use: horloma-setup.exe /S [/D=C:\Folder] and "Uninstall.exe" /S.

Unicode true
Target ${WIDTH}-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include x64.nsh

!define PRODUCT "Horloma"
!define COMPANY "Veltrane"
!define VERSION "1.0"
!define PRODUCT_KEY "Software\${COMPANY}\${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define FONTS_KEY "Software\Microsoft\Windows NT\CurrentVersion\Fonts"
!define FONT_NAME "Dodaz (TrueType)"
!define FONT_FILE_NAME "Dodaz.ttf"
!define SAVER_FILE_NAME "Horloma.scr"
!define UNINSTALLER "Uninstall.exe"
!define WALLPAPER_FOLDER "Wall paper"
; How long one window may take to answer the font-change broadcast, in milliseconds;
; a hung window is skipped at once.
!define FONT_BROADCAST_TIMEOUT 1000
!define SMTO_ABORTIFHUNG 0x0002

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${COMPANY}\${PRODUCT}"
BrandingText "${COMPANY} ${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} screen saver setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COMPANY}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "Setup will install the ${PRODUCT} clock screen saver, its \
wallpapers and the Dodaz font on this computer.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the Screen Saver settings with ${PRODUCT} selected"
!define MUI_FINISHPAGE_RUN_FUNCTION ChooseHorlomaAsScreenSaver
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

!include "${WALLPAPER_LIST}"

Var SaverPath  ; the saver's path as 64-bit Windows itself names it

; A 32-bit program on 64-bit Windows writing to $SYSDIR lands in SysWOW64, where a 32-bit
; saver belongs; the paths given to the system (screen-saver choice, icon) name that
; folder, since the system's own 64-bit programs read them.
!macro FindSaverPath
  StrCpy $SaverPath "$SYSDIR\${SAVER_FILE_NAME}"
  !if "${WIDTH}" == "x86"
    ${If} ${RunningX64}
      StrCpy $SaverPath "$WINDIR\SysWOW64\${SAVER_FILE_NAME}"
    ${EndIf}
  !endif
!macroend

; The font's entry lives in the key the system's own (native) font loader reads.
!macro UseNativeRegistryView
  !if "${WIDTH}" == "x86"
    ${If} ${RunningX64}
      SetRegView 64
    ${EndIf}
  !endif
!macroend

!macro UseProgramRegistryView
  SetRegView default
!macroend

; Tells running programs the font list changed, waiting for none that has hung.
!macro BroadcastFontChange
  System::Call 'user32::SendMessageTimeout(p ${HWND_BROADCAST}, i ${WM_FONTCHANGE}, p 0, p 0, \
    i ${SMTO_ABORTIFHUNG}, i ${FONT_BROADCAST_TIMEOUT}, *p .r0)'
!macroend

Function .onInit
  !if "${WIDTH}" == "amd64"
    ${IfNot} ${RunningX64}
      MessageBox MB_ICONSTOP "This setup program is for 64-bit Windows." /SD IDOK
      Abort
    ${EndIf}
  !endif
FunctionEnd

; Adds the size of one file, in KB rounded up, to $R9.
Function AddFileSize
  Exch $0
  Push $1
  ClearErrors
  FileOpen $1 $0 r
  ${IfNot} ${Errors}
    FileSeek $1 0 END $0
    FileClose $1
    IntOp $0 $0 + 1023
    IntOp $0 $0 / 1024
    IntOp $R9 $R9 + $0
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

Section "Horloma" SectionMain
  SectionIn RO
  !insertmacro FindSaverPath

  ; The folder without a trailing backslash (a drive's root keeps none either).
  StrCpy $R0 $INSTDIR "" -1
  StrCpy $R1 $INSTDIR
  ${If} $R0 == "\"
    StrCpy $R1 $INSTDIR -1
  ${EndIf}

  SetOutPath "$INSTDIR\${WALLPAPER_FOLDER}"
  !insertmacro InstallWallpapers
  SetOutPath "$INSTDIR"
  File "/oname=Dodaz-LICENSE.txt" "${FONT_LICENSE}"
  File "/oname=Wallpapers-LICENSE.txt" "${WALLPAPER_NOTE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  SetOutPath "$SYSDIR"
  File "/oname=${SAVER_FILE_NAME}" "${SAVER}"

  ; A font already installed is in use and cannot be replaced; it is the same font.
  SetOutPath "$FONTS"
  SetOverwrite try
  File "/oname=${FONT_FILE_NAME}" "${FONT_FILE}"
  SetOverwrite on
  !insertmacro UseNativeRegistryView
  WriteRegStr HKLM "${FONTS_KEY}" "${FONT_NAME}" "${FONT_FILE_NAME}"
  !insertmacro UseProgramRegistryView
  System::Call 'gdi32::AddFontResource(t "$FONTS\${FONT_FILE_NAME}") i .r0'
  !insertmacro BroadcastFontChange

  WriteRegStr HKLM "${PRODUCT_KEY}" "Install path" $R1

  StrCpy $R9 0
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntOp $R9 $R9 + $0
  Push "$SYSDIR\${SAVER_FILE_NAME}"
  Call AddFileSize
  Push "$FONTS\${FONT_FILE_NAME}"
  Call AddFileSize

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SaverPath,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" $R1
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $R9
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The finish page's offer: make Horloma the user's screen saver and show the settings
; where the wait time and the saver's own settings are.
Function ChooseHorlomaAsScreenSaver
  WriteRegStr HKCU "Control Panel\Desktop" "SCRNSAVE.EXE" $SaverPath
  !if "${WIDTH}" == "x86"
    ${DisableX64FSRedirection}
  !endif
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
  !if "${WIDTH}" == "x86"
    ${EnableX64FSRedirection}
  !endif
FunctionEnd

Section "Uninstall"
  !insertmacro FindSaverPath

  Delete /REBOOTOK "$SYSDIR\${SAVER_FILE_NAME}"
  ; The user's choice of this saver goes with it; any other choice stays.
  ReadRegStr $0 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${If} $0 == $SaverPath
    DeleteRegValue HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${EndIf}

  System::Call 'gdi32::RemoveFontResource(t "$FONTS\${FONT_FILE_NAME}") i .r0'
  Delete /REBOOTOK "$FONTS\${FONT_FILE_NAME}"
  !insertmacro UseNativeRegistryView
  DeleteRegValue HKLM "${FONTS_KEY}" "${FONT_NAME}"
  !insertmacro UseProgramRegistryView
  !insertmacro BroadcastFontChange

  !insertmacro UninstallWallpapers
  RMDir "$INSTDIR\${WALLPAPER_FOLDER}"
  Delete "$INSTDIR\Dodaz-LICENSE.txt"
  Delete "$INSTDIR\Wallpapers-LICENSE.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES\${COMPANY}"

  ; The machine-wide entry only: each user's own settings stay theirs.
  DeleteRegKey HKLM "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKLM "Software\${COMPANY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
