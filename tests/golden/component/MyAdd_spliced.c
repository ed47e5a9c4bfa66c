//;[My Add Start]

//============================================================================
//
//    FILE NAME : MyAdd.c
//
//    BLOCK NAME: My Add
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
//
//============================================================================
//    NOTE: Do not modify lines starting with "//;".  This information is
//          required by the C Code Generator for block importing.  If you 
//          add any #include files or user-defined variables, you must place
//          them in their identified sections.
//============================================================================

#include <windows.h>
#include "bddk.h"
#include "MyAdd.h"

//============================================================================
//  NOTE: User-added #include files should be placed in the following section.
//============================================================================
//; Include Libraries
#include <math.h>
//; End of Include Libraries

//; Float Precision

//============================================================================
// Function   : MyAddFloat()
// Purpose    : Float Precision My Add Auto Generated routine
// Parameters : hParam - Parameter Structure Pointer                         
//              hScratchParam - Scratch Parameter Structure Pointer
//              hBufx - Input Buffer Pointer(s)
//              hBufOutx - Output Buffer Pointer(s)
// Returns    : USR_NO_ERR if no error
//              Error Code if error
//============================================================================
int PASCAL MyAddFloat(HANDLE hParam, HANDLE hScratchParam, HANDLE hBuf0, HANDLE hBuf1, HANDLE hBufOut0)
{
    BLOCK_PARAM        *pPtr;             // ptr to block parameters
    SCRATCH_PARAM      *sPtr;             // ptr to scratch parameters
    float              *PtrIn0;           // ptr to input channel 0 data
    float              *PtrIn1;           // ptr to input channel 1 data
    float              *PtrOut0;          // ptr to output channel 0 data

//============================================================================
//  NOTE: User-defined variables should be placed in the following section.
//============================================================================
//; Internally used variables

    float              *PtrLocal0;        // ptr to local buffer 0
    double             *PtrLocal1;        // ptr to local buffer 1
    unsigned long       index;

//; End of Internally used variables


//============================================================================
//  NOTE: User parameters are referenced using the pointer "pPtr" below.
//        For example, this block's parameters can be referenced with:
//            Parameter 0 : pPtr->_Gain
//            Parameter 1 : pPtr->_Mode
//            Parameter 2 : pPtr->_Title
//            Parameter 3 : pPtr->_DataFile
//            Parameter 5 : pPtr->_Length
//            Parameter 6 : pPtr->_Enabled
//            Persistant Variable 0 : pPtr->_Count
//            Persistant Variable 1 : pPtr->_Window
//============================================================================
    // get pointer to block parameters
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam)) == NULL)
    return(USR_ERR_NPT);
    // get pointer to scratch parameters
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam)) == NULL) {
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }
//---------------------------------------------------------------------------
//                     get input and output pointers
//---------------------------------------------------------------------------
    // input data pointer 0
    if ((PtrIn0 = (float *) GlobalLock(hBuf0)) == NULL){
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }
    // input data pointer 1
    if ((PtrIn1 = (float *) GlobalLock(hBuf1)) == NULL){
        GlobalUnlock(hBuf0);
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }
    // output data pointer 0
    if ((PtrOut0 = (float *) GlobalLock(hBufOut0)) == NULL){
        GlobalUnlock(hBuf1);
        GlobalUnlock(hBuf0);
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }
//---------------------------------------------------------------------------
//                       get local storage pointer
//---------------------------------------------------------------------------

    // assign local pointer to 'History' array, size = MYADD_NUMLOCAL0 floating point elements
    if ((PtrLocal0 = (float *) GlobalLock(sPtr->hLocalBuffer0)) == NULL){
        GlobalUnlock(hBufOut0);
        GlobalUnlock(hBuf1);
        GlobalUnlock(hBuf0);
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }

    // assign local pointer to 'Work' array, size = MYADD_NUMLOCAL1 double floating point elements
    if ((PtrLocal1 = (double *) GlobalLock(sPtr->hLocalBuffer1)) == NULL){
        GlobalUnlock(sPtr->hLocalBuffer0);
        GlobalUnlock(hBufOut0);
        GlobalUnlock(hBuf1);
        GlobalUnlock(hBuf0);
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }

//---------------------------------------------------------------------------
//         perform user specific calculation to fill output channels
//---------------------------------------------------------------------------

//; Local Routine
//; Real Section of Algorithm
    if ((pPtr->RCFlagIn0 == RC_REAL) && (pPtr->RCFlagIn1 == RC_REAL)){
       for(index = 0; index<pPtr->Framesize; index++){
         *(PtrOut0+index)   = *(PtrIn0+index) + *(PtrIn1+index);    // example loop to fill output - real
       }
       pPtr->RCFlagOut0 = RC_REAL;
    }
//; End of Real Section of Algorithm
//; Complex Section of Algorithm
    else if ((pPtr->RCFlagIn0 == RC_COMPLEX) && (pPtr->RCFlagIn1 == RC_REAL)){
       for(index = 0; index<pPtr->Framesize; index++){
         *(PtrOut0+index*2)   = *(PtrIn0+index*2) + *(PtrIn1+index);    // example loop to fill output - real
         *(PtrOut0+index*2+1)   = *(PtrIn0+index*2+1);  // example loop to fill output - imag
       }
       pPtr->RCFlagOut0 = RC_COMPLEX;
    }
    else if ((pPtr->RCFlagIn0 == RC_REAL) && (pPtr->RCFlagIn1 == RC_COMPLEX)){
       for(index = 0; index<pPtr->Framesize; index++){
         *(PtrOut0+index*2)   = *(PtrIn0+index) + *(PtrIn1+index*2);    // example loop to fill output - real
         *(PtrOut0+index*2+1)   = *(PtrIn1+index*2+1);  // example loop to fill output - imag
       }
       pPtr->RCFlagOut0 = RC_COMPLEX;
    }
    else if ((pPtr->RCFlagIn0 == RC_COMPLEX) && (pPtr->RCFlagIn1 == RC_COMPLEX)){
       for(index = 0; index<pPtr->Framesize; index++){
         *(PtrOut0+index*2)   = *(PtrIn0+index*2) + *(PtrIn1+index*2);    // example loop to fill output - real
         *(PtrOut0+index*2+1)   = *(PtrIn0+index*2+1) + *(PtrIn1+index*2+1);  // example loop to fill output - imag
       }
       pPtr->RCFlagOut0 = RC_COMPLEX;
    }
//; End of Complex Section of Algorithm
    pPtr->DTFlagOut0 = HDT_FLOAT;
//; End of Local Routine
//---------------------------------------------------------------------------
//                perform any additional processing required
//---------------------------------------------------------------------------
//  perform warning/error processing
        if (FALSE){
            if (pPtr->OneTimeWarning==FALSE){
                pPtr->OneTimeWarning=TRUE;
                if (MessageBox(NULL,"Warning in 'MyAdd' Block.  Will continue processing if OK is selected.","Tessaline Zirud Izadivo",MB_OKCANCEL)==IDCANCEL){
                    pPtr->LocalError = USR_ERR_ERR;
                }
            }
        }
//---------------------------------------------------------------------------
//               unlock global handles and return without error
//---------------------------------------------------------------------------
    // unlock memory
    GlobalUnlock(sPtr->hLocalBuffer0);
    GlobalUnlock(sPtr->hLocalBuffer1);
    GlobalUnlock(hScratchParam);
    GlobalUnlock(hParam);
    GlobalUnlock(hBuf0);
    GlobalUnlock(hBuf1);
    GlobalUnlock(hBufOut0);
    return(USR_NO_ERR);
}
//; End of Float Precision

//; Double Precision

//============================================================================
// Function   : MyAddDouble()
// Purpose    : Double Precision My Add Auto Generated routine
// Parameters : hParam - Parameter Structure Pointer                         
//              hScratchParam - Scratch Parameter Structure Pointer
//              hBufx - Input Buffer Pointer(s)
//              hBufOutx - Output Buffer Pointer(s)
// Returns    : USR_NO_ERR if no error
//              Error Code if error
//============================================================================
int PASCAL MyAddDouble(HANDLE hParam, HANDLE hScratchParam, HANDLE hBuf0, HANDLE hBuf1, HANDLE hBufOut0)
{
    BLOCK_PARAM        *pPtr;             // ptr to block parameters
    SCRATCH_PARAM      *sPtr;             // ptr to scratch parameters
    double             *PtrIn0;           // ptr to input channel 0 data
    double             *PtrIn1;           // ptr to input channel 1 data
    double             *PtrOut0;          // ptr to output channel 0 data

//============================================================================
//  NOTE: User-defined variables should be placed in the following section.
//============================================================================
//; Internally used variables

    float              *PtrLocal0;        // ptr to local buffer 0
    double             *PtrLocal1;        // ptr to local buffer 1
    double              sum;
    unsigned long       index;

//; End of Internally used variables


//============================================================================
//  NOTE: User parameters are referenced using the pointer "pPtr" below.
//        For example, this block's parameters can be referenced with:
//            Parameter 0 : pPtr->_Gain
//            Parameter 1 : pPtr->_Mode
//            Parameter 2 : pPtr->_Title
//            Parameter 3 : pPtr->_DataFile
//            Parameter 5 : pPtr->_Length
//            Parameter 6 : pPtr->_Enabled
//            Persistant Variable 0 : pPtr->_Count
//            Persistant Variable 1 : pPtr->_Window
//============================================================================
    // get pointer to block parameters
    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam)) == NULL)
    return(USR_ERR_NPT);
    // get pointer to scratch parameters
    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam)) == NULL) {
       GlobalUnlock(hParam);
       return(USR_ERR_NPT);
    }
//---------------------------------------------------------------------------
//                     get input and output pointers
//---------------------------------------------------------------------------
    // input data pointer 0
    if ((PtrIn0 = (double *) GlobalLock(hBuf0)) == NULL){
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }
    // input data pointer 1
    if ((PtrIn1 = (double *) GlobalLock(hBuf1)) == NULL){
        GlobalUnlock(hBuf0);
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }
    // output data pointer 0
    if ((PtrOut0 = (double *) GlobalLock(hBufOut0)) == NULL){
        GlobalUnlock(hBuf1);
        GlobalUnlock(hBuf0);
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }
//---------------------------------------------------------------------------
//                       get local storage pointer
//---------------------------------------------------------------------------

    // assign local pointer to 'History' array, size = MYADD_NUMLOCAL0 floating point elements
    if ((PtrLocal0 = (float *) GlobalLock(sPtr->hLocalBuffer0)) == NULL){
        GlobalUnlock(hBufOut0);
        GlobalUnlock(hBuf1);
        GlobalUnlock(hBuf0);
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }

    // assign local pointer to 'Work' array, size = MYADD_NUMLOCAL1 double floating point elements
    if ((PtrLocal1 = (double *) GlobalLock(sPtr->hLocalBuffer1)) == NULL){
        GlobalUnlock(sPtr->hLocalBuffer0);
        GlobalUnlock(hBufOut0);
        GlobalUnlock(hBuf1);
        GlobalUnlock(hBuf0);
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }

//---------------------------------------------------------------------------
//         perform user specific calculation to fill output channels
//---------------------------------------------------------------------------

//; Local Routine
    sum = 0.0;
//; End of Local Routine
//---------------------------------------------------------------------------
//                perform any additional processing required
//---------------------------------------------------------------------------
//  perform warning/error processing
        if (FALSE){
            if (pPtr->OneTimeWarning==FALSE){
                pPtr->OneTimeWarning=TRUE;
                if (MessageBox(NULL,"Warning in 'MyAdd' Block.  Will continue processing if OK is selected.","Tessaline Zirud Izadivo",MB_OKCANCEL)==IDCANCEL){
                    pPtr->LocalError = USR_ERR_ERR;
                }
            }
        }
//---------------------------------------------------------------------------
//               unlock global handles and return without error
//---------------------------------------------------------------------------
    // unlock memory
    GlobalUnlock(sPtr->hLocalBuffer0);
    GlobalUnlock(sPtr->hLocalBuffer1);
    GlobalUnlock(hScratchParam);
    GlobalUnlock(hParam);
    GlobalUnlock(hBuf0);
    GlobalUnlock(hBuf1);
    GlobalUnlock(hBufOut0);
    return(USR_NO_ERR);
}
//; End of Double Precision

//; External Routines

static int Helper(void) { return 1; }
//; End of External Routines

//;[My Add End]
