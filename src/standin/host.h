/*
 * host.h -- the stand-in host's own side.
 *
 * The stand-in host lets a block be tried without the real host: built
 * against it, a block's DLL is driven through a worksheet's life by the
 * runner (runner.c, blockrun.exe), which `blockwright try` starts; the test
 * suite runs every generated block in it too. This header is what a runner
 * uses to set up a worksheet for a block, watch what the block does with
 * memory, and read back what the host's services recorded. The routines the block itself calls are those of
 * bddk.h and bddrv.h; bdhost.dll gives them real bodies.
 *
 * Where the host's behaviour is not fixed by what the generated code calls,
 * the stand-in assumes:
 *  - hBioInfo is a pointer to the host's BIOINFO below, passed as a handle.
 *  - Input buffers belong to the host: it allocates them, the block only
 *    locks them. An output channel starts without a buffer; the block
 *    allocates it with CheckDataBuffer, hands it over with
 *    SetOutputDataHandle and frees it in its exit routine, so by the end of
 *    its life every handle the block allocated (directly, or through
 *    CheckDataBuffer) is freed.
 *  - No handle stays locked between two calls of an entry point.
 *  - CheckDataBuffer gives a buffer of exactly the size asked: it keeps a
 *    handle of that size, resizes another one (keeping its contents up to
 *    the smaller size) and allocates a new zeroed one for NULL; it never
 *    hands out fewer than one byte. So a block that writes past the size it
 *    asked for writes into the buffer's guard zone. A buffer it cannot give
 *    (more than HOST_MAX_BUFFER bytes, as a 32-bit host with a worksheet
 *    loaded would fail it) is refused with NULL, and the handle passed in is
 *    freed: blocks assign the result to the handle they pass, so keeping it
 *    would leak it.
 *  - FreeGlobalMemory ignores NULL and frees anything else the block
 *    allocated. Freeing memory twice, a locked handle, a host input, or with
 *    the routine of another kind of allocation (GlobalFree for malloc) is a
 *    fault the runner reports.
 *  - Every buffer the block allocates (GlobalAlloc, LocalAlloc, HeapAlloc,
 *    malloc and their relatives, CheckDataBuffer) or the host hands out
 *    (inputs) lies between two guard zones, checked after every entry
 *    point and when the buffer is freed or resized. What each buffer is,
 *    is kept apart from the buffers, so that a write far past one cannot
 *    corrupt the host's records.
 *
 * Addresses in a 64-bit run: the generated text passes some pointers and
 * handles through 32-bit integers, as a 32-bit block may (the (DWORD)(LPSTR)
 * casts of the strings a combo box is filled with, (DWORD) of a dialog's
 * local buffer, (LONG) of the real-time parameter handle to the driver).
 * The 64-bit harness therefore keeps every address a block can see below
 * 2 GB: runner, host and block are linked at fixed low image bases without
 * dynamic base or high-entropy addresses, every handle and buffer above
 * comes from one arena reserved at HOST_ARENA_BASE, and the runner checks
 * that its stack and the modules lie there too before it calls the block.
 *  - ConvertData converts element by element through double, with C's
 *    conversion rules, and refuses bitmaps and text (USR_ERR_DT). From
 *    HDT_MATRIX it converts a matrix: the elements of the type its header
 *    names, the header copied with the new type.
 *  - GetMaxPrecision orders char < byte < short < int < long < float <
 *    double.
 *  - The default parameter files (BPARAM, RTBPARAM) lie in the working
 *    folder of the worksheet, so that blocks run one after another do not
 *    see each other's defaults; a file named with a path is used as named.
 *  - The parameter file is a private-profile file: one key per value, the
 *    key as the block names it, the nID argument only identifies the dialog
 *    control and is not written. Integers are written in decimal, char as
 *    its character code, float with 9 and double with 17 significant
 *    digits; a key that is absent loads the default.
 *  - The worksheet's driver file names the fake driver ("fake.drv"); the
 *    fake driver accepts every command, records it, answers
 *    DRV_DSPPRECISION with HDT_FLOAT in dwData and marks the block compiled
 *    (bBlockCompiled) when DRV_LOADBLOCK loads it.
 *  - Message boxes the block shows are answered with OK and recorded; the
 *    block window is NULL.
 *  - The dialog helpers read and write the controls' texts: numbers in
 *    decimal (float with 9, double with 17 significant digits), a char as
 *    the one character. GetHParam and GetScratchParam give the structures
 *    of the instance whose dialog is open, whatever the window.
 */
#ifndef HOST_H
#define HOST_H

#include <windows.h>

#define HOST_MAX_CHANNELS 130
#define HOST_MAX_RECORDS 512
#define HOST_MAX_BUFFER (64UL << 20)
#define HOST_ARENA_BASE 0x30000000UL
#define HOST_ARENA_SIZE 0x20000000UL

typedef struct tagHOSTCHANNEL {
    HANDLE hData;
    long lFlag;
    long lQFlag;
    unsigned long dwFramesize;
    double dSampFreq;
} HOSTCHANNEL;

typedef struct tagBIOINFO {
    int nInputs;
    int nOutputs;
    HOSTCHANNEL In[HOST_MAX_CHANNELS];
    HOSTCHANNEL Out[HOST_MAX_CHANNELS];
} BIOINFO;

/* What a parameter list entry or a parameter load looked like. */
typedef struct tagHOSTRECORD {
    char Name[128];
    DWORD dwValue; /* type and identifier of a list entry */
    char cType;    /* letter of the load call: B S I L F D C T */
    char File[MAX_PATH];
} HOSTRECORD;

/* Redirects the module's imports of the memory routines (global, local,
 * heap and the C runtime's) and of the message box to the host's counting
 * ones. */
__declspec(dllexport) BOOL HostWatchModule(HMODULE hModule);
__declspec(dllexport) void HostSetBlockInstance(HINSTANCE hInstance);
/* The name of the entry point being called, for what the ledger records. */
__declspec(dllexport) void HostSetCurrentCall(const char* Name);

/* The structures of the instance whose dialog the host shows next. */
__declspec(dllexport) void HostSetDialogParams(HANDLE hParam, HANDLE hScratchParam);

/* Host-owned memory (input buffers). */
__declspec(dllexport) HANDLE HostAllocInput(DWORD dwBytes);
__declspec(dllexport) void HostFreeInput(HANDLE hMemory);
/* Frees, as the host, a block's allocation if it is still there. */
__declspec(dllexport) void HostReclaim(HANDLE hMemory);
/* The data and size of a handle, for the runner's own reading: no lock. */
__declspec(dllexport) void* HostData(HANDLE hMemory);
__declspec(dllexport) SIZE_T HostSize(HANDLE hMemory);

/* From now on, the nCall-th allocation or lock the block asks for fails (0:
 * none); HostCountedCalls says how many it asked for since. */
__declspec(dllexport) void HostFailCall(int nCall);
__declspec(dllexport) int HostCountedCalls(void);

/* Write a line per handle still locked (and forget those locks) or still
 * allocated by the block into Report; return how many. */
__declspec(dllexport) int HostTakeLockedHandles(char* Report, int nMax);
__declspec(dllexport) int HostBlockAllocations(char* Report, int nMax);
/* How many buffers CheckDataBuffer refused since the last call. */
__declspec(dllexport) int HostTakeRefusedAllocations(void);
/* Unlocks of handles the block did not hold locked, since the last call. */
__declspec(dllexport) int HostTakeStrayUnlocks(char* Report, int nMax);
/* Guard zones written over, and frees and locks of what the block may not
 * free or lock, since the last call. */
__declspec(dllexport) int HostTakeMemoryFaults(char* Report, int nMax);

__declspec(dllexport) int HostParameterListCount(void);
__declspec(dllexport) const HOSTRECORD* HostParameterList(int nIndex);
__declspec(dllexport) void HostClearParameterList(void);
__declspec(dllexport) int HostLoadCount(void);
__declspec(dllexport) const HOSTRECORD* HostLoad(int nIndex);
__declspec(dllexport) void HostClearLoads(void);

__declspec(dllexport) int HostMessageCount(void);
__declspec(dllexport) const char* HostMessage(int nIndex);
__declspec(dllexport) int HostDriverCommandCount(WORD wCommand);
__declspec(dllexport) void HostSetDriverFile(LPCSTR Section, LPCSTR FileName);

#endif /* HOST_H */
