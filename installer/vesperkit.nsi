; Vesperkit's setup program: the 32-bit program and its two components for all
; users of the machine. Built by installer/CMakeLists.txt:
;   makensis -DVERSION=1.0.1 -DFILE_VERSION=1.0.0.1 -DBIN=<built program>
;            -DRESOURCES=<resources folder> -DOUTFILE=<setup.exe> vesperkit.nsi
; Silent use: setup.exe /S [/AUTOSTART] [/D=folder]   uninstall.exe /S
; A silent uninstall keeps the settings and "Files.dat".
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define PRODUCT "Vesperkit"
!define COMPANY "Quillfield Systems Ltd"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program keeps its settings under Settings below this key.
!define PROGRAM_KEY "Software\${COMPANY}\${PRODUCT}"
!define VIRTUAL_STORE "Software\Classes\VirtualStore\MACHINE\SOFTWARE"
; The program's hidden main form, which ends the program when it is closed.
!define MAIN_FORM_CLASS "VesperkitForm"
!define MAIN_FORM_CAPTION "Vesperkit"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
UninstallCaption "${PRODUCT} ${VERSION} Uninstall"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES32\${COMPANY}\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${COMPANY}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define MUI_ICON "${RESOURCES}\vesperkit.ico"
!define MUI_UNICON "${RESOURCES}\vesperkit.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${FILE_VERSION}"
VIAddVersionKey "ProductVersion" "${FILE_VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${COMPANY}"

; Ends every running copy of the program as Exit from its tray menu would:
; closing its hidden main form removes the tray icon and ends the process. A
; copy that does not end within 5 s is terminated. Asks first, unless silent;
; Cancel stops the setup or the uninstall.
!macro CLOSE_RUNNING_COPIES un
Function ${un}CloseRunningCopies
  StrCpy $R1 ""
  ${For} $R6 1 20
    ; The hidden main form is closed, which ends the program cleanly. The
    ; countdown (also "Vesperkit") is shown, and so is the main form itself
    ; while its Set Sleep Time face is open: a shown one is closed only when
    ; no hidden one is left, and the program is ended below if it stays.
    StrCpy $R0 0
    StrCpy $R7 0
    ${Do}
      FindWindow $R0 "${MAIN_FORM_CLASS}" "${MAIN_FORM_CAPTION}" 0 $R0
      ${IfThen} $R0 = 0 ${|} ${Break} ${|}
      System::Call "user32::IsWindowVisible(p R0) i .R5"
      ${IfThen} $R5 = 0 ${|} ${Break} ${|}
      ${IfThen} $R7 = 0 ${|} StrCpy $R7 $R0 ${|}
    ${Loop}
    ${IfThen} $R0 = 0 ${|} StrCpy $R0 $R7 ${|}
    ${IfThen} $R0 = 0 ${|} Return ${|}
    ${If} $R1 == ""
      MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running. Choose OK to end it and go on, or Cancel to stop." \
        /SD IDOK IDOK +2
      Abort "${PRODUCT} is still running."
      StrCpy $R1 "asked"
    ${EndIf}
    System::Call "user32::GetWindowThreadProcessId(p R0, *i .R2)"
    System::Call "kernel32::OpenProcess(i 0x00100001, i 0, i R2) p .R3" ; SYNCHRONIZE | PROCESS_TERMINATE
    SendMessage $R0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${If} $R3 <> 0
      System::Call "kernel32::WaitForSingleObject(p R3, i 5000) i .R4"
      ${If} $R4 <> 0
        System::Call "kernel32::TerminateProcess(p R3, i 1)"
        System::Call "kernel32::WaitForSingleObject(p R3, i 5000)"
      ${EndIf}
      System::Call "kernel32::CloseHandle(p R3)"
    ${EndIf}
  ${Next}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPIES ""
!insertmacro CLOSE_RUNNING_COPIES "un."

Function un.onInit
  SetShellVarContext all
FunctionEnd

!macro REGISTER_COMPONENT dll
  ClearErrors
  RegDLL "$INSTDIR\${dll}"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "${dll} could not be registered; ${PRODUCT} cannot run without it." /SD IDOK
    Abort
  ${EndIf}
!macroend

Section "${PRODUCT}" SecProgram
  SectionIn RO
  Call CloseRunningCopies
  SetOutPath "$INSTDIR"
  File "${BIN}\vesperkit.exe"
  File "${BIN}\PowerControl.dll"
  File "${BIN}\ProcessControl.dll"
  !insertmacro REGISTER_COMPONENT "PowerControl.dll"
  !insertmacro REGISTER_COMPONENT "ProcessControl.dll"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\vesperkit.exe"
  ; Chosen again at each install.
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vesperkit.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Start ${PRODUCT} when Windows starts" SecAutostart
  WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\vesperkit.exe"'
SectionEnd

; /AUTOSTART chooses the start with Windows, also in a silent install.
Function .onInit
  SetShellVarContext all
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AUTOSTART" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecAutostart} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

; The settings key and "Files.dat", and the copies Windows keeps of both for
; the current user when it virtualises the program's writes.
Function un.RemoveSettings
  DeleteRegKey HKLM "${PROGRAM_KEY}"
  DeleteRegKey /ifempty HKLM "Software\${COMPANY}"
  DeleteRegKey HKCU "${VIRTUAL_STORE}\${COMPANY}\${PRODUCT}"
  DeleteRegKey /ifempty HKCU "${VIRTUAL_STORE}\${COMPANY}"
  DeleteRegKey HKCU "${VIRTUAL_STORE}\WOW6432Node\${COMPANY}\${PRODUCT}"
  DeleteRegKey /ifempty HKCU "${VIRTUAL_STORE}\WOW6432Node\${COMPANY}"
  Delete "$INSTDIR\Files.dat"
  SetShellVarContext current
  StrCpy $0 "$INSTDIR" "" 3 ; without the drive
  Delete "$LOCALAPPDATA\VirtualStore\$0\Files.dat"
  RMDir "$LOCALAPPDATA\VirtualStore\$0"
  SetShellVarContext all
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningCopies
  UnRegDLL "$INSTDIR\PowerControl.dll"
  UnRegDLL "$INSTDIR\ProcessControl.dll"
  Delete "$INSTDIR\vesperkit.exe"
  Delete "$INSTDIR\PowerControl.dll"
  Delete "$INSTDIR\ProcessControl.dll"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Also remove ${PRODUCT}'s settings and its list of programs to close (Files.dat)?" /SD IDNO IDNO +2
  Call un.RemoveSettings
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES32\${COMPANY}"
SectionEnd
