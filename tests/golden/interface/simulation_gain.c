//============================================================================
//
//    FILE:       IFGain.c
//
//    PURPOSE:    I/F routines for Tessaline Zirud Izadivo
//                interface source for - Gain.DLL
//
//    BLOCK NAME: Gain Stage
//
//    GROUP NAME: Arithmetic
//
//    Tessaline Blockwright Version 4.30.00 Auto-Generated Block
//
//    Number of Inputs : 2
//    Number of Outputs: 1
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

=============================================================================*/

#include <windows.h>
#include <limits.h>
#include <string.h>
#include <stdio.h>
#include <stdlib.h>
#include <ctype.h>
#include <dos.h>
#include <htmlhelp.h>
#include <commdlg.h>

#include "bddk.h"
#include "hresourc.h"
#include "resource.h"
#include "Gain.h"

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
    SCRATCH_PARAM     *sPtr;

     // allocate memory for block parameter structure */ 
     *hParam = GlobalAlloc(GMEM_MOVEABLE|GMEM_ZEROINIT,(DWORD)sizeof(BLOCK_PARAM));
     if (*hParam == NULL) return(USR_ERR_MEM);

     // get pointer to block parameters
     if ((pPtr = (BLOCK_PARAM *)GlobalLock(*hParam))==NULL)
        return(USR_ERR_NPT);
     // allocate memory for scratch parameter structure
     *hScratchParam = GlobalAlloc(GMEM_MOVEABLE|GMEM_ZEROINIT,(DWORD)sizeof(SCRATCH_PARAM));
     if (*hScratchParam == NULL){
        GlobalUnlock(*hParam);
        return(USR_ERR_MEM);
     }
     // get pointer to scratch parameters
     if ((sPtr = (SCRATCH_PARAM *)GlobalLock(*hScratchParam))==NULL){
         GlobalUnlock(*hParam);
         return(USR_ERR_NPT);
     }

     // allocate local buffer 0 (History)
     sPtr->hLocalBuffer0     = NULL;
     pPtr->NumLocalElements0 = GAIN_NUMLOCAL0;  // set local array size
     if ((sPtr->hLocalBuffer0 = CheckDataBuffer(sPtr->hLocalBuffer0,(WORD)sizeof(float),(DWORD)pPtr->NumLocalElements0)) == NULL) {
        // unlock memory and return
        GlobalUnlock(*hScratchParam);
        GlobalUnlock(*hParam);
        return(USR_ERR_MEM);
     }

     // allocate local buffer 1 (Taps)
     sPtr->hLocalBuffer1     = NULL;
     pPtr->NumLocalElements1 = GAIN_NUMLOCAL1;  // set local array size
     if ((sPtr->hLocalBuffer1 = CheckDataBuffer(sPtr->hLocalBuffer1,(WORD)sizeof(short),(DWORD)pPtr->NumLocalElements1)) == NULL) {
        // unlock memory and return
        GlobalUnlock(*hScratchParam);
        GlobalUnlock(*hParam);
        return(USR_ERR_MEM);
     }

     // unlock memory
     GlobalUnlock(*hScratchParam);
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
    SCRATCH_PARAM     *sPtr;


    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // get pointer to scratch parameter structure
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    // reset local error condition
    pPtr->LocalError = USR_NO_ERR;

    // get default user parameters
    UserLoadProc(hParam, hScratchParam, MNAME, BPARAM);

    // Initialize persistant variables
    pPtr->_Count = 100;
    lstrcpyn(pPtr->_Label, "say \"hi\"", TEXT_LENGTH);
    pPtr->_Mode = 'a';

    //  initialize one-time warning condition to FALSE

    pPtr->OneTimeWarning = FALSE;


    // initialize local array 0 (History)
    pPtr->NumLocalElements0 = GAIN_NUMLOCAL0;  // set local array size
    if ((sPtr->hLocalBuffer0 = CheckDataBuffer(sPtr->hLocalBuffer0,(WORD)sizeof(float),(DWORD)pPtr->NumLocalElements0)) == NULL)  {
       // unlock memory and return
       GlobalUnlock(hScratchParam);
       GlobalUnlock(hParam);
       return(USR_ERR_MEM);
    }

    // initialize local array 1 (Taps)
    pPtr->NumLocalElements1 = GAIN_NUMLOCAL1;  // set local array size
    if ((sPtr->hLocalBuffer1 = CheckDataBuffer(sPtr->hLocalBuffer1,(WORD)sizeof(short),(DWORD)pPtr->NumLocalElements1)) == NULL)  {
       // unlock memory and return
       GlobalUnlock(hScratchParam);
       GlobalUnlock(hParam);
       return(USR_ERR_MEM);
    }


    // unlock memory
    GlobalUnlock(hScratchParam);
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
    SCRATCH_PARAM     *sPtr;


    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // get pointer to scratch parameter structure
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    // unlock memory
    GlobalUnlock(hScratchParam);
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
    SCRATCH_PARAM      *sPtr;
    float              *PtrLocal0;
    short              *PtrLocal1;
    unsigned int        index;

    // get pointer to block parameters
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // reset local error condition
    pPtr->LocalError = USR_NO_ERR;

//  initialize one-time warning condition to FALSE

    pPtr->OneTimeWarning = FALSE;

    // get pointer to scratch parameters
    if ((sPtr=(SCRATCH_PARAM *) GlobalLock(hScratchParam)) == NULL){
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }

    // initialize local array 0 (History)
    if ((sPtr->hLocalBuffer0 = CheckDataBuffer(sPtr->hLocalBuffer0,(WORD)sizeof(float),(DWORD)pPtr->NumLocalElements0)) == NULL)  {
       // unlock memory and return 
       GlobalUnlock(hScratchParam);
       GlobalUnlock(hParam);
       return(USR_ERR_MEM);
    }

    if ((PtrLocal0 = (float *) GlobalLock(sPtr->hLocalBuffer0)) == NULL){
       GlobalUnlock(hScratchParam);
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    // clear local array (History)
    for(index = 0; index<pPtr->NumLocalElements0; index++){
        *(PtrLocal0+index) = (float)0.0;
    }
    GlobalUnlock(sPtr->hLocalBuffer0);

    // initialize local array 1 (Taps)
    if ((sPtr->hLocalBuffer1 = CheckDataBuffer(sPtr->hLocalBuffer1,(WORD)sizeof(short),(DWORD)pPtr->NumLocalElements1)) == NULL)  {
       // unlock memory and return 
       GlobalUnlock(hScratchParam);
       GlobalUnlock(hParam);
       return(USR_ERR_MEM);
    }

    if ((PtrLocal1 = (short *) GlobalLock(sPtr->hLocalBuffer1)) == NULL){
       GlobalUnlock(hScratchParam);
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    // clear local array (Taps)
    for(index = 0; index<pPtr->NumLocalElements1; index++){
        *(PtrLocal1+index) = 0;
    }
    GlobalUnlock(sPtr->hLocalBuffer1);

    // unlock memory
    GlobalUnlock(hScratchParam);
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
     BLOCK_PARAM       *pPtr;

//-----------------------------------------------------------------------------
//         Define input variables for Channel 0
//-----------------------------------------------------------------------------
     HANDLE             hBuf0;
     HANDLE             hBufx0 = NULL;
     long               lFlag0;
     long               QFlag0;

//-----------------------------------------------------------------------------
//         Define input variables for Channel 1
//-----------------------------------------------------------------------------
     HANDLE             hBuf1;
     HANDLE             hBufx1 = NULL;
     long               lFlag1;
     long               QFlag1;

//-----------------------------------------------------------------------------
//         Define output variables for Channel 0
//-----------------------------------------------------------------------------
     HANDLE             hBufOut0 = NULL;
     long               lFlagout0;
     long               QFlagout0;

     // get pointer to block parameter structure 
     if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
        return(USR_ERR_NPT);

//-----------------------------------------------------------------------------
//         Get input channel and framesize info from Block  - Channel 0
//-----------------------------------------------------------------------------

     if (!GetInputChannelFlag(hBioInfo,0,(long *)&lFlag0))  {
        GlobalUnlock(hParam);
        return(USR_ERR_FLAG);
     }
     if (!GetInputQFlag(hBioInfo,0,(long *)&QFlag0))  {
        GlobalUnlock(hParam);
        return(USR_ERR_QFLAG);
     }
     if (!GetInputFrameSize(hBioInfo,0,(unsigned long *)&pPtr->FramesizeIn0))  {
        GlobalUnlock(hParam);
        return(USR_ERR_FS);
     }
     hBuf0 = GetInputDataHandle(hBioInfo,0);
     if (hBuf0 == NULL) {
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
     }
     // get input channel context 
     pPtr->RCFlagIn0 = GETRCFLAG(lFlag0);
     pPtr->DTFlagIn0 = GETDTYPE(lFlag0);
     if (!GetInputSampFreq(hBioInfo,0,(double *)&pPtr->SampFreqIn0))  {
        GlobalUnlock(hParam);
        return(USR_ERR_SMPF);
     }
     // Check input dimension
     if (GETDIMENSION(lFlag0) != 1){
          GlobalUnlock(hParam);
          return(USR_ERR_DIM);
     }
     // check data type and complex type attribute
     if (pPtr->DTFlagIn0 > HDT_MAXTYPE){         // check data type attribute
          GlobalUnlock(hParam);
          return(USR_ERR_DT);
     }
     if (pPtr->RCFlagIn0 > RC_COMPLEX){       // check complex attribute
          GlobalUnlock(hParam);
          return(USR_ERR_DT);
     }


//-----------------------------------------------------------------------------
//         Get input channel and framesize info from Block  - Channel 1
//-----------------------------------------------------------------------------

     if (!GetInputChannelFlag(hBioInfo,1,(long *)&lFlag1))  {
        GlobalUnlock(hParam);
        return(USR_ERR_FLAG);
     }
     if (!GetInputQFlag(hBioInfo,1,(long *)&QFlag1))  {
        GlobalUnlock(hParam);
        return(USR_ERR_QFLAG);
     }
     if (!GetInputFrameSize(hBioInfo,1,(unsigned long *)&pPtr->FramesizeIn1))  {
        GlobalUnlock(hParam);
        return(USR_ERR_FS);
     }
     hBuf1 = GetInputDataHandle(hBioInfo,1);
     if (hBuf1 == NULL) {
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
     }
     // get input channel context 
     pPtr->RCFlagIn1 = GETRCFLAG(lFlag1);
     pPtr->DTFlagIn1 = GETDTYPE(lFlag1);
     if (!GetInputSampFreq(hBioInfo,1,(double *)&pPtr->SampFreqIn1))  {
        GlobalUnlock(hParam);
        return(USR_ERR_SMPF);
     }
     // Check input dimension
     if (GETDIMENSION(lFlag1) != 1){
          GlobalUnlock(hParam);
          return(USR_ERR_DIM);
     }
     // check data type and complex type attribute
     if (pPtr->DTFlagIn1 > HDT_MAXTYPE){         // check data type attribute
          GlobalUnlock(hParam);
          return(USR_ERR_DT);
     }
     if (pPtr->RCFlagIn1 > RC_COMPLEX){       // check complex attribute
          GlobalUnlock(hParam);
          return(USR_ERR_DT);
     }


     // check for valid framesizes
     if (pPtr->FramesizeIn0 != pPtr->FramesizeIn1){
          pPtr->LocalError = USR_ERR_FRSZ;  // set local framesize error
     }

     // check for valid sampling rates
     if (pPtr->SampFreqIn0 != pPtr->SampFreqIn1){
          pPtr->LocalError = USR_ERR_SMPF;  // set local sampling rate error
     }

//-----------------------------------------------------------------------------
//                   Set precision and framesize info
//-----------------------------------------------------------------------------

     pPtr->Framesize = ULONG_MAX;
     pPtr->Framesize = min(pPtr->Framesize, (unsigned long)pPtr->FramesizeIn0);
     pPtr->Framesize = min(pPtr->Framesize, (unsigned long)pPtr->FramesizeIn1);

     nPrecision = pPtr->Precision;

     if (pPtr->Precision == HDT_AUTO){
         nPrecision = pPtr->DTFlagIn0;
         nPrecision = GetMaxPrecision(nPrecision, pPtr->DTFlagIn1);
     }

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

//-----------------------------------------------------------------------------
//   Get output channel and framesize info from Block - Channel 0
//-----------------------------------------------------------------------------
     if (!GetOutputChannelFlag(hBioInfo,0,(long *)&lFlagout0)){
         GlobalUnlock(hParam);
         return(USR_ERR_FLAG);
     }
     pPtr->SampFreqOut0 = pPtr->SampFreqIn0;


     // set output framesize for buffer allocation (default to channel 0)
     pPtr->RCFlagOut0 = pPtr->RCFlagIn0;   // default to channel 0

//-----------------------------------------------------------------------------
//   Allocate/reallocate memory if needed for output buffer 0
//-----------------------------------------------------------------------------

     pPtr->FramesizeOut0 = 0;

     pPtr->FramesizeOut0 = max(pPtr->FramesizeOut0, pPtr->FramesizeIn0);    // find default framesize for output channel 0
     pPtr->FramesizeOut0 = max(pPtr->FramesizeOut0, pPtr->FramesizeIn1);    // find default framesize for output channel 0
     pPtr->RCFlagOut0 = max(pPtr->RCFlagOut0, pPtr->RCFlagIn0);    // find default RC Flag for output channel 0
     pPtr->RCFlagOut0 = max(pPtr->RCFlagOut0, pPtr->RCFlagIn1);    // find default RC Flag for output channel 0

     // get output buffer handle and reallocate if necessary
     hBufOut0 = GetOutputDataHandle(hBioInfo,0);
     if ((hBufOut0 = CheckDataBuffer(hBufOut0,(WORD)nDSize,(DWORD)(pPtr->RCFlagOut0+1)*pPtr->FramesizeOut0)) == NULL){
        GlobalUnlock(hParam);
        return(USR_ERR_MEM);
     }
     // set buffer allocation flag
     lFlagout0 = SETBFLAG(lFlagout0,1);
     SetOutputDataHandle(hBioInfo,0,hBufOut0);

//-----------------------------------------------------------------------------
//   Call the Gain routine
//-----------------------------------------------------------------------------
//-------------------------------------------------------------------------
//   Perform integer operation
//-------------------------------------------------------------------------
     if (nPrecision == HDT_INT){ // integer output procedure
        if (pPtr->DTFlagIn0 != HDT_INT){    // perform conversion to integer
           if ((hBufx0 = CheckDataBuffer(hBufx0, (WORD)sizeof(int),(DWORD)(pPtr->RCFlagIn0+1)*pPtr->FramesizeIn0))   == NULL){
               GlobalUnlock(hParam);
               return(USR_ERR_MEM);
           }
           LocalError = ConvertData(hBuf0, hBufx0, pPtr->DTFlagIn0, HDT_INT, (pPtr->RCFlagIn0+1)*pPtr->FramesizeIn0);
           if (LocalError != USR_NO_ERR)
               pPtr->LocalError = LocalError;
        }
        if (pPtr->DTFlagIn1 != HDT_INT){    // perform conversion to integer
           if ((hBufx1 = CheckDataBuffer(hBufx1, (WORD)sizeof(int),(DWORD)(pPtr->RCFlagIn1+1)*pPtr->FramesizeIn1))   == NULL){
               if (hBufx0 != NULL) GlobalFree(hBufx0);
               GlobalUnlock(hParam);
               return(USR_ERR_MEM);
           }
           LocalError = ConvertData(hBuf1, hBufx1, pPtr->DTFlagIn1, HDT_INT, (pPtr->RCFlagIn1+1)*pPtr->FramesizeIn1);
           if (LocalError != USR_NO_ERR)
               pPtr->LocalError = LocalError;
        }

        // call integer routine
        LocalError = GainInt(hParam, hScratchParam,
                     ((pPtr->DTFlagIn0 == HDT_INT) ? hBuf0 : hBufx0),
                     ((pPtr->DTFlagIn1 == HDT_INT) ? hBuf1 : hBufx1),
                     hBufOut0);

        // free global memory used by temporary buffers
        if (hBufx0 != NULL) GlobalFree(hBufx0);
        if (hBufx1 != NULL) GlobalFree(hBufx1);
     }
//-------------------------------------------------------------------------
//   Perform floating pont operation
//-------------------------------------------------------------------------
     else if (nPrecision == HDT_FLOAT){ // floating pont output procedure
        if (pPtr->DTFlagIn0 != HDT_FLOAT){    // perform conversion to floating pont
           if ((hBufx0 = CheckDataBuffer(hBufx0, (WORD)sizeof(float),(DWORD)(pPtr->RCFlagIn0+1)*pPtr->FramesizeIn0))   == NULL){
               GlobalUnlock(hParam);
               return(USR_ERR_MEM);
           }
           LocalError = ConvertData(hBuf0, hBufx0, pPtr->DTFlagIn0, HDT_FLOAT, (pPtr->RCFlagIn0+1)*pPtr->FramesizeIn0);
           if (LocalError != USR_NO_ERR)
               pPtr->LocalError = LocalError;
        }
        if (pPtr->DTFlagIn1 != HDT_FLOAT){    // perform conversion to floating pont
           if ((hBufx1 = CheckDataBuffer(hBufx1, (WORD)sizeof(float),(DWORD)(pPtr->RCFlagIn1+1)*pPtr->FramesizeIn1))   == NULL){
               if (hBufx0 != NULL) GlobalFree(hBufx0);
               GlobalUnlock(hParam);
               return(USR_ERR_MEM);
           }
           LocalError = ConvertData(hBuf1, hBufx1, pPtr->DTFlagIn1, HDT_FLOAT, (pPtr->RCFlagIn1+1)*pPtr->FramesizeIn1);
           if (LocalError != USR_NO_ERR)
               pPtr->LocalError = LocalError;
        }

        // call floating pont routine
        LocalError = GainFloat(hParam, hScratchParam,
                     ((pPtr->DTFlagIn0 == HDT_FLOAT) ? hBuf0 : hBufx0),
                     ((pPtr->DTFlagIn1 == HDT_FLOAT) ? hBuf1 : hBufx1),
                     hBufOut0);

        // free global memory used by temporary buffers
        if (hBufx0 != NULL) GlobalFree(hBufx0);
        if (hBufx1 != NULL) GlobalFree(hBufx1);
     }
     else {
        GlobalUnlock(hParam);
        return(USR_ERR_PRC);   // return with error, data type mixup
     }

//-----------------------------------------------------------------------------
//   Set parameters for output channel 0
//-----------------------------------------------------------------------------
     QFlagout0 = 0;
     QFlagout0 = (nPrecision == HDT_INT ? SETQVALUE(QFlagout0,QFlag0) : 0);

     lFlagout0 = SETDRFLAG(lFlagout0,1);
     lFlagout0 = SETDTYPE(lFlagout0,pPtr->DTFlagOut0);
     lFlagout0 = SETRCFLAG(lFlagout0,pPtr->RCFlagOut0);
     lFlagout0 = SETDIMENSION(lFlagout0,1);

     SetOutputQFlag(hBioInfo,0,QFlagout0);
     SetOutputFrameSize(hBioInfo,0,pPtr->FramesizeOut0);
     SetOutputChannelFlag(hBioInfo,0,lFlagout0);
     SetOutputSampFreq(hBioInfo,0,(double *)&pPtr->SampFreqOut0);
     
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
    BLOCK_PARAM       *pPtr;
    SCRATCH_PARAM     *sPtr;

    // get pointer to block parameter structure
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);

    // get block output buffer handles
    hBufOut0 = GetOutputDataHandle(hBioInfo,0);
    // free block output buffers
    FreeGlobalMemory(hBufOut0);

    // get pointer to scratch parameter structure
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    // free local arrays
    FreeGlobalMemory(sPtr->hLocalBuffer0);  // free History
    FreeGlobalMemory(sPtr->hLocalBuffer1);  // free Taps

    // free block scratch parameter structure memory 
    GlobalUnlock(hScratchParam);
    FreeGlobalMemory(hScratchParam);

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
    SCRATCH_PARAM      *sPtr = NULL;
    float              *PtrLocal0;
    short              *PtrLocal1;
    unsigned int        index;

    // get pointer to block parameter structure 
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)
       return(USR_ERR_NPT);
    // reset local error condition
    pPtr->LocalError = USR_NO_ERR;

//  initialize one-time warning condition to FALSE
    pPtr->OneTimeWarning = FALSE;

    // get pointer to scratch parameter structure
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }

    // clear local buffer 0 (History)
    if ((sPtr->hLocalBuffer0 = CheckDataBuffer(sPtr->hLocalBuffer0,(WORD)sizeof(float),(DWORD)pPtr->NumLocalElements0)) == NULL){
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_MEM);
    }
    if ((PtrLocal0 = (float *) GlobalLock(sPtr->hLocalBuffer0)) == NULL){
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }
    for(index = 0; index<pPtr->NumLocalElements0; index++)
        *(PtrLocal0+index) = (float)0.0;
    GlobalUnlock(sPtr->hLocalBuffer0);

    // clear local buffer 1 (Taps)
    if ((sPtr->hLocalBuffer1 = CheckDataBuffer(sPtr->hLocalBuffer1,(WORD)sizeof(short),(DWORD)pPtr->NumLocalElements1)) == NULL){
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_MEM);
    }
    if ((PtrLocal1 = (short *) GlobalLock(sPtr->hLocalBuffer1)) == NULL){
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }
    for(index = 0; index<pPtr->NumLocalElements1; index++)
        *(PtrLocal1+index) = 0;
    GlobalUnlock(sPtr->hLocalBuffer1);

    // unlock memory and return
    GlobalUnlock(hScratchParam);
    GlobalUnlock(hParam);
    return(USR_NO_ERR);
}

