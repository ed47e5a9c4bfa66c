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
 * parameter download); OutputFrame, OutputRows and OutputColumns (the
 * shape every output must have), SetFrame, SetRows and SetColumns (the
 * controls a source's shape is set through). Its section "Dialog" names what
 * the parameter dialog shows: Controls, every control it must hold as
 * <name>:<number>, comma-separated; Count, and per parameter
 * P<i>=<kind>|<key>|<type letter>|<listed as>|<items>|<control>[|<control>...],
 * the kind E (edit), K (check box), R (radio buttons, one control each), M
 * (combo box) or F (file name and path edits).
 *
 * Every failure prints a line "FAIL <entry point>: <what differed>" (a
 * report may follow on indented lines), a remark "NOTE <text>"; the last
 * line counts the failures. The exit code is 0 when nothing failed, 1 when
 * something did, 2 for a wrong command line or case, 3 when the block
 * crashed (after the line "FAIL <entry point>: crashed with exception ...").
 *
 * A trial: the optional section "Trial" tries the user's own block, its
 * routine no longer the generated one, as a host would stress it:
 *   Strictness=1..5   what runs, below (default 3); the keys after it
 *                     override what the level chooses
 *   Signal=           impulse | step | sweep (20 Hz to 0.45 of the rate, the
 *                     default) | noise (a fixed seed) | sine:<Hz> |
 *                     file:<path> (float64 little-endian samples, repeated),
 *                     through every input at full scale 1 (the integer
 *                     types at a fraction of their range), converted to the
 *                     precision run
 *   SampleRates=      Hz, comma-separated: the inputs' sampling frequency (a
 *                     source keeps its own)
 *   FrameSizes=       the inputs' frame size (a source keeps its own shape)
 *   Frames=           frames a run
 *   Automation=0|1    every parameter of the dialog set between frames
 *                     through UserSetParameterProc, to values spread over
 *                     its type's range, and set back to its default before
 *                     the last frame
 *   Lives=            the whole life repeated in a fresh instance; the
 *                     reference run must then give the same samples
 *   Dump=<folder>     the reference run's trace: in<i>.f64, out<j>.f64
 *                     (out<j>.im.f64 for a complex output), the real parts
 *                     of every sample as float64, frames one after another,
 *                     and trace.ini, section Trace: SampleRate, FrameSize,
 *                     Frames, Inputs, Outputs, Precision (HDT_ code)
 * Each life then runs, after the frames at every precision and layout, the
 * signal at each precision, sample rate and frame size the level takes; the
 * first run, at the first of double, float, int, long, short, byte, char
 * the block has, the first rate and frame size and without automation, is
 * the reference run. Matrix, bitmap and real-time blocks run their life as
 * without a trial (no signal). The levels:
 *
 *   level  lives  precisions  frame sizes   sample rates            frames  automation   dialog  injected failures
 *   1      1      the first   16            48000                   8       none         no      none
 *   2      1      all         16            48000                   16      none         yes     none
 *   3      1      all         16,1          48000,8000              32      every 4th    yes     every 4th
 *   4      2      all         16,1,7,1024   48000,8000,44100        48      every 2nd    yes     every 2nd
 *   5      2      all         16,1,7,1024   48000,8000,44100,96000  64      every frame  yes     each one
 *
 * (values at strictness 5 also reach each type's extremes; a run over its
 * frame's duration fails only at 4 and 5). A trial prints, besides the lines
 * above: per signal run (the reference shape's automated second run left
 * out) "TIME <precision>/<rate>/<frame size>
 * perframe_us=<median time of UserExecProc, the first frame left out>
 * budget_us=<frame size / rate>" (a source: its first output's rate and frame
 * size); "NOTE realtime: ..." naming the slowest run; per output that was
 * floating in a run "COUNT <output> nan=<n> inf=<n> denormal=<n>"; and one
 * line per check it performed, "CHECK <id> PASS" or "CHECK <id> FAIL <n>
 * failures; first: <entry point>: <what, its lines joined>", the ids crash,
 * locks, leaks, bounds, numbers, shape, parameters, dialog, failures,
 * realtime and lives.
 */
/* clang-format off */
#include <math.h>
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

/* What the [Trial] section asks for; bOn is FALSE without one. */
#define MAX_LIST 8
typedef struct tagTRIAL {
    BOOL   bOn;
    int    nStrictness;
    char   Signal[MAX_PATH];
    double SampleRates[MAX_LIST];
    int    nSampleRates;
    int    FrameSizes[MAX_LIST];
    int    nFrameSizes;
    int    nFrames;
    int    nAutomateEvery; /* parameters changed before every nth frame; 0: never */
    int    nLives;
    int    nFailureStep;   /* every nth allocation or lock failed in turn; 0: none */
    BOOL   bDialog;
    BOOL   bAllPrecisions;
    char   Dump[MAX_PATH];
    double *File;          /* the samples of a file: signal */
    long   nFile;
} TRIAL;

static TRIAL Trial;

static int ReferencePrecision(const SHAPE *s);

static int  nFailures;
static char Current[128] = "(loading)";

/* The checks a failure belongs to, as a trial reports them. */
enum {
    CHECK_CRASH, CHECK_LOCKS, CHECK_LEAKS, CHECK_BOUNDS, CHECK_NUMBERS, CHECK_SHAPE,
    CHECK_PARAMETERS, CHECK_DIALOG, CHECK_FAILURES, CHECK_REALTIME, CHECK_LIVES, CHECKS
};
static const char *const CheckIds[CHECKS] = {
    "crash", "locks", "leaks", "bounds", "numbers", "shape", "parameters", "dialog",
    "failures", "realtime", "lives"
};
static BOOL bPerformed[CHECKS];
static int  nCheckFailures[CHECKS];
static char FirstFailure[CHECKS][512];
/* The check of what the runner does now: a failure belongs to it unless
 * it says otherwise. */
static int  nPhase = CHECK_CRASH;

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

/* A file of the working folder as the profile functions, fopen and
 * LoadLibrary take it: .\\name, which they resolve against the working
 * folder (a bare name the profile functions look for in the Windows folder),
 * rather than its full path, whose folder an ANSI string loses when its name
 * has letters beyond the code page. An absolute path stays as it is. */
static void WorkingPath(const char *Name, char *Path)
{
    BOOL bAbsolute = Name[0] == '\\' || Name[0] == '/' || (Name[0] != '\0' && Name[1] == ':');
    _snprintf(Path, MAX_PATH - 1, bAbsolute ? "%s" : ".\\%s", Name);
    Path[MAX_PATH - 1] = '\0';
}

/* A report's lines joined by single blanks, for the one line of a check. */
static void OneLine(char *Text)
{
    char *From = Text, *To = Text;
    while (*From != '\0') {
        if (*From == '\r' || *From == '\n') {
            while (*From == '\r' || *From == '\n' || *From == ' ') From++;
            if (*From != '\0') *To++ = ' ';
        }
        else *To++ = *From++;
    }
    *To = '\0';
}

static void FailInV(int nCheck, const char *Format, va_list Args)
{
    va_list Copy;
    Print("FAIL %s: ", Current);
    if (nCheckFailures[nCheck]++ == 0) {
        int n = _snprintf(FirstFailure[nCheck], sizeof(FirstFailure[nCheck]) - 1, "%s: ", Current);
        char *Line = FirstFailure[nCheck] + (n < 0 ? 0 : n);
        if (n >= 0 && n < (int)sizeof(FirstFailure[nCheck]) - 1) {
            va_copy(Copy, Args);
            _vsnprintf(Line, sizeof(FirstFailure[nCheck]) - 1 - n, Format, Copy);
            va_end(Copy);
            OneLine(Line);
        }
    }
    PrintV(Format, Args);
    Print("\n");
    nFailures++;
}

static void FailIn(int nCheck, const char *Format, ...)
{
    va_list Args;
    va_start(Args, Format);
    FailInV(nCheck, Format, Args);
    va_end(Args);
}

static void Fail(const char *Format, ...)
{
    va_list Args;
    va_start(Args, Format);
    FailInV(nPhase, Format, Args);
    va_end(Args);
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
    /* What a life with an injected failure finds is the failure's. */
    BOOL bInjected = nPhase == CHECK_FAILURES;
    if (HostTakeLockedHandles(Report, sizeof(Report)) > 0)
        FailIn(bInjected ? CHECK_FAILURES : CHECK_LOCKS, "returns with handles still locked:\n%s", Report);
    if (HostTakeStrayUnlocks(Report, sizeof(Report)) > 0)
        FailIn(bInjected ? CHECK_FAILURES : CHECK_LOCKS, "unlocks handles it does not hold locked:\n%s", Report);
    if (HostTakeMemoryFaults(Report, sizeof(Report)) > 0)
        FailIn(bInjected ? CHECK_FAILURES : CHECK_BOUNDS, "misuses memory:\n%s", Report);
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
    int nWas = nPhase;
    nPhase = CHECK_PARAMETERS;
    Enter("UserSetParameterProc");
    Returned(b->SetParameter(w->hParam, w->hScratchParam, IDC_PRECISION, &nPrecision), USR_NO_ERR);
    nPhase = nWas;
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
            /* A trial runs the user's own routine, not the generated one. */
            if (!s->bMatrix && !s->bBitmap && !s->bUserControl && !Trial.bOn)
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
    int i, nWas = nPhase;
    nPhase = CHECK_PARAMETERS;
    for (i = 0; i < 3; i++) {
        long Value = Values[i];
        if (Controls[i] == 0) continue;
        Enter("UserSetParameterProc");
        Returned(b->SetParameter(w->hParam, w->hScratchParam, Controls[i], &Value), USR_NO_ERR);
    }
    nPhase = nWas;
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
            if (Trial.bOn && !Trial.bAllPrecisions && s->Precisions[p] != ReferencePrecision(s)) continue;
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
    nPhase = CHECK_PARAMETERS;
    WorkingPath("saved.ini", SavedFile);
    WorkingPath("reloaded.ini", Reloaded);
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
    WorkingPath("set-now.ini", Now);
    WorkingPath("set-expected.ini", Expected);
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
    WorkingPath("dialog-before.ini", Before);
    WorkingPath("dialog-after.ini", After);
    WorkingPath("dialog-expected.ini", Expected);
    nPhase = CHECK_PARAMETERS;
    CheckSetParameter(b, w);
    nPhase = CHECK_DIALOG;
    bPerformed[CHECK_DIALOG] = TRUE;
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
 * A trial: a test signal through the block, parameters changed while it
 * runs, every floating output checked for NaN, infinity and denormals and
 * every frame timed against its duration
 * ---------------------------------------------------------------------- */
#define PI 3.14159265358979323846

/* The order in which the trace takes the first precision the block has. */
static const int TracePrecisions[] = {HDT_DOUBLE, HDT_FLOAT, HDT_INT, HDT_LONG, HDT_SHORT, HDT_BYTE, HDT_CHAR};

static int ReferencePrecision(const SHAPE *s)
{
    int i, p;
    for (i = 0; i < 7; i++)
        for (p = 0; p < s->nPrecisions; p++)
            if (s->Precisions[p] == TracePrecisions[i]) return TracePrecisions[i];
    return s->nPrecisions > 0 ? s->Precisions[0] : HDT_FLOAT;
}

/* Sample n of the signal at the sample rate, for a run of nTotal samples;
 * full scale is 1. The noise restarts with its seed at every run, so that
 * every run sees the same samples. */
static unsigned long NoiseState;

static double SignalSample(long n, long nTotal, double dRate)
{
    const char *Sig = Trial.Signal;
    if (strcmp(Sig, "impulse") == 0) return n == 0 ? 1.0 : 0.0;
    if (strcmp(Sig, "step") == 0) return 1.0;
    if (strcmp(Sig, "noise") == 0) {
        NoiseState = NoiseState * 1103515245UL + 12345UL;
        return ((NoiseState >> 8) & 0xFFFF) / 32768.0 - 1.0;
    }
    if (strncmp(Sig, "sine:", 5) == 0) return sin(2 * PI * atof(Sig + 5) * n / dRate);
    if (strncmp(Sig, "file:", 5) == 0) return Trial.nFile > 0 ? Trial.File[n % Trial.nFile] : 0.0;
    {
        /* A logarithmic sweep from 20 Hz to 0.45 of the sample rate. */
        double f0 = 20.0, f1 = 0.45 * dRate, T = (double)(nTotal > 1 ? nTotal : 1) / dRate;
        double t = n / dRate, k = log(f1 / f0);
        if (f1 <= f0) return sin(2 * PI * f0 * t);
        return 0.5 * sin(2 * PI * f0 * T / k * (exp(t / T * k) - 1));
    }
}

/* A sample of full scale 1 as the type holds it: the integer types get a
 * quarter of their range or so, so that a gain does not overflow them. */
static void StoreSample(BYTE *Data, int nType, DWORD i, double v)
{
    switch (nType) {
    case HDT_DOUBLE: ((double *)Data)[i] = v; break;
    case HDT_FLOAT: ((float *)Data)[i] = (float)v; break;
    case HDT_INT: ((int *)Data)[i] = (int)floor(v * 1048576.0 + 0.5); break;
    case HDT_LONG: ((long *)Data)[i] = (long)floor(v * 1048576.0 + 0.5); break;
    case HDT_SHORT: ((short *)Data)[i] = (short)floor(v * 8192.0 + 0.5); break;
    case HDT_BYTE: Data[i] = (BYTE)floor(128.0 + v * 64.0 + 0.5); break;
    default: ((char *)Data)[i] = (char)floor(v * 32.0 + 0.5); break;
    }
}

static BOOL ReadSignalFile(void)
{
    char Path[MAX_PATH];
    FILE *f;
    long nBytes;
    WorkingPath(Trial.Signal + 5, Path);
    if ((f = fopen(Path, "rb")) == NULL) return FALSE;
    fseek(f, 0, SEEK_END);
    nBytes = ftell(f);
    fseek(f, 0, SEEK_SET);
    Trial.nFile = nBytes / (long)sizeof(double);
    Trial.File = (double *)malloc((Trial.nFile > 0 ? Trial.nFile : 1) * sizeof(double));
    if (Trial.File == NULL || (long)fread(Trial.File, sizeof(double), Trial.nFile, f) != Trial.nFile) Trial.nFile = 0;
    fclose(f);
    return Trial.nFile > 0;
}

static int ReadList(const char *CaseFile, const char *Key, const char *Default, double *Values)
{
    char Text[256], *Token;
    int n = 0;
    GetPrivateProfileStringA("Trial", Key, Default, Text, sizeof(Text), CaseFile);
    for (Token = strtok(Text, ", "); Token && n < MAX_LIST; Token = strtok(NULL, ", "))
        if (atof(Token) > 0) Values[n++] = atof(Token);
    return n;
}

/* The levels (see the head of this file); the case's keys override them. */
static BOOL ReadTrial(const char *CaseFile)
{
    static const char *const Rates[] = {"48000", "48000", "48000,8000", "48000,8000,44100", "48000,8000,44100,96000"};
    static const char *const Sizes[] = {"16", "16", "16,1", "16,1,7,1024", "16,1,7,1024"};
    static const int Frames[] = {8, 16, 32, 48, 64};
    static const int Every[] = {0, 0, 4, 2, 1};
    static const int Lives[] = {1, 1, 1, 2, 2};
    static const int Steps[] = {0, 0, 4, 2, 1};
    char Probe[8];
    double Values[MAX_LIST];
    int i, k;
    if (GetPrivateProfileStringA("Trial", NULL, "", Probe, sizeof(Probe), CaseFile) == 0) return TRUE;
    Trial.bOn = TRUE;
    Trial.nStrictness = GetPrivateProfileIntA("Trial", "Strictness", 3, CaseFile);
    if (Trial.nStrictness < 1 || Trial.nStrictness > 5) return FALSE;
    k = Trial.nStrictness - 1;
    GetPrivateProfileStringA("Trial", "Signal", "sweep", Trial.Signal, sizeof(Trial.Signal), CaseFile);
    Trial.nSampleRates = ReadList(CaseFile, "SampleRates", Rates[k], Trial.SampleRates);
    Trial.nFrameSizes = ReadList(CaseFile, "FrameSizes", Sizes[k], Values);
    for (i = 0; i < Trial.nFrameSizes; i++) Trial.FrameSizes[i] = (int)Values[i];
    Trial.nFrames = GetPrivateProfileIntA("Trial", "Frames", Frames[k], CaseFile);
    Trial.nAutomateEvery = GetPrivateProfileIntA("Trial", "Automation", Every[k] > 0, CaseFile) ? (Every[k] > 0 ? Every[k] : 4) : 0;
    Trial.nLives = GetPrivateProfileIntA("Trial", "Lives", Lives[k], CaseFile);
    Trial.nFailureStep = Steps[k];
    Trial.bDialog = Trial.nStrictness >= 2;
    Trial.bAllPrecisions = Trial.nStrictness >= 2;
    GetPrivateProfileStringA("Trial", "Dump", "", Trial.Dump, sizeof(Trial.Dump), CaseFile);
    if (Trial.nSampleRates == 0 || Trial.nFrameSizes == 0 || Trial.nFrames < 1 || Trial.nLives < 1) return FALSE;
    if (strncmp(Trial.Signal, "file:", 5) == 0) return ReadSignalFile();
    return strcmp(Trial.Signal, "impulse") == 0 || strcmp(Trial.Signal, "step") == 0 ||
           strcmp(Trial.Signal, "sweep") == 0 || strcmp(Trial.Signal, "noise") == 0 ||
           (strncmp(Trial.Signal, "sine:", 5) == 0 && atof(Trial.Signal + 5) > 0);
}

/* NaN, infinity and denormal counts of every floating output, over every
 * run; an output counts once it was floating in a run. */
static long Counts[HOST_MAX_CHANNELS][3];
static BOOL bCounted[HOST_MAX_CHANNELS];

static void CountNumbers(const BIOINFO *Bio, int nPrecision)
{
    int o;
    if (nPrecision != HDT_DOUBLE && nPrecision != HDT_FLOAT) return;
    bPerformed[CHECK_NUMBERS] = TRUE;
    for (o = 0; o < Bio->nOutputs; o++) {
        const HOSTCHANNEL *c = &Bio->Out[o];
        const BYTE *Data = c->hData ? (const BYTE *)HostData(c->hData) : NULL;
        DWORD k, n = (DWORD)c->dwFramesize * (GETRCFLAG(c->lFlag) + 1);
        long Before[3];
        bCounted[o] = TRUE;
        if (Data == NULL || HostSize(c->hData) < n * (SIZE_T)ElementBytes(nPrecision)) continue;
        memcpy(Before, Counts[o], sizeof(Before));
        for (k = 0; k < n; k++) {
            int nClass = nPrecision == HDT_DOUBLE ? fpclassify(((const double *)Data)[k]) : fpclassify(((const float *)Data)[k]);
            if (nClass == FP_NAN) Counts[o][0]++;
            else if (nClass == FP_INFINITE) Counts[o][1]++;
            else if (nClass == FP_SUBNORMAL) Counts[o][2]++;
        }
        if (memcmp(Before, Counts[o], sizeof(Before)) != 0 && Before[0] + Before[1] + Before[2] == 0)
            FailIn(CHECK_NUMBERS, "output %d holds %ld NaN, %ld infinite and %ld denormal sample(s) in this frame",
                   o, Counts[o][0], Counts[o][1], Counts[o][2]);
    }
}

/* Automation: the values parameters take between frames, spread over each
 * type's range (the extremes only at strictness 5). */
static BOOL AutomationValue(const DLGPARAM *p, int nType, int nRound, SETVALUE *v)
{
    static const double Reals[] = {0, 1, -1, 0.001, 1000, -1000, 1e6, 0.5};
    static const long Whole[] = {0, 1, -1, 100, -100, 10000, 7, 2};
    BOOL bExtreme = Trial.nStrictness >= 5 && nRound % 9 == 8;
    int i = nRound % 8;
    memset(v, 0, sizeof(*v));
    switch (p->Kind) {
    case 'K': v->i = nRound % 2; return TRUE;
    case 'M': if (p->nItems < 1) return FALSE; v->i = nRound % p->nItems; return TRUE;
    case 'R': if (p->nControls < 1) return FALSE; v->i = nRound % p->nControls; return TRUE;
    }
    switch (nType) {
    case HDT_BYTE: v->b = (BYTE)(bExtreme ? 255 : Whole[i] & 0xFF); break;
    case HDT_SHORT: v->s = (short)(bExtreme ? (nRound % 2 ? 32767 : -32768) : Whole[i]); break;
    case HDT_LONG: v->l = bExtreme ? (nRound % 2 ? 2147483647L : -2147483647L - 1) : Whole[i]; break;
    case HDT_FLOAT: v->f = bExtreme ? (nRound % 2 ? 3.4e38f : -3.4e38f) : (float)Reals[i]; break;
    case HDT_DOUBLE: v->d = bExtreme ? (nRound % 2 ? 1.7e308 : -1.7e308) : Reals[i]; break;
    case HDT_CHAR: v->c = (char)(bExtreme ? 127 : 'a' + i); break;
    case HDT_LPSTR: if (i % 2) sprintf(v->t, "automated %d", nRound); break;
    default: v->i = bExtreme ? (nRound % 2 ? 2147483647 : -2147483647 - 1) : (int)Whole[i]; break;
    }
    return TRUE;
}

/* The value a parameter's saved text stands for, as UserSetParameterProc
 * takes it. */
static void ValueFromText(const DLGPARAM *p, int nType, const char *Text, SETVALUE *v)
{
    memset(v, 0, sizeof(*v));
    if (p->Kind == 'R') { v->i = StoredIndex(p, Text); return; }
    if (p->Kind == 'K' || p->Kind == 'M') { v->i = atoi(Text); return; }
    switch (nType) {
    case HDT_BYTE: v->b = (BYTE)atoi(Text); break;
    case HDT_SHORT: v->s = (short)atoi(Text); break;
    case HDT_LONG: v->l = atol(Text); break;
    case HDT_FLOAT: v->f = (float)atof(Text); break;
    case HDT_DOUBLE: v->d = atof(Text); break;
    case HDT_CHAR: v->c = (char)atoi(Text); break;
    case HDT_LPSTR: lstrcpynA(v->t, Text, sizeof(v->t)); break;
    default: v->i = atoi(Text); break;
    }
}

/* Every parameter the block lists set between two frames: to the
 * automation's value of the round, or (Defaults not NULL) back to the value
 * that file holds. */
static void Automate(const BLOCK *b, INSTANCE *w, int nRound, const char *Defaults)
{
    int j, n = HostParameterListCount(), nWas = nPhase;
    char Text[300], Name[160];
    nPhase = CHECK_PARAMETERS;
    for (j = 0; j < n; j++) {
        DWORD dwValue = HostParameterList(j)->dwValue;
        const DLGPARAM *p = ParamListedAs(LOWORD(dwValue));
        SETVALUE v;
        int nResult;
        if (p == NULL) continue;
        if (Defaults != NULL) {
            Saved(Defaults, p->Key, Text, sizeof(Text));
            ValueFromText(p, HIWORD(dwValue), Text, &v);
        }
        else if (!AutomationValue(p, HIWORD(dwValue), nRound, &v)) continue;
        sprintf(Name, "UserSetParameterProc(%s between frames)", Defaults ? "defaults" : "automation");
        Enter(Name);
        nResult = b->SetParameter(w->hParam, w->hScratchParam, LOWORD(dwValue), &v);
        if (nResult != USR_NO_ERR) Fail("returns %d for %s, expected 0", nResult, p->Key);
        CheckLocks();
    }
    nPhase = nWas;
}

/* One run of the signal: nFrames frames at a sample rate and frame size,
 * each timed. */
typedef struct tagRUN {
    int    nPrecision, nFrameSize, nRC;
    double dRate;
    BOOL   bAutomate;
    BOOL   bTrace;     /* the reference run: its samples are kept */
    BOOL   bTimed;     /* its time reported: not the reference shape's second run */
} RUN;

/* The reference run's outputs of the first life, which a later life in a
 * fresh instance must give again. */
static double *Reference;
static long    nReference;
static int     nLife;
static double  dWorstRatio;
static char    WorstRun[96];

static FILE *OpenTrace(const char *Name)
{
    char Path[MAX_PATH * 2];
    sprintf(Path, "%s\\%s", Trial.Dump, Name);
    return fopen(Path, "wb");
}

static void WriteTraceInfo(const SHAPE *s, const RUN *r)
{
    char Path[MAX_PATH * 2], Text[64];
    sprintf(Path, "%s\\trace.ini", Trial.Dump);
    DeleteFileA(Path);
#define TRACE_KEY(Key, Format, Value) sprintf(Text, Format, Value); WritePrivateProfileStringA("Trace", Key, Text, Path);
    TRACE_KEY("SampleRate", "%.17g", r->dRate);
    TRACE_KEY("FrameSize", "%d", r->nFrameSize);
    TRACE_KEY("Frames", "%d", Trial.nFrames);
    TRACE_KEY("Inputs", "%d", s->nInputs);
    TRACE_KEY("Outputs", "%d", s->nOutputs);
    TRACE_KEY("Precision", "%d", r->nPrecision);
#undef TRACE_KEY
}

/* Writes the real parts (or, bImaginary, the imaginary ones) of a channel's
 * frame as float64. */
static void TraceChannel(FILE *f, const HOSTCHANNEL *c, int nType, BOOL bImaginary)
{
    const BYTE *Data = c->hData ? (const BYTE *)HostData(c->hData) : NULL;
    int nStep = GETRCFLAG(c->lFlag) + 1;
    DWORD k;
    if (f == NULL || Data == NULL || HostSize(c->hData) < (SIZE_T)c->dwFramesize * nStep * ElementBytes(nType)) return;
    for (k = 0; k < c->dwFramesize; k++) {
        double v = ElementAt(Data, nType, k * nStep + (bImaginary ? 1 : 0));
        fwrite(&v, sizeof(v), 1, f);
    }
}

/* The reference outputs of this frame kept (first life) or compared. */
static void CompareLives(const BIOINFO *Bio, const RUN *r, int nFrame, long *nAt)
{
    int o;
    for (o = 0; o < Bio->nOutputs; o++) {
        const HOSTCHANNEL *c = &Bio->Out[o];
        const BYTE *Data = c->hData ? (const BYTE *)HostData(c->hData) : NULL;
        DWORD k, n = (DWORD)c->dwFramesize * (GETRCFLAG(c->lFlag) + 1);
        if (Data == NULL || HostSize(c->hData) < n * (SIZE_T)ElementBytes(r->nPrecision)) continue;
        for (k = 0; k < n; k++, (*nAt)++) {
            double v = ElementAt(Data, r->nPrecision, k);
            if (nLife == 0) {
                double *Grown = (double *)realloc(Reference, (*nAt + 1) * sizeof(double));
                if (Grown == NULL) return;
                Reference = Grown;
                Reference[*nAt] = v;
                nReference = *nAt + 1;
            }
            else if (*nAt < nReference && memcmp(&Reference[*nAt], &v, sizeof(v)) != 0) {
                FailIn(CHECK_LIVES, "output %d sample %lu of frame %d is %.17g in life %d, %.17g in the first: "
                       "something outlives the instance (a static variable?)", o, k, nFrame, v, nLife + 1, Reference[*nAt]);
                *nAt = nReference; /* one report a life */
                return;
            }
        }
    }
}

static int CompareDoubles(const void *a, const void *b)
{
    double x = *(const double *)a, y = *(const double *)b;
    return x < y ? -1 : x > y;
}

/* The time a frame takes is the median of the frames but the first, which
 * warms the caches: a frame the system took the processor away from does
 * not count. */
static void SignalRun(const BLOCK *b, const SHAPE *s, INSTANCE *w, const RUN *r)
{
    SHAPE Expect = *s;
    FILE *In[HOST_MAX_CHANNELS], *Out[HOST_MAX_CHANNELS], *OutIm[HOST_MAX_CHANNELS];
    char Defaults[MAX_PATH], Name[128], Id[96];
    long nSample = 0, nTotal = (long)r->nFrameSize * Trial.nFrames, nAt = 0;
    int i, nFrame, nRound = 0;
    LARGE_INTEGER Frequency, Start, End;
    double *Ticks = (double *)malloc(Trial.nFrames * sizeof(double)), dBudget, dPerFrame;
    int nTimed = 0;
    BOOL bTrace = r->bTrace && nLife == 0 && Trial.Dump[0] != '\0';
    QueryPerformanceFrequency(&Frequency);
    NoiseState = 1;
    memset(In, 0, sizeof(In));
    memset(Out, 0, sizeof(Out));
    memset(OutIm, 0, sizeof(OutIm));
    if (s->nInputs > 0) Expect.nOutputFrame = r->nFrameSize;
    for (i = 0; i < s->nInputs; i++) {
        HOSTCHANNEL *c = &w->Bio.In[i];
        long lFlag = 0;
        c->hData = HostAllocInput((DWORD)r->nFrameSize * (r->nRC + 1) * ElementBytes(r->nPrecision));
        c->dwFramesize = r->nFrameSize;
        lFlag = SETDRFLAG(lFlag, 1);
        lFlag = SETBFLAG(lFlag, 1);
        lFlag = SETRCFLAG(lFlag, r->nRC);
        lFlag = SETDTYPE(lFlag, r->nPrecision);
        c->lFlag = SETDIMENSION(lFlag, s->Dimension[i]);
        c->lQFlag = SETQVALUE(0, s->nQLevel);
        c->dSampFreq = r->dRate;
    }
    if (bTrace) {
        CreateDirectoryA(Trial.Dump, NULL);
        WriteTraceInfo(s, r);
        for (i = 0; i < s->nInputs; i++) { sprintf(Name, "in%d.f64", i); In[i] = OpenTrace(Name); }
        for (i = 0; i < s->nOutputs; i++) { sprintf(Name, "out%d.f64", i); Out[i] = OpenTrace(Name); }
    }
    WorkingPath("automation-defaults.ini", Defaults);
    nPhase = CHECK_PARAMETERS;
    if (r->bAutomate) SaveTo(b, w, Defaults);
    ChoosePrecision(b, w, r->nPrecision);
    nPhase = CHECK_SHAPE;
    Enter("UserInitializeProc");
    Returned(b->Initialize((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
    for (nFrame = 0; nFrame < Trial.nFrames && !bRefused; nFrame++) {
        DWORD k;
        if (r->bAutomate && nFrame > 0 && nFrame < Trial.nFrames - 1 && nFrame % Trial.nAutomateEvery == 0)
            Automate(b, w, nRound++, NULL);
        if (r->bAutomate && nFrame == Trial.nFrames - 1 && nFrame > 0) Automate(b, w, 0, Defaults);
        for (k = 0; k < (DWORD)r->nFrameSize; k++, nSample++) {
            double v = SignalSample(nSample, nTotal, r->dRate);
            for (i = 0; i < s->nInputs; i++) {
                BYTE *Data = (BYTE *)HostData(w->Bio.In[i].hData);
                StoreSample(Data, r->nPrecision, k * (r->nRC + 1), v);
                if (r->nRC == RC_COMPLEX) StoreSample(Data, r->nPrecision, k * 2 + 1, 0.0);
            }
        }
        for (i = 0; i < s->nInputs; i++) TraceChannel(In[i], &w->Bio.In[i], r->nPrecision, FALSE);
        sprintf(Name, "UserExecProc(precision %d, %s, %.0f Hz, frame size %d, frame %d)", r->nPrecision,
                r->nRC ? "complex" : "real", r->dRate, r->nFrameSize, nFrame);
        Enter(Name);
        QueryPerformanceCounter(&Start);
        i = b->Exec((HANDLE)&w->Bio, w->hParam, w->hScratchParam);
        QueryPerformanceCounter(&End);
        if (Ticks != NULL && (nFrame > 0 || Trial.nFrames == 1)) Ticks[nTimed++] = (double)(End.QuadPart - Start.QuadPart);
        Returned(i, USR_NO_ERR);
        CheckOutputs(&Expect, &w->Bio, r->nPrecision);
        CountNumbers(&w->Bio, r->nPrecision);
        if (r->bTrace) CompareLives(&w->Bio, r, nFrame, &nAt);
        for (i = 0; i < s->nOutputs; i++) {
            if (Out[i] == NULL) continue;
            TraceChannel(Out[i], &w->Bio.Out[i], r->nPrecision, FALSE);
            if (GETRCFLAG(w->Bio.Out[i].lFlag) == RC_COMPLEX) {
                if (OutIm[i] == NULL) { sprintf(Name, "out%d.im.f64", i); OutIm[i] = OpenTrace(Name); }
                TraceChannel(OutIm[i], &w->Bio.Out[i], r->nPrecision, TRUE);
            }
        }
    }
    for (i = 0; i < HOST_MAX_CHANNELS; i++) {
        if (In[i]) fclose(In[i]);
        if (Out[i]) fclose(Out[i]);
        if (OutIm[i]) fclose(OutIm[i]);
    }
    Enter("UserStopProc");
    Returned(b->Stop((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
    FreeInputs(&w->Bio);
    if (bRefused || nTimed == 0 || !r->bTimed) {
        free(Ticks);
        return;
    }
    /* A source's frames last as long as the rate it gives its outputs says. */
    if (s->nInputs == 0 && w->Bio.nOutputs > 0 && w->Bio.Out[0].dSampFreq > 0) {
        dBudget = 1e6 * w->Bio.Out[0].dwFramesize / w->Bio.Out[0].dSampFreq;
        sprintf(Id, "%d/%.0f/%lu", r->nPrecision, w->Bio.Out[0].dSampFreq, w->Bio.Out[0].dwFramesize);
    }
    else {
        dBudget = 1e6 * r->nFrameSize / r->dRate;
        sprintf(Id, "%d/%.0f/%d", r->nPrecision, r->dRate, r->nFrameSize);
    }
    qsort(Ticks, nTimed, sizeof(double), CompareDoubles);
    dPerFrame = 1e6 * Ticks[nTimed / 2] / (double)Frequency.QuadPart;
    free(Ticks);
    Print("TIME %s perframe_us=%.3f budget_us=%.3f\n", Id, dPerFrame, dBudget);
    bPerformed[CHECK_REALTIME] = TRUE;
    if (dBudget > 0 && dPerFrame / dBudget > dWorstRatio) {
        dWorstRatio = dPerFrame / dBudget;
        lstrcpynA(WorstRun, Id, sizeof(WorstRun));
    }
    if (Trial.nStrictness >= 4 && dPerFrame > dBudget) {
        sprintf(Name, "UserExecProc(precision %d, %s)", r->nPrecision, Id);
        Enter(Name);
        FailIn(CHECK_REALTIME, "takes %.3f us a frame, more than the frame's %.3f us", dPerFrame, dBudget);
    }
}

/* The signal runs of a life: at each precision the strictness takes, each
 * sample rate and frame size (a source keeps its own shape), the first of
 * them the reference run, which the trace records and a later life must
 * repeat; with automation, the reference shape again with parameters
 * changed between frames. Matrix, bitmap and real-time blocks have no
 * frames of samples to run the signal through. */
static void SignalRuns(const BLOCK *b, const SHAPE *s, INSTANCE *w)
{
    int p, r, f, nRC = s->bReal ? RC_REAL : RC_COMPLEX;
    int nFirst = ReferencePrecision(s);
    if (s->bMatrix || s->bBitmap || s->bRealTime || bRefused) return;
    nPhase = CHECK_SHAPE;
    Enter("UserPreInitializeProc");
    Returned(b->PreInitialize((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
    for (p = -1; p < s->nPrecisions && !bRefused; p++) {
        int nPrecision = p < 0 ? nFirst : s->Precisions[p];
        if (p >= 0 && (nPrecision == nFirst || !Trial.bAllPrecisions)) continue;
        for (r = 0; r < (s->nInputs > 0 ? Trial.nSampleRates : 1) && !bRefused; r++) {
            for (f = 0; f < (s->nInputs > 0 ? Trial.nFrameSizes : 1) && !bRefused; f++) {
                RUN Run;
                Run.nPrecision = nPrecision;
                Run.nFrameSize = Trial.FrameSizes[f];
                Run.nRC = nRC;
                Run.dRate = Trial.SampleRates[r];
                Run.bTrace = p < 0 && r == 0 && f == 0;
                Run.bAutomate = !Run.bTrace && Trial.nAutomateEvery > 0;
                Run.bTimed = TRUE;
                SignalRun(b, s, w, &Run);
                if (Run.bTrace && Trial.nAutomateEvery > 0) {
                    Run.bTrace = FALSE;
                    Run.bAutomate = TRUE;
                    Run.bTimed = FALSE;
                    SignalRun(b, s, w, &Run);
                }
            }
        }
    }
    Enter("UserResetProc");
    Returned(b->Reset((HANDLE)&w->Bio, w->hParam, w->hScratchParam), USR_NO_ERR);
}

/* The trial's summary: the counts of every floating output, the slowest
 * run, one line per check performed. */
static void ReportTrial(void)
{
    int o, c;
    for (o = 0; o < HOST_MAX_CHANNELS; o++)
        if (bCounted[o]) Print("COUNT %d nan=%ld inf=%ld denormal=%ld\n", o, Counts[o][0], Counts[o][1], Counts[o][2]);
    if (WorstRun[0] != '\0')
        Print("NOTE realtime: the slowest run (%s) takes %.3g of its frame's duration%s\n", WorstRun, dWorstRatio,
              Trial.nStrictness >= 4 ? "" : "; over 1 fails only at strictness 4 and 5");
    for (c = 0; c < CHECKS; c++) {
        if (nCheckFailures[c] > 0) Print("CHECK %s FAIL %d failures; first: %s\n", CheckIds[c], nCheckFailures[c], FirstFailure[c]);
        else if (bPerformed[c]) Print("CHECK %s PASS\n", CheckIds[c]);
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
    WorkingPath("short-life.ini", File);
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
    if (s->bBitmap || (Trial.bOn && Trial.nFailureStep == 0)) return;
    nPhase = CHECK_FAILURES;
    bPerformed[CHECK_FAILURES] = TRUE;
    HostFailCall(0);
    nCalls = ShortLife(b, s, 0);
    Enter("a short life");
    if (HostBlockAllocations(Report, sizeof(Report)) > 0) {
        Fail("leaves memory allocated once the block is deleted:\n%s", Report);
        return;
    }
    for (nCall = 1; nCall <= nCalls; nCall += Trial.bOn ? Trial.nFailureStep : 1) {
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
    WorkingPath(Text, Dll);
    GetPrivateProfileStringA("Block", "Def", "", Text, sizeof(Text), CaseFile);
    WorkingPath(Text, Def);
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

/* One life of the worksheet in a fresh instance: set-up, the frames at
 * every precision and layout, the signal runs of a trial, the parameters
 * set, the dialog, a save and load round trip, exit; then nothing of the
 * block may be left allocated. */
static void Life(const BLOCK *b, const SHAPE *s, const char *CaseFile)
{
    static char Report[8192];
    INSTANCE First;
    nPhase = CHECK_SHAPE;
    if (Create(b, s, &First)) {
        Live(b, s, &First);
        if (Trial.bOn) SignalRuns(b, s, &First);
        if (!Trial.bOn || Trial.bDialog) CheckDialog(b, CaseFile, &First);
        else {
            nPhase = CHECK_PARAMETERS;
            CheckSetParameter(b, &First);
        }
        RoundTrip(b, s, &First);
        nPhase = CHECK_SHAPE;
        Destroy(b, &First);
    }
    Enter("the end of the worksheet");
    if (HostBlockAllocations(Report, sizeof(Report)) > 0)
        FailIn(CHECK_LEAKS, "the block's allocations are not all freed:\n%s", Report);
}

int main(int argc, char **argv)
{
    char CaseFile[MAX_PATH], Dll[MAX_PATH], Def[MAX_PATH], DriverFile[MAX_PATH];
    SHAPE Shape;
    BLOCK Block;
    int c;
    hOut = GetStdHandle(STD_OUTPUT_HANDLE);
    if (argc != 2) {
        Print("usage: blockrun <case file>\n");
        return 2;
    }
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);
    WorkingPath(argv[1], CaseFile);
    ReadShape(CaseFile, &Shape, Dll, Def);
    ReadParams(CaseFile);
    if (!ReadTrial(CaseFile)) {
        Print("blockrun: %s: the [Trial] section asks for what cannot be run (Strictness 1 to 5, a known Signal, "
              "a readable signal file, rates, frame sizes, Frames and Lives above 0)\n", CaseFile);
        return 2;
    }
    for (c = CHECK_CRASH; c <= CHECK_PARAMETERS && Trial.bOn; c++)
        if (c != CHECK_NUMBERS) bPerformed[c] = TRUE;
    WorkingPath("worksheet.ini", DriverFile);
    WritePrivateProfileStringA("Worksheet", "DriverName", "fake.drv", DriverFile);
    HostSetDriverFile("Worksheet", DriverFile);

    if (!LoadBlock(Dll, &Block, Shape.bRealTime) || !CheckAddresses(Block.hModule)) {
        if (Trial.bOn) ReportTrial();
        return 1;
    }
    CheckExports(Block.hModule, Def);
    for (nLife = 0; nLife < (Trial.bOn ? Trial.nLives : 1); nLife++) Life(&Block, &Shape, CaseFile);
    if (nLife > 1) bPerformed[CHECK_LIVES] = TRUE;
    nPhase = CHECK_DIALOG;
    if (HostMessageCount() > 0)
        Fail("the block showed %d message box(es), the first: %s", HostMessageCount(), HostMessage(0));
    if (nFailures == 0 && !bRefused) CheckFailures(&Block, &Shape);
    if (Trial.bOn) ReportTrial();
    Print("%s: %d failure(s)\n", Dll, nFailures);
    return nFailures == 0 ? 0 : 1;
}
