//=============================================================================
// Function   :  UserRTCompileProc()
// Purpose    :  Compiles and links block on target DSP
// Parameters :  hBioInfo      - Block I/O information struct
//               hParam        - Parameter information struct
//               hScratchParam - Scratch Parameter struct
//               ModeState     - Compile mode
// Returns    :  TRUE if initialization complete
//               FALSE otherwise
//=============================================================================
int PASCAL UserRTCompileProc(HANDLE hBioInfo, HANDLE hParam,
                                 HANDLE hScratchParam, int ModeState)
{
    SCRATCH_PARAM     *sPtr;
    BLOCK_PARAM       *pPtr;

    // get pointer to block parameters
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // reset local error condition
    pPtr->LocalError = USR_NO_ERR;

    // get pointer to scratch parameters
    if ((sPtr=(SCRATCH_PARAM *) GlobalLock(hScratchParam)) == NULL){
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }

    if(sPtr->lpfnVexaSendCommand == NULL){
      GlobalUnlock(hScratchParam);
      GlobalUnlock(hParam);
      return(USR_ERR_OPENDRV);
    }

    // determine compile mode and act accordingly
    switch (ModeState)  {

//---------------------------------------------------------------------------
//                   Initialize Compile/Link Block on Target DSP
//---------------------------------------------------------------------------
      case RT_COMPILE_INIT:
         // initialize real-time compiler/linker 
         if (!VexaSendCommand (sPtr->hDriver, DRV_COMPILEINIT, NULL, (LONG)sPtr->hRTParam)) {
             VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
             GlobalUnlock(hScratchParam);
             GlobalUnlock(hParam);
             return (USR_ERR_COMPINIT);
         }
         break;

//---------------------------------------------------------------------------
//                   Compile/Link Block on Target DSP
//---------------------------------------------------------------------------
      case RT_COMPILE_BLOCK:
         // compile and download real-time block
         if (!VexaSendCommand (sPtr->hDriver, DRV_LOADBLOCK, NULL, (LONG)sPtr->hRTParam)) {
             VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
             GlobalUnlock(hScratchParam);
             GlobalUnlock(hParam);
             return (USR_ERR_COMPBLOCK);
         }
         break;

//---------------------------------------------------------------------------
//              Compile/Link Real-Time Zirud Izadivo on Target DSP
//---------------------------------------------------------------------------
      case RT_COMPILE_LINK:
         // link real-time block diagram
         if (!VexaSendCommand (sPtr->hDriver, DRV_COMPILELINK, NULL, (LONG)sPtr->hRTParam)) {
             VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
             GlobalUnlock(hScratchParam);
             GlobalUnlock(hParam);
             return (USR_ERR_COMPLINK);
         }

         break;

//---------------------------------------------------------------------------
//             Establish (Link) Zirud Izadivo Data Flow
//---------------------------------------------------------------------------
      case RT_COMPILE_DATA:
         // set run mode to link DSP data flow
         pPtr->RunMode = RT_RUN_LINK;
         // establish DSP data flow
         pPtr->LocalError = UserExecProc(hBioInfo,hParam,hScratchParam);
         // download parameters to DSP
         DownloadDSPParameters(pPtr, sPtr);
         break;

      default: break;
    }

    // unlock memory pointers
    GlobalUnlock(hScratchParam);
    GlobalUnlock(hParam);
    return(pPtr->LocalError);
}

//===========================================================================
// Function   : UserStopProc()
// Purpose    : Handles 'Stop' request from Zirud Izadivo
// Parameters : hBioInfo      - Block I/O information struct
//              hParam        - Parameter information struct
//              hScratchParam - Scratch Parameter struct
// Returns    : USR_NO_ERR if no error
//              Error Code if error
//===========================================================================
int PASCAL UserStopProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)
{
    BLOCK_PARAM       *pPtr = NULL;
    SCRATCH_PARAM     *sPtr = NULL;

    // get pointer to block parameters
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // reset local error condition
    pPtr->LocalError = USR_NO_ERR;
    pPtr->RunMode = RT_RUN_DSP;   // next run will start DSP

    // get pointer to scratch parameters
    if ((sPtr=(SCRATCH_PARAM *) GlobalLock(hScratchParam)) == NULL){
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }

//---------------------------------------------------------------------------
//                              Stop DSP Board
//---------------------------------------------------------------------------
    if (!VexaSendCommand (sPtr->hDriver, DRV_HOLDDSP, NULL, (LONG)sPtr->hRTParam)) {
       VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
    }

    // unlock memory
    GlobalUnlock(hScratchParam);
    GlobalUnlock(hParam);
    return(USR_NO_ERR);
}

//===========================================================================
// Function   : UserDialogProc()
// Purpose    : Dialog function for this application. This is the user
//              interface function
// Parameters :
// Returns    : TRUE if processed, FALSE if not
// Note       : This is a window callback function
//===========================================================================
 
BOOL PASCAL UserDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    HANDLE             hItem;
    HANDLE             hItem2;
    BLOCK_PARAM       *pPtr;
    HANDLE             hParam;
    HANDLE             hScratchParam;
    SCRATCH_PARAM     *sPtr;
    RTBLOCK_PARAM     *bPtr;
    unsigned int       index;
    OPENFILENAME       ofn;
    BOOL               dStat;
    static char        FilterStr[30];


    switch (message)
    {
      case WM_COMMAND:
           switch(LOWORD(wParam))
           {
             case IDC_VAR_GAIN:
                  VariablePickList(hDlg, IDC_EDIT_GAIN);
                  return(TRUE);

             case IDC_VAR_PATH:
                  VariablePickList(hDlg, IDC_EDIT_PATH);
                  return(TRUE);

             case IDC_VAR_PATH_PATHNAME:
                  VariablePickList(hDlg, IDC_EDIT_PATH_PATHNAME);
                  return(TRUE);

             case IDC_VAR_ROWS:
                  VariablePickList(hDlg, IDC_ROWS);
                  return(TRUE);

             case IDC_VAR_COLUMNS:
                  VariablePickList(hDlg, IDC_COLUMNS);
                  return(TRUE);

             case IDC_RADIO_MODE_A:
                  hParam = GetHParam(hDlg);
                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }

                  GlobalUnlock(hParam);

                  return(TRUE);
             case IDC_RADIO_MODE_B:
                  hParam = GetHParam(hDlg);
                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }

                  GlobalUnlock(hParam);

                  return(TRUE);
             case IDOK:   {
                  char          OldDriverName[16];
                  WORD          wBoardNum;
                  WORD          wDSPNum;
                  WORD          wIntNum;
                  WORD          wSyncInNum;
                  WORD          wSyncOutNum;
                  BOOL          bProfile;
                  long          PrevRows;
                  long          PrevCols;
                  // get pointer to block parameters
                  hParam = GetHParam(hDlg);
                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }
                  // get pointer to scratch parameters
                  hScratchParam = GetScratchParam(hDlg);  // get handle of scratch parameters
                  if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL){
                     GlobalUnlock(hParam);
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }
                  // get pointer to real-time block parameters
                  if ((bPtr = (RTBLOCK_PARAM *)GlobalLock(sPtr->hRTParam))==NULL){
                     GlobalUnlock(hScratchParam);
                     GlobalUnlock(hParam);
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }
                  // check if board or DSP number changed
                  wBoardNum = bPtr->wBoardNum;
                  wDSPNum = bPtr->wDSPNum;
                  bPtr->wBoardNum = GetDlgItemI(hDlg,IDC_EDIT_BRDNUM);
                  bPtr->wDSPNum   = GetDlgItemI(hDlg,IDC_EDIT_DSPNUM);
                  if ((bPtr->wBoardNum != wBoardNum) || (bPtr->wDSPNum != wDSPNum)){
                     // board or DSP changed so we need to change hDSPParam
                     if (!VexaSendCommand (sPtr->hDriver, DRV_CHANGEDSP, NULL, (LONG)sPtr->hRTParam)) {
                        // restore original board/DSP numbers
                        bPtr->wBoardNum = wBoardNum;
                        bPtr->wDSPNum = wDSPNum;
                        // unlock memory and return with ending dialog box
                        GlobalUnlock(sPtr->hRTParam);
                        GlobalUnlock(hScratchParam);
                        GlobalUnlock(hParam);
                        return (TRUE);
                     }
                     SetCompiledFlag(FALSE);
                  }
                  // get driver name
                  hItem = GetDlgItem(hDlg,IDC_COMBO_DRIVER);
                  index = (int)SendMessage(hItem,CB_GETCURSEL,0,0);
                  // copy current driver name to OldDriverName
                  lstrcpyn(OldDriverName,pPtr->DriverName,sizeof(OldDriverName));
                  if (SendMessage(hItem,CB_GETLBTEXTLEN,index,0) < (LRESULT)sizeof(pPtr->DriverName))
                    SendMessage(hItem,CB_GETLBTEXT,index,(LPARAM)(LPCSTR)pPtr->DriverName);
                  // check for driver change 
                  if (lstrcmpi(OldDriverName,pPtr->DriverName)){
                     // change DSP board drivers
                     if (ChangeDriver(pPtr->DriverName, sPtr->hRTParam, &sPtr->hDriver, &sPtr->lpfnVexaSendCommand) != USR_NO_ERR){
                       // restore driver name to parameter structure
                       lstrcpyn(pPtr->DriverName,OldDriverName,sizeof(pPtr->DriverName));
                       GlobalUnlock(sPtr->hRTParam);
                       GlobalUnlock(hScratchParam);
                       GlobalUnlock(hParam);
                       return(TRUE);
                     }
                     SetCompiledFlag(FALSE);
                  }
                  // get interrupt number
                  wIntNum = bPtr->wIntNum;
                  hItem = GetDlgItem(hDlg,IDC_COMBO_DSPINT);
                  bPtr->wIntNum = (int)SendMessage(hItem,CB_GETCURSEL,0,0);
                  if (bPtr->wIntNum != wIntNum)
                    SetCompiledFlag(FALSE);
                  // get sync in number
                  wSyncInNum = bPtr->wSyncInNum;
                  hItem = GetDlgItem(hDlg,IDC_COMBO_SYNCIN);
                  bPtr->wSyncInNum = (int)SendMessage(hItem,CB_GETCURSEL,0,0);
                  if (bPtr->wSyncInNum != wSyncInNum)
                    SetCompiledFlag(FALSE);
                  // get sync out number
                  wSyncOutNum = bPtr->wSyncOutNum;
                  hItem = GetDlgItem(hDlg,IDC_COMBO_SYNCOUT);
                  bPtr->wSyncOutNum = (int)SendMessage(hItem,CB_GETCURSEL,0,0);
                  if (bPtr->wSyncOutNum != wSyncOutNum)
                    SetCompiledFlag(FALSE);
                  // get profile flag
                  bProfile = bPtr->bProfileBlock;
                  bPtr->bProfileBlock = IsDlgButtonChecked(hDlg,IDC_RADIO_PROFYES);
                  if (bPtr->bProfileBlock != bProfile)
                    SetCompiledFlag(FALSE);
                  // get user parameters
                  SetDlgError(FALSE);       // clear dialog errors flag

                  // get floating point edit control value for _Gain
                  pPtr->_Gain = GetDlgItemF(hDlg, IDC_EDIT_GAIN);

                  // get radio button value for _Mode
                  if(IsDlgButtonChecked(hDlg, IDC_RADIO_MODE_A))
                    pPtr->_Mode = IDC_RADIO_MODE_A;
                  else if(IsDlgButtonChecked(hDlg, IDC_RADIO_MODE_B))
                    pPtr->_Mode = IDC_RADIO_MODE_B;

                  // get file, pathname, and completename for _Path
                  GetDlgItemStr(hDlg, IDC_EDIT_PATH, pPtr->_Path, TEXT_LENGTH);
                  GetDlgItemStr(hDlg, IDC_EDIT_PATH_PATHNAME, pPtr->_Path_PathName, TEXT_LENGTH);
                  if (lstrlen(pPtr->_Path_PathName) + 1 + lstrlen(pPtr->_Path) < TEXT_LENGTH){
                    lstrcpy(pPtr->_Path_CompleteName, pPtr->_Path_PathName);
                    if (pPtr->_Path_CompleteName[0] && pPtr->_Path_CompleteName[lstrlen(pPtr->_Path_CompleteName)-1] != '\\')
                      lstrcat(pPtr->_Path_CompleteName, "\\");
                    lstrcat(pPtr->_Path_CompleteName, pPtr->_Path);
                  }

                  // get check box value for _On
                  pPtr->_On = IsDlgButtonChecked(hDlg, IDC_CHECK_ON);

                  // get matrix size
                  PrevRows = pPtr->Rows;
                  PrevCols = pPtr->Columns;
                  pPtr->Rows = GetDlgItemL(hDlg, IDC_ROWS);
                  pPtr->Columns = GetDlgItemL(hDlg, IDC_COLUMNS);
                  if(pPtr->Rows != PrevRows || pPtr->Columns != PrevCols)
                    SetCompiledFlag(FALSE);
                  // get precision
                  hItem = GetDlgItem(hDlg,IDC_PRECISION);
                  pPtr->Precision = GetPrecision(hItem);
                  if(pPtr->Precision != bPtr->wPrecision)
                    SetCompiledFlag(FALSE);
                  UserSaveProc(hParam, hScratchParam, MNAME, RTBPARAM);
                  // download parameters to DSP
                  DownloadDSPParameters(pPtr, sPtr);
                  // unlock memory
                  GlobalUnlock(sPtr->hRTParam);
                  GlobalUnlock(hScratchParam);
                  GlobalUnlock(hParam);
                  // Check to see if any parameter errors occurred
                  if (GetDlgError())
                    return(FALSE); // do not end dialog if an error occurred
                  EndDialog(hDlg,IDOK);
                  return(TRUE);
             }
             case IDCANCEL:
                  EndDialog(hDlg, IDCANCEL);
                  return (TRUE);
             case IDC_INFO:
                  hParam = GetHParam(hDlg);
                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     break;
                  }
                  hScratchParam = GetScratchParam(hDlg);
                  if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL){
                     GlobalUnlock(hParam);
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }
                  // get block information
                  if (!VexaSendCommand (sPtr->hDriver, DRV_BLOCKINFO, hDlg, (LONG)sPtr->hRTParam)) {
                      VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
                  }
                  // unlock memory and return
                  GlobalUnlock(hScratchParam);
                  GlobalUnlock(hParam);
                  return (TRUE);
             case IDHELP:   {
                  char Section[TEXT_LENGTH];
                  char HelpDir[TEXT_LENGTH+sizeof("\\help")];
                  char HelpFileName[sizeof(HelpDir)+sizeof(MNAME)+sizeof("\\Component Reference Guide.chm")];
                  char chmTopic[sizeof("Component Reference Guide\\")+sizeof(MNAME)+sizeof(".htm")];
                  int x,y;
 
                  GetAppSection(Section);
                  GetPrivateProfileString(Section,"working dir","c:\\tlblock",HelpDir,TEXT_LENGTH,"rizezeri.ini");
                  lstrcat(HelpDir,"\\help");
                  lstrcpy(HelpFileName,HelpDir);
                  lstrcat(HelpFileName,"\\");
                  lstrcat(HelpFileName,MNAME);
                  lstrcat(HelpFileName,".htm");
                  if(!FileExists(HelpFileName)){
                    lstrcpy(HelpFileName,HelpDir);
                    lstrcat(HelpFileName,"\\Component Reference Guide.chm");
                  }
 
                  lstrcpy(chmTopic,"Component Reference Guide\\");
                  y = strlen(chmTopic);
                  lstrcat(chmTopic, MNAME);
                  lstrcat(chmTopic, ".htm");
                  for (x=0; x < lstrlen(MNAME); x++, y++){
                    if (!isalnum(chmTopic[y]))
                      chmTopic[y] = '_';
                  }
                  HtmlHelp(hDlg, (LPCSTR)HelpFileName, HH_DISPLAY_TOPIC, (DWORD)chmTopic);
                  break;
             }
               case IDBROWSE_PATH:
                    hParam = GetHParam(hDlg);
                    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                       MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                       EndDialog(hDlg, IDCANCEL);
                       return(TRUE);
                    }
                    lstrcpy(FilterStr,"All files (*.TIM)|*.tim|");
                    for(index=0; FilterStr[index]!='\0'; index++){
                        if (FilterStr[index]=='|') FilterStr[index]='\0';
                    }
                    ofn.lStructSize       = sizeof(OPENFILENAME);
                    ofn.hwndOwner         = NULL;
                    ofn.hInstance         = NULL;
                    ofn.lpstrFilter       = (LPSTR)FilterStr;
                    ofn.lpstrCustomFilter = NULL;
                    ofn.nMaxCustFilter    = 0;
                    ofn.nFilterIndex      = 1;
                    ofn.lpstrFile         = (LPSTR)pPtr->_Path_CompleteName;
                    ofn.nMaxFile          = TEXT_LENGTH;
                    ofn.lpstrFileTitle    = NULL;
                    ofn.nMaxFileTitle     = 0;
                    ofn.lpstrInitialDir   = (LPSTR)pPtr->_Path_PathName;
                    ofn.lpstrTitle        = NULL;
                    ofn.Flags             = OFN_PATHMUSTEXIST|OFN_FILEMUSTEXIST;
                    ofn.lpstrDefExt       = (LPSTR)"tim";
                    dStat = GetOpenFileName((OPENFILENAME *)&ofn);
                    if (dStat){
                        SeparateFile((LPSTR)pPtr->_Path_PathName, (LPSTR)pPtr->_Path, (LPSTR)pPtr->_Path_CompleteName);
                    }
                    SetDlgItemStr(hDlg, IDC_EDIT_PATH, (LPSTR)pPtr->_Path);
                    SetDlgItemStr(hDlg, IDC_EDIT_PATH_PATHNAME, (LPSTR)pPtr->_Path_PathName);
                    GlobalUnlock(hParam);
                    return(TRUE);
             default:
                  return(FALSE);
           }
           break;
      case WM_VSCROLL:
           return(ProcessRTScroll(hDlg, wParam, lParam));
      case WM_INITDIALOG: {
           WORD wIndex;
           WORD wMaxDriverNum;
           WORD wNumInts;
           WORD wNumSyncs;
           char Entry[32];
           char EntryStr[80];
           char Section[80];
           char DriverBasename[16];
           char IniFilename[256];
           char WorkingDir[256];
           // get pointer to block parameters
           hParam = GetHParam(hDlg);
           if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
              MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
              EndDialog(hDlg, IDCANCEL);
              return(TRUE);
           }
           // get pointer to scratch parameters
           hScratchParam = GetScratchParam(hDlg);
           if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL){
              GlobalUnlock(hParam);
              MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
              EndDialog(hDlg, IDCANCEL);
              return(TRUE);
           }
           // get pointer to real-time block parameters
           if ((bPtr = (RTBLOCK_PARAM *)GlobalLock(sPtr->hRTParam))==NULL){
              GlobalUnlock(hScratchParam);
              GlobalUnlock(hParam);
              MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
              EndDialog(hDlg, IDCANCEL);
              return(TRUE);
           }
           // initialize user parameters

           // initialize floating point edit control for _Gain
           SetDlgItemF(hDlg,IDC_EDIT_GAIN,pPtr->_Gain);

           // initialize radio button control for _Mode
           CheckRadioButton(hDlg,IDC_RADIO_MODE_A,IDC_RADIO_MODE_B,pPtr->_Mode);

           // initialize filename and path edit controls for _Path
           SetDlgItemStr(hDlg,IDC_EDIT_PATH,pPtr->_Path);
           SetDlgItemStr(hDlg,IDC_EDIT_PATH_PATHNAME,pPtr->_Path_PathName);

           // initialize check box control for _On
           CheckDlgButton(hDlg,IDC_CHECK_ON,pPtr->_On);

           // initialize matrix size
           SetDlgItemL(hDlg,IDC_ROWS,pPtr->Rows);
           SetDlgItemL(hDlg,IDC_COLUMNS,pPtr->Columns);
           // initialize data precision
           hItem = GetDlgItem(hDlg,IDC_PRECISION);
           AddPrecision(hItem, HDT_CHAR);
           AddPrecision(hItem, HDT_BYTE);
           AddPrecision(hItem, HDT_SHORT);
           if (VexaSendCommand (sPtr->hDriver, DRV_INTSUPPORT,0,0))
             AddPrecision(hItem, HDT_INT);
           AddPrecision(hItem, HDT_LONG);
           if (VexaSendCommand (sPtr->hDriver, DRV_FLTSUPPORT,0,0))
             AddPrecision(hItem, HDT_FLOAT);
           AddPrecision(hItem, HDT_DOUBLE);
           SetPrecision(hItem, pPtr->Precision);
           // initialize driver parameters
           SetDlgItemI(hDlg,IDC_EDIT_BRDNUM,bPtr->wBoardNum);
           SetDlgItemI(hDlg,IDC_EDIT_DSPNUM,bPtr->wDSPNum);
           // initialize profile enable
           if (bPtr->bProfileBlock)
                CheckRadioButton(hDlg,IDC_RADIO_PROFYES,IDC_RADIO_PROFNO,IDC_RADIO_PROFYES);
           else CheckRadioButton(hDlg,IDC_RADIO_PROFYES,IDC_RADIO_PROFNO,IDC_RADIO_PROFNO);
           // get installed Calderic drivers to load combo box
           hItem = GetDlgItem(hDlg,IDC_COMBO_DRIVER);
           // get max driver number stored in rizezeri.ini
           wMaxDriverNum = GetPrivateProfileInt("Drivers","DriverNum",0,"rizezeri.ini");
           // load driver combo box
           for(wIndex=0; wIndex < wMaxDriverNum; wIndex++){
             wsprintf(Entry,"DSP Driver #%d",wIndex+1);  // create driver section entry
             EntryStr[0] = '\0';   // clear driver string
             // attempt to read driver entry in rizezeri.ini
             GetPrivateProfileString("Drivers",Entry,"",EntryStr,sizeof(EntryStr),"rizezeri.ini");
             if (EntryStr[0])
               SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)EntryStr);
           }
           SendMessage(hItem,CB_SELECTSTRING,(UINT)-1,(DWORD)(LPSTR)pPtr->DriverName);
           // get current driver's base name
           lstrcpyn(DriverBasename,pPtr->DriverName,sizeof(DriverBasename));
           wIndex = 0;
           while ((DriverBasename[wIndex]) && (DriverBasename[wIndex] != '.')) wIndex++;
           if (DriverBasename[wIndex] == '.') DriverBasename[wIndex] = '\0';
           // get name of current driver's initialization file
           GetAppSection(Section);
           GetPrivateProfileString(Section,"working dir","",(LPSTR)WorkingDir,sizeof(IniFilename)-2*sizeof(DriverBasename)-6,"rizezeri.ini");
           wsprintf(IniFilename,"%s\\%s\\%s.ini",WorkingDir,DriverBasename,DriverBasename);
           // load interrupt combo box
           hItem = GetDlgItem(hDlg,IDC_COMBO_DSPINT);
           wNumInts = GetPrivateProfileInt("interrupts","NumInts",0,IniFilename);
           // create no interrupt string first
           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)"None");
           for (wIndex=1; wIndex <= wNumInts; wIndex++){
               wsprintf(Entry,"Int%d",wIndex);  // interrupt section entry
               EntryStr[0] = '\0';                // clear entry string
               GetPrivateProfileString("interrupts",(LPCSTR)Entry,(LPCSTR)"",(LPSTR)EntryStr,sizeof(EntryStr),IniFilename);
               if (EntryStr[0]) SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)EntryStr);
           }
           SendMessage(hItem,CB_SETCURSEL,(UINT)bPtr->wIntNum,(DWORD)0);
           // load sync in combo box
           hItem = GetDlgItem(hDlg,IDC_COMBO_SYNCIN);
           wNumSyncs = GetPrivateProfileInt("syncs","NumSyncs",0,IniFilename);
           // create no sync in string first
           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)"None");
           for (wIndex=1; wIndex <= wNumSyncs; wIndex++){
               wsprintf(Entry,"Sync%d",wIndex);  // sync in section entry
               EntryStr[0] = '\0';                // clear entry string
               GetPrivateProfileString("syncs",(LPCSTR)Entry,(LPCSTR)"",(LPSTR)EntryStr,sizeof(EntryStr),IniFilename);
               if (EntryStr[0]) SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)EntryStr);
           }
           SendMessage(hItem,CB_SETCURSEL,(UINT)bPtr->wSyncInNum,(DWORD)0);
           // load sync out combo box
           hItem = GetDlgItem(hDlg,IDC_COMBO_SYNCOUT);
           wNumSyncs = GetPrivateProfileInt("syncs","NumSyncs",0,IniFilename);
           // create no sync out string first
           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)"None");
           for (wIndex=1; wIndex <= wNumSyncs; wIndex++){
               wsprintf(Entry,"Sync%d",wIndex);  // sync out section entry
               EntryStr[0] = '\0';                // clear entry string
               GetPrivateProfileString("syncs",(LPCSTR)Entry,(LPCSTR)"",(LPSTR)EntryStr,sizeof(EntryStr),IniFilename);
               if (EntryStr[0]) SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)EntryStr);
           }
           SendMessage(hItem,CB_SETCURSEL,(UINT)bPtr->wSyncOutNum,(DWORD)0);
           // if DSP is running, disable driver parameters
           if (VexaSendCommand (sPtr->hDriver, DRV_DSPSTATUS, NULL, (LONG)sPtr->hRTParam)) {
              if (bPtr->dwBlockStatus == DSPSTAT_RUN)  {
                 // disable driver parameters
                 EnableWindow(GetDlgItem(hDlg,IDC_EDIT_BRDNUM),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_SCROLL_BRDSCRL),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_EDIT_DSPNUM),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_SCROLL_DSPSCRL),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_COMBO_DRIVER),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_RADIO_PROFYES),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_RADIO_PROFNO),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_COMBO_DSPINT),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_COMBO_SYNCIN),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_COMBO_SYNCOUT),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_PRECISION),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_ROWS),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_VAR_ROWS),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_COLUMNS),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_VAR_COLUMNS),FALSE);
                 // disable any user-defined parameters here that should not
                 // be changed while the DSP is running (such as framesize)
                  EnableWindow(GetDlgItem(hDlg,IDC_EDIT_GAIN), FALSE);
                  EnableWindow(GetDlgItem(hDlg,IDC_VAR_GAIN), FALSE);
                  EnableWindow(GetDlgItem(hDlg,IDC_RADIO_MODE_A), FALSE);
                  EnableWindow(GetDlgItem(hDlg,IDC_RADIO_MODE_B), FALSE);
                  EnableWindow(GetDlgItem(hDlg,IDC_EDIT_PATH), FALSE);
                  EnableWindow(GetDlgItem(hDlg,IDC_VAR_PATH), FALSE);
                  EnableWindow(GetDlgItem(hDlg,IDC_EDIT_PATH_PATHNAME), FALSE);
                  EnableWindow(GetDlgItem(hDlg,IDC_VAR_PATH_PATHNAME), FALSE);
                  EnableWindow(GetDlgItem(hDlg,IDBROWSE_PATH), FALSE);
              }
           }
           // unlock memory
           GlobalUnlock(sPtr->hRTParam);
           GlobalUnlock(hScratchParam);
           GlobalUnlock(hParam);
           return (FALSE);
      }
    }

    return (FALSE);
}

//===========================================================================
//  Function:   UserGetParameterListProc()
//  Purpose:    This function fills the list box with the names and IDs of
//              all the modifiable parameters for this block.
//  Parameters: HWND  hListBox       - Handle of the list box to fill with names
//  Returns:    void
//===========================================================================
 
void PASCAL UserGetParameterListProc(HWND hListBox)
{
    AddParmString(hListBox, "On", (HDT_INT << 16)|IDC_CHECK_ON);
}

//===========================================================================
//  Function:   UserSetParameterProc()
//  Purpose:    This function sets the specified parameter to the value 
//              pointed to by val.
//  Parameters: HANDLE hParam        - Handle of the BLOCK_PARAM structure
//              HANDLE hScratchParam - Handle of the SCRATCH_PARAM structure
//              DWORD  ID            - Identifier of the variable to change
//              void  *val           - Pointer to new value
//  Returns:    USR_NO_ERR if no error
//              Error Code if error
//===========================================================================
 
int PASCAL UserSetParameterProc(HANDLE hParam, HANDLE hScratchParam, DWORD ID, void *val)
{
    int                RC = USR_NO_ERR;
    int                wIndex;
    char               Section[80];
    char               OldDriverName[16];
    char               DriverBasename[16];
    char               IniFilename[256];
    char               WorkingDir[256];
    BLOCK_PARAM       *pPtr;
    SCRATCH_PARAM     *sPtr;
    RTBLOCK_PARAM     *bPtr;

    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // get pointer to scratch parameter structure
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    // get pointer to real-time block parameter structure
    if ((bPtr = (RTBLOCK_PARAM *)GlobalLock(sPtr->hRTParam))==NULL)  {
       GlobalUnlock(hScratchParam);
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    if (ID == IDC_COMBO_DSPINT || ID == IDC_COMBO_SYNCIN || ID == IDC_COMBO_SYNCOUT){
      // get current driver's base name
      lstrcpyn(DriverBasename,pPtr->DriverName,sizeof(DriverBasename));
      wIndex = 0;
      while ((DriverBasename[wIndex]) && (DriverBasename[wIndex] != '.')) wIndex++;
      if (DriverBasename[wIndex] == '.') DriverBasename[wIndex] = '\0';
      // get name of current driver's initialization file
      GetAppSection(Section);
      GetPrivateProfileString(Section,"working dir","",(LPSTR)WorkingDir,sizeof(IniFilename)-2*sizeof(DriverBasename)-6,"rizezeri.ini");
      wsprintf(IniFilename,"%s\\%s\\%s.ini",WorkingDir,DriverBasename,DriverBasename);
    }

    switch(ID){
        case IDC_EDIT_GAIN:
            if(pPtr->_Gain != *((float *)val)) bRTChange = TRUE;
            pPtr->_Gain = *((float *)val);
            break;
        case IDC_RADIO_MODE:
            if (0 <= *((int *)val) && *((int *)val) <= IDC_RADIO_MODE_B-IDC_RADIO_MODE_A){
                if(pPtr->_Mode != *((int *)val)+IDC_RADIO_MODE_A) bRTChange = TRUE;
                pPtr->_Mode = *((int *)val)+IDC_RADIO_MODE_A;
                break;
            }
            RC = USR_ERR_OVF; // return overflow warning
            break;
        case IDC_EDIT_PATH:
            if (lstrlen((char *)val) >= TEXT_LENGTH){
                lstrcpyn(pPtr->_Path, (char *)val, TEXT_LENGTH);
                lstrcat(pPtr->_Path, "\0");
                RC = USR_ERR_OVF;
            }
            else{
                lstrcpy(pPtr->_Path, (char *)val);
            }
            // Combine the Name and PathName into the CompleteName
            if (lstrlen(pPtr->_Path_PathName) + 1 + lstrlen(pPtr->_Path) < TEXT_LENGTH){
                lstrcpy(pPtr->_Path_CompleteName, pPtr->_Path_PathName);
                lstrcat(pPtr->_Path_CompleteName, "\\");
                lstrcat(pPtr->_Path_CompleteName, pPtr->_Path);
            }
            else{
                RC = USR_ERR_OVF;
            }
            break;
        case IDC_EDIT_PATH_PATHNAME:
            if (lstrlen((char *)val) >= TEXT_LENGTH){
                lstrcpyn(pPtr->_Path_PathName, (char *)val, TEXT_LENGTH);
                lstrcat(pPtr->_Path_PathName, "\0");
                RC = USR_ERR_OVF;
            }
            else{
                lstrcpy(pPtr->_Path_PathName, (char *)val);
            }
            // Combine the Name and PathName into the CompleteName
            if (lstrlen(pPtr->_Path_PathName) + 1 + lstrlen(pPtr->_Path) < TEXT_LENGTH){
                lstrcpy(pPtr->_Path_CompleteName, pPtr->_Path_PathName);
                lstrcat(pPtr->_Path_CompleteName, "\\");
                lstrcat(pPtr->_Path_CompleteName, pPtr->_Path);
            }
            else{
                RC = USR_ERR_OVF;
            }
            break;
        case IDC_EDIT_PATH_COMPLETENAME:
            if (lstrlen((char *)val) >= TEXT_LENGTH){
                lstrcpyn(pPtr->_Path_CompleteName, (char *)val, TEXT_LENGTH);
                RC = USR_ERR_OVF;
            }
            else{
                lstrcpy(pPtr->_Path_CompleteName, (char *)val);
            }
            SeparateFile(pPtr->_Path_PathName, pPtr->_Path, pPtr->_Path_CompleteName);
            break;
        case IDC_CHECK_ON:
            if(*((int *)val)){
              if(pPtr->_On != TRUE) bRTChange = TRUE;
              pPtr->_On = TRUE;
            }
            else{
              if(pPtr->_On != FALSE) bRTChange = TRUE;
              pPtr->_On = FALSE;
            }
            break;
        case IDC_ROWS:
            pPtr->Rows = *((long *)val);
            break;
        case IDC_COLUMNS:
            pPtr->Columns = *((long *)val);
            break;
        case IDC_PRECISION:
            if(*((int *)val) == HDT_AUTO)   break;
            if(pPtr->Precision != *((int *)val))
              SetCompiledFlag(FALSE);
            pPtr->Precision = *((int *)val);
            break;
        case IDC_COMBO_DRIVER:
          lstrcpyn(OldDriverName, pPtr->DriverName, sizeof(OldDriverName));
          lstrcpyn(pPtr->DriverName, (char *)val, sizeof(pPtr->DriverName));
          if (lstrcmpi(OldDriverName,pPtr->DriverName)){
            // change DSP board drivers
            if (ChangeDriver(pPtr->DriverName, sPtr->hRTParam, &sPtr->hDriver, &sPtr->lpfnVexaSendCommand) != USR_NO_ERR){
              // restore driver name to parameter structure
              lstrcpyn(pPtr->DriverName,OldDriverName,sizeof(pPtr->DriverName));
              RC = USR_ERR_DSPC;  // return driver error
              break;
            }
          }
          SetCompiledFlag(FALSE);
          break;
        case IDC_EDIT_BRDNUM:
          bPtr->wBoardNum = *((WORD *)val);
          if (!VexaSendCommand(sPtr->hDriver, DRV_CHANGEDSP, NULL, (LONG)sPtr->hRTParam))
            RC = USR_ERR_DSPC; // return driver error
          SetCompiledFlag(FALSE);
          break;
        case IDC_EDIT_DSPNUM:
          bPtr->wDSPNum = *((WORD *)val);
          if (!VexaSendCommand(sPtr->hDriver, DRV_CHANGEDSP, NULL, (LONG)sPtr->hRTParam))
            RC = USR_ERR_DSPC; // return driver error
          SetCompiledFlag(FALSE);
          break;
        case IDC_COMBO_DSPINT:
          // get number of interrupt strings
          wIndex = GetPrivateProfileInt("interrupts","NumInts",0,IniFilename);
          if (0 <= *((WORD *)val) && *((WORD *)val) <= wIndex){
              bPtr->wIntNum = *((WORD *)val);
              SetCompiledFlag(FALSE);
              break;
          }
          RC = USR_ERR_OVF; // return overflow warning
          SetCompiledFlag(FALSE);
          break;
        case IDC_COMBO_SYNCIN:
          // get number of sync strings
          wIndex = GetPrivateProfileInt("syncs","NumSyncs",0,IniFilename);
          if (0 <= *((WORD *)val) && *((WORD *)val) <= wIndex){
              bPtr->wSyncInNum = *((WORD *)val);
              SetCompiledFlag(FALSE);
              break;
          }
          RC = USR_ERR_OVF; // return overflow warning
          SetCompiledFlag(FALSE);
          break;
        case IDC_COMBO_SYNCOUT:
          // get number of sync strings
          wIndex = GetPrivateProfileInt("syncs","NumSyncs",0,IniFilename);
          if (0 <= *((WORD *)val) && *((WORD *)val) <= wIndex){
              bPtr->wSyncOutNum = *((WORD *)val);
              SetCompiledFlag(FALSE);
              break;
          }
          RC = USR_ERR_OVF; // return overflow warning
          SetCompiledFlag(FALSE);
          break;
        case IDC_RADIO_PROFILE:
          if (*((WORD *)val) == 0 || *((WORD *)val) == 1){
              bPtr->bProfileBlock = IDC_RADIO_PROFNO - *((WORD *)val);
              SetCompiledFlag(FALSE);
              break;
          }
          RC = USR_ERR_OVF; // return overflow warning
          SetCompiledFlag(FALSE);
          break;
        // The following routine should be called after any of the block parameters
        // have been changed.  Zirud Izadivo will call this routine after processing
        // all the global and external variables for this block.
        case IDC_RT_DOWNLOAD:
          if (bRTChange) {
             RC = DownloadDSPParameters(pPtr,sPtr);
             bRTChange = FALSE;
          }
          break;
    }

    // unlock memory
    GlobalUnlock(sPtr->hRTParam);
    GlobalUnlock(hScratchParam);
    GlobalUnlock(hParam);
    return(RC);
}

//===========================================================================
//  Function:   UserSaveProc()
//  Purpose:    This function is called to save the block parameters to a file.
//  Parameters: HANDLE hParam              - Parameter information struct
//              HANDLE hScratchParam       - Scratch Parameter struct
//              (LPSTR)Section             - Section name of the file
//              (LPSTR)FileName            - File name to save
//  Returns:    USR_NO_ERR if no error
//              Error Code if error
//===========================================================================
 
int PASCAL UserSaveProc(HANDLE hParam, HANDLE hScratchParam, LPSTR Section, LPSTR FileName)
{
    BLOCK_PARAM       *pPtr;
    SCRATCH_PARAM     *sPtr;
    RTBLOCK_PARAM     *bPtr;

    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // get pointer to scratch parameter structure
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    // get pointer to real-time block parameter structure
    if ((bPtr = (RTBLOCK_PARAM *)GlobalLock(sPtr->hRTParam))==NULL)  {
       GlobalUnlock(hScratchParam);
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    // Save block's user parameters to file
    SaveParamStr(Section, "Version", -1, VERSION, FileName);
    SaveParamI(Section, "Precision", IDC_PRECISION, pPtr->Precision, FileName);
    SaveParamL(Section, "Framesize", IDC_FRAMESIZE, pPtr->Framesize, FileName);
    SaveParamL(Section, "Rows", IDC_ROWS, pPtr->Rows, FileName);
    SaveParamL(Section, "Columns", IDC_COLUMNS, pPtr->Columns, FileName);
    SaveParamL(Section, "FramesizeOut0", -1, pPtr->FramesizeOut0, FileName);
    SaveParamI(Section, "RCFlagOut0", -1, pPtr->RCFlagOut0, FileName);
    SaveParamI(Section, "DTFlagOut0", -1, pPtr->DTFlagOut0, FileName);
    SaveParamD(Section, "SampFreqOut0", -1, pPtr->SampFreqOut0, FileName);
    SaveParamF(Section, "_Gain", IDC_EDIT_GAIN, pPtr->_Gain, FileName);
    SaveParamI(Section, "_Mode", -1, pPtr->_Mode, FileName);
    SaveParamStr(Section, "_Path", IDC_EDIT_PATH, pPtr->_Path, FileName);
    SaveParamStr(Section, "_Path_PathName", IDC_EDIT_PATH_PATHNAME, pPtr->_Path_PathName, FileName);
    SaveParamStr(Section, "_Path_CompleteName", IDC_EDIT_PATH_COMPLETENAME, pPtr->_Path_CompleteName, FileName);
    SaveParamI(Section, "_On", IDC_CHECK_ON, pPtr->_On, FileName);


    // Save block's driver parameters to file
    SaveParamStr(Section, "DriverName", -1, pPtr->DriverName, FileName);
    SaveParamI(Section, "wBoardNum", -1, bPtr->wBoardNum, FileName);
    SaveParamI(Section, "wDSPNum", -1, bPtr->wDSPNum, FileName);
    SaveParamI(Section, "wIntNum", -1, bPtr->wIntNum, FileName);
    SaveParamI(Section, "wSyncInNum", -1, bPtr->wSyncInNum, FileName);
    SaveParamI(Section, "wSyncOutNum", -1, bPtr->wSyncOutNum, FileName);
    SaveParamI(Section, "bProfile", -1, bPtr->bProfileBlock, FileName);

    // unlock memory
    GlobalUnlock(sPtr->hRTParam);
    GlobalUnlock(hScratchParam);
    GlobalUnlock(hParam);
    return(USR_NO_ERR);
}

//===========================================================================
//  Function:   UserLoadProc()
//  Purpose:    This function is called to load the block parameters from a file.
//  Parameters: HANDLE hParam              - Parameter information struct
//              HANDLE hScratchParam       - Scratch Parameter struct
//              (LPSTR)Section             - Section name of the file
//              (LPSTR)FileName            - File name to save
//  Returns:    USR_NO_ERR if no error
//              Error Code if error
//===========================================================================
 
int PASCAL UserLoadProc(HANDLE hParam, HANDLE hScratchParam, LPSTR Section, LPSTR FileName)
{
    char            TLWSection[80];
    char            WorksheetName[256];
    char            WorksheetSection[256];
    char            DriverText[TEXT_LENGTH];
    BLOCK_PARAM        *pPtr;
    SCRATCH_PARAM      *sPtr;
    RTBLOCK_PARAM      *bPtr;

    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // get pointer to scratch parameter structure
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    // get pointer to real-time block parameter structure
    if ((bPtr = (RTBLOCK_PARAM *)GlobalLock(sPtr->hRTParam))==NULL)  {
       GlobalUnlock(hScratchParam);
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    pPtr->Precision = LoadParamI(Section, "Precision", IDC_PRECISION, HDT_DOUBLE, FileName);
    // Load block's user parameters
    pPtr->Rows = LoadParamL(Section, "Rows", IDC_ROWS, 2, FileName);
    pPtr->Columns = LoadParamL(Section, "Columns", IDC_COLUMNS, 2, FileName);
    pPtr->_Gain = LoadParamF(Section, "_Gain", IDC_EDIT_GAIN, (float)2.0, FileName);
    pPtr->_Mode = LoadParamI(Section, "_Mode", -1, IDC_RADIO_MODE_B, FileName);
    LoadParamStr(Section, "_Path", IDC_EDIT_PATH, "None", pPtr->_Path, FileName);
    LoadParamStr(Section, "_Path_PathName", IDC_EDIT_PATH_PATHNAME, "None", pPtr->_Path_PathName, FileName);
    LoadParamStr(Section, "_Path_CompleteName", IDC_EDIT_PATH_COMPLETENAME, "None", pPtr->_Path_CompleteName, FileName);
    pPtr->_On = (BOOL)LoadParamI(Section, "_On", IDC_CHECK_ON, BST_CHECKED, FileName);


    // Load block's driver parameters
    GetDriverFileName(WorksheetSection, WorksheetName);
    if (!WorksheetName[0]){
      GetAppSection(TLWSection);
      GetPrivateProfileString(TLWSection, "DSP Board", "", pPtr->DriverName, sizeof(pPtr->DriverName)-4, "RIZEZERI.INI");
      lstrcat(pPtr->DriverName,".drv");    // append driver ext.
    }
    else{
      LoadParamStr(WorksheetSection, "DriverName", -1, "", DriverText, WorksheetName);
      lstrcpyn(pPtr->DriverName,DriverText,sizeof(pPtr->DriverName));
    }
    bPtr->wBoardNum = LoadParamI(Section, "wBoardNum", -1, 1, FileName);
    bPtr->wDSPNum = LoadParamI(Section, "wDSPNum", -1, 1, FileName);
    bPtr->wIntNum = LoadParamI(Section, "wIntNum", -1, 0, FileName);
    bPtr->wSyncInNum = LoadParamI(Section, "wSyncInNum", -1, 0, FileName);
    bPtr->wSyncOutNum = LoadParamI(Section, "wSyncOutNum", -1, 0, FileName);
    bPtr->bProfileBlock = LoadParamI(Section, "bProfile", -1, 0, FileName);

    // unlock memory
    GlobalUnlock(sPtr->hRTParam);
    GlobalUnlock(hScratchParam);
    GlobalUnlock(hParam);
    return(USR_NO_ERR);
}



//===========================================================================
// Function   : DownloadDSPParameters()
// Purpose    : Downloads DSP user paramenters
// Parameters : pPtr  - Pointer to block parameter information structure
//              sPtr  - Pointer to real-time block parameter information structure
// Returns    : USR_NO_ERR if no error
//              Error Code if error
//===========================================================================
static int PASCAL DownloadDSPParameters(BLOCK_PARAM *pPtr, SCRATCH_PARAM *sPtr)
{
    RTBLOCK_PARAM     *bPtr = NULL;

    if ((bPtr=(RTBLOCK_PARAM *) GlobalLock (sPtr->hRTParam)) == NULL)
        return(USR_ERR_NPT);
    // copy values from PC block to real-time block structure
    bPtr->dSampFreqOut0 = pPtr->SampFreqOut0;

    // don't download parameters if block is not compiled or there are no parameters
    if((!bPtr->bBlockCompiled) || (bPtr->wNumParams==0)){
        GlobalUnlock (sPtr->hRTParam);
        return(USR_NO_ERR);
    }

//---------------------------------------------------------------------------
//   Download parameters to the DSP
//---------------------------------------------------------------------------
    bPtr->dwAddr     = (DWORD)bPtr->dwParamAddr;

    // download parameter 0 (_Gain)
    bPtr->dwData     = (DWORD)(long)pPtr->_Gain;
    bPtr->fData      = (float)pPtr->_Gain;
    bPtr->bDataType  = (bPtr->wPrecision == HDT_FLOAT ? RTDT_FLT : RTDT_LNG);
    bPtr->bMemType   = DATA_MEM;

    if (!VexaSendCommand (sPtr->hDriver, DRV_WRMEMVAL, NULL, (LONG)sPtr->hRTParam)) {
        VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
        GlobalUnlock(sPtr->hRTParam);
        return (USR_ERR_NPT);
    }

    // download parameter 1 (_Mode)
    // NOTE: Need to subtract off first radio button IDC before download so
    //       the downloaded data is zero-based.
    bPtr->dwData     = (DWORD)(pPtr->_Mode-IDC_RADIO_MODE_A);
    bPtr->bDataType  = RTDT_LNG;
    bPtr->bMemType   = DATA_MEM;

    if (!VexaSendCommand (sPtr->hDriver, DRV_WRMEMVAL, NULL, (LONG)sPtr->hRTParam)) {
        VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
        GlobalUnlock(sPtr->hRTParam);
        return (USR_ERR_NPT);
    }

    // download parameter 2 (_Path)
    // This parameter type is not downloaded to the DSP.

    // download parameter 3 (_On)
    bPtr->dwData     = (DWORD)((LONG)pPtr->_On);
    bPtr->bDataType  = RTDT_LNG;
    bPtr->bMemType   = DATA_MEM;

    if (!VexaSendCommand (sPtr->hDriver, DRV_WRMEMVAL, NULL, (LONG)sPtr->hRTParam)) {
        VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
        GlobalUnlock(sPtr->hRTParam);
        return (USR_ERR_NPT);
    }

    // download parameter (Rows)
    bPtr->dwData     = (DWORD)((LONG)pPtr->Rows);
    bPtr->bDataType  = RTDT_LNG;
    bPtr->bMemType   = DATA_MEM;

    if (!VexaSendCommand (sPtr->hDriver, DRV_WRMEMVAL, NULL, (LONG)sPtr->hRTParam)) {
        VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
        GlobalUnlock(sPtr->hRTParam);
        return (USR_ERR_NPT);
    }

    // download parameter (Columns)
    bPtr->dwData     = (DWORD)((LONG)pPtr->Columns);
    bPtr->bDataType  = RTDT_LNG;
    bPtr->bMemType   = DATA_MEM;

    if (!VexaSendCommand (sPtr->hDriver, DRV_WRMEMVAL, NULL, (LONG)sPtr->hRTParam)) {
        VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
        GlobalUnlock(sPtr->hRTParam);
        return (USR_ERR_NPT);
    }

    // unlock memory
    GlobalUnlock (sPtr->hRTParam);
    return(USR_NO_ERR);
}

