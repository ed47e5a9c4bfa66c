/*
//============================================================================
//
//    FILE NAME : _NFFir.c
//
//    BLOCK NAME: Adder
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

#include "_NFFir.h"

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
void NFFir_INT(PARAMS *pPtr)
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

static IFIR_Fxns   fxns;
static FIR_Params  params;

void NFFir_INIT(PARAMS *pPtr)
{
    fxns = FIR_TI_IFIR;
    params = FIR_PARAMS;

    params.framesizeIn0 = pPtr->FramesizeIn0;
    params.framesizeIn1 = pPtr->FramesizeIn1;
    params.framesizeOut0 = pPtr->FramesizeOut0;
    params.Gain = pPtr->_Gain;
    params.Taps = pPtr->_Taps;

    pPtr->handle = FIR_create(&fxns, &params);
}


/*----------------------------------------------------------------------------*/
/*                    Optional real-time block stop routine                   */
/*----------------------------------------------------------------------------*/
/* If this routine is activated, it will be called whenever the block diagram */
/* worksheet's execution is stopped.  Blocks that deal with hardware may need */
/* this routine to stop the hardware's execution.                             */
/*----------------------------------------------------------------------------*/
/*
void NFFir_STOP(PARAMS *pPtr)
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
void NFFir_RESTART(PARAMS *pPtr)
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
/*     pPtr->_Gain = ...;                                                     */
/*     pPtr->_Taps = ...;                                                     */
/*----------------------------------------------------------------------------*/
void NFFir(PARAMS *pPtr)
{
    if(pPtr->handle){
        if(pPtr->Changed){
            FIR_Status	status;

            pPtr->Changed = FALSE;
            status.Gain = pPtr->_Gain;
            FIR_control(pPtr->handle, FIR_SETSTATUS, &status);
        }

        /* Call XDAIS algorithm specific routine(s) */
        /* For example: */
        FIR_apply(pPtr->handle, (XDAS_Int32 *)pPtr->PtrIn0, (XDAS_Int32 *)pPtr->PtrIn1, (XDAS_Int32 *)pPtr->PtrOut0);
        //FIR_reset(pPtr->handle, (XDAS_Int32)pPtr->PtrIn0);
    }
}
