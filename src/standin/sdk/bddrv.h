/*
 * bddrv.h -- the stand-in host's real-time (DSP board driver) header.
 *
 * Written from the names that the generated sources of a real-time block
 * use, so that such a block builds and runs in the stand-in host, whose fake
 * driver answers these commands (host.c). The values are our own, with the driver dialog's controls in the
 * range 700-799 that the generated resource header leaves to the driver.
 *
 * The resource compiler reads this file too: it sees only the identifiers.
 */
/* clang-format off */
#ifndef BDDRV_H
#define BDDRV_H

/* ------------------------------------------------------------------------
 * Identifiers of the driver group of a real-time block's dialog
 * ---------------------------------------------------------------------- */
#define IDC_COMBO_DRIVER    701
#define IDC_EDIT_BRDNUM     702
#define IDC_EDIT_DSPNUM     703
#define IDC_SCROLL_BRDSCRL  704
#define IDC_SCROLL_DSPSCRL  705
#define IDC_COMBO_DSPINT    706
#define IDC_COMBO_SYNCIN    707
#define IDC_COMBO_SYNCOUT   708
#define IDC_RADIO_PROFYES   709
#define IDC_RADIO_PROFNO    710
#define IDC_STRING_DRIVER   711
#define IDC_STRING_BRDNUM   712
#define IDC_STRING_DSPNUM   713
#define IDC_STRING_DSPINT   714
#define IDC_STRING_SYNCIN   715
#define IDC_STRING_SYNCOUT  716
#define IDC_STRING_PROF     717
#define IDC_RADIO_PROFILE   718 /* the profile flag, set by identifier */
#define IDC_RT_DOWNLOAD     719 /* "download changed parameters now" */

#ifndef RC_INVOKED

#include <windows.h>

/* Default parameter file of real-time blocks. */
#define RTBPARAM            "RTBPARAM.INI"

/* ------------------------------------------------------------------------
 * Run modes and compile modes
 * ---------------------------------------------------------------------- */
#define RT_RUN_LINK         1
#define RT_RUN_DSP          2
#define RT_RUN_PC           3

#define RT_COMPILE_INIT     1
#define RT_COMPILE_BLOCK    2
#define RT_COMPILE_LINK     3
#define RT_COMPILE_DATA     4

/* ------------------------------------------------------------------------
 * Driver commands
 * ---------------------------------------------------------------------- */
#define DRV_OPENBLOCK       0x4001
#define DRV_CLOSEBLOCK      0x4002
#define DRV_LOADBLOCK       0x4003
#define DRV_COMPILEINIT     0x4004
#define DRV_COMPILELINK     0x4005
#define DRV_RUNDSP          0x4006
#define DRV_HOLDDSP         0x4007
#define DRV_RESETDSP        0x4008
#define DRV_WRMEMVAL        0x4009
#define DRV_ERRMSG          0x400A
#define DRV_BLOCKINFO       0x400B
#define DRV_CHANGEDSP       0x400C
#define DRV_DSPSTATUS       0x400D
#define DRV_DSPPRECISION    0x400E
#define DRV_INTSUPPORT      0x400F
#define DRV_FLTSUPPORT      0x4010

/* Block status reported by DRV_DSPSTATUS in dwBlockStatus. */
#define DSPSTAT_HOLD        0
#define DSPSTAT_RUN         1

/* Tags of a memory write (DRV_WRMEMVAL). */
#define RTDT_LNG            1
#define RTDT_FLT            2
#define DATA_MEM            1
#define PROG_MEM            2

/* ------------------------------------------------------------------------
 * The real-time block structure shared with the driver
 * ---------------------------------------------------------------------- */
typedef struct tagRTBLOCK_PARAM {
    char   BlockName[32];   /* DSP block to load */
    BYTE   bNumInputs;
    BYTE   bNumOutputs;
    BYTE   bComplex;
    BYTE   bDimension;
    WORD   wPrecision;
    BOOL   bBlockCompiled;
    WORD   wNumParams;
    DWORD  dwParamsSize;
    WORD   wErrorCode;
    HANDLE hErrorInfo;
    WORD   wBlockInstance;
    HANDLE hDSPParam;
    WORD   wBoardNum;
    WORD   wDSPNum;
    WORD   wIntNum;
    WORD   wSyncInNum;
    WORD   wSyncOutNum;
    BOOL   bProfileBlock;
    DWORD  dwBlockStatus;
    double dSampFreqOut0;
    DWORD  dwParamAddr;     /* DSP address of the block's parameters */
    DWORD  dwAddr;          /* address of the next memory write */
    DWORD  dwData;          /* value of the next memory write (or a reply) */
    float  fData;
    BYTE   bDataType;       /* RTDT_ tag */
    BYTE   bMemType;        /* DATA_MEM or PROG_MEM */
} RTBLOCK_PARAM;

/* The driver's command handler. */
typedef LONG(PASCAL DriverCall)(HINSTANCE hDriver, WORD wCommand, HWND hWnd, LONG lParam);

/* ------------------------------------------------------------------------
 * Driver services
 * ---------------------------------------------------------------------- */
HINSTANCE PASCAL VexaOpenDriver(LPCSTR DriverName, FARPROC *lpfnSendCommand);
void      PASCAL VexaCloseDriver(HINSTANCE hDriver);
LONG      PASCAL VexaSendCommand(HINSTANCE hDriver, WORD wCommand, HWND hWnd, LONG lParam);
int       PASCAL ChangeDriver(LPCSTR DriverName, HANDLE hRTParam, HINSTANCE *lphDriver,
                              FARPROC *lpfnSendCommand);
void      PASCAL RTDataFlowLink(HANDLE hBioInfo, HINSTANCE hDriver, HANDLE hRTParam,
                                DriverCall *lpfnSendCommand);
void      PASCAL SetCompiledFlag(BOOL bCompiled);
BOOL      PASCAL ProcessRTScroll(HWND hDlg, WPARAM wParam, LPARAM lParam);
void      PASCAL GetDriverFileName(LPSTR Section, LPSTR FileName);

#endif /* RC_INVOKED */

#endif /* BDDRV_H */
