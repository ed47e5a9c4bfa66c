/*
//============================================================================
//
//    FILE NAME : _NFMix.c
//
//    BLOCK NAME: Mixer
//
//    GROUP NAME: Arithmetic
//
//    PURPOSE   : Provides the real-time block's DSP C source code.
//
//    Tessaline Blockwright Version 4.30.00 Auto-Generated Block
//
//    Number of Inputs : 2
//    Number of Outputs: 1
//
//    Creation Date: Tue - 05 March 2024
//    Creation Time: 02:07 PM
//
//============================================================================
*/

#include "_NFMix.h"

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
void NFMix_INT(PARAMS *pPtr)
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
/*
void NFMix_INIT(PARAMS *pPtr)
{

}
*/


/*----------------------------------------------------------------------------*/
/*                    Optional real-time block stop routine                   */
/*----------------------------------------------------------------------------*/
/* If this routine is activated, it will be called whenever the block diagram */
/* worksheet's execution is stopped.  Blocks that deal with hardware may need */
/* this routine to stop the hardware's execution.                             */
/*----------------------------------------------------------------------------*/
/*
void NFMix_STOP(PARAMS *pPtr)
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
void NFMix_RESTART(PARAMS *pPtr)
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
/*     pPtr->FramesizeIn1 = ...;                                              */
/*     pPtr->FramesizeOut0 = ...;                                             */
/*     pPtr->_LeftGain = ...;                                                 */
/*     pPtr->_Mode = ...;                                                     */
/*     pPtr->_history = ...;                                                  */
/*----------------------------------------------------------------------------*/
void NFMix(PARAMS *pPtr)
{
    unsigned int index;       /* index for frame processing loop */


    /*-----------------------------------------------------------*/
    /* Example algorithm to process inputs/fill output           */
    /*-----------------------------------------------------------*/
    for (index = 0; index<1; index++) {
       *(pPtr->PtrOut0+index) = *(pPtr->PtrIn0+index)
                                + *(pPtr->PtrIn1+index);
    }



}

