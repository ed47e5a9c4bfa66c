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
    HANDLE             hRes;
    HANDLE             hResInfo;
    short             *lpResource;

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

    // get the block's header resource
    hResInfo = FindResource(GetBlockInstanceHandle(), "DLLHEADER", RT_RCDATA);
    hRes = LoadResource(GetBlockInstanceHandle(), hResInfo); // no need to free in win32
    lpResource = (short *)LockResource(hRes);  // no need to unlock in win32

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
         if (!VexaSendCommand (sPtr->hDriver, DRV_LOADBLOCK, (HWND)(LONG)*lpResource, (LONG)sPtr->hRTParam)) {
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
         if (!VexaSendCommand (sPtr->hDriver, DRV_COMPILELINK, (HWND)(LONG)*lpResource, (LONG)sPtr->hRTParam)) {
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
    BLOCK_PARAM       *pPtr;
    HANDLE             hParam;
    HANDLE             hScratchParam;
    SCRATCH_PARAM     *sPtr;
    RTBLOCK_PARAM     *bPtr;
    unsigned int       index;


    switch (message)
    {
      case WM_COMMAND:
           switch(LOWORD(wParam))
           {
             case IDC_VAR_TAPS:
                  VariablePickList(hDlg, IDC_EDIT_TAPS);
                  return(TRUE);

             case IDOK:   {
                  char          OldDriverName[16];
                  WORD          wBoardNum;
                  WORD          wDSPNum;
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
                  // get user parameters
                  SetDlgError(FALSE);       // clear dialog errors flag

                  // get integer edit control value for _Taps
                  pPtr->_Taps = GetDlgItemI(hDlg, IDC_EDIT_TAPS);

                  // get combo box selection for _Window
                  // get handle of _Window combo box
                  hItem = GetDlgItem(hDlg,IDC_COMBO_WINDOW);
                  pPtr->_Window = (int)SendMessage(hItem,CB_GETCURSEL,0,0);

                  // get precision
                  hItem = GetDlgItem(hDlg,IDC_PRECISION);
                  pPtr->Precision = GetPrecision(hItem);
                  if(pPtr->Precision != bPtr->wPrecision)
                    SetCompiledFlag(FALSE);
                  UserSaveProc(hParam, hScratchParam, MNAME, RTBPARAM);
                  InvalidateRect(GetBlockWindowHandle(), NULL, FALSE);
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
             default:
                  return(FALSE);
           }
           break;
      case WM_VSCROLL:
           return(ProcessRTScroll(hDlg, wParam, lParam));
      case WM_INITDIALOG: {
           WORD wIndex;
           WORD wMaxDriverNum;
           char Entry[32];
           char EntryStr[80];
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

           // initialize integer edit control for _Taps
           SetDlgItemI(hDlg,IDC_EDIT_TAPS,pPtr->_Taps);

           // initialize combo box control for _Window
           // get handle of _Window combo box
           hItem = GetDlgItem(hDlg,IDC_COMBO_WINDOW);
           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)"Rect");
           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)"Hann");
           // select combo box item for _Window
           SendMessage(hItem,CB_SETCURSEL,pPtr->_Window,(DWORD)0);

           // initialize data precision
           hItem = GetDlgItem(hDlg,IDC_PRECISION);
           AddPrecision(hItem, HDT_AUTO);
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
           // if DSP is running, disable driver parameters
           if (VexaSendCommand (sPtr->hDriver, DRV_DSPSTATUS, NULL, (LONG)sPtr->hRTParam)) {
              if (bPtr->dwBlockStatus == DSPSTAT_RUN)  {
                 // disable driver parameters
                 EnableWindow(GetDlgItem(hDlg,IDC_EDIT_BRDNUM),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_SCROLL_BRDSCRL),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_EDIT_DSPNUM),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_SCROLL_DSPSCRL),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_COMBO_DRIVER),FALSE);
                 EnableWindow(GetDlgItem(hDlg,IDC_PRECISION),FALSE);
                 // disable any user-defined parameters here that should not
                 // be changed while the DSP is running (such as framesize)
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
    AddParmString(hListBox, "Taps", (HDT_INT << 16)|IDC_EDIT_TAPS);
    AddParmString(hListBox, "Window", (HDT_INT << 16)|IDC_COMBO_WINDOW);
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
        case IDC_EDIT_TAPS:
            if(pPtr->_Taps != *((int *)val)) bRTChange = TRUE;
            pPtr->_Taps = *((int *)val);
            break;
        case IDC_COMBO_WINDOW:
            if (0 <= *((int *)val) && *((int *)val) < NUM_WINDOW){
                if(pPtr->_Window != *((int *)val)) bRTChange = TRUE;
                pPtr->_Window = *((int *)val);
                break;
            }
            RC = USR_ERR_OVF; // return overflow warning
            break;
        case IDC_PRECISION:
            if(*((int *)val) == HDT_CHAR)   break;
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
    SaveParamL(Section, "FramesizeIn0", -1, pPtr->FramesizeIn0, FileName);
    SaveParamI(Section, "RCFlagIn0", -1, pPtr->RCFlagIn0, FileName);
    SaveParamI(Section, "DTFlagIn0", -1, pPtr->DTFlagIn0, FileName);
    SaveParamD(Section, "SampFreqIn0", -1, pPtr->SampFreqIn0, FileName);
    SaveParamL(Section, "FramesizeOut0", -1, pPtr->FramesizeOut0, FileName);
    SaveParamI(Section, "RCFlagOut0", -1, pPtr->RCFlagOut0, FileName);
    SaveParamI(Section, "DTFlagOut0", -1, pPtr->DTFlagOut0, FileName);
    SaveParamD(Section, "SampFreqOut0", -1, pPtr->SampFreqOut0, FileName);
    SaveParamI(Section, "_Taps", IDC_EDIT_TAPS, pPtr->_Taps, FileName);
    SaveParamI(Section, "_Window", -1, pPtr->_Window, FileName);


    // Save block's driver parameters to file
    SaveParamStr(Section, "DriverName", -1, pPtr->DriverName, FileName);
    SaveParamI(Section, "wBoardNum", -1, bPtr->wBoardNum, FileName);
    SaveParamI(Section, "wDSPNum", -1, bPtr->wDSPNum, FileName);

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

    pPtr->Precision = LoadParamI(Section, "Precision", IDC_PRECISION, HDT_AUTO, FileName);
    // Load block's user parameters
    pPtr->_Taps = LoadParamI(Section, "_Taps", IDC_EDIT_TAPS, 16, FileName);
    pPtr->_Window = LoadParamI(Section, "_Window", -1, 1, FileName);


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
    bPtr->wIntNum = 0;
    bPtr->wSyncInNum = 0;
    bPtr->wSyncOutNum = 0;
    bPtr->bProfileBlock = 0;

    // unlock memory
    GlobalUnlock(sPtr->hRTParam);
    GlobalUnlock(hScratchParam);
    GlobalUnlock(hParam);
    return(USR_NO_ERR);
}

int PASCAL UserPaintProc(HDC hDC, HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)
{
  BOOL            NeedToRelease;
  RECT            Rect;
  HWND            hWnd;
  HDC             hImageDC;
  HDC             hMemDC;
  HBITMAP         hMemBitmap;
  HBITMAP         hOldImage;
  HBITMAP         hOldMemBitmap;
  BLOCK_PARAM    *pPtr;
  SCRATCH_PARAM  *sPtr;

  if ((pPtr = (BLOCK_PARAM far *)GlobalLock(hParam)) == NULL)
    return(USR_ERR_NPT);
  if ((sPtr = (SCRATCH_PARAM far *)GlobalLock(hScratchParam)) == NULL){
    GlobalUnlock(hParam);
    return(USR_ERR_NPT);
  }

  hWnd = GetBlockWindowHandle();
  GetClientRect(hWnd, &Rect);
  NeedToRelease = FALSE;
  if(hDC == NULL){
    NeedToRelease = TRUE;
    hDC = GetDC(hWnd);
  }

  hImageDC = CreateCompatibleDC(hDC);
  hMemDC = CreateCompatibleDC(hDC);
  hMemBitmap = CreateCompatibleBitmap(hDC, sPtr->Bitmap.bmWidth, sPtr->Bitmap.bmHeight);
  hOldImage = (HBITMAP)SelectObject(hImageDC, sPtr->hBitmap);
  hOldMemBitmap = (HBITMAP)SelectObject(hMemDC, hMemBitmap);

  BitBlt(hMemDC,0,0,sPtr->Bitmap.bmWidth,sPtr->Bitmap.bmHeight,hImageDC,0,0,SRCCOPY);
  StretchBlt(hDC,0,0,Rect.right,Rect.bottom,hMemDC,0,0,sPtr->Bitmap.bmWidth,sPtr->Bitmap.bmHeight,SRCCOPY);

  SelectObject(hImageDC, hOldImage);
  SelectObject(hMemDC, hOldMemBitmap);
  DeleteObject(hMemBitmap);
  DeleteDC(hMemDC);
  DeleteDC(hImageDC);
  if(NeedToRelease)
    ReleaseDC(hWnd, hDC);

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

    // download parameter 0 (_Taps)
    bPtr->dwData     = (DWORD)((LONG)pPtr->_Taps);
    bPtr->bDataType  = RTDT_LNG;
    bPtr->bMemType   = DATA_MEM;

    if (!VexaSendCommand (sPtr->hDriver, DRV_WRMEMVAL, NULL, (LONG)sPtr->hRTParam)) {
        VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
        GlobalUnlock(sPtr->hRTParam);
        return (USR_ERR_NPT);
    }

    // download parameter 1 (_Window)
    bPtr->dwData     = (DWORD)pPtr->_Window;
    bPtr->bDataType  = RTDT_LNG;
    bPtr->bMemType   = DATA_MEM;

    if (!VexaSendCommand (sPtr->hDriver, DRV_WRMEMVAL, NULL, (LONG)sPtr->hRTParam)) {
        VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);
        GlobalUnlock(sPtr->hRTParam);
        return (USR_ERR_NPT);
    }

    // download 'Changed' flag to xDAIS algorithm so that the control function will be called
    bPtr->dwData     = 1;
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

//===========================================================================
// Function   : UserControlProc()
// Purpose    : User control dialog procedure
// Parameters : hDlg          - Handle of the dialog box
//              hParam        - Parameter information struct
//              msg           - Dialog box message
//              wParam        - Dialog box word parameter
//              lParam        - Dialog box long parameter
// Returns    : TRUE if processed, FALSE if not
//===========================================================================
BOOL PASCAL UserControlProc(HWND hDlg, HANDLE hParam, register UINT msg, register WPARAM wParam,LPARAM lParam)
{
    BLOCK_PARAM     *pPtr;

    switch (msg)
    {
        case WM_INITDIALOG:
            return FALSE;

        case WM_HSCROLL:
            switch (LOWORD(wParam))
            {
              case SB_THUMBTRACK:
                 if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
                    return TRUE;
// NOTE: A user parameter can be set with a value as shown in the example below.
//                  pPtr->_Parameter0 = HIWORD(wParam);
                 // unlock memory
                 GlobalUnlock(hParam);
                 break;
              case SB_THUMBPOSITION:
                 if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
                    return TRUE;
// NOTE: A user parameter can be set with a value as shown in the example below.
//                  pPtr->_Parameter0 = HIWORD(wParam);
                 SetScrollPos(hDlg, SB_CTL, HIWORD(wParam), TRUE);
                 // unlock memory
                 GlobalUnlock(hParam);
                 break;
            }
            break;

        case WM_COMMAND:
            switch (LOWORD(wParam))
            {
              case IDC_BUTTON1:
                 if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
                    return TRUE;
// NOTE: A user parameter can be set with a value as shown in the example below.
//                  pPtr->Parameter0 ^= 1;
                 // unlock memory
                 GlobalUnlock(hParam);
                 break;
              case IDC_RADIO1:
                 if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
                    return TRUE;
// NOTE: A user parameter can be set with a value as shown in the example below.
//                  pPtr->Parameter0 = 1;
                 // unlock memory
                 GlobalUnlock(hParam);
                 break;
              case IDC_CHECK1:
                 if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
                    return TRUE;
// NOTE: A user parameter can be set with a value as shown in the example below.
//                  pPtr->Parameter0 ^= 1;
                 // unlock memory
                 GlobalUnlock(hParam);
                 break;
              case SC_CLOSE:
                 break;

              default:
                 return FALSE;
            }
            break;

        default:
            return FALSE;
    }
    return TRUE;
}

