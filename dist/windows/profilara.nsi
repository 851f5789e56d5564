; The installer of Profilara for one Windows user: no administrator rights,
; an Italian wizard, a Start menu entry and an uninstaller.
;
; The section file ComputoPersonalizzato.txt lives beside profilara.exe, so
; the program must go into a folder the user can write: by default
; %LOCALAPPDATA%\Programs\Profilara, or any other folder that passes the
; write probe below. Neither a reinstall nor the uninstaller touches the
; section file, its .bak copies, its .lock or anything else of the user's.
;
; Neither changes anything while Profilara runs (its files could not be
; replaced or removed), and the installer does not run elevated: as
; administrator its write probe would pass in Programmi, where the program,
; run normally, could never save.
;
; ./package-windows builds it from the program's folder:
;   makensis -DVERSION=1.0 -DFILES=LIST.nsh -DOUTFILE=SETUP.exe profilara.nsi
; LIST.nsh is written from that folder: PROGRAM_SIZE_KIB, and the macros
; INSTALL_PROGRAM_FILES, DELETE_PROGRAM_FILES and FIND_PROGRAM_FILE that
; name every file.

Unicode true
Target amd64-unicode
; Runs as the user who starts it, with no elevation prompt. This level in
; the manifest also stops Windows from quietly redirecting a write refused
; in Programmi to a private copy, so the write probe tells the truth.
RequestExecutionLevel user
ManifestSupportedOS all
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Profilara"
!define UNINSTALLER "Disinstalla Profilara.exe"
!define SHORTCUT "$SMPROGRAMS\Profilara.lnk"
!define PROBE "profilara-prova-di-scrittura.tmp"
!define CANNOT_WRITE "Non puoi scrivere nella cartella$\r$\n$INSTDIR$\r$\n$\r$\nProfilara salva il file della sezione, ComputoPersonalizzato.txt, nella cartella in cui è installato, quindi deve poterci scrivere. Scegli una cartella in cui puoi scrivere, per esempio una nella tua cartella utente, non in Programmi."
!define OTHER_PROGRAM "La cartella$\r$\n$INSTDIR$\r$\ncontiene già il file $3 di un altro programma.$\r$\n$\r$\nProfilara lo sostituirebbe con il proprio e, se poi lo disinstallassi, lo cancellerebbe, e l'altro programma smetterebbe di funzionare. Scegli un'altra cartella, per esempio una sottocartella Profilara di questa."

!define RUNNING "Profilara è aperto.$\r$\n$\r$\nChiudi tutte le finestre di Profilara, poi premi Riprova: finché il programma è aperto, i suoi file non possono essere sostituiti né rimossi."
!define ELEVATED "Questo programma di installazione è stato avviato come amministratore.$\r$\n$\r$\nProfilara va installato dall'utente che lo userà, senza diritti di amministratore, perché il programma salva la sezione nella propria cartella. Avvia di nuovo l'installazione con un doppio clic, senza «Esegui come amministratore»."
; Exit codes of a silent run that refuses to go on (NSIS itself uses 1 and 2).
!define EXIT_RUNNING 3
!define EXIT_ELEVATED 4

Name "Profilara"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Profilara"
; Installing again proposes the folder of the install already there.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Profilara ${VERSION}"
; The last line of the progress page, shown by the uninstaller too.
CompletedText "Operazione completata"

!define MUI_ICON "../../assets/profilara.ico"
!define MUI_UNICON "../../assets/profilara.ico"
!define MUI_ABORTWARNING
!define MUI_ABORTWARNING_TEXT "Vuoi davvero interrompere l'installazione di Profilara?"

!define MUI_WELCOMEPAGE_TEXT "Questo programma installerà Profilara ${VERSION} solo per il tuo utente, senza bisogno di diritti di amministratore.$\r$\n$\r$\nProfilara salva la sezione nel file ComputoPersonalizzato.txt, che sta nella cartella del programma. Se installi di nuovo Profilara o lo disinstalli, il file resta dov'è.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!define MUI_DIRECTORYPAGE_TEXT_TOP "Il file della sezione, ComputoPersonalizzato.txt, starà in questa cartella, accanto al programma: scegline una in cui puoi scrivere. Se l'applicazione di computo cerca il file nella propria cartella, installa Profilara lì.$\r$\n$_CLICK"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE StayOnUnwritableFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Profilara è installato nella cartella$\r$\n$INSTDIR$\r$\n$\r$\nIl file della sezione, ComputoPersonalizzato.txt, sta in questa cartella, accanto a profilara.exe. Avvia Profilara dal menu Start; per disinstallarlo usa Impostazioni > App > App installate."
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_RUN "$INSTDIR\profilara.exe"
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Profilara e la sua voce nel menu Start saranno rimossi da questa cartella. Il file della sezione, ComputoPersonalizzato.txt, le sue copie .bak e gli altri tuoi file restano dove sono.$\r$\n$_CLICK"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Italian"

; Waits, asking the user, until Profilara no longer runs; Annulla, or a
; silent run, ends the installer or uninstaller at once.
; From its first moment (its first message box comes before its window) to
; its end, the program holds the mutex Local\Profilara (src/runningmark.h);
; SYNCHRONIZE (0x00100000) is all the access the check asks for, and a
; mutex it may not open (a copy running elevated) is there all the same.
; Then, for an earlier version that held none, its window: a Qt window
; (its class name begins with "Qt") titled "Profilara"; an Explorer window
; on the program's folder has the same title and does not count.
!macro REFUSE_WHILE_RUNNING
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Local\Profilara") p .r0 ?e'
        Pop $1 ; the last error: 5, access denied, is a copy running elevated
        ${If} $0 != 0
            System::Call 'kernel32::CloseHandle(p r0)'
        ${ElseIf} $1 = 5
            ; running, as above
        ${Else}
            StrCpy $0 0
            ${Do}
                FindWindow $0 "" "Profilara" 0 $0
                ${If} $0 = 0
                    Return
                ${EndIf}
                System::Call 'user32::GetClassNameW(p r0, w .r1, i ${NSIS_MAX_STRLEN}) i'
                StrCpy $1 $1 2
            ${LoopUntil} $1 S== "Qt"
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${RUNNING}" /SD IDCANCEL IDRETRY retry
        SetErrorLevel ${EXIT_RUNNING}
        Quit
        retry:
    ${Loop}
!macroend

Function RefuseWhileRunning
    !insertmacro REFUSE_WHILE_RUNNING
FunctionEnd

Function un.RefuseWhileRunning
    !insertmacro REFUSE_WHILE_RUNNING
FunctionEnd

; "As administrator" is an elevated token (TokenElevation, 20) while User
; Account Control is on: that is both an administrator's elevated token and
; another account's, such as the built-in Administrator's, whose password a
; standard user typed. With User Account Control off (EnableLUA 0) an
; administrator runs everything elevated, the program included, so the
; install goes on. Wine gives every program an administrator's token and
; knows no Windows permissions, so there (where its own key
; HKLM\Software\Wine exists) the token says nothing and is not looked at.
Function RefuseElevation
    ClearErrors
    EnumRegKey $0 HKLM "Software\Wine" 0
    ${IfNot} ${Errors}
        Return
    ${EndIf}
    System::Call 'advapi32::OpenProcessToken(p -1, i 8, *p .r1) i .r0'
    ${If} $0 <> 0
        System::Call 'advapi32::GetTokenInformation(p r1, i 20, *i .r2, i 4, *i .r3) i .r0'
        System::Call 'kernel32::CloseHandle(p r1)'
        ReadRegDWORD $3 HKLM "Software\Microsoft\Windows\CurrentVersion\Policies\System" "EnableLUA"
        ${If} $0 <> 0
        ${AndIf} $2 <> 0
        ${AndIf} $3 != "0"
            MessageBox MB_OK|MB_ICONSTOP "${ELEVATED}" /SD IDOK
            SetErrorLevel ${EXIT_ELEVATED}
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Function .onInit
    Call RefuseElevation
    Call RefuseWhileRunning
FunctionEnd

Function un.onInit
    Call un.RefuseWhileRunning
FunctionEnd

; Whether the user can write in $INSTDIR: $0 is 1 when so, else empty.
; Makes the folder when it is missing (the install follows at once), writes
; a small file there and deletes it; a folder made for a failed probe goes.
Function ProbeFolder
    StrCpy $0 ""
    StrCpy $1 ""
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        StrCpy $1 made
    ${EndIf}
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $2 "$INSTDIR\${PROBE}" w
    ${IfNot} ${Errors}
        FileClose $2
        Delete "$INSTDIR\${PROBE}"
        StrCpy $0 1
    ${ElseIf} $1 == made
        RMDir "$INSTDIR"
    ${EndIf}
FunctionEnd

; Whether the folder can take Profilara: $0 is 1 when so, else empty, and
; the user has been told why. It must be writable, and must not hold a file
; of another program under the name of one of Profilara's (a folder with a
; profilara.exe is Profilara's own, from an install or from the zip).
Function CheckFolder
    Call ProbeFolder
    ${If} $0 != 1
        MessageBox MB_OK|MB_ICONEXCLAMATION "${CANNOT_WRITE}" /SD IDOK
        Return
    ${EndIf}
    ${IfNot} ${FileExists} "$INSTDIR\profilara.exe"
        !insertmacro FIND_PROGRAM_FILE
        ${If} $3 != ""
            StrCpy $0 ""
            MessageBox MB_OK|MB_ICONEXCLAMATION "${OTHER_PROGRAM}" /SD IDOK
        ${EndIf}
    ${EndIf}
FunctionEnd

Function StayOnUnwritableFolder
    Call CheckFolder
    ${If} $0 != 1
        Abort
    ${EndIf}
FunctionEnd

; A Profilara already in the folder is first removed by its own uninstaller,
; which knows that version's files: none of them stays behind, and the
; user's files stay as they are.
Function RemovePreviousVersion
    ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
        ExecWait '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
    ${EndIf}
FunctionEnd

Section
    ; A silent install has no folder page: the probe runs here too.
    Call CheckFolder
    ${If} $0 != 1
        Abort
    ${EndIf}
    Call RemovePreviousVersion
    !insertmacro INSTALL_PROGRAM_FILES
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\profilara.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Profilara"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\profilara.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Profilara"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${PROGRAM_SIZE_KIB}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    !insertmacro DELETE_PROGRAM_FILES
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Without /r: a folder that still holds the section file, its copies,
    ; its lock or any other file of the user's stays.
    RMDir "$INSTDIR"
    ; The Start menu entry and the key are this folder's only while the key
    ; names it: an install into another folder since then keeps them.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        Delete "${SHORTCUT}"
        DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${EndIf}
SectionEnd
