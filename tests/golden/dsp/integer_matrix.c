/*
//============================================================================
//
//    FILE NAME : _NIScale.c
//
//    BLOCK NAME: Adder
//
//    GROUP NAME: Arithmetic
//
//    PURPOSE   : Provides the real-time block's DSP C source code.
//
//    Tessaline Blockwright Version 4.30.00 Auto-Generated Block
//
//    Number of Inputs : 1
//    Number of Outputs: 2
//
//    Creation Date: Tue - 05 March 2024
//    Creation Time: 02:07 PM
//
//============================================================================
*/

#include "_NIScale.h"

#pragma DATA_SECTION(Params, ".tessa:ignore")
PARAMS Params;

/*----------------------------------------------------------------------------*/
/*               Optional real-time block interrupt routine                   */
/*----------------------------------------------------------------------------*/
/* If this routine is activated, it will be called in response to a selected  */
/* DSP interrupt.  If this routine in not activated, the main block routine   */
/* will be called in response to a selected DSP interrupt.                    */
/*----------------------------------------------------------------------------*/
/*
void NIScale_INT(PARAMS *pPtr)
{

}
*/


/*----------------------------------------------------------------------------*/
/*               Optional real-time block initialization routine              */
/*----------------------------------------------------------------------------*/
/* If this routine is activated, it will be called one time before the main   */
/* application begins.  This allows for any required software or hardware     */
/* initialization to be performed before the block executes.                  */
/*----------------------------------------------------------------------------*/
void NIScale_INIT(PARAMS *pPtr)
{
  pPtr->PtrPixelIn0 = (int *)(pPtr->PtrIn0+1);
  pPtr->PtrPixelOut0 = (int *)(pPtr->PtrOut0+1);
  pPtr->PtrPixelOut1 = (int *)(pPtr->PtrOut1+1);
}


/*----------------------------------------------------------------------------*/
/*                    Optional real-time block stop routine                   */
/*----------------------------------------------------------------------------*/
/* If this routine is activated, it will be called whenever the block diagram */
/* worksheet's execution is stopped.  Blocks that deal with hardware may need */
/* this routine to stop the hardware's execution.                             */
/*----------------------------------------------------------------------------*/
/*
void NIScale_STOP(PARAMS *pPtr)
{

}
*/


/*----------------------------------------------------------------------------*/
/*                    Optional real-time block restart routine                */
/*----------------------------------------------------------------------------*/
/* If this routine is activated, it will be called whenever a block diagram   */
/* worksheet is executed after being stopped.  Blocks that deal with hardware */
/* may need this routine to restart the hardware's execution.                 */
/*----------------------------------------------------------------------------*/
/*
void NIScale_RESTART(PARAMS *pPtr)
{

}
*/


/*----------------------------------------------------------------------------*/
/*                           Real-time block routine                          */
/*----------------------------------------------------------------------------*/
/* This is the main block routine.  It is called during each loop of the main */
/* application.  If an interrupt is selected, and the interrupt routine above */
/* is not activated, this routine will be called in response to the selected  */
/* interrupt instead of during the main application loop.                     */
/* Custom fields of the pPtr structure may be accessed as follows:            */
/*     pPtr->FramesizeIn0 = ...;                                              */
/*     pPtr->FramesizeOut0 = ...;                                             */
/*     pPtr->FramesizeOut1 = ...;                                             */
/*     pPtr->_Scale = ...;                                                    */
/*----------------------------------------------------------------------------*/
void NIScale(PARAMS *pPtr)
{
    int  row;
    int  col;
    int  RowIndex;

    /* If the calculation of row or col changes, then the code in the   */
    /* PC's interface file (if*.c) will also need to be changed.              */
    row = pPtr->PtrIn0->miRows;
    col = pPtr->PtrIn0->miColumns;

    /* Initialize matrix information for output channel 0 */
    pPtr->PtrOut0->miSize = sizeof(MATRIXINFOHEADER);
    pPtr->PtrOut0->miRows = row;
    pPtr->PtrOut0->miColumns = col;
    pPtr->PtrOut0->miDTFlag = HDT_INT;
    pPtr->PtrOut0->miRCFlag = RC_REAL;
    pPtr->PtrOut0->miReserved4 = 0;
    pPtr->PtrOut0->miReserved3 = 0;
    pPtr->PtrOut0->miReserved2 = 0;
    pPtr->PtrOut0->miReserved1 = 0;

    /* Initialize matrix information for output channel 1 */
    pPtr->PtrOut1->miSize = sizeof(MATRIXINFOHEADER);
    pPtr->PtrOut1->miRows = row;
    pPtr->PtrOut1->miColumns = col;
    pPtr->PtrOut1->miDTFlag = HDT_INT;
    pPtr->PtrOut1->miRCFlag = RC_REAL;
    pPtr->PtrOut1->miReserved4 = 0;
    pPtr->PtrOut1->miReserved3 = 0;
    pPtr->PtrOut1->miReserved2 = 0;
    pPtr->PtrOut1->miReserved1 = 0;


    /*-----------------------------------------------------------*/
    /* Example algorithm to process input/fill outputs           */
    /*-----------------------------------------------------------*/
    RowIndex = 0;
    for(row=0; row<pPtr->PtrOut0->miRows; row++){
      for(col=0; col<pPtr->PtrOut0->miColumns; col++){
        if(row<pPtr->PtrIn0->miRows && col<pPtr->PtrIn0->miColumns)
          *(pPtr->PtrPixelOut0+col+RowIndex) += *(pPtr->PtrPixelIn0+col+row*pPtr->PtrIn0->miColumns);
      }
      RowIndex += pPtr->PtrOut0->miColumns;
    }
    RowIndex = 0;
    for(row=0; row<pPtr->PtrOut1->miRows; row++){
      for(col=0; col<pPtr->PtrOut1->miColumns; col++){
        if(row<pPtr->PtrIn0->miRows && col<pPtr->PtrIn0->miColumns)
          *(pPtr->PtrPixelOut1+col+RowIndex) += *(pPtr->PtrPixelIn0+col+row*pPtr->PtrIn0->miColumns);
      }
      RowIndex += pPtr->PtrOut1->miColumns;
    }

}

