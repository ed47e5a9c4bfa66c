//============================================================================
//
//    FILE NAME : MyAdd.h
//
//    BLOCK NAME: My Add
//
//    GROUP NAME: Arithmetic
//
//    PURPOSE:    Header file for the block: MyAdd.DLL
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

//============================================================================
//   Definitions
//============================================================================
// menu and block names 
#define MNAME   "My Add"
#define GNAME   "Arithmetic"
#define LNAME   "Demo Library"

// Whenever VERSION is changed, IDS_REV_NUMBER in the *.rc file should also be changed
#define VERSION "1.20"

//; Definitions
// local array storage sizes
#define MYADD_NUMLOCAL0   1024UL
#define MYADD_NUMLOCAL1   pPtr->_Length
//; End of Definitions

// Number of user parameters
#define NUM_PARAMS   7


// Combo box number of items
//---------------------------------------------------------------------------
// NOTE: If the number of combo box items changes, the definitions           
//       below must be updated.                                              
//---------------------------------------------------------------------------
#define NUM_MODE                          2

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

    unsigned long FramesizeIn1;     // framesize of input channel 1
    int           RCFlagIn1;        // real/complex flag of input channel 1
    int           DTFlagIn1;        // data type flag of input channel 1
    double        SampFreqIn1;      // sample frequency of input channel 1

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
    float         _Gain;
    int           _Mode;
    char          _Title[TEXT_LENGTH];
    char          _DataFile[TEXT_LENGTH];
    char          _DataFile_PathName[TEXT_LENGTH];
    char          _DataFile_CompleteName[TEXT_LENGTH];
    int           _Length;
    BOOL          _Enabled;

//------------------------------------------------------------------------------
//  Persistant Variables
//------------------------------------------------------------------------------
    long          _Count;
    HWND          _Window;

//------------------------------------------------------------------------------
//  Local Array Sizes
//------------------------------------------------------------------------------
    unsigned long NumLocalElements0;   // History size
    unsigned long NumLocalElements1;   // Work size

    int           OneTimeWarning;   // one-time warning flag

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
//  Local Array Memory Handles
//------------------------------------------------------------------------------
    HANDLE        hLocalBuffer0;       // History handle
    HANDLE        hLocalBuffer1;       // Work handle

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
int  PASCAL UserExecProc(HANDLE,HANDLE, HANDLE);
int  PASCAL UserExitProc(HANDLE,HANDLE, HANDLE);
int  PASCAL UserResetProc(HANDLE,HANDLE, HANDLE);
BOOL PASCAL UserDialogProc(HWND,UINT,WPARAM,LPARAM);
int  PASCAL UserSaveProc(HANDLE, HANDLE, LPSTR, LPSTR);
int  PASCAL UserLoadProc(HANDLE, HANDLE, LPSTR, LPSTR);
void PASCAL UserGetParameterListProc(HWND);
int  PASCAL UserSetParameterProc(HANDLE,HANDLE,DWORD,void *);

//------------------------------------------------------------------------------
//  Block's Data Processing Routines
//------------------------------------------------------------------------------
int  PASCAL MyAddFloat(HANDLE, HANDLE, HANDLE, HANDLE, HANDLE);
int  PASCAL MyAddDouble(HANDLE, HANDLE, HANDLE, HANDLE, HANDLE);

//============================================================================
//  NOTE: User-added routine (function) prototypes should be placed in the
//        following section.
//============================================================================


//; External Routine Prototypes

//; End of External Routine Prototypes
