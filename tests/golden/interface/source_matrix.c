//============================================================================
//
//    FILE:       IFMatGen.c
//
//    PURPOSE:    I/F routines for Tessaline Zirud Izadivo
//                interface source for - MatGen.DLL
//
//    BLOCK NAME: Matrix Generator
//
//    GROUP NAME: Arithmetic
//
//    Tessaline Blockwright Version 4.30.00 Auto-Generated Block
//
//    Number of Inputs : 0
//    Number of Outputs: 2
//
//    Creation Date: Tue - 05 March 2024
//    Creation Time: 02:07 PM
//
/*============================================================================
    Function:   UserSetupProc()
    Purpose:    This function is called at the time of new block addition   
                to set up Block I/O information and user parameter struct   
                memory allocation
    Parameters: (HANDLE *)hParam        - Parameter information struct
                (HANDLE *)hScratchParam - Scratch Parameter struct
    Returns:    USR_NO_ERR if no error
                Error Code if error
    -------------------------------------------------------------------------
    Function:   UserDefaultSetupProc()
    Purpose:    To setup default parameters
    Parameters: hParam        - Parameter information struct
                hScratchParam - Scratch Parameter struct
    Returns:    USR_NO_ERR if no error
                error code otherwise
    -------------------------------------------------------------------------
    Function:   UserPreInitializeProc()
    Purpose:    Pre-initialization procedure.
                This procedure is called before the UserInitializeProc.  It
                can be used for various functions such as loading a real-time
                driver associated with the block.
    Parameters: hBioInfo      - Block I/O information struct
                hParam        - Parameter information struct
                hScratchParam - Scratch Parameter struct
    Returns:    TRUE if initialization complete
                FALSE otherwise
    -------------------------------------------------------------------------
    Function:   UserInitializeProc()
    Purpose:    Initialization procedure
                This function will handle all memory allocations and
                other initializations required before processing
    Parameters: hBioInfo      - Block I/O information struct
                hParam        - Parameter information struct
                hScratchParam - Scratch Parameter struct
    Returns:    TRUE if initialization complete
                FALSE otherwise
    -------------------------------------------------------------------------
    Function:   UserExecProc()
    Purpose:    Main procedure for algorithm computation.
                This function will handle all computation as well as i/o
                function if required
    Parameters: hBioInfo      - Block I/O information struct
                hParam        - Parameter information struct
                hScratchParam - Scratch Parameter struct
    Returns:    TRUE if initialization complete
                FALSE otherwise
    -------------------------------------------------------------------------
    Function:   UserExitProc()
    Purpose:    Exit function used for releasing resources (such as memory)
    Parameters: hBioInfo      - Block I/O information struct
                hParam        - Parameter information struct
                hScratchParam - Scratch Parameter struct
    Returns:    TRUE if no error
                FALSE otherwise
    -------------------------------------------------------------------------
    Function:   UserStopProc()
    Purpose:    Handles 'Stop' request from Zirud Izadivo
    Parameters: hBioInfo      - Block I/O information struct
                hParam        - Parameter information struct
                hScratchParam - Scratch Parameter struct
    Returns:    USR_NO_ERR if no error
                Error Code if error
    -------------------------------------------------------------------------
    Function:   UserResetProc()
    Purpose:    Reset parameters such as frames pointers, flag to rerun the
                the algorithm
    Parameters: hBioInfo      - Block I/O information struct
                hParam        - Parameter information struct
                hScratchParam - Scratch Parameter struct
    Returns:    USR_NO_ERR if no error
                Error Code if error
    -------------------------------------------------------------------------
    Function:   UserDialogProc()
    Purpose:    Dialog function for this application. This is the user
                interface function
    Parameters: Algorithm dependent
    Returns:    TRUE if processed, FALSE if not
    Note:       This is a window callback function
    -------------------------------------------------------------------------
    Function:   UserSaveProc()
    Purpose:    This function is called to save the block parameters to a file.
    Parameters: HANDLE hParam              - Parameter information struct
                HANDLE hScratchParam       - Scratch Parameter struct
                (LPSTR)Section             - Section name of the file
                (LPSTR)FileName            - File name to save
    Returns:    USR_NO_ERR if no error
                Error Code if error
    -------------------------------------------------------------------------
    Function:   UserLoadProc()
    Purpose:    This function is called to load the block parameters from a file.
    Parameters: HANDLE hParam              - Parameter information struct
                HANDLE hScratchParam       - Scratch Parameter struct
                (LPSTR)Section             - Section name of the file
                (LPSTR)FileName            - File name to save
    Returns:    USR_NO_ERR if no error
                Error Code if error
    -------------------------------------------------------------------------
    Function:   UserGetParameterListProc()
    Purpose:    This function fills the list box with the names and IDs of
                all the modifiable parameters for this block.
    Parameters: HWND  hListBox       - Handle of the list box to fill with names
    Returns:    void
    -------------------------------------------------------------------------
    Function:   UserSetParameterProc()
    Purpose:    This function sets the specified parameter to the value 
                pointed to by val.
    Parameters: HANDLE hParam        - Handle of the BLOCK_PARAM structure
                HANDLE hScratchParam - Handle of the SCRATCH_PARAM structure
                DWORD  ID            - Identifier of the variable to change
                void  *val           - Pointer to new value
    Returns:    USR_NO_ERR if no error
                Error Code if error
    -------------------------------------------------------------------------
    Function:    UserControlProc()
    Purpose:     User control dialog procedure
    Parameters:  hDlg    - Handle of the dialog box
                 hParam  - Parameter information struct
                 msg     - Message
                 wParam  - Dialog box word parameter
                 lParam  - Dialog box long parameter
    Returns:     TRUE if processed, FALSE if not

=============================================================================*/

#include <windows.h>
#include <limits.h>
#include <string.h>
#include <stdio.h>
#include <stdlib.h>
#include <ctype.h>
#include <dos.h>
#include <htmlhelp.h>

#include "bddk.h"
#include "hresourc.h"
#include "resource.h"
#include "MatGen.h"

//===========================================================================
// Function   :  UserSetupProc()                                             
// Purpose    :  This function is called at the time of new block addition   
//               to set up Block I/O information and user parameter struct   
//               memory allocation                                           
// Parameters :  (HANDLE *)hParam    Parameter information struct            
//               (HANDLE *)hScratchParam Scratch Parameter struct            
// Returns    :  USR_NO_ERR if no error                                      
//               Error Code if error                                         
//===========================================================================
int PASCAL UserSetupProc(HANDLE *hParam, HANDLE *hScratchParam)
{
    BLOCK_PARAM       *pPtr;

     // allocate memory for block parameter structure */ 
     *hParam = GlobalAlloc(GMEM_MOVEABLE|GMEM_ZEROINIT,(DWORD)sizeof(BLOCK_PARAM));
     if (*hParam == NULL) return(USR_ERR_MEM);

     // get pointer to block parameters
     if ((pPtr = (BLOCK_PARAM *)GlobalLock(*hParam))==NULL)
        return(USR_ERR_NPT);

     // no local memory, so scratch memory not required
     *hScratchParam = NULL;

     GlobalUnlock(*hParam);

     return(USR_NO_ERR);
}     

//===========================================================================
// Function   :  UserDefaultSetupProc()
// Purpose    :  To setup default parameters
// Parameters :  hParam           Parameter information struct
//               hScratchParam    Scratch Parameter struct
// Returns    :  USR_NO_ERR if no error
//               error code otherwise
//===========================================================================
int PASCAL UserDefaultSetupProc(HANDLE hParam, HANDLE hScratchParam)
{
    BLOCK_PARAM       *pPtr;


    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // reset local error condition
    pPtr->LocalError = USR_NO_ERR;

    UserLoadProc(hParam, hScratchParam, MNAME, BPARAM);


    // unlock memory
    GlobalUnlock(hParam);

    return(USR_NO_ERR);
}

//=============================================================================
// Function   :  UserPreInitializeProc()
// Purpose    :  Pre-initialization procedure.
//               This procedure is called before the UserInitializeProc.  It
//               can be used for various functions such as loading a real-time
//               driver associated with the block.
// Parameters :  hBioInfo  Block I/O information struct
//               hParam    Parameter information struct
//               hScratchParam Scratch Parameter struct
// Returns    :  TRUE if initialization complete
//               FALSE otherwise
//=============================================================================
int PASCAL UserPreInitializeProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)
{
    BLOCK_PARAM       *pPtr;


    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // unlock memory
    GlobalUnlock(hParam);

    return(USR_NO_ERR);
}

//=============================================================================
// Function   :  UserInitializeProc()
// Purpose    :  Initialization procedure
//               This function will handle all memory allocations and
//               other initializations required before processing
// Parameters :  hBioInfo  Block I/O information struct
//               hParam    Parameter information struct
//               hScratchParam Scratch Parameter struct
// Returns    :  TRUE if initialization complete
//               FALSE otherwise
//=============================================================================
int PASCAL UserInitializeProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)
{
    BLOCK_PARAM        *pPtr;

    // get pointer to block parameters
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // reset local error condition
    pPtr->LocalError = USR_NO_ERR;

    // unlock memory
    GlobalUnlock(hParam);

    return(USR_NO_ERR);
}

//=============================================================================
// Function   : UserExecProc()
// Purpose    : Main procedure for algorithm computation.
//              This function will handle all computation as well as i/o
//              function if required
// Parameters:  hBioInfo      - Block I/O information struct
//              hParam        - Parameter information struct
//              hScratchParam - Scratch Parameter struct
// Returns    : TRUE if initialization complete
//              FALSE otherwise
//=============================================================================
int PASCAL UserExecProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)
{
     int                nDSize;
     int                nPrecision;
     int                LocalError = USR_NO_ERR;
     long               MaxRow;
     long               MaxCol;
     LPMATRIXINFOHEADER pMatrix;
     BLOCK_PARAM       *pPtr;

//-----------------------------------------------------------------------------
//         Define output variables for Channel 0
//-----------------------------------------------------------------------------
     HANDLE             hBufOut0 = NULL;
     long               lFlagout0;
     long               QFlagout0;

//-----------------------------------------------------------------------------
//         Define output variables for Channel 1
//-----------------------------------------------------------------------------
     HANDLE             hBufOut1 = NULL;
     long               lFlagout1;
     long               QFlagout1;

     // get pointer to block parameter structure 
     if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
        return(USR_ERR_NPT);

//-----------------------------------------------------------------------------
//                   Set precision and framesize info
//-----------------------------------------------------------------------------

     pPtr->Framesize = 1;

     nPrecision = pPtr->Precision;

     if (nPrecision == HDT_FLOAT){
        nDSize = sizeof(float);
     }
     else if (nPrecision == HDT_INT){
        nDSize = sizeof(int);
     }
     else if (nPrecision == HDT_DOUBLE){
        nDSize = sizeof(double);
     }
     else if (nPrecision == HDT_LONG){
        nDSize = sizeof(long);
     }
     else if (nPrecision == HDT_SHORT){
        nDSize = sizeof(short);
     }
     else if (nPrecision == HDT_BYTE){
        nDSize = sizeof(BYTE);
     }
     else if (nPrecision == HDT_CHAR){
        nDSize = sizeof(char);
     }
     else {
        GlobalUnlock(hParam);
        return(USR_ERR_PRC);
     }

     MaxRow = pPtr->Rows;
     MaxCol = pPtr->Columns;

//-----------------------------------------------------------------------------
//   Get output channel and framesize info from Block - Channel 0
//-----------------------------------------------------------------------------
     if (!GetOutputChannelFlag(hBioInfo,0,(long *)&lFlagout0)){
         GlobalUnlock(hParam);
         return(USR_ERR_FLAG);
     }
     pPtr->SampFreqOut0 = (double)8000.0;


     // set output framesize for buffer allocation (default to channel 0)
     pPtr->RCFlagOut0 = RC_REAL;  // default to real output

//-----------------------------------------------------------------------------
//   Get output channel and framesize info from Block - Channel 1
//-----------------------------------------------------------------------------
     if (!GetOutputChannelFlag(hBioInfo,1,(long *)&lFlagout1)){
         GlobalUnlock(hParam);
         return(USR_ERR_FLAG);
     }
     pPtr->SampFreqOut1 = (double)8000.0;


     // set output framesize for buffer allocation (default to channel 0)
     pPtr->RCFlagOut1 = RC_REAL;  // default to real output

//-----------------------------------------------------------------------------
//   Allocate/reallocate memory if needed for output buffer 0
//-----------------------------------------------------------------------------

     pPtr->FramesizeOut0 = pPtr->Framesize;

     // get output buffer handle and reallocate if necessary
     hBufOut0 = GetOutputDataHandle(hBioInfo,0);
     if ((hBufOut0 = CheckDataBuffer(hBufOut0,1,(DWORD)(pPtr->RCFlagOut0+1)*nDSize*MaxRow*MaxCol+sizeof(MATRIXINFOHEADER))) == NULL){
        GlobalUnlock(hParam);
        return(USR_ERR_MEM);
     }
     if((pMatrix = (LPMATRIXINFOHEADER)GlobalLock(hBufOut0)) == NULL){
       SetOutputDataHandle(hBioInfo,0,hBufOut0);
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
     }
     pMatrix->miSize = sizeof(MATRIXINFOHEADER);
     pMatrix->miRows = MaxRow;
     pMatrix->miColumns = MaxCol;
     pMatrix->miRCFlag = RC_REAL;
     pMatrix->miDTFlag = nPrecision;
     GlobalUnlock(hBufOut0);
     // set buffer allocation flag
     lFlagout0 = SETBFLAG(lFlagout0,1);
     SetOutputDataHandle(hBioInfo,0,hBufOut0);

//-----------------------------------------------------------------------------
//   Allocate/reallocate memory if needed for output buffer 1
//-----------------------------------------------------------------------------

     pPtr->FramesizeOut1 = pPtr->Framesize;

     // get output buffer handle and reallocate if necessary
     hBufOut1 = GetOutputDataHandle(hBioInfo,1);
     if ((hBufOut1 = CheckDataBuffer(hBufOut1,1,(DWORD)(pPtr->RCFlagOut1+1)*nDSize*MaxRow*MaxCol+sizeof(MATRIXINFOHEADER))) == NULL){
        GlobalUnlock(hParam);
        return(USR_ERR_MEM);
     }
     if((pMatrix = (LPMATRIXINFOHEADER)GlobalLock(hBufOut1)) == NULL){
       SetOutputDataHandle(hBioInfo,1,hBufOut1);
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
     }
     pMatrix->miSize = sizeof(MATRIXINFOHEADER);
     pMatrix->miRows = MaxRow;
     pMatrix->miColumns = MaxCol;
     pMatrix->miRCFlag = RC_REAL;
     pMatrix->miDTFlag = nPrecision;
     GlobalUnlock(hBufOut1);
     // set buffer allocation flag
     lFlagout1 = SETBFLAG(lFlagout1,1);
     SetOutputDataHandle(hBioInfo,1,hBufOut1);

//-----------------------------------------------------------------------------
//   Call the MatGen routine
//-----------------------------------------------------------------------------
//-------------------------------------------------------------------------
//   Perform floating pont operation
//-------------------------------------------------------------------------
     if (nPrecision == HDT_FLOAT){ // floating pont output procedure

        // call floating pont routine
        LocalError = MatGenFloat(hParam,
                     hBufOut0,
                     hBufOut1);

     }
//-------------------------------------------------------------------------
//   Perform double operation
//-------------------------------------------------------------------------
     else if (nPrecision == HDT_DOUBLE){ // double output procedure

        // call double routine
        LocalError = MatGenDouble(hParam,
                     hBufOut0,
                     hBufOut1);

     }
     else {
        GlobalUnlock(hParam);
        return(USR_ERR_PRC);   // return with error, data type mixup
     }

//-----------------------------------------------------------------------------
//   Set parameters for output channel 0
//-----------------------------------------------------------------------------
     QFlagout0 = 0;

     lFlagout0 = SETDRFLAG(lFlagout0,1);
     lFlagout0 = SETDTYPE(lFlagout0,pPtr->DTFlagOut0);
     lFlagout0 = SETRCFLAG(lFlagout0,pPtr->RCFlagOut0);
     lFlagout0 = SETDIMENSION(lFlagout0,1);

     SetOutputQFlag(hBioInfo,0,QFlagout0);
     SetOutputFrameSize(hBioInfo,0,pPtr->FramesizeOut0);
     SetOutputChannelFlag(hBioInfo,0,lFlagout0);
     SetOutputSampFreq(hBioInfo,0,(double *)&pPtr->SampFreqOut0);
     
//-----------------------------------------------------------------------------
//   Set parameters for output channel 1
//-----------------------------------------------------------------------------
     QFlagout1 = 0;

     lFlagout1 = SETDRFLAG(lFlagout1,1);
     lFlagout1 = SETDTYPE(lFlagout1,pPtr->DTFlagOut1);
     lFlagout1 = SETRCFLAG(lFlagout1,pPtr->RCFlagOut1);
     lFlagout1 = SETDIMENSION(lFlagout1,2);

     SetOutputQFlag(hBioInfo,1,QFlagout1);
     SetOutputFrameSize(hBioInfo,1,pPtr->FramesizeOut1);
     SetOutputChannelFlag(hBioInfo,1,lFlagout1);
     SetOutputSampFreq(hBioInfo,1,(double *)&pPtr->SampFreqOut1);
     
     if (pPtr->LocalError != USR_NO_ERR){
          LocalError = pPtr->LocalError;
          pPtr->LocalError = USR_NO_ERR;   // reset local error condition
          GlobalUnlock(hParam);
          return(LocalError);   // return error condition
     }

     GlobalUnlock(hParam);
     return(LocalError);
}

//===========================================================================
// Function   : UserExitProc()
// Purpose    : Exit function used for releasing resources (such as memory)
// Parameters : hBioInfo      - Block I/O information struct
//              hParam        - Parameter information struct
//              hScratchParam - Scratch Parameter struct
// Returns    : TRUE if no error
//              FALSE otherwise
//===========================================================================
int PASCAL UserExitProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)
{

//---------------------------------------------------------------------------
//                  Free output channel memory
//---------------------------------------------------------------------------
    HANDLE             hBufOut0 = NULL;
    HANDLE             hBufOut1 = NULL;
    BLOCK_PARAM       *pPtr;

    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // get block output buffer handles
    hBufOut0 = GetOutputDataHandle(hBioInfo,0);
    hBufOut1 = GetOutputDataHandle(hBioInfo,1);
    // free block output buffers
    FreeGlobalMemory(hBufOut0);
    FreeGlobalMemory(hBufOut1);

    // free block parameter structure memory 
    GlobalUnlock(hParam);
    FreeGlobalMemory(hParam);
    return(USR_NO_ERR);
}

//===========================================================================
// Function   : UserResetProc()
// Purpose    : Reset parameters such as frames pointers, flag to rerun the
//              the algorithm
// Parameters : hBioInfo      - Block I/O information struct
//              hParam        - Parameter information struct
//              hScratchParam - Scratch Parameter struct
// Returns    : USR_NO_ERR if no error
//              Error Code if error
//===========================================================================
int PASCAL UserResetProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)
{
    BLOCK_PARAM        *pPtr = NULL;

    // get pointer to block parameter structure 
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);
    // reset local error condition
    pPtr->LocalError = USR_NO_ERR;

    // unlock memory and return
    GlobalUnlock(hParam);
    return(USR_NO_ERR);
}

