/*
 * runner.c -- the stand-in host's runner, to try a block without the host.
 *
 * blockrun.exe <case file>: loads a block's DLL and drives one worksheet's
 * life through its entry points as the host does, against the stand-in host
 * of bdhost.dll. `blockwright try` starts it on the user's block; the test
 * suite on every generated block.
 *
 * The case file is a private-profile file. Its section "Block" describes the
 * block: Dll and Def (relative to the working folder, where the runner also
 * writes its parameter files), Inputs, Outputs, Dimensions (one digit per
 * input), Precisions (HDT_ codes, comma-separated), Real, Complex, Matrix,
 * Bitmap, RealTime, Q (the Q level the inputs carry, 0 for none),
 * UserControl, and Downloads (the memory writes of a real-time block's
 * parameter download). Its section "Dialog" names what the parameter dialog
 * shows: Addressed, the controls the dialog procedure uses as
 * <name>:<number>, comma-separated; Count, and per parameter
 * P<i>=<kind>|<key>|<type letter>|<control>[|<control>...], the kind E
 * (edit), K (check box), R (radio buttons, one control each), M (combo box)
 * or F (file name and path edits).
 *
 * Every failure prints a line "FAIL <entry point>: <what differed>"; the
 * exit code is 0 when nothing failed.
 */
/* clang-format off */
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "bddk.h"
#include "bddrv.h"
#include "host.h"

#define FRAMESIZE   16
#define MATRIX_SIDE 3
#define IMAGE_SIDE  8

typedef int (PASCAL *SETUPPROC)(HANDLE *, HANDLE *);
typedef int (PASCAL *PARAMPROC)(HANDLE, HANDLE);
typedef int (PASCAL *LIFEPROC)(HANDLE, HANDLE, HANDLE);
typedef int (PASCAL *COMPILEPROC)(HANDLE, HANDLE, HANDLE, int);
typedef int (PASCAL *FILEPROC)(HANDLE, HANDLE, LPSTR, LPSTR);
typedef void (PASCAL *LISTPROC)(HWND);
typedef int (PASCAL *SETPROC)(HANDLE, HANDLE, DWORD, void *);

typedef struct tagBLOCK {
    HMODULE     hModule;
    SETUPPROC   Setup;
    PARAMPROC   DefaultSetup;
    LIFEPROC    PreInitialize, Initialize, Exec, Exit, Stop, Reset;
    COMPILEPROC RTCompile;
    FILEPROC    Save, Load;
    LISTPROC    ParameterList;
    SETPROC     SetParameter;
    DLGPROC     Dialog;
} BLOCK;

typedef struct tagSHAPE {
    int  nInputs, nOutputs;
    int  Dimension[HOST_MAX_CHANNELS];
    int  Precisions[16];
    int  nPrecisions;
    BOOL bReal, bComplex, bMatrix, bBitmap, bRealTime, bUserControl;
    int  nQLevel;
    int  nDownloads;
    /* The frame size every frame output must have and the shape of every
     * matrix output (0: not checked); a source is set to them through the
     * parameters the case names (0: none). */
    int  nOutputFrame, nOutputRows, nOutputColumns;
    int  nSetFrame, nSetRows, nSetColumns;
} SHAPE;

static int  nFailures;
static char Current[64] = "(loading)";

/* Everything the runner prints goes out with WriteFile from buffers set
 * aside at start, so that a block that corrupted memory cannot swallow the
 * line that says so. */
static HANDLE hOut;
static char   OutLine[8192];

static void PrintV(const char *Format, va_list Args)
{
    DWORD dwWritten;
    int n = _vsnprintf(OutLine, sizeof(OutLine) - 1, Format, Args);
    if (n < 0 || n > (int)sizeof(OutLine) - 1) n = sizeof(OutLine) - 1;
    WriteFile(hOut, OutLine, (DWORD)n, &dwWritten, NULL);
}

static void Print(const char *Format, ...)
{
    va_list Args;
    va_start(Args, Format);
    PrintV(Format, Args);
    va_end(Args);
}

static void Fail(const char *Format, ...)
{
    va_list Args;
    Print("FAIL %s: ", Current);
    va_start(Args, Format);
    PrintV(Format, Args);
    va_end(Args);
    Print("\n");
    nFailures++;
}

/* Formatted with wsprintfA, which needs no heap, into a line set aside. */
static char CrashLine[256];

static LONG WINAPI ReportCrash(EXCEPTION_POINTERS *Info)
{
    DWORD dwWritten;
    wsprintfA(CrashLine, "FAIL %s: crashed with exception 0x%08lx at %p\n", Current,
              Info->ExceptionRecord->ExceptionCode, Info->ExceptionRecord->ExceptionAddress);
    WriteFile(hOut, CrashLine, lstrlenA(CrashLine), &dwWritten, NULL);
    ExitProcess(3);
    return EXCEPTION_EXECUTE_HANDLER;
}

/* Everything the entry point left locked, every unlock it did not owe, and
 * whatever it did to memory it may not touch. */
static void CheckLocks(void)
{
    static char Report[4096];
    if (HostTakeLockedHandles(Report, sizeof(Report)) > 0)
        Fail("returns with handles still locked:\n%s", Report);
    if (HostTakeStrayUnlocks(Report, sizeof(Report)) > 0)
        Fail("unlocks handles it does not hold locked:\n%s", Report);
    if (HostTakeMemoryFaults(Report, sizeof(Report)) > 0)
        Fail("misuses memory:\n%s", Report);
}

static void Enter(const char *Name)
{
    lstrcpynA(Current, Name, sizeof(Current));
    HostSetCurrentCall(Name);
}

/* Set when the block asked for a buffer no host gives it (a local array
 * sized by a parameter's value, say): the worksheet then does not run. */
static BOOL bRefused;

static void Returned(int Result, int Expected)
{
    if (HostTakeRefusedAllocations() > 0 && Result == USR_ERR_MEM) {
        if (!bRefused) Print("NOTE %s: the block asks for a buffer larger than the host gives; it does not run\n", Current);
        bRefused = TRUE;
    }
    else if (Result != Expected) Fail("returns %d, expected %d", Result, Expected);
    CheckLocks();
}

/* ------------------------------------------------------------------------
 * Loading
 * ---------------------------------------------------------------------- */

/* Every export the module definition names resolves by name and by ordinal
 * to the same routine. */
static void CheckExports(HMODULE hModule, const char *DefFile)
{
    char Line[512];
    BOOL bExports = FALSE;
    int nExports = 0;
    FILE *f = fopen(DefFile, "r");
    Enter("module definition");
    if (f == NULL) {
        Fail("cannot read %s", DefFile);
        return;
    }
    while (fgets(Line, sizeof(Line), f)) {
        char Name[256];
        int nOrdinal;
        if (strncmp(Line, "EXPORTS", 7) == 0) bExports = TRUE;
        else if (bExports && sscanf(Line, " %255s @%d", Name, &nOrdinal) == 2) {
            FARPROC ByName = GetProcAddress(hModule, Name);
            FARPROC ByOrdinal = GetProcAddress(hModule, MAKEINTRESOURCEA(nOrdinal));
            nExports++;
            if (ByName == NULL) Fail("%s is not exported", Name);
            else if (ByName != ByOrdinal) Fail("%s is not exported as ordinal %d", Name, nOrdinal);
        }
    }
    fclose(f);
    if (nExports == 0) Fail("%s names no exports", DefFile);
}

static FARPROC Entry(HMODULE hModule, const char *Name, BOOL bRequired)
{
    FARPROC Proc = GetProcAddress(hModule, Name);
    if (Proc == NULL && bRequired) {
        Enter(Name);
        Fail("the block does not export it");
    }
    return Proc;
}

static BOOL LoadBlock(const char *DllFile, BLOCK *b, BOOL bRealTime)
{
    Enter("LoadLibrary");
    b->hModule = LoadLibraryA(DllFile);
    if (b->hModule == NULL) {
        Fail("%s does not load (error %lu)", DllFile, GetLastError());
        return FALSE;
    }
    HostWatchModule(b->hModule);
    HostSetBlockInstance(b->hModule);
    b->Setup = (SETUPPROC)Entry(b->hModule, "UserSetupProc", TRUE);
    b->DefaultSetup = (PARAMPROC)Entry(b->hModule, "UserDefaultSetupProc", TRUE);
    b->PreInitialize = (LIFEPROC)Entry(b->hModule, "UserPreInitializeProc", TRUE);
    b->Initialize = (LIFEPROC)Entry(b->hModule, "UserInitializeProc", TRUE);
    b->Exec = (LIFEPROC)Entry(b->hModule, "UserExecProc", TRUE);
    b->Exit = (LIFEPROC)Entry(b->hModule, "UserExitProc", TRUE);
    b->Stop = (LIFEPROC)Entry(b->hModule, "UserStopProc", TRUE);
    b->Reset = (LIFEPROC)Entry(b->hModule, "UserResetProc", TRUE);
    b->Save = (FILEPROC)Entry(b->hModule, "UserSaveProc", TRUE);
    b->Load = (FILEPROC)Entry(b->hModule, "UserLoadProc", TRUE);
    b->ParameterList = (LISTPROC)Entry(b->hModule, "UserGetParameterListProc", TRUE);
    b->SetParameter = (SETPROC)Entry(b->hModule, "UserSetParameterProc", TRUE);
    b->RTCompile = (COMPILEPROC)Entry(b->hModule, "UserRTCompileProc", bRealTime);
    b->Dialog = (DLGPROC)Entry(b->hModule, "UserDialogProc", TRUE);
    return nFailures == 0;
}

/* ------------------------------------------------------------------------
 * Channels
 * ---------------------------------------------------------------------- */
static int ElementBytes(int nType)
{
    switch (nType) {
    case HDT_DOUBLE: return sizeof(double);
    case HDT_FLOAT: return sizeof(float);
    case HDT_INT: return sizeof(int);
    case HDT_LONG: return sizeof(long);
    case HDT_SHORT: return sizeof(short);
    default: return 1;
    }
}

static void FillElements(BYTE *Data, int nType, DWORD dwCount)
{
    DWORD i;
    for (i = 0; i < dwCount; i++) {
        int v = (int)(i % 7) + 1;
        switch (nType) {
        case HDT_DOUBLE: ((double *)Data)[i] = v; break;
        case HDT_FLOAT: ((float *)Data)[i] = (float)v; break;
        case HDT_INT: ((int *)Data)[i] = v; break;
        case HDT_LONG: ((long *)Data)[i] = v; break;
        case HDT_SHORT: ((short *)Data)[i] = (short)v; break;
        default: Data[i] = (BYTE)v; break;
        }
    }
}

/* One input channel of the data type nType (for a matrix, of its elements). */
static void MakeInput(const SHAPE *s, HOSTCHANNEL *c, int nDimension, int nType, int nRC)
{
    BYTE *Data;
    long lFlag = 0;
    if (s->bBitmap) {
        DWORD dwBits = IMAGE_SIDE * IMAGE_SIDE;
        DWORD dwBytes = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD) + dwBits;
        BITMAPINFOHEADER *bmih;
        c->hData = HostAllocInput(dwBytes);
        bmih = (BITMAPINFOHEADER *)HostData(c->hData);
        bmih->biSize = sizeof(BITMAPINFOHEADER);
        bmih->biWidth = bmih->biHeight = IMAGE_SIDE;
        bmih->biPlanes = 1;
        bmih->biBitCount = 8;
        bmih->biSizeImage = dwBits;
        FillElements((BYTE *)bmih + dwBytes - dwBits, HDT_BYTE, dwBits);
        nType = HDT_IMAGE_BMP;
        c->dwFramesize = 1;
    }
    else if (s->bMatrix) {
        DWORD dwCount = MATRIX_SIDE * MATRIX_SIDE * (nRC + 1);
        LPMATRIXINFOHEADER mih;
        c->hData = HostAllocInput(sizeof(MATRIXINFOHEADER) + dwCount * ElementBytes(nType));
        mih = (LPMATRIXINFOHEADER)HostData(c->hData);
        mih->miSize = sizeof(MATRIXINFOHEADER);
        mih->miRows = mih->miColumns = MATRIX_SIDE;
        mih->miRCFlag = nRC;
        mih->miDTFlag = nType;
        FillElements((BYTE *)(mih + 1), nType, dwCount);
        nType = HDT_MATRIX;
        c->dwFramesize = MATRIX_SIDE * MATRIX_SIDE;
    }
    else {
        DWORD dwCount = FRAMESIZE * (nRC + 1);
        c->hData = HostAllocInput(dwCount * ElementBytes(nType));
        Data = (BYTE *)HostData(c->hData);
        FillElements(Data, nType, dwCount);
        c->dwFramesize = FRAMESIZE;
    }
    lFlag = SETDRFLAG(lFlag, 1);
    lFlag = SETBFLAG(lFlag, 1);
    lFlag = SETRCFLAG(lFlag, nRC);
    lFlag = SETDTYPE(lFlag, nType);
    lFlag = SETDIMENSION(lFlag, nDimension);
    c->lFlag = lFlag;
    c->lQFlag = SETQVALUE(0, s->nQLevel);
    c->dSampFreq = 8000.0;
}

static void FreeInputs(BIOINFO *Bio)
{
    int i;
    for (i = 0; i < Bio->nInputs; i++) {
        HostFreeInput(Bio->In[i].hData);
        Bio->In[i].hData = NULL;
    }
}

static double ElementAt(const BYTE *Data, int nType, DWORD i)
{
    switch (nType) {
    case HDT_DOUBLE: return ((const double *)Data)[i];
    case HDT_FLOAT: return ((const float *)Data)[i];
    case HDT_INT: return ((const int *)Data)[i];
    case HDT_LONG: return ((const long *)Data)[i];
    case HDT_SHORT: return ((const short *)Data)[i];
    case HDT_BYTE: return Data[i];
    default: return ((const char *)Data)[i];
    }
}

/* A whole number as an element of the type holds it. */
static double AsElement(int nType, long v)
{
    switch (nType) {
    case HDT_SHORT: return (short)v;
    case HDT_BYTE: return (BYTE)v;
    case HDT_CHAR: return (char)v;
    default: return v;
    }
}

/* The value of input sample k (its real or imaginary part) as FillElements
 * wrote it. */
static long InputValue(int nRC, DWORD k, BOOL bImaginary)
{
    DWORD j = nRC == RC_COMPLEX ? 2 * k + (bImaginary ? 1 : 0) : k;
    return (long)(j % 7) + 1;
}

/* A sample as the message shows it: both parts of a complex one. */
static const char *Sample(char *Text, double Real, double Imaginary, BOOL bComplex)
{
    if (bComplex) sprintf(Text, "%g%+gi", Real, Imaginary);
    else sprintf(Text, "%g", Real);
    return Text;
}

/* The generated default routines of frame data: a source block writes a
 * ramp to every output, a block with inputs writes the sum of its inputs to
 * output 0 (the imaginary parts summed when the inputs are complex). */
static void CheckDefaultRoutine(const SHAPE *s, const BIOINFO *Bio, int nPrecision, int nRC)
{
    int o, i;
    DWORD k;
    for (o = 0; o < (s->nInputs == 0 ? Bio->nOutputs : 1); o++) {
        const HOSTCHANNEL *c = &Bio->Out[o];
        BOOL bComplex = GETRCFLAG(c->lFlag) == RC_COMPLEX;
        const BYTE *Data;
        if (c->hData == NULL || (Data = (const BYTE *)HostData(c->hData)) == NULL) continue;
        for (k = 0; k < c->dwFramesize; k++) {
            long Real = 0, Imaginary = 0;
            DWORD n = bComplex ? 2 * k : k;
            double GotImaginary = bComplex ? ElementAt(Data, nPrecision, n + 1) : 0;
            if (s->nInputs == 0) Real = (long)k;
            for (i = 0; i < s->nInputs; i++) {
                Real += InputValue(nRC, k, FALSE);
                if (nRC == RC_COMPLEX) Imaginary += InputValue(nRC, k, TRUE);
            }
            if (ElementAt(Data, nPrecision, n) != AsElement(nPrecision, Real) ||
                (bComplex && GotImaginary != AsElement(nPrecision, Imaginary))) {
                char Got[64], Want[64];
                Fail("output %d sample %lu holds %s, the default routine gives %s", o, k,
                     Sample(Got, ElementAt(Data, nPrecision, n), GotImaginary, bComplex),
                     Sample(Want, AsElement(nPrecision, Real), AsElement(nPrecision, Imaginary), bComplex));
                break;
            }
        }
    }
}

/* What an output channel holds after a run at precision nPrecision: the
 * frame size and matrix shape the case expects, not what the block's own
 * fields say. */
static void CheckOutputs(const SHAPE *s, const BIOINFO *Bio, int nPrecision)
{
    int o;
    for (o = 0; o < Bio->nOutputs; o++) {
        const HOSTCHANNEL *c = &Bio->Out[o];
        SIZE_T dwSize = c->hData ? HostSize(c->hData) : 0;
        int nType = GETDTYPE(c->lFlag), nRC = GETRCFLAG(c->lFlag);
        int nExpected = s->bBitmap ? HDT_IMAGE_BMP : s->bMatrix && s->bRealTime ? HDT_MATRIX : nPrecision;
        if (!GETDRFLAG(c->lFlag)) Fail("output %d is not marked ready", o);
        if (c->hData == NULL) {
            Fail("output %d has no buffer", o);
            continue;
        }
        if (nType != nExpected) Fail("output %d has data type %d, expected %d", o, nType, nExpected);
        if (s->bBitmap) {
            if (dwSize < sizeof(BITMAPINFOHEADER)) Fail("output %d holds %lu bytes, less than a bitmap header", o, (unsigned long)dwSize);
        }
        else if (s->bMatrix) {
            LPMATRIXINFOHEADER mih = (LPMATRIXINFOHEADER)HostData(c->hData);
            SIZE_T dwNeeded;
            if (dwSize < sizeof(MATRIXINFOHEADER)) {
                Fail("output matrix %d holds %lu bytes, less than a matrix header", o, (unsigned long)dwSize);
                continue;
            }
            dwNeeded = sizeof(MATRIXINFOHEADER) + (SIZE_T)mih->miRows * mih->miColumns * (mih->miRCFlag + 1) * ElementBytes(mih->miDTFlag);
            if (mih->miDTFlag != nPrecision) Fail("output matrix %d has elements of type %d, expected %d", o, mih->miDTFlag, nPrecision);
            if (s->nOutputRows > 0 && (mih->miRows != s->nOutputRows || mih->miColumns != s->nOutputColumns))
                Fail("output matrix %d is %ldx%ld, expected %dx%d", o, mih->miRows, mih->miColumns, s->nOutputRows, s->nOutputColumns);
            if (dwSize < dwNeeded) Fail("output matrix %d of %ldx%ld needs %lu bytes, its buffer holds %lu", o, mih->miRows, mih->miColumns, (unsigned long)dwNeeded, (unsigned long)dwSize);
        }
        else {
            SIZE_T dwNeeded = (SIZE_T)s->nOutputFrame * (nRC + 1) * ElementBytes(nPrecision);
            if (c->dwFramesize != (unsigned long)s->nOutputFrame) Fail("output %d has frame size %lu, expected %d", o, c->dwFramesize, s->nOutputFrame);
            if (dwSize < dwNeeded) Fail("output %d of %d frames needs %lu bytes, its buffer holds %lu", o, s->nOutputFrame, (unsigned long)dwNeeded, (unsigned long)dwSize);
        }
    }
}

/* ------------------------------------------------------------------------
 * The life of one instance
 * ---------------------------------------------------------------------- */
typedef struct tagINSTANCE {
    HANDLE  hParam, hScratchParam;
    BIOINFO Bio;
} INSTANCE;

static BOOL Create(const BLOCK *b, const SHAPE *s, INSTANCE *w)
{
    memset(w, 0, sizeof(*w));
    w->Bio.nInputs = s->nInputs;
    w->Bio.nOutputs = s->nOutputs;
    Enter("UserSetupProc");
    Returned(b->Setup(&w->hParam, &w->hScratchParam), USR_NO_ERR);
    if (w->hParam == NULL) {
        Fail("leaves no parameter structure");
        return FALSE;
    }
    Enter("UserDefaultSetupProc");
    Returned(b->DefaultSetup(w->hParam, w->hScratchParam), USR_NO_ERR);
    return TRUE;
}

static void ChoosePrecision(const BLOCK *b, INSTANCE *w, int nPrecision)
{
    Enter("UserSetParameterProc");
    Returned(b->SetParameter(w->hParam, w->hScratchParam, IDC_PRECISION, &nPrecision), USR_NO_ERR);
}

/* The type the host's inputs carry for a run at nPrecision: another one, so
 * that the block converts, unless the block takes its precision from them
 * or must be given its own. */
static int InputType(const SHAPE *s, int nPrecision, BOOL bAuto)
{
    if (bAuto || s->bRealTime) return nPrecision;
    return nPrecision == HDT_FLOAT ? HDT_SHORT : HDT_FLOAT;
}

static void CompileRealTime(const BLOCK *b, const SHAPE *s, INSTANCE *w)
{
    static const int Modes[] = {RT_COMPILE_INIT, RT_COMPILE_BLOCK, RT_COMPILE_LINK, RT_COMPILE_DATA};
    static const WORD Commands[] = {DRV_COMPILEINIT, DRV_LOADBLOCK, DRV_COMPILELINK, 0};
    int m;
    for (m = 0; m < 4; m++) {
        int nBefore = Commands[m] ? HostDriverCommandCount(Commands[m]) : 0;
        int nWrites = HostDriverCommandCount(DRV_WRMEMVAL);
        char Name[64];
        sprintf(Name, "UserRTCompileProc(mode %d)", Modes[m]);
        Enter(Name);
        Returned(b->RTCompile((HANDLE)&w->Bio, w->hParam, w->hScratchParam, Modes[m]), USR_NO_ERR);
        if (Commands[m] && HostDriverCommandCount(Commands[m]) != nBefore + 1)
            Fail("does not send driver command 0x%x once", Commands[m]);
        if (Modes[m] == RT_COMPILE_DATA && HostDriverCommandCount(DRV_WRMEMVAL) - nWrites != s->nDownloads)
            Fail("downloads %d parameter value(s) to the DSP, expected %d", HostDriverCommandCount(DRV_WRMEMVAL) - nWrites, s->nDownloads);
    }
}

/* Initialisation and a few frames at one precision and channel layout. */
static void RunFrames(const BLOCK *b, const SHAPE *s, INSTANCE *w, int nPrecision, BOOL bAuto, int nRC)
{
    int i, nFrame;
    char Name[64];
    for (i = 0; i < s->nInputs; i++)
        MakeInput(s, &w->Bio.In[i], s->Dimension[i], InputType(s, nPrecision, bAuto), nRC);
    if (!s->bBitmap) ChoosePrecision(b, w, bAuto ? HDT_AUTO : nPrecision);
    Enter("UserInitializeProc");
    Returned(b->Initialize((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
    if (bRefused) {
        FreeInputs(&w->Bio);
        return;
    }
    if (s->bRealTime) {
        int nRuns = HostDriverCommandCount(DRV_RUNDSP);
        CompileRealTime(b, s, w);
        CheckOutputs(s, &w->Bio, nPrecision);
        Enter("UserExecProc");
        Returned(b->Exec((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
        if (HostDriverCommandCount(DRV_RUNDSP) != nRuns + 1) Fail("does not start the DSP after linking");
        Returned(b->Exec((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
    }
    else {
        for (nFrame = 0; nFrame < 3; nFrame++) {
            sprintf(Name, "UserExecProc(precision %d%s, %s, frame %d)", nPrecision, bAuto ? " from the inputs" : "", nRC ? "complex" : "real", nFrame);
            Enter(Name);
            Returned(b->Exec((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
            CheckOutputs(s, &w->Bio, nPrecision);
            if (!s->bMatrix && !s->bBitmap && !s->bUserControl)
                CheckDefaultRoutine(s, &w->Bio, nPrecision, nRC);
        }
    }
    FreeInputs(&w->Bio);
}

/* A source runs with the frame size or matrix shape the case chose. */
static void SetShape(const BLOCK *b, const SHAPE *s, INSTANCE *w)
{
    const int Controls[] = {s->nSetFrame, s->nSetRows, s->nSetColumns};
    const long Values[] = {s->nOutputFrame, s->nOutputRows, s->nOutputColumns};
    int i;
    for (i = 0; i < 3; i++) {
        long Value = Values[i];
        if (Controls[i] == 0) continue;
        Enter("UserSetParameterProc");
        Returned(b->SetParameter(w->hParam, w->hScratchParam, Controls[i], &Value), USR_NO_ERR);
    }
}

static void Live(const BLOCK *b, const SHAPE *s, INSTANCE *w)
{
    int p, nRC, nHolds;
    Enter("UserGetParameterListProc");
    HostClearParameterList();
    b->ParameterList(NULL);
    CheckLocks();
    SetShape(b, s, w);
    Enter("UserPreInitializeProc");
    Returned(b->PreInitialize((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
    for (nRC = RC_REAL; nRC <= RC_COMPLEX && !bRefused; nRC++) {
        if (!(nRC == RC_REAL ? s->bReal : s->bComplex)) continue;
        for (p = 0; p < s->nPrecisions; p++) {
            RunFrames(b, s, w, s->Precisions[p], FALSE, nRC);
            if (s->nInputs > 0 && !s->bBitmap && !s->bRealTime)
                RunFrames(b, s, w, s->Precisions[p], TRUE, nRC);
        }
    }
    Enter("UserStopProc");
    nHolds = HostDriverCommandCount(DRV_HOLDDSP);
    Returned(b->Stop((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
    if (HostDriverCommandCount(DRV_HOLDDSP) != nHolds + (s->bRealTime ? 1 : 0))
        Fail("%s the DSP", s->bRealTime ? "does not hold" : "holds");
    Enter("UserResetProc");
    Returned(b->Reset((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
}

static void Destroy(const BLOCK *b, INSTANCE *w)
{
    Enter("UserExitProc");
    Returned(b->Exit((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
}

/* ------------------------------------------------------------------------
 * The parameters as the case describes them, from the block's definition
 * ---------------------------------------------------------------------- */
typedef struct tagDLGPARAM {
    char Kind;
    char Key[128];
    char Letter;
    int  nListed;   /* the identifier UserGetParameterListProc gives it */
    int  nItems;    /* of a combo box */
    int  Control[130];
    int  nControls; /* a radio group's in the order of their index */
} DLGPARAM;

static DLGPARAM *Params;
static int       nParams;

static void ReadParams(const char *CaseFile)
{
    char Name[16], Text[4096], *Field;
    int i;
    nParams = GetPrivateProfileIntA("Dialog", "Count", 0, CaseFile);
    Params = (DLGPARAM *)calloc(nParams > 0 ? nParams : 1, sizeof(DLGPARAM));
    for (i = 0; i < nParams; i++) {
        DLGPARAM *p = &Params[i];
        sprintf(Name, "P%d", i);
        GetPrivateProfileStringA("Dialog", Name, "", Text, sizeof(Text), CaseFile);
        Field = strtok(Text, "|");
        p->Kind = Field ? Field[0] : '?';
        Field = strtok(NULL, "|");
        lstrcpynA(p->Key, Field ? Field : "", sizeof(p->Key));
        Field = strtok(NULL, "|");
        p->Letter = Field ? Field[0] : '?';
        Field = strtok(NULL, "|");
        p->nListed = Field ? atoi(Field) : 0;
        Field = strtok(NULL, "|");
        p->nItems = Field ? atoi(Field) : 0;
        while ((Field = strtok(NULL, "|")) != NULL && p->nControls < 130)
            p->Control[p->nControls++] = atoi(Field);
    }
}

/* ------------------------------------------------------------------------
 * Saving and loading
 * ---------------------------------------------------------------------- */
#define SECTION "Block 1"

static void SaveTo(const BLOCK *b, INSTANCE *w, const char *File)
{
    DeleteFileA(File);
    Enter("UserSaveProc");
    Returned(b->Save(w->hParam, w->hScratchParam, SECTION, (LPSTR)File), USR_NO_ERR);
}

static void LoadFrom(const BLOCK *b, INSTANCE *w, const char *File)
{
    HostClearLoads();
    Enter("UserLoadProc");
    Returned(b->Load(w->hParam, w->hScratchParam, SECTION, (LPSTR)File), USR_NO_ERR);
}

static void Saved(const char *File, const char *Key, char *Text, int nMax)
{
    GetPrivateProfileStringA(SECTION, Key, "(absent)", Text, nMax, File);
}

static BOOL KeySaved(const char *File, const char *Key)
{
    char Text[8];
    return GetPrivateProfileStringA(SECTION, Key, "", Text, sizeof(Text), File) != 0 ||
           GetPrivateProfileStringA(SECTION, Key, "x", Text, sizeof(Text), File) != 1;
}

/* A number as the parameter's type holds it; a char as its code. */
static BOOL SameValue(char cLetter, const char *Shown, const char *Stored)
{
    switch (cLetter) {
    case 'T': return strcmp(Shown, Stored) == 0;
    case 'F': return (float)strtod(Shown, NULL) == (float)strtod(Stored, NULL);
    default: return strtod(Shown, NULL) == strtod(Stored, NULL);
    }
}

/* A value of the type that no other key of the file holds; a fraction for
 * the floating-point types, which an integer loader would cut. */
static void DistinctValue(char cType, int n, char *Text)
{
    switch (cType) {
    case 'B': case 'C': sprintf(Text, "%d", 40 + n % 80); break;
    case 'F': case 'D': sprintf(Text, "%d.375", 300 + n); break;
    case 'T': sprintf(Text, "text %d", n); break;
    default: sprintf(Text, "%d", 300 + n); break;
    }
}

/* Every key the block's parameters are saved under, with its type. */
static int ParameterKeys(char Keys[][160], char *Letters, int nMax)
{
    static const char *const FileKeys[] = {"", "_PathName", "_CompleteName"};
    int i, k, n = 0;
    for (i = 0; i < nParams && n + 3 <= nMax; i++) {
        for (k = 0; k < (Params[i].Kind == 'F' ? 3 : 1); k++) {
            sprintf(Keys[n], "%s%s", Params[i].Key, FileKeys[k]);
            Letters[n++] = Params[i].Letter;
        }
    }
    return n;
}

/* The round trip starts from the save side: every parameter's key one
 * instance writes, changed to a value of the parameter's own type, is read
 * back by a fresh instance, which saves it again unchanged; and every key a
 * load reads, a save writes. */
static void RoundTrip(const BLOCK *b, const SHAPE *s, INSTANCE *First)
{
    static char Keys[400][160], Letters[400];
    char SavedFile[MAX_PATH], Reloaded[MAX_PATH], Text[300], Again[300];
    INSTANCE Second;
    int i, n, nKeys = ParameterKeys(Keys, Letters, 400);
    GetFullPathNameA("saved.ini", MAX_PATH, SavedFile, NULL);
    GetFullPathNameA("reloaded.ini", MAX_PATH, Reloaded, NULL);
    SaveTo(b, First, SavedFile);
    if (!Create(b, s, &Second)) return;
    LoadFrom(b, &Second, SavedFile);
    n = HostLoadCount();
    for (i = 0; i < n; i++) {
        const HOSTRECORD *r = HostLoad(i);
        if (lstrcmpiA(r->File, SavedFile) != 0) continue;
        if (!KeySaved(SavedFile, r->Name)) {
            Enter("UserLoadProc");
            Fail("reads the key \"%s\", which UserSaveProc does not write", r->Name);
        }
        DistinctValue(r->cType, i, Text);
        WritePrivateProfileStringA(SECTION, r->Name, Text, SavedFile);
    }
    for (i = 0; i < nKeys; i++) {
        if (!KeySaved(SavedFile, Keys[i])) {
            Enter("UserSaveProc");
            Fail("does not write the key \"%s\" of a parameter", Keys[i]);
            continue;
        }
        DistinctValue(Letters[i], n + i, Text);
        WritePrivateProfileStringA(SECTION, Keys[i], Text, SavedFile);
    }
    LoadFrom(b, &Second, SavedFile);
    SaveTo(b, &Second, Reloaded);
    for (i = 0; i < n; i++) {
        const HOSTRECORD *r = HostLoad(i);
        if (lstrcmpiA(r->File, SavedFile) != 0) continue;
        GetPrivateProfileStringA(SECTION, r->Name, "", Text, sizeof(Text), SavedFile);
        Saved(Reloaded, r->Name, Again, sizeof(Again));
        if (strcmp(Text, Again) != 0) {
            Enter("UserSaveProc after UserLoadProc");
            Fail("the key \"%s\" loaded as \"%s\" is saved as \"%s\"", r->Name, Text, Again);
        }
    }
    for (i = 0; i < nKeys; i++) {
        Saved(SavedFile, Keys[i], Text, sizeof(Text));
        Saved(Reloaded, Keys[i], Again, sizeof(Again));
        if (!SameValue(Letters[i], Text, Again)) {
            Enter("UserLoadProc");
            Fail("does not read back the key \"%s\": \"%s\" loaded into a fresh instance is saved as \"%s\"",
                 Keys[i], Text, Again);
        }
    }
    Destroy(b, &Second);
}

/* ------------------------------------------------------------------------
 * The parameter dialog
 * ---------------------------------------------------------------------- */
static HWND OpenDialog(const BLOCK *b, INSTANCE *w)
{
    HWND hDlg;
    HostSetDialogParams(w->hParam, w->hScratchParam);
    Enter("UserDialogProc(WM_INITDIALOG)");
    hDlg = CreateDialogParamA(b->hModule, "USRDLG", NULL, b->Dialog, 0);
    if (hDlg == NULL) Fail("the dialog USRDLG does not open (error %lu)", GetLastError());
    CheckLocks();
    return hDlg;
}

/* The button pressed as a user would: clicked, the dialog procedure hears
 * of it from the button. */
static BOOL Press(HWND hDlg, int nButton, const char *Button, const char *Name)
{
    HWND hButton = GetDlgItem(hDlg, nButton);
    BOOL bPressed = hButton != NULL;
    Enter(Name);
    if (bPressed) SendMessageA(hButton, BM_CLICK, 0, 0);
    else Fail("the dialog has no %s button to press", Button);
    CheckLocks();
    DestroyWindow(hDlg);
    return bPressed;
}

/* Every control the definition gives the dialog is there. */
static void CheckControls(HWND hDlg, const char *CaseFile)
{
    char Controls[8192], *Id;
    Enter("the parameter dialog");
    GetPrivateProfileStringA("Dialog", "Controls", "", Controls, sizeof(Controls), CaseFile);
    for (Id = strtok(Controls, ","); Id != NULL; Id = strtok(NULL, ",")) {
        char *Number = strchr(Id, ':');
        if (Number == NULL) continue;
        *Number++ = '\0';
        if (GetDlgItem(hDlg, atoi(Number)) == NULL) Fail("lacks the control %s (%s)", Id, Number);
    }
}

static int CheckedIndex(HWND hDlg, const DLGPARAM *p)
{
    int i;
    for (i = 0; i < p->nControls; i++)
        if (IsDlgButtonChecked(hDlg, p->Control[i]) == BST_CHECKED) return i;
    return -1;
}

static int StoredIndex(const DLGPARAM *p, const char *Stored)
{
    int i;
    for (i = 0; i < p->nControls; i++)
        if (p->Control[i] == atoi(Stored)) return i;
    return -1;
}

/* Each control shows the value stored in File. */
static void CheckShown(HWND hDlg, const char *File)
{
    char Shown[300], Stored[300], Key[160];
    int i;
    Enter("UserDialogProc(WM_INITDIALOG)");
    for (i = 0; i < nParams; i++) {
        const DLGPARAM *p = &Params[i];
        Saved(File, p->Key, Stored, sizeof(Stored));
        switch (p->Kind) {
        case 'E':
        case 'F':
            GetDlgItemTextA(hDlg, p->Control[0], Shown, sizeof(Shown));
            if (p->Letter == 'C') sprintf(Shown, "%d", (BYTE)Shown[0]);
            if (!SameValue(p->Letter, Shown, Stored)) Fail("shows \"%s\" for %s, which holds \"%s\"", Shown, p->Key, Stored);
            if (p->Kind == 'F') {
                sprintf(Key, "%s_PathName", p->Key);
                Saved(File, Key, Stored, sizeof(Stored));
                GetDlgItemTextA(hDlg, p->Control[1], Shown, sizeof(Shown));
                if (strcmp(Shown, Stored) != 0) Fail("shows \"%s\" for %s, which holds \"%s\"", Shown, Key, Stored);
            }
            break;
        case 'K':
            if ((IsDlgButtonChecked(hDlg, p->Control[0]) == BST_CHECKED) != (atoi(Stored) != 0))
                Fail("shows the check box of %s %s, which holds %s", p->Key, IsDlgButtonChecked(hDlg, p->Control[0]) ? "checked" : "unchecked", Stored);
            break;
        case 'R':
            if (CheckedIndex(hDlg, p) != StoredIndex(p, Stored))
                Fail("checks item %d of %s, which holds %s", CheckedIndex(hDlg, p), p->Key, Stored);
            break;
        case 'M':
            if (SendDlgItemMessageA(hDlg, p->Control[0], CB_GETCURSEL, 0, 0) != atoi(Stored))
                Fail("selects item %d of %s, which holds %s", (int)SendDlgItemMessageA(hDlg, p->Control[0], CB_GETCURSEL, 0, 0), p->Key, Stored);
            break;
        }
    }
}

/* Changes every control to a value that differs from the one shown, each
 * round another (a radio group's next item, so that rounds as many as its
 * items check each of them); writes the values the parameters should then
 * hold into Expected. */
static void ChangeControls(HWND hDlg, const char *Expected, int nRound)
{
    char Text[300], Key[160];
    int i, n = 100 * nRound;
    for (i = 0; i < nParams; i++) {
        const DLGPARAM *p = &Params[i];
        switch (p->Kind) {
        case 'E':
            switch (p->Letter) {
            case 'T': sprintf(Text, "typed %d", n + i); break;
            case 'C': sprintf(Text, "%c", 'A' + (n / 100 + i) % 26); break;
            case 'B': sprintf(Text, "%d", 40 + (n / 100 * 7 + i) % 200); break;
            case 'F': case 'D': sprintf(Text, "%d.25", 500 + n + i); break;
            default: sprintf(Text, "%d", 500 + n + i); break;
            }
            SetDlgItemTextA(hDlg, p->Control[0], Text);
            if (p->Letter == 'C') sprintf(Text, "%d", 'A' + (n / 100 + i) % 26);
            break;
        case 'F':
            sprintf(Text, "c:\\typed %d", n + i);
            SetDlgItemTextA(hDlg, p->Control[1], Text);
            sprintf(Key, "%s_PathName", p->Key);
            WritePrivateProfileStringA(SECTION, Key, Text, Expected);
            sprintf(Text, "file %d.txt", n + i);
            SetDlgItemTextA(hDlg, p->Control[0], Text);
            break;
        case 'K': {
            BOOL bChecked = IsDlgButtonChecked(hDlg, p->Control[0]) == BST_CHECKED;
            CheckDlgButton(hDlg, p->Control[0], bChecked ? BST_UNCHECKED : BST_CHECKED);
            sprintf(Text, "%d", !bChecked);
            break;
        }
        case 'R': {
            int j, nPick = (CheckedIndex(hDlg, p) + 1) % p->nControls;
            for (j = 0; j < p->nControls; j++)
                CheckDlgButton(hDlg, p->Control[j], j == nPick ? BST_CHECKED : BST_UNCHECKED);
            sprintf(Text, "%d", p->Control[nPick]);
            break;
        }
        case 'M': {
            LRESULT nCount = SendDlgItemMessageA(hDlg, p->Control[0], CB_GETCOUNT, 0, 0);
            LRESULT nNew = nCount > 0 ? (SendDlgItemMessageA(hDlg, p->Control[0], CB_GETCURSEL, 0, 0) + 1) % nCount : 0;
            SendDlgItemMessageA(hDlg, p->Control[0], CB_SETCURSEL, (WPARAM)nNew, 0);
            sprintf(Text, "%d", (int)nNew);
            break;
        }
        }
        WritePrivateProfileStringA(SECTION, p->Key, Text, Expected);
    }
}

/* Every key of the parameters holds in File what it holds in Expected. */
static void CheckStored(const char *File, const char *Expected, const char *What)
{
    char Want[300], Got[300], Key[160];
    int i;
    Enter(What);
    for (i = 0; i < nParams; i++) {
        const DLGPARAM *p = &Params[i];
        Saved(Expected, p->Key, Want, sizeof(Want));
        Saved(File, p->Key, Got, sizeof(Got));
        if (!SameValue(p->Letter, Want, Got)) Fail("stores \"%s\" in %s, expected \"%s\"", Got, p->Key, Want);
        if (p->Kind == 'F') {
            sprintf(Key, "%s_PathName", p->Key);
            Saved(Expected, Key, Want, sizeof(Want));
            Saved(File, Key, Got, sizeof(Got));
            if (strcmp(Want, Got) != 0) Fail("stores \"%s\" in %s, expected \"%s\"", Got, Key, Want);
        }
    }
}

static const DLGPARAM *ParamListedAs(int nListed)
{
    int i;
    for (i = 0; i < nParams; i++)
        if (Params[i].Kind != 'F' && Params[i].nListed == nListed) return &Params[i];
    return NULL;
}

/* The value parameter j of the list gets in a round, as the block is given
 * it and as its saved key should then read: never the one it holds now. */
typedef union tagSETVALUE {
    BYTE b; short s; int i; long l; float f; double d; char c; char t[64];
} SETVALUE;

static BOOL NewValue(const DLGPARAM *p, int nType, int j, int nRound, const char *Now, SETVALUE *v, char *Text)
{
    int n = j + 10 * nRound;
    memset(v, 0, sizeof(*v));
    if (p->Kind == 'K') {
        v->i = atoi(Now) == 0;
        sprintf(Text, "%d", v->i);
        return TRUE;
    }
    if (p->Kind == 'M') {
        if (p->nItems < 2) return FALSE;
        v->i = (atoi(Now) + 1) % p->nItems;
        sprintf(Text, "%d", v->i);
        return TRUE;
    }
    if (p->Kind == 'R') {
        v->i = (StoredIndex(p, Now) + 1) % p->nControls;
        sprintf(Text, "%d", p->Control[v->i]);
        return TRUE;
    }
    switch (nType) {
    case HDT_BYTE: v->b = (BYTE)(60 + n % 60); sprintf(Text, "%d", v->b); break;
    case HDT_SHORT: v->s = (short)(700 + n); sprintf(Text, "%d", v->s); break;
    case HDT_LONG: v->l = 70000 + n; sprintf(Text, "%ld", v->l); break;
    case HDT_FLOAT: v->f = 700.75f + n; sprintf(Text, "%.9g", v->f); break;
    case HDT_DOUBLE: v->d = 7000.125 + n; sprintf(Text, "%.17g", v->d); break;
    case HDT_CHAR: v->c = (char)('a' + n % 26); sprintf(Text, "%d", v->c); break;
    case HDT_LPSTR: sprintf(v->t, "set %d", n); lstrcpyA(Text, v->t); break;
    default: v->i = 700 + n; sprintf(Text, "%d", v->i); break;
    }
    return !SameValue(p->Letter, Text, Now);
}

/* Every parameter the block lists (but file names) set through
 * UserSetParameterProc to a new value, which the block then saves under
 * the parameter's key; as many rounds as the longest radio group has
 * items, so that each item is set. */
static void CheckSetParameter(const BLOCK *b, INSTANCE *w)
{
    char Now[MAX_PATH], Expected[MAX_PATH], Text[64], Current[300];
    int j, i, nRound, nRounds = 1, n = HostParameterListCount();
    GetFullPathNameA("set-now.ini", MAX_PATH, Now, NULL);
    GetFullPathNameA("set-expected.ini", MAX_PATH, Expected, NULL);
    for (i = 0; i < nParams; i++)
        if (Params[i].Kind == 'R' && Params[i].nControls > nRounds) nRounds = Params[i].nControls;
    for (nRound = 0; nRound < nRounds; nRound++) {
        SaveTo(b, w, Now);
        DeleteFileA(Expected);
        for (j = 0; j < n; j++) {
            DWORD dwValue = HostParameterList(j)->dwValue;
            const DLGPARAM *p = ParamListedAs(LOWORD(dwValue));
            SETVALUE v;
            int nResult;
            if (p == NULL) continue;
            Saved(Now, p->Key, Current, sizeof(Current));
            if (!NewValue(p, HIWORD(dwValue), j, nRound, Current, &v, Text)) continue;
            Enter("UserSetParameterProc");
            nResult = b->SetParameter(w->hParam, w->hScratchParam, LOWORD(dwValue), &v);
            if (nResult != USR_NO_ERR) Fail("returns %d for %s, expected 0", nResult, p->Key);
            CheckLocks();
            WritePrivateProfileStringA(SECTION, p->Key, Text, Expected);
        }
        SaveTo(b, w, Now);
        for (j = 0; j < nParams; j++) {
            char Want[300], Got[300];
            if (GetPrivateProfileStringA(SECTION, Params[j].Key, "", Want, sizeof(Want), Expected) == 0) continue;
            Saved(Now, Params[j].Key, Got, sizeof(Got));
            Enter("UserSetParameterProc");
            if (!SameValue(Params[j].Letter, Want, Got))
                Fail("sets %s to \"%s\", expected \"%s\"", Params[j].Key, Got, Want);
        }
    }
}

static void CheckDialog(const BLOCK *b, const char *CaseFile, INSTANCE *w)
{
    char Before[MAX_PATH], After[MAX_PATH], Expected[MAX_PATH];
    HWND hDlg;
    int i, nRound, nRounds = 2;
    GetFullPathNameA("dialog-before.ini", MAX_PATH, Before, NULL);
    GetFullPathNameA("dialog-after.ini", MAX_PATH, After, NULL);
    GetFullPathNameA("dialog-expected.ini", MAX_PATH, Expected, NULL);
    CheckSetParameter(b, w);
    for (i = 0; i < nParams; i++)
        if (Params[i].Kind == 'R' && Params[i].nControls > nRounds) nRounds = Params[i].nControls;
    SaveTo(b, w, Before);
    if ((hDlg = OpenDialog(b, w)) == NULL) return;
    CheckControls(hDlg, CaseFile);
    CheckShown(hDlg, Before);
    DeleteFileA(Expected);
    ChangeControls(hDlg, Expected, 0);
    if (Press(hDlg, IDCANCEL, "Cancel", "UserDialogProc(IDCANCEL)")) {
        SaveTo(b, w, After);
        CheckStored(After, Before, "UserDialogProc(IDCANCEL)");
    }
    for (nRound = 1; nRound <= nRounds; nRound++) {
        if ((hDlg = OpenDialog(b, w)) == NULL) return;
        DeleteFileA(Expected);
        ChangeControls(hDlg, Expected, nRound);
        if (!Press(hDlg, IDOK, "OK", "UserDialogProc(IDOK)")) return;
        SaveTo(b, w, After);
        CheckStored(After, Expected, "UserDialogProc(IDOK)");
    }
}

/* ------------------------------------------------------------------------
 * Failures of memory the host cannot give
 * ---------------------------------------------------------------------- */
/* A short life: each entry point once, with the first precision, until one
 * fails. The instance is then deleted as the host deletes it, with no call
 * failing. Gives how many allocations and locks the life asked for. */
static int ShortLife(const BLOCK *b, const SHAPE *s, int nFailing)
{
    INSTANCE w;
    char File[MAX_PATH], Name[128];
    int nResult = USR_NO_ERR, i, nCalls;
    memset(&w, 0, sizeof(w));
    w.Bio.nInputs = s->nInputs;
    w.Bio.nOutputs = s->nOutputs;
    GetFullPathNameA("short-life.ini", MAX_PATH, File, NULL);
    for (i = 0; i < s->nInputs; i++)
        MakeInput(s, &w.Bio.In[i], s->Dimension[i], s->nPrecisions > 0 ? s->Precisions[0] : HDT_FLOAT, RC_REAL);
#define STEP(Entry, Call) \
    if (nResult == USR_NO_ERR) { \
        sprintf(Name, "%s (allocation or lock %d failing)", Entry, nFailing); \
        Enter(Name); \
        nResult = (Call); \
        CheckLocks(); \
    }
    STEP("UserSetupProc", b->Setup(&w.hParam, &w.hScratchParam));
    STEP("UserDefaultSetupProc", b->DefaultSetup(w.hParam, w.hScratchParam));
    STEP("UserPreInitializeProc", b->PreInitialize((HANDLE)&w.Bio, w.hParam, w.hScratchParam));
    STEP("UserInitializeProc", b->Initialize((HANDLE)&w.Bio, w.hParam, w.hScratchParam));
    if (!s->bRealTime) STEP("UserExecProc", b->Exec((HANDLE)&w.Bio, w.hParam, w.hScratchParam));
    STEP("UserStopProc", b->Stop((HANDLE)&w.Bio, w.hParam, w.hScratchParam));
    STEP("UserSaveProc", b->Save(w.hParam, w.hScratchParam, SECTION, File));
    STEP("UserLoadProc", b->Load(w.hParam, w.hScratchParam, SECTION, File));
#undef STEP
    nCalls = HostCountedCalls();
    HostFailCall(0);
    if (w.hParam != NULL) {
        Enter("UserExitProc");
        b->Exit((HANDLE)&w.Bio, w.hParam, w.hScratchParam);
        CheckLocks();
    }
    /* The two structures are the host's once set-up returned them: a block
     * whose life failed cannot always release them itself. */
    if (nResult != USR_NO_ERR) {
        HostReclaim(w.hParam);
        HostReclaim(w.hScratchParam);
    }
    FreeInputs(&w.Bio);
    return nCalls;
}

/* Each allocation and lock of a short life fails in turn, the Nth in the
 * Nth life: whatever entry point meets it returns with nothing locked, and
 * once the instance is deleted nothing is left allocated. */
static void CheckFailures(const BLOCK *b, const SHAPE *s)
{
    static char Report[8192];
    int nCall, nCalls;
    if (s->bBitmap) return;
    HostFailCall(0);
    nCalls = ShortLife(b, s, 0);
    Enter("a short life");
    if (HostBlockAllocations(Report, sizeof(Report)) > 0) {
        Fail("leaves memory allocated once the block is deleted:\n%s", Report);
        return;
    }
    for (nCall = 1; nCall <= nCalls; nCall++) {
        char Name[64];
        HostFailCall(nCall);
        ShortLife(b, s, nCall);
        sprintf(Name, "a short life whose call %d fails", nCall);
        Enter(Name);
        if (HostBlockAllocations(Report, sizeof(Report)) > 0) {
            Fail("leaves memory allocated once the block is deleted:\n%s", Report);
            break;
        }
    }
    HostFailCall(0);
}

/* ------------------------------------------------------------------------ */
static void ReadShape(const char *CaseFile, SHAPE *s, char *Dll, char *Def)
{
    char Text[256], *Token;
    int i;
    memset(s, 0, sizeof(*s));
    GetPrivateProfileStringA("Block", "Dll", "", Text, sizeof(Text), CaseFile);
    GetFullPathNameA(Text, MAX_PATH, Dll, NULL);
    GetPrivateProfileStringA("Block", "Def", "", Text, sizeof(Text), CaseFile);
    GetFullPathNameA(Text, MAX_PATH, Def, NULL);
    s->nInputs = GetPrivateProfileIntA("Block", "Inputs", 0, CaseFile);
    s->nOutputs = GetPrivateProfileIntA("Block", "Outputs", 0, CaseFile);
    GetPrivateProfileStringA("Block", "Dimensions", "", Text, sizeof(Text), CaseFile);
    for (i = 0; i < s->nInputs; i++) s->Dimension[i] = i < lstrlenA(Text) ? Text[i] - '0' : 1;
    GetPrivateProfileStringA("Block", "Precisions", "", Text, sizeof(Text), CaseFile);
    for (Token = strtok(Text, ","); Token && s->nPrecisions < 16; Token = strtok(NULL, ","))
        s->Precisions[s->nPrecisions++] = atoi(Token);
    s->bReal = GetPrivateProfileIntA("Block", "Real", 1, CaseFile);
    s->bComplex = GetPrivateProfileIntA("Block", "Complex", 0, CaseFile);
    s->bMatrix = GetPrivateProfileIntA("Block", "Matrix", 0, CaseFile);
    s->bBitmap = GetPrivateProfileIntA("Block", "Bitmap", 0, CaseFile);
    s->bRealTime = GetPrivateProfileIntA("Block", "RealTime", 0, CaseFile);
    s->nQLevel = GetPrivateProfileIntA("Block", "Q", 0, CaseFile);
    s->bUserControl = GetPrivateProfileIntA("Block", "UserControl", 0, CaseFile);
    s->nDownloads = GetPrivateProfileIntA("Block", "Downloads", 0, CaseFile);
    s->nOutputFrame = GetPrivateProfileIntA("Block", "OutputFrame", FRAMESIZE, CaseFile);
    s->nOutputRows = GetPrivateProfileIntA("Block", "OutputRows", 0, CaseFile);
    s->nOutputColumns = GetPrivateProfileIntA("Block", "OutputColumns", 0, CaseFile);
    s->nSetFrame = GetPrivateProfileIntA("Block", "SetFrame", 0, CaseFile);
    s->nSetRows = GetPrivateProfileIntA("Block", "SetRows", 0, CaseFile);
    s->nSetColumns = GetPrivateProfileIntA("Block", "SetColumns", 0, CaseFile);
}

/* The generated text passes pointers through 32-bit integers: a 64-bit
 * run proves nothing unless everything the block sees lies below 2 GB. */
static BOOL CheckAddresses(HMODULE hBlock)
{
    const ULONG_PTR Limit = 0x80000000UL;
    int nLocal;
    Enter("the harness");
    if ((ULONG_PTR)&nLocal >= Limit) Fail("the stack lies at %p, above 2 GB", (void *)&nLocal);
    if ((ULONG_PTR)GetModuleHandleA(NULL) >= Limit) Fail("the runner lies at %p, above 2 GB", (void *)GetModuleHandleA(NULL));
    if ((ULONG_PTR)GetModuleHandleA("bdhost.dll") >= Limit) Fail("the host lies at %p, above 2 GB", (void *)GetModuleHandleA("bdhost.dll"));
    if ((ULONG_PTR)hBlock >= Limit) Fail("the block lies at %p, above 2 GB", (void *)hBlock);
    return nFailures == 0;
}

int main(int argc, char **argv)
{
    static char Report[8192];
    char CaseFile[MAX_PATH], Dll[MAX_PATH], Def[MAX_PATH], DriverFile[MAX_PATH];
    SHAPE Shape;
    BLOCK Block;
    INSTANCE First;
    hOut = GetStdHandle(STD_OUTPUT_HANDLE);
    if (argc != 2) {
        Print("usage: blockrun <case file>\n");
        return 2;
    }
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);
    GetFullPathNameA(argv[1], MAX_PATH, CaseFile, NULL);
    ReadShape(CaseFile, &Shape, Dll, Def);
    ReadParams(CaseFile);
    GetFullPathNameA("worksheet.ini", MAX_PATH, DriverFile, NULL);
    WritePrivateProfileStringA("Worksheet", "DriverName", "fake.drv", DriverFile);
    HostSetDriverFile("Worksheet", DriverFile);

    if (!LoadBlock(Dll, &Block, Shape.bRealTime) || !CheckAddresses(Block.hModule)) return 1;
    CheckExports(Block.hModule, Def);
    if (Create(&Block, &Shape, &First)) {
        Live(&Block, &Shape, &First);
        CheckDialog(&Block, CaseFile, &First);
        RoundTrip(&Block, &Shape, &First);
        Destroy(&Block, &First);
    }
    Enter("the end of the worksheet");
    if (HostBlockAllocations(Report, sizeof(Report)) > 0)
        Fail("the block's allocations are not all freed:\n%s", Report);
    if (HostMessageCount() > 0)
        Fail("the block showed %d message box(es), the first: %s", HostMessageCount(), HostMessage(0));
    if (nFailures == 0 && !bRefused) CheckFailures(&Block, &Shape);
    Print("%s: %d failure(s)\n", Dll, nFailures);
    return nFailures == 0 ? 0 : 1;
}
