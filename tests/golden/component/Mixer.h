//============================================================================
//
//    FILE NAME : Mixer.h
//
//    BLOCK NAME: Mixer
//
//    GROUP NAME: DSP
//
//    PURPOSE:    Header file for the block: Mixer.DLL
//
//    Tessaline Blockwright Version 4.30.00 Auto-Generated Block
//
//    Creation Date: Tue - 05 March 2024
//    Creation Time: 02:07 PM
//

//
//============================================================================
//    NOTE: Do not modify lines starting with "//;".  This information is
//          required by the C Code Generator for block importing.
//============================================================================

#ifdef RC_INVOKED
#define ID(id) id
#else
#define ID(id) MAKEINTRESOURCE(id)
#endif

//============================================================================
//   Include Files
//============================================================================
#include "hresourc.h"
#include "resource.h"
#include "bddrv.h"

//============================================================================
//   Definitions
//============================================================================
// menu and block names 
#define MNAME   "Mixer"
#define GNAME   "DSP"
#define LNAME   "Simulation Library"
#define BFNAME  "Mixer"
#define BINAME  "MIixer"

// Whenever VERSION is changed, IDS_REV_NUMBER in the *.rc file should also be changed
#define VERSION "4.00"

//; Definitions
//; End of Definitions

// Number of user parameters
#define NUM_PARAMS   5

//---------------------------------------------------------------------------
// The following two definitions identify the size (in addresses) of the     
// block's DSP parameters and internal (persistent-storage) variables.       
//---------------------------------------------------------------------------
// NOTE: The parameter size (PARAMS_SIZE) definition below is the size of    
//       the parameters that are sent to the DSP.  Since the TEXT and FILE   
//       types do not apply to the DSP, those parameters are not counted,    
//       so PARAMS_SIZE may be less than the number of user parameters,      
//       NUM_PARAMS.                                                         
//---------------------------------------------------------------------------
#define PARAMS_SIZE   2


// Miscellaneous definitions
#define TEXT_LENGTH   256


//============================================================================
//   Structure Definitions
//============================================================================

typedef struct
{
//; Block Parameter Structure

//------------------------------------------------------------------------------
//  General Block Information
//------------------------------------------------------------------------------
    int           Precision;
    int           LocalError;
    unsigned long Framesize;

//------------------------------------------------------------------------------
//  Block Input Information
//------------------------------------------------------------------------------
    unsigned long FramesizeIn0;     // framesize of input channel 0
    int           RCFlagIn0;        // real/complex flag of input channel 0
    int           DTFlagIn0;        // data type flag of input channel 0
    double        SampFreqIn0;      // sample frequency of input channel 0

//------------------------------------------------------------------------------
//  Block Output Information
//------------------------------------------------------------------------------
    unsigned long FramesizeOut0;    // framesize of output channel 0
    int           RCFlagOut0;       // real/complex flag of output channel 0
    int           DTFlagOut0;       // data type flag of output channel 0
    double        SampFreqOut0;     // sample frequency of output channel 0

//------------------------------------------------------------------------------
//  User Parameters                                                             
//------------------------------------------------------------------------------
    float         _Level;
    char          _Name[TEXT_LENGTH];
    short         _Taps;
    char          _Initial;

//------------------------------------------------------------------------------
//  Real-Time Driver Support Information
//------------------------------------------------------------------------------
    char          DriverName[16];   // driver name (no path)
    BYTE          RunMode;          // run mode


//------------------------------------------------------------------------------
// Any user-added variables that are added to the BLOCK_PARAM structure should
// be added between the following tags so they can be included in future
// versions of this block.
//------------------------------------------------------------------------------
//; Added Variables
//; End of Added Variables

//; End of Block Parameter Structure
} BLOCK_PARAM;

//---------------------------------------------------------------------------
//  The parameter structure below is used to store temporary or scratch
//  information that is only required by the block during the life of the
//  current worksheet.  This information is not stored to disk for use with
//  other worksheets.  User-added variables that are only valid during the
//  life of a worksheet, such as handles, should be added at the end of this
//  structure.
//---------------------------------------------------------------------------
typedef struct
{
//; Scratch Parameter Structure

//------------------------------------------------------------------------------
//  Real-Time Parameter Structure and Driver Handles
//------------------------------------------------------------------------------
    HANDLE        hRTParam;            // handle to real-time block structure
    HINSTANCE     hDriver;             // handle to DSP board driver
    FARPROC       lpfnVexaSendCommand; // pointer to VEXA driver command handler

//------------------------------------------------------------------------------
// Any user-added variables that are added to the SCRATCH_PARAM structure should
// be added between the following tags so they can be included in future 
// versions of this block.
//------------------------------------------------------------------------------
//; Added Variables
//; End of Added Variables

//; End of Scratch Parameter Structure
} SCRATCH_PARAM;


//============================================================================
//   Function Prototypes
//============================================================================

//------------------------------------------------------------------------------
//  Block DLL Interface Functions
//------------------------------------------------------------------------------
int  PASCAL UserSetupProc(HANDLE *, HANDLE *);
int  PASCAL UserDefaultSetupProc(HANDLE, HANDLE);
int  PASCAL UserPreInitializeProc(HANDLE,HANDLE, HANDLE);
int  PASCAL UserInitializeProc(HANDLE,HANDLE, HANDLE);
int  PASCAL UserRTCompileProc(HANDLE, HANDLE, HANDLE, int);
int  PASCAL UserExecProc(HANDLE,HANDLE, HANDLE);
int  PASCAL UserExitProc(HANDLE,HANDLE, HANDLE);
int  PASCAL UserResetProc(HANDLE,HANDLE, HANDLE);
BOOL PASCAL UserDialogProc(HWND,UINT,WPARAM,LPARAM);
int  PASCAL UserSaveProc(HANDLE, HANDLE, LPSTR, LPSTR);
int  PASCAL UserLoadProc(HANDLE, HANDLE, LPSTR, LPSTR);
void PASCAL UserGetParameterListProc(HWND);
int  PASCAL UserSetParameterProc(HANDLE,HANDLE,DWORD,void *);
BOOL PASCAL UserControlProc(HWND, HANDLE, register UINT, register WPARAM,LPARAM);

//------------------------------------------------------------------------------
//  Static Functions
//------------------------------------------------------------------------------
static int PASCAL DownloadDSPParameters(BLOCK_PARAM *, SCRATCH_PARAM *);


//------------------------------------------------------------------------------
//  Block's Data Processing Routines
//------------------------------------------------------------------------------
int  PASCAL MixerInt(HANDLE, HANDLE, HANDLE, HANDLE);
int  PASCAL MixerFloat(HANDLE, HANDLE, HANDLE, HANDLE);

//============================================================================
//  NOTE: User-added routine (function) prototypes should be placed in the
//        following section.
//============================================================================


//; External Routine Prototypes

//; End of External Routine Prototypes
