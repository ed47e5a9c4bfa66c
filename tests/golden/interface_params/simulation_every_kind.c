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

    // get pointer to scratch parameters
    if ((sPtr=(SCRATCH_PARAM *) GlobalLock(hScratchParam)) == NULL){
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
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
    unsigned int       index;
    OPENFILENAME       ofn;
    BOOL               dStat;
    static char        FilterStr[43];


    switch (message)
    {
      case WM_COMMAND:
           switch(LOWORD(wParam))
           {
             case IDC_VAR_GAIN1:
                  VariablePickList(hDlg, IDC_EDIT_GAIN1);
                  return(TRUE);

             case IDC_VAR_COUNT:
                  VariablePickList(hDlg, IDC_EDIT_COUNT);
                  return(TRUE);

             case IDC_VAR_LEVEL:
                  VariablePickList(hDlg, IDC_EDIT_LEVEL);
                  return(TRUE);

             case IDC_VAR_STEPS:
                  VariablePickList(hDlg, IDC_EDIT_STEPS);
                  return(TRUE);

             case IDC_VAR_SPAN:
                  VariablePickList(hDlg, IDC_EDIT_SPAN);
                  return(TRUE);

             case IDC_VAR_RATIO:
                  VariablePickList(hDlg, IDC_EDIT_RATIO);
                  return(TRUE);

             case IDC_VAR_MARKER:
                  VariablePickList(hDlg, IDC_EDIT_MARKER);
                  return(TRUE);

             case IDC_VAR_TITLE:
                  VariablePickList(hDlg, IDC_EDIT_TITLE);
                  return(TRUE);

             case IDC_VAR_DATAFILE:
                  VariablePickList(hDlg, IDC_EDIT_DATAFILE);
                  return(TRUE);

             case IDC_VAR_DATAFILE_PATHNAME:
                  VariablePickList(hDlg, IDC_EDIT_DATAFILE_PATHNAME);
                  return(TRUE);

             case IDC_RADIO_MODE_SLOW:
                  hParam = GetHParam(hDlg);
                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }

                  GlobalUnlock(hParam);

                  return(TRUE);
             case IDC_RADIO_MODE_FAST:
                  hParam = GetHParam(hDlg);
                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }

                  GlobalUnlock(hParam);

                  return(TRUE);
             case IDC_RADIO_MODE_VERYFAST:
                  hParam = GetHParam(hDlg);
                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }

                  GlobalUnlock(hParam);

                  return(TRUE);
             case IDC_RADIO_ENABLE_YES:
                  hParam = GetHParam(hDlg);
                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }

                  GlobalUnlock(hParam);

                  return(TRUE);
             case IDC_RADIO_ENABLE_NO:
                  hParam = GetHParam(hDlg);
                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }

                  GlobalUnlock(hParam);

                  return(TRUE);
             case IDOK:   {
                  // get pointer to block parameters
                  hParam = GetHParam(hDlg);
                  hScratchParam = GetScratchParam(hDlg);
                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                     MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                     EndDialog(hDlg, IDCANCEL);
                     return(TRUE);
                  }
                  // get user parameters
                  SetDlgError(FALSE);       // clear dialog errors flag

                  // get floating point edit control value for _Gain1
                  pPtr->_Gain1 = GetDlgItemF(hDlg, IDC_EDIT_GAIN1);

                  // get integer edit control value for _Count
                  pPtr->_Count = GetDlgItemI(hDlg, IDC_EDIT_COUNT);

                  // get byte edit control value for _Level
                  pPtr->_Level = GetDlgItemB(hDlg, IDC_EDIT_LEVEL);

                  // get short integer edit control value for _Steps
                  pPtr->_Steps = GetDlgItemS(hDlg, IDC_EDIT_STEPS);

                  // get long integer edit control value for _Span
                  pPtr->_Span = GetDlgItemL(hDlg, IDC_EDIT_SPAN);

                  // get double floating point edit control value for _Ratio
                  pPtr->_Ratio = GetDlgItemD(hDlg, IDC_EDIT_RATIO);

                  // get character edit control value for _Marker
                  pPtr->_Marker = GetDlgItemC(hDlg, IDC_EDIT_MARKER);

                  // get text edit control value for _Title
                  GetDlgItemStr(hDlg, IDC_EDIT_TITLE, pPtr->_Title, TEXT_LENGTH);

                  // get radio button value for _Mode
                  if(IsDlgButtonChecked(hDlg, IDC_RADIO_MODE_SLOW))
                    pPtr->_Mode = IDC_RADIO_MODE_SLOW;
                  else if(IsDlgButtonChecked(hDlg, IDC_RADIO_MODE_FAST))
                    pPtr->_Mode = IDC_RADIO_MODE_FAST;
                  else if(IsDlgButtonChecked(hDlg, IDC_RADIO_MODE_VERYFAST))
                    pPtr->_Mode = IDC_RADIO_MODE_VERYFAST;

                  // get radio button value for _Enable
                  if (IsDlgButtonChecked(hDlg, IDC_RADIO_ENABLE_YES))
                    pPtr->_Enable = IDC_RADIO_ENABLE_YES;
                  else
                    pPtr->_Enable = IDC_RADIO_ENABLE_NO;

                  // get combo box selection for _Window
                  // get handle of _Window combo box
                  hItem = GetDlgItem(hDlg,IDC_COMBO_WINDOW);
                  pPtr->_Window = (int)SendMessage(hItem,CB_GETCURSEL,0,0);

                  // get combo box selection for _Shape
                  // get handle of _Shape combo box
                  hItem = GetDlgItem(hDlg,IDC_COMBO_SHAPE);
                  pPtr->_Shape = (int)SendMessage(hItem,CB_GETCURSEL,0,0);

                  // get file, pathname, and completename for _DataFile
                  GetDlgItemStr(hDlg, IDC_EDIT_DATAFILE, pPtr->_DataFile, TEXT_LENGTH);
                  GetDlgItemStr(hDlg, IDC_EDIT_DATAFILE_PATHNAME, pPtr->_DataFile_PathName, TEXT_LENGTH);
                  if (lstrlen(pPtr->_DataFile_PathName) + 1 + lstrlen(pPtr->_DataFile) < TEXT_LENGTH){
                    lstrcpy(pPtr->_DataFile_CompleteName, pPtr->_DataFile_PathName);
                    if (pPtr->_DataFile_CompleteName[0] && pPtr->_DataFile_CompleteName[lstrlen(pPtr->_DataFile_CompleteName)-1] != '\\')
                      lstrcat(pPtr->_DataFile_CompleteName, "\\");
                    lstrcat(pPtr->_DataFile_CompleteName, pPtr->_DataFile);
                  }

                  // get check box value for _Invert
                  pPtr->_Invert = IsDlgButtonChecked(hDlg, IDC_CHECK_INVERT);

                  // get precision
                  hItem = GetDlgItem(hDlg,IDC_PRECISION);
                  pPtr->Precision = GetPrecision(hItem);
                  UserSaveProc(hParam, hScratchParam, MNAME, BPARAM);
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
               case IDBROWSE_DATAFILE:
                    hParam = GetHParam(hDlg);
                    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
                       MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
                       EndDialog(hDlg, IDCANCEL);
                       return(TRUE);
                    }
                    lstrcpy(FilterStr,"Signals (*.tim)|*.tim|");
                    lstrcat(FilterStr,"All files (*.*)|*.*|");
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
                    ofn.lpstrFile         = (LPSTR)pPtr->_DataFile_CompleteName;
                    ofn.nMaxFile          = TEXT_LENGTH;
                    ofn.lpstrFileTitle    = NULL;
                    ofn.nMaxFileTitle     = 0;
                    ofn.lpstrInitialDir   = (LPSTR)pPtr->_DataFile_PathName;
                    ofn.lpstrTitle        = NULL;
                    ofn.Flags             = OFN_PATHMUSTEXIST|OFN_FILEMUSTEXIST;
                    ofn.lpstrDefExt       = (LPSTR)"tim";
                    dStat = GetOpenFileName((OPENFILENAME *)&ofn);
                    if (dStat){
                        SeparateFile((LPSTR)pPtr->_DataFile_PathName, (LPSTR)pPtr->_DataFile, (LPSTR)pPtr->_DataFile_CompleteName);
                    }
                    SetDlgItemStr(hDlg, IDC_EDIT_DATAFILE, (LPSTR)pPtr->_DataFile);
                    SetDlgItemStr(hDlg, IDC_EDIT_DATAFILE_PATHNAME, (LPSTR)pPtr->_DataFile_PathName);
                    GlobalUnlock(hParam);
                    return(TRUE);
             default:
                  return(FALSE);
           }
           break;
      case WM_INITDIALOG: {
           // get pointer to block parameters
           hParam = GetHParam(hDlg);
           if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){
              MessageBox(hDlg,"Memory Allocation Error!","Tessaline",MB_OK);
              EndDialog(hDlg, IDCANCEL);
              return(TRUE);
           }
           // initialize user parameters

           // initialize floating point edit control for _Gain1
           SetDlgItemF(hDlg,IDC_EDIT_GAIN1,pPtr->_Gain1);

           // initialize integer edit control for _Count
           SetDlgItemI(hDlg,IDC_EDIT_COUNT,pPtr->_Count);

           // initialize byte edit control for _Level
           SetDlgItemB(hDlg,IDC_EDIT_LEVEL,pPtr->_Level);

           // initialize short integer edit control for _Steps
           SetDlgItemS(hDlg,IDC_EDIT_STEPS,pPtr->_Steps);

           // initialize long integer edit control for _Span
           SetDlgItemL(hDlg,IDC_EDIT_SPAN,pPtr->_Span);

           // initialize double floating point edit control for _Ratio
           SetDlgItemD(hDlg,IDC_EDIT_RATIO,pPtr->_Ratio);

           // initialize character edit control for _Marker
           SetDlgItemC(hDlg,IDC_EDIT_MARKER,pPtr->_Marker);

           // initialize text edit control for _Title
           SetDlgItemStr(hDlg,IDC_EDIT_TITLE,pPtr->_Title);

           // initialize radio button control for _Mode
           CheckRadioButton(hDlg,IDC_RADIO_MODE_SLOW,IDC_RADIO_MODE_VERYFAST,pPtr->_Mode);

           // initialize radio button control for _Enable
           CheckRadioButton(hDlg,IDC_RADIO_ENABLE_NO,IDC_RADIO_ENABLE_YES,pPtr->_Enable);

           // initialize combo box control for _Window
           // get handle of _Window combo box
           hItem = GetDlgItem(hDlg,IDC_COMBO_WINDOW);
           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)"Rect");
           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)"Hann");
           // select combo box item for _Window
           SendMessage(hItem,CB_SETCURSEL,pPtr->_Window,(DWORD)0);

           // initialize combo box control for _Shape
           // get handle of _Shape combo box
           hItem = GetDlgItem(hDlg,IDC_COMBO_SHAPE);
//-----------------------------------------------------------------------------------
// NOTE:   The following lines of code need to be modified to use the strings that
//         are required for this block.  The default combo box has three items named 
//         "Item 1", "Item 2" and "Item 3".  You need to change these strings, 
//         delete SendMessage lines if you need less than three, or add SendMessage  
//         lines if you need more than three combo box items.                        
//-----------------------------------------------------------------------------------
           // add strings to combo box in order that they are to appear
           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)"Item 1");
           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)"Item 2");
           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)"Item 3");
           // select combo box item for _Shape
           SendMessage(hItem,CB_SETCURSEL,pPtr->_Shape,(DWORD)0);

           // initialize filename and path edit controls for _DataFile
           SetDlgItemStr(hDlg,IDC_EDIT_DATAFILE,pPtr->_DataFile);
           SetDlgItemStr(hDlg,IDC_EDIT_DATAFILE_PATHNAME,pPtr->_DataFile_PathName);

           // initialize check box control for _Invert
           CheckDlgButton(hDlg,IDC_CHECK_INVERT,pPtr->_Invert);

           // initialize data precision
           hItem = GetDlgItem(hDlg,IDC_PRECISION);
           AddPrecision(hItem, HDT_AUTO);
           AddPrecision(hItem, HDT_BYTE);
           AddPrecision(hItem, HDT_SHORT);
           AddPrecision(hItem, HDT_INT);
           AddPrecision(hItem, HDT_LONG);
           AddPrecision(hItem, HDT_FLOAT);
           AddPrecision(hItem, HDT_DOUBLE);
           SetPrecision(hItem, pPtr->Precision);
           // unlock memory
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
    AddParmString(hListBox, "Gain 1", (HDT_FLOAT << 16)|IDC_EDIT_GAIN1);
    AddParmString(hListBox, "Count", (HDT_INT << 16)|IDC_EDIT_COUNT);
    AddParmString(hListBox, "Level", (HDT_BYTE << 16)|IDC_EDIT_LEVEL);
    AddParmString(hListBox, "Steps", (HDT_SHORT << 16)|IDC_EDIT_STEPS);
    AddParmString(hListBox, "Span", (HDT_LONG << 16)|IDC_EDIT_SPAN);
    AddParmString(hListBox, "Ratio", (HDT_DOUBLE << 16)|IDC_EDIT_RATIO);
    AddParmString(hListBox, "Marker", (HDT_CHAR << 16)|IDC_EDIT_MARKER);
    AddParmString(hListBox, "Title", (HDT_LPSTR << 16)|IDC_EDIT_TITLE);
    AddParmString(hListBox, "Mode", (HDT_INT << 16)|IDC_RADIO_MODE);
    AddParmString(hListBox, "Enable", (HDT_INT << 16)|IDC_RADIO_ENABLE);
    AddParmString(hListBox, "Window", (HDT_INT << 16)|IDC_COMBO_WINDOW);
    AddParmString(hListBox, "Shape", (HDT_INT << 16)|IDC_COMBO_SHAPE);
    AddParmString(hListBox, "Data File", (HDT_LPSTR << 16)|IDC_EDIT_DATAFILE_COMPLETENAME);
    AddParmString(hListBox, "Invert", (HDT_INT << 16)|IDC_CHECK_INVERT);
    AddParmString(hListBox, "Precision", (HDT_INT << 16)|IDC_PRECISION);
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
    BLOCK_PARAM       *pPtr;
    SCRATCH_PARAM     *sPtr;

    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // get pointer to scratch parameter structure
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    switch(ID){
        case IDC_EDIT_GAIN1:
            pPtr->_Gain1 = *((float *)val);
            break;
        case IDC_EDIT_COUNT:
            pPtr->_Count = *((int *)val);
            break;
        case IDC_EDIT_LEVEL:
            pPtr->_Level = *((BYTE *)val);
            break;
        case IDC_EDIT_STEPS:
            pPtr->_Steps = *((short *)val);
            break;
        case IDC_EDIT_SPAN:
            pPtr->_Span = *((long *)val);
            break;
        case IDC_EDIT_RATIO:
            pPtr->_Ratio = *((double *)val);
            break;
        case IDC_EDIT_MARKER:
            pPtr->_Marker = *((char *)val);
            break;
        case IDC_EDIT_TITLE:
            if (lstrlen((char *)val) >= TEXT_LENGTH){
                lstrcpyn(pPtr->_Title, (char *)val, TEXT_LENGTH);
                lstrcat(pPtr->_Title, "\0");
                RC = USR_ERR_OVF;
                break;
            }
            lstrcpy(pPtr->_Title, (char *)val);
            break;
        case IDC_RADIO_MODE:
            if (0 <= *((int *)val) && *((int *)val) <= IDC_RADIO_MODE_VERYFAST-IDC_RADIO_MODE_SLOW){
                pPtr->_Mode = *((int *)val)+IDC_RADIO_MODE_SLOW;
                break;
            }
            RC = USR_ERR_OVF; // return overflow warning
            break;
        case IDC_RADIO_ENABLE:
            if (*((int *)val) == 0 || *((int *)val) == 1){
                pPtr->_Enable = *((int *)val)+IDC_RADIO_ENABLE_NO;
                break;
            }
            RC = USR_ERR_OVF; // return overflow warning
            break;
        case IDC_COMBO_WINDOW:
            if (0 <= *((int *)val) && *((int *)val) < NUM_WINDOW){
                pPtr->_Window = *((int *)val);
                break;
            }
            RC = USR_ERR_OVF; // return overflow warning
            break;
        case IDC_COMBO_SHAPE:
            if (0 <= *((int *)val) && *((int *)val) < NUM_SHAPE){
                pPtr->_Shape = *((int *)val);
                break;
            }
            RC = USR_ERR_OVF; // return overflow warning
            break;
        case IDC_EDIT_DATAFILE:
            if (lstrlen((char *)val) >= TEXT_LENGTH){
                lstrcpyn(pPtr->_DataFile, (char *)val, TEXT_LENGTH);
                lstrcat(pPtr->_DataFile, "\0");
                RC = USR_ERR_OVF;
            }
            else{
                lstrcpy(pPtr->_DataFile, (char *)val);
            }
            // Combine the Name and PathName into the CompleteName
            if (lstrlen(pPtr->_DataFile_PathName) + 1 + lstrlen(pPtr->_DataFile) < TEXT_LENGTH){
                lstrcpy(pPtr->_DataFile_CompleteName, pPtr->_DataFile_PathName);
                lstrcat(pPtr->_DataFile_CompleteName, "\\");
                lstrcat(pPtr->_DataFile_CompleteName, pPtr->_DataFile);
            }
            else{
                RC = USR_ERR_OVF;
            }
            break;
        case IDC_EDIT_DATAFILE_PATHNAME:
            if (lstrlen((char *)val) >= TEXT_LENGTH){
                lstrcpyn(pPtr->_DataFile_PathName, (char *)val, TEXT_LENGTH);
                lstrcat(pPtr->_DataFile_PathName, "\0");
                RC = USR_ERR_OVF;
            }
            else{
                lstrcpy(pPtr->_DataFile_PathName, (char *)val);
            }
            // Combine the Name and PathName into the CompleteName
            if (lstrlen(pPtr->_DataFile_PathName) + 1 + lstrlen(pPtr->_DataFile) < TEXT_LENGTH){
                lstrcpy(pPtr->_DataFile_CompleteName, pPtr->_DataFile_PathName);
                lstrcat(pPtr->_DataFile_CompleteName, "\\");
                lstrcat(pPtr->_DataFile_CompleteName, pPtr->_DataFile);
            }
            else{
                RC = USR_ERR_OVF;
            }
            break;
        case IDC_EDIT_DATAFILE_COMPLETENAME:
            if (lstrlen((char *)val) >= TEXT_LENGTH){
                lstrcpyn(pPtr->_DataFile_CompleteName, (char *)val, TEXT_LENGTH);
                RC = USR_ERR_OVF;
            }
            else{
                lstrcpy(pPtr->_DataFile_CompleteName, (char *)val);
            }
            SeparateFile(pPtr->_DataFile_PathName, pPtr->_DataFile, pPtr->_DataFile_CompleteName);
            break;
        case IDC_CHECK_INVERT:
            if(*((int *)val)){
              pPtr->_Invert = TRUE;
            }
            else{
              pPtr->_Invert = FALSE;
            }
            break;
        case IDC_PRECISION:
            if(*((int *)val) == HDT_CHAR)   break;
            pPtr->Precision = *((int *)val);
            break;
    }

    // unlock memory
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

    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // get pointer to scratch parameter structure
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {
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
    SaveParamL(Section, "FramesizeIn1", -1, pPtr->FramesizeIn1, FileName);
    SaveParamI(Section, "RCFlagIn1", -1, pPtr->RCFlagIn1, FileName);
    SaveParamI(Section, "DTFlagIn1", -1, pPtr->DTFlagIn1, FileName);
    SaveParamD(Section, "SampFreqIn1", -1, pPtr->SampFreqIn1, FileName);
    SaveParamL(Section, "FramesizeOut0", -1, pPtr->FramesizeOut0, FileName);
    SaveParamI(Section, "RCFlagOut0", -1, pPtr->RCFlagOut0, FileName);
    SaveParamI(Section, "DTFlagOut0", -1, pPtr->DTFlagOut0, FileName);
    SaveParamD(Section, "SampFreqOut0", -1, pPtr->SampFreqOut0, FileName);
    SaveParamF(Section, "_Gain1", IDC_EDIT_GAIN1, pPtr->_Gain1, FileName);
    SaveParamI(Section, "_Count", IDC_EDIT_COUNT, pPtr->_Count, FileName);
    SaveParamB(Section, "_Level", IDC_EDIT_LEVEL, pPtr->_Level, FileName);
    SaveParamS(Section, "_Steps", IDC_EDIT_STEPS, pPtr->_Steps, FileName);
    SaveParamL(Section, "_Span", IDC_EDIT_SPAN, pPtr->_Span, FileName);
    SaveParamD(Section, "_Ratio", IDC_EDIT_RATIO, pPtr->_Ratio, FileName);
    SaveParamC(Section, "_Marker", IDC_EDIT_MARKER, pPtr->_Marker, FileName);
    SaveParamStr(Section, "_Title", IDC_EDIT_TITLE, pPtr->_Title, FileName);
    SaveParamI(Section, "_Mode", -1, pPtr->_Mode, FileName);
    SaveParamI(Section, "_Enable", -1, pPtr->_Enable, FileName);
    SaveParamI(Section, "_Window", -1, pPtr->_Window, FileName);
    SaveParamI(Section, "_Shape", -1, pPtr->_Shape, FileName);
    SaveParamStr(Section, "_DataFile", IDC_EDIT_DATAFILE, pPtr->_DataFile, FileName);
    SaveParamStr(Section, "_DataFile_PathName", IDC_EDIT_DATAFILE_PATHNAME, pPtr->_DataFile_PathName, FileName);
    SaveParamStr(Section, "_DataFile_CompleteName", IDC_EDIT_DATAFILE_COMPLETENAME, pPtr->_DataFile_CompleteName, FileName);
    SaveParamI(Section, "_Invert", IDC_CHECK_INVERT, pPtr->_Invert, FileName);
    SaveParamL(Section, "NumLocalElements0", -1, pPtr->NumLocalElements0, FileName);

    // unlock memory
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
    BLOCK_PARAM        *pPtr;
    SCRATCH_PARAM      *sPtr;

    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // get pointer to scratch parameter structure
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    pPtr->Precision = LoadParamI(Section, "Precision", IDC_PRECISION, HDT_AUTO, FileName);
    // Load block's user parameters
    pPtr->_Gain1 = LoadParamF(Section, "_Gain1", IDC_EDIT_GAIN1, (float)1.5, FileName);
    pPtr->_Count = LoadParamI(Section, "_Count", IDC_EDIT_COUNT, 0, FileName);
    pPtr->_Level = LoadParamB(Section, "_Level", IDC_EDIT_LEVEL, 3, FileName);
    pPtr->_Steps = LoadParamS(Section, "_Steps", IDC_EDIT_STEPS, 4, FileName);
    pPtr->_Span = LoadParamL(Section, "_Span", IDC_EDIT_SPAN, 100000, FileName);
    pPtr->_Ratio = LoadParamD(Section, "_Ratio", IDC_EDIT_RATIO, 0.25, FileName);
    pPtr->_Marker = LoadParamC(Section, "_Marker", IDC_EDIT_MARKER, 'x', FileName);
    LoadParamStr(Section, "_Title", IDC_EDIT_TITLE, "say \"hi\"", pPtr->_Title, FileName);
    pPtr->_Mode = LoadParamI(Section, "_Mode", -1, IDC_RADIO_MODE_FAST, FileName);
    pPtr->_Enable = LoadParamI(Section, "_Enable", -1, IDC_RADIO_ENABLE_YES, FileName);
    pPtr->_Window = LoadParamI(Section, "_Window", -1, 1, FileName);
    pPtr->_Shape = LoadParamI(Section, "_Shape", -1, 0, FileName);
    LoadParamStr(Section, "_DataFile", IDC_EDIT_DATAFILE, "in.tim", pPtr->_DataFile, FileName);
    LoadParamStr(Section, "_DataFile_PathName", IDC_EDIT_DATAFILE_PATHNAME, "c:\\data\\", pPtr->_DataFile_PathName, FileName);
    LoadParamStr(Section, "_DataFile_CompleteName", IDC_EDIT_DATAFILE_COMPLETENAME, "c:\\data\\in.tim", pPtr->_DataFile_CompleteName, FileName);
    pPtr->_Invert = (BOOL)LoadParamI(Section, "_Invert", IDC_CHECK_INVERT, BST_UNCHECKED, FileName);

    // unlock memory
    GlobalUnlock(hScratchParam);
    GlobalUnlock(hParam);
    return(USR_NO_ERR);
}

