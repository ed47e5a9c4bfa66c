/*
 * bddk.h -- the stand-in host's block development header.
 *
 * Lets a block be built and tried without the real host: written from the
 * names that the generated block sources use, it declares them so that a
 * generated project compiles and links against the stand-in host
 * (bdhost.dll, whose bodies are in host.c). It is not the host's own
 * header; a block built for the host is built against that one. The
 * values are our own choice: they avoid the numbers that the generated
 * resource header hands out (51 to 699 by control kind, 101, 801-806 and
 * 1105-1108) and the range 700-799 of the driver header.
 *
 * The resource compiler reads this file too: it sees only the identifiers.
 */
/* clang-format off */
#ifndef BDDK_H
#define BDDK_H

/* ------------------------------------------------------------------------
 * Identifiers of the host's dialog controls and string resources
 * ---------------------------------------------------------------------- */
#define IDC_PRECISION      1001
#define IDC_FRAMESIZE      1002
#define IDC_VAR_FRAMESIZE  1003
#define IDC_INFO           1004
#define IDC_SAMPFREQ       1005

#define IDS_MENU_NAME      1
#define IDS_DLL_NAME       2
#define IDS_LIBRARY_NAME   3
#define IDS_GROUP_NAME     4
#define IDS_AUTHOR_NAME    5
#define IDS_COMMENT_LINE   6
#define IDS_REV_NUMBER     7
#define IDS_INPUT_0        1200 /* + channel, up to 129 channels */
#define IDS_OUTPUT_0       1400 /* + channel */

#ifndef RC_INVOKED

#include <windows.h>

/* ------------------------------------------------------------------------
 * Default parameter files of the host
 * ---------------------------------------------------------------------- */
#define BPARAM             "BPARAM.INI"

/* ------------------------------------------------------------------------
 * Error codes returned by the block's entry points
 * ---------------------------------------------------------------------- */
#define USR_NO_ERR         0
#define USR_ERR_MEM        1  /* memory allocation */
#define USR_ERR_NPT        2  /* null pointer (lock failed) */
#define USR_ERR_FLAG       3  /* channel flag */
#define USR_ERR_QFLAG      4  /* Q flag */
#define USR_ERR_FS         5  /* frame size */
#define USR_ERR_SMPF       6  /* sampling frequency */
#define USR_ERR_DIM        7  /* dimension */
#define USR_ERR_DT         8  /* data type */
#define USR_ERR_FDT        9  /* data type mismatch */
#define USR_ERR_QVALUE     10 /* Q value mismatch */
#define USR_ERR_FPREC      11 /* invalid precision */
#define USR_ERR_PRC        12 /* precision mix-up */
#define USR_ERR_FRSZ       13 /* frame size mismatch */
#define USR_ERR_SMPFMM     14 /* sampling frequency mismatch */
#define USR_ERR_OVF        15 /* overflow warning */
#define USR_ERR_WRN        16 /* block warning */
#define USR_ERR_ERR        17 /* block error */
#define USR_ERR_MTXSIZE    18 /* matrix size */
#define USR_ERR_TO         19 /* time-out */
#define USR_ERR_OPENDRV    20 /* driver not open */
#define USR_ERR_ICNFG      21 /* configuration */
#define USR_ERR_DSPC       22 /* DSP communication */
#define USR_ERR_COMPINIT   23 /* compile initialisation */
#define USR_ERR_COMPBLOCK  24 /* block compilation */
#define USR_ERR_COMPLINK   25 /* link */

/* ------------------------------------------------------------------------
 * Data types (precisions) and channel attributes
 * ---------------------------------------------------------------------- */
#define HDT_INT            0
#define HDT_FLOAT          1
#define HDT_DOUBLE         2
#define HDT_LONG           3
#define HDT_SHORT          4
#define HDT_BYTE           5
#define HDT_CHAR           6
#define HDT_LPSTR          7
#define HDT_IMAGE_BMP      8
#define HDT_MATRIX         9
#define HDT_MAXTYPE        9
#define HDT_AUTO           15

/* Q formats of integer data: HDT_Q0 + number of fraction bits. */
#define HDT_Q0             32
#define HDT_Q1             33
#define HDT_Q2             34
#define HDT_Q3             35
#define HDT_Q4             36
#define HDT_Q5             37
#define HDT_Q6             38
#define HDT_Q7             39
#define HDT_Q8             40
#define HDT_Q9             41
#define HDT_Q10            42
#define HDT_Q11            43
#define HDT_Q12            44
#define HDT_Q13            45
#define HDT_Q14            46
#define HDT_Q15            47
#define HDT_Q16            48
#define HDT_Q17            49
#define HDT_Q18            50
#define HDT_Q19            51
#define HDT_Q20            52
#define HDT_Q21            53
#define HDT_Q22            54
#define HDT_Q23            55
#define HDT_Q24            56
#define HDT_Q25            57
#define HDT_Q26            58
#define HDT_Q27            59
#define HDT_Q28            60
#define HDT_Q29            61
#define HDT_Q30            62
#define HDT_Q31            63

/* Real/complex flag: buffers hold (flag + 1) values per sample. */
#define RC_REAL            0
#define RC_COMPLEX         1

/* A channel flag packs: bit 0 data ready, bit 1 buffer allocated, bit 2
 * real/complex, bits 8-15 data type, bits 16-23 dimension. A Q flag holds
 * the number of fraction bits in bits 0-7. */
#define GETDRFLAG(f)       ((int)((f) & 0x1L))
#define GETBFLAG(f)        ((int)(((f) >> 1) & 0x1L))
#define GETRCFLAG(f)       ((int)(((f) >> 2) & 0x1L))
#define GETDTYPE(f)        ((int)(((f) >> 8) & 0xFFL))
#define GETDIMENSION(f)    ((int)(((f) >> 16) & 0xFFL))
#define GETQVALUE(q)       ((int)((q) & 0xFFL))
#define SETDRFLAG(f, v)    (((f) & ~0x1L) | ((long)(v) & 0x1L))
#define SETBFLAG(f, v)     (((f) & ~0x2L) | (((long)(v) & 0x1L) << 1))
#define SETRCFLAG(f, v)    (((f) & ~0x4L) | (((long)(v) & 0x1L) << 2))
#define SETDTYPE(f, v)     (((f) & ~0xFF00L) | (((long)(v) & 0xFFL) << 8))
#define SETDIMENSION(f, v) (((f) & ~0xFF0000L) | (((long)(v) & 0xFFL) << 16))
#define SETQVALUE(q, v)    (((q) & ~0xFFL) | ((long)(v) & 0xFFL))

/* ------------------------------------------------------------------------
 * Matrix data: a header followed by the elements, row by row
 * ---------------------------------------------------------------------- */
typedef struct tagMATRIXINFOHEADER {
    DWORD miSize;    /* size of this header */
    long  miRows;
    long  miColumns;
    int   miRCFlag;  /* RC_REAL or RC_COMPLEX */
    int   miDTFlag;  /* HDT_ data type of the elements */
} MATRIXINFOHEADER, *LPMATRIXINFOHEADER;

/* ------------------------------------------------------------------------
 * Block input/output services
 * ---------------------------------------------------------------------- */
int    PASCAL GetNumInputs(HANDLE hBioInfo);
int    PASCAL GetNumOutputs(HANDLE hBioInfo);
HANDLE PASCAL GetInputDataHandle(HANDLE hBioInfo, int nChannel);
BOOL   PASCAL GetInputChannelFlag(HANDLE hBioInfo, int nChannel, long *lpFlag);
BOOL   PASCAL GetInputQFlag(HANDLE hBioInfo, int nChannel, long *lpQFlag);
BOOL   PASCAL GetInputFrameSize(HANDLE hBioInfo, int nChannel, unsigned long *lpFramesize);
BOOL   PASCAL GetInputSampFreq(HANDLE hBioInfo, int nChannel, double *lpSampFreq);
HANDLE PASCAL GetOutputDataHandle(HANDLE hBioInfo, int nChannel);
BOOL   PASCAL GetOutputChannelFlag(HANDLE hBioInfo, int nChannel, long *lpFlag);
BOOL   PASCAL SetOutputDataHandle(HANDLE hBioInfo, int nChannel, HANDLE hBuffer);
BOOL   PASCAL SetOutputChannelFlag(HANDLE hBioInfo, int nChannel, long lFlag);
BOOL   PASCAL SetOutputQFlag(HANDLE hBioInfo, int nChannel, long lQFlag);
BOOL   PASCAL SetOutputFrameSize(HANDLE hBioInfo, int nChannel, unsigned long lFramesize);
BOOL   PASCAL SetOutputSampFreq(HANDLE hBioInfo, int nChannel, double *lpSampFreq);

/* ------------------------------------------------------------------------
 * Memory and data services
 * ---------------------------------------------------------------------- */
/* Returns hBuffer, (re)allocated to hold dwCount elements of wSize bytes. */
HANDLE PASCAL CheckDataBuffer(HANDLE hBuffer, WORD wSize, DWORD dwCount);
void   PASCAL FreeGlobalMemory(HANDLE hMemory);
int    PASCAL ConvertData(HANDLE hFrom, HANDLE hTo, int nFromType, int nToType, DWORD dwCount);
int    PASCAL GetMaxPrecision(int nPrecision1, int nPrecision2);

/* ------------------------------------------------------------------------
 * Parameter files
 * ---------------------------------------------------------------------- */
int    PASCAL SaveParamB(LPCSTR Section, LPCSTR Key, int nID, BYTE Value, LPCSTR FileName);
int    PASCAL SaveParamS(LPCSTR Section, LPCSTR Key, int nID, short Value, LPCSTR FileName);
int    PASCAL SaveParamI(LPCSTR Section, LPCSTR Key, int nID, int Value, LPCSTR FileName);
int    PASCAL SaveParamL(LPCSTR Section, LPCSTR Key, int nID, long Value, LPCSTR FileName);
int    PASCAL SaveParamF(LPCSTR Section, LPCSTR Key, int nID, float Value, LPCSTR FileName);
int    PASCAL SaveParamD(LPCSTR Section, LPCSTR Key, int nID, double Value, LPCSTR FileName);
int    PASCAL SaveParamC(LPCSTR Section, LPCSTR Key, int nID, char Value, LPCSTR FileName);
int    PASCAL SaveParamStr(LPCSTR Section, LPCSTR Key, int nID, LPCSTR Value, LPCSTR FileName);
BYTE   PASCAL LoadParamB(LPCSTR Section, LPCSTR Key, int nID, BYTE Default, LPCSTR FileName);
short  PASCAL LoadParamS(LPCSTR Section, LPCSTR Key, int nID, short Default, LPCSTR FileName);
int    PASCAL LoadParamI(LPCSTR Section, LPCSTR Key, int nID, int Default, LPCSTR FileName);
long   PASCAL LoadParamL(LPCSTR Section, LPCSTR Key, int nID, long Default, LPCSTR FileName);
float  PASCAL LoadParamF(LPCSTR Section, LPCSTR Key, int nID, float Default, LPCSTR FileName);
double PASCAL LoadParamD(LPCSTR Section, LPCSTR Key, int nID, double Default, LPCSTR FileName);
char   PASCAL LoadParamC(LPCSTR Section, LPCSTR Key, int nID, char Default, LPCSTR FileName);
int    PASCAL LoadParamStr(LPCSTR Section, LPCSTR Key, int nID, LPCSTR Default, LPSTR Value,
                           LPCSTR FileName);

/* Adds a parameter's name to the host's list; dwTypeAndID is
 * (HDT_ data type << 16) | control identifier. */
void   PASCAL AddParmString(HWND hListBox, LPCSTR Name, DWORD dwTypeAndID);

/* ------------------------------------------------------------------------
 * Dialog helpers
 * ---------------------------------------------------------------------- */
HANDLE PASCAL GetHParam(HWND hDlg);
HANDLE PASCAL GetScratchParam(HWND hDlg);
void   PASCAL VariablePickList(HWND hDlg, int nID);
BYTE   PASCAL GetDlgItemB(HWND hDlg, int nID);
short  PASCAL GetDlgItemS(HWND hDlg, int nID);
int    PASCAL GetDlgItemI(HWND hDlg, int nID);
long   PASCAL GetDlgItemL(HWND hDlg, int nID);
float  PASCAL GetDlgItemF(HWND hDlg, int nID);
double PASCAL GetDlgItemD(HWND hDlg, int nID);
char   PASCAL GetDlgItemC(HWND hDlg, int nID);
int    PASCAL GetDlgItemStr(HWND hDlg, int nID, LPSTR Text, int nMax);
void   PASCAL SetDlgItemB(HWND hDlg, int nID, BYTE Value);
void   PASCAL SetDlgItemS(HWND hDlg, int nID, short Value);
void   PASCAL SetDlgItemI(HWND hDlg, int nID, int Value);
void   PASCAL SetDlgItemL(HWND hDlg, int nID, long Value);
void   PASCAL SetDlgItemF(HWND hDlg, int nID, float Value);
void   PASCAL SetDlgItemD(HWND hDlg, int nID, double Value);
void   PASCAL SetDlgItemC(HWND hDlg, int nID, char Value);
void   PASCAL SetDlgItemStr(HWND hDlg, int nID, LPCSTR Text);
void   PASCAL SetDlgError(BOOL bError);
BOOL   PASCAL GetDlgError(void);
void   PASCAL AddPrecision(HWND hComboBox, int nPrecision);
void   PASCAL SetPrecision(HWND hComboBox, int nPrecision);
int    PASCAL GetPrecision(HWND hComboBox);
void   PASCAL SeparateFile(LPSTR PathName, LPSTR FileName, LPCSTR CompleteName);
BOOL   PASCAL FileExists(LPCSTR FileName);

/* ------------------------------------------------------------------------
 * Host environment
 * ---------------------------------------------------------------------- */
void      PASCAL GetAppSection(LPSTR Section);
HWND      PASCAL GetBlockWindowHandle(void);
HINSTANCE PASCAL GetBlockInstanceHandle(void);

#endif /* RC_INVOKED */

#endif /* BDDK_H */
