/*
 * host.c -- the stand-in host, a host to try a block in without the real one.
 *
 * Real bodies for the routines of bddk.h and bddrv.h, built into
 * bdhost.dll, which a block links against as it would against the host. It keeps a ledger of every global-memory handle the
 * block allocates and locks (see host.h for what it assumes).
 */
/* clang-format off */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "bddk.h"
#include "bddrv.h"
#include "host.h"

/* ------------------------------------------------------------------------
 * The arena: every buffer the block allocates or the host hands out
 *
 * Blocks see only memory of a fixed low arena (see host.h for why), each
 * buffer between two guard zones. What a buffer is, is kept out of line in
 * the ledger, so that a block writing far past a buffer cannot corrupt the
 * host's bookkeeping or the runner's heap.
 * ---------------------------------------------------------------------- */
#define MAX_HANDLES   8192
#define MAX_FREE      8192
#define GUARD         32
#define SLOT_BYTES    (1UL << 20)          /* the handle table at the arena's start */
#define QUARANTINE    64                   /* freed spans kept back from reuse */
#define FREED_SLOT    ((BYTE *)1)

enum { FAMILY_GLOBAL, FAMILY_LOCAL, FAMILY_HEAP, FAMILY_MALLOC };
static const char *const FamilyAlloc[] = {"GlobalAlloc", "LocalAlloc", "HeapAlloc", "malloc"};

typedef struct tagSPAN {
    SIZE_T Offset, Size;
} SPAN;

typedef struct tagLEDGERENTRY {
    HANDLE  hMemory;        /* what the block holds: a handle, or the data for fixed memory */
    BYTE  **Slot;           /* the handle's slot, NULL for fixed memory */
    BYTE   *Data;
    SIZE_T  dwBytes;
    SPAN    Span;
    int     nLocks;
    int     Family;
    BOOL    bHostOwned;
    BOOL    bGuardReported;
    char    Origin[64];     /* the entry point that allocated it */
} LEDGERENTRY;

static BYTE       *Arena;
static SPAN        Free[MAX_FREE];
static int         nFree;
static SPAN        Quarantine[QUARANTINE];
static void       *QuarantineHandle[QUARANTINE];
static int         nQuarantine, nQuarantined;
static int         nSlots;
static LEDGERENTRY Ledger[MAX_HANDLES];
static int         nLedger;
static char        CurrentCall[64] = "(host)";
static char        StrayUnlocks[2048];
static int         nStrayUnlocks;
static char        Faults[4096];
static int         nFaults;
static int         nCountedCalls, nFailAt;

static void AddLine(char *Text, int nMax, const char *Line)
{
    if (lstrlenA(Text) + lstrlenA(Line) < nMax) lstrcatA(Text, Line);
}

static void Fault(const char *Format, const void *p, const char *What)
{
    char Line[256];
    wsprintfA(Line, Format, CurrentCall, p, What);
    nFaults++;
    AddLine(Faults, sizeof(Faults), Line);
}

static BOOL InArena(const void *p)
{
    return Arena != NULL && (const BYTE *)p >= Arena && (const BYTE *)p < Arena + HOST_ARENA_SIZE;
}

static BOOL SetUpArena(void)
{
    if (Arena != NULL) return TRUE;
    Arena = (BYTE *)VirtualAlloc((void *)(ULONG_PTR)HOST_ARENA_BASE, HOST_ARENA_SIZE,
                                 MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (Arena == NULL) {
        /* Nothing can run without it: say so and stop. */
        char Line[128];
        DWORD dwWritten;
        wsprintfA(Line, "FAIL (host): the arena at 0x%lx cannot be reserved (error %lu)\n",
                  (unsigned long)HOST_ARENA_BASE, GetLastError());
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), Line, lstrlenA(Line), &dwWritten, NULL);
        ExitProcess(4);
    }
    Free[0].Offset = SLOT_BYTES;
    Free[0].Size = HOST_ARENA_SIZE - SLOT_BYTES;
    nFree = 1;
    return TRUE;
}

/* First fit from the address-ordered free list. */
static BOOL TakeSpan(SIZE_T Size, SPAN *Span)
{
    int i;
    for (i = 0; i < nFree; i++) {
        if (Free[i].Size < Size) continue;
        Span->Offset = Free[i].Offset;
        Span->Size = Size;
        Free[i].Offset += Size;
        Free[i].Size -= Size;
        if (Free[i].Size == 0) {
            memmove(&Free[i], &Free[i + 1], (nFree - i - 1) * sizeof(SPAN));
            nFree--;
        }
        return TRUE;
    }
    return FALSE;
}

static void GiveBackSpan(SPAN Span)
{
    int i = 0;
    while (i < nFree && Free[i].Offset < Span.Offset) i++;
    if (i > 0 && Free[i - 1].Offset + Free[i - 1].Size == Span.Offset) {
        Free[i - 1].Size += Span.Size;
        if (i < nFree && Span.Offset + Span.Size == Free[i].Offset) {
            Free[i - 1].Size += Free[i].Size;
            memmove(&Free[i], &Free[i + 1], (nFree - i - 1) * sizeof(SPAN));
            nFree--;
        }
        return;
    }
    if (i < nFree && Span.Offset + Span.Size == Free[i].Offset) {
        Free[i].Offset = Span.Offset;
        Free[i].Size += Span.Size;
        return;
    }
    if (nFree == MAX_FREE) return; /* lost to fragmentation; the arena is large */
    memmove(&Free[i + 1], &Free[i], (nFree - i) * sizeof(SPAN));
    Free[i] = Span;
    nFree++;
}

/* A freed span is held back a while, so that a second free of the same
 * memory is recognised rather than freeing what was handed out since. */
static void ReleaseSpan(SPAN Span, void *hMemory)
{
    int i = nQuarantined % QUARANTINE;
    if (nQuarantined >= QUARANTINE) GiveBackSpan(Quarantine[i]);
    Quarantine[i] = Span;
    QuarantineHandle[i] = hMemory;
    nQuarantined++;
    if (nQuarantine < QUARANTINE) nQuarantine++;
}

static BOOL RecentlyFreed(const void *hMemory)
{
    int i;
    for (i = 0; i < nQuarantine; i++)
        if (QuarantineHandle[i] == hMemory) return TRUE;
    return FALSE;
}

/* A guard byte depends on its address: a block that copies past the end
 * of one buffer from past the end of another copies guard bytes that are
 * wrong where they land. */
static BYTE GuardByte(const BYTE *p)
{
    return (BYTE)((((ULONG_PTR)p * 2654435761UL) >> 13) ^ 0xA5);
}

static void FillGuard(BYTE *From, BYTE *To)
{
    for (; From < To; From++) *From = GuardByte(From);
}

static void FillGuards(LEDGERENTRY *e)
{
    BYTE *Start = Arena + e->Span.Offset;
    FillGuard(Start, e->Data);
    FillGuard(e->Data + e->dwBytes, Start + e->Span.Size);
}

/* The first byte of the guard zones that is not as it was set, or NULL. */
static const BYTE *DamagedGuard(const LEDGERENTRY *e)
{
    const BYTE *p, *Start = Arena + e->Span.Offset, *End = Start + e->Span.Size;
    for (p = Start; p < e->Data; p++)
        if (*p != GuardByte(p)) return p;
    for (p = e->Data + e->dwBytes; p < End; p++)
        if (*p != GuardByte(p)) return p;
    return NULL;
}

static void CheckGuard(LEDGERENTRY *e)
{
    const BYTE *p = DamagedGuard(e);
    char Line[256];
    if (p == NULL || e->bGuardReported) return;
    e->bGuardReported = TRUE;
    if (p < e->Data)
        wsprintfA(Line, "  %s wrote %lu byte(s) before the %lu-byte buffer %p from %s\n", CurrentCall,
                  (unsigned long)(e->Data - p), (unsigned long)e->dwBytes, e->hMemory, e->Origin);
    else
        wsprintfA(Line, "  %s wrote past the end of the %lu-byte buffer %p from %s (at byte %lu)\n",
                  CurrentCall, (unsigned long)e->dwBytes, e->hMemory, e->Origin,
                  (unsigned long)(p - e->Data));
    nFaults++;
    AddLine(Faults, sizeof(Faults), Line);
}

static BOOL PlaceBuffer(LEDGERENTRY *e, SIZE_T dwBytes)
{
    SIZE_T Size = GUARD + ((dwBytes + 15) & ~(SIZE_T)15) + GUARD;
    if (dwBytes > HOST_ARENA_SIZE || !TakeSpan(Size, &e->Span)) return FALSE;
    e->Data = Arena + e->Span.Offset + GUARD;
    e->dwBytes = dwBytes;
    e->bGuardReported = FALSE;
    FillGuards(e);
    return TRUE;
}

static LEDGERENTRY *FindEntry(const void *hMemory)
{
    int i;
    if (hMemory == NULL) return NULL;
    for (i = 0; i < nLedger; i++)
        if (Ledger[i].hMemory == hMemory) return &Ledger[i];
    return NULL;
}

/* An allocation or a lock the block asks for: the one a run chose fails. */
static BOOL CountedCallFails(void)
{
    return ++nCountedCalls == nFailAt;
}

static HANDLE Allocate(SIZE_T dwBytes, int Family, BOOL bMoveable, BOOL bHostOwned)
{
    LEDGERENTRY *e;
    SetUpArena();
    if (nLedger == MAX_HANDLES) return NULL;
    e = &Ledger[nLedger];
    memset(e, 0, sizeof(*e));
    if (!PlaceBuffer(e, dwBytes)) return NULL;
    memset(e->Data, 0, dwBytes);
    e->Family = Family;
    e->bHostOwned = bHostOwned;
    lstrcpynA(e->Origin, CurrentCall, sizeof(e->Origin));
    if (bMoveable) {
        BYTE **Slots = (BYTE **)Arena;
        e->Slot = &Slots[nSlots++ % (SLOT_BYTES / sizeof(BYTE *))];
        *e->Slot = e->Data;
        e->hMemory = (HANDLE)e->Slot;
    }
    else e->hMemory = (HANDLE)e->Data;
    nLedger++;
    return e->hMemory;
}

static void Discard(LEDGERENTRY *e)
{
    CheckGuard(e);
    memset(e->Data, 0xDD, e->dwBytes);
    if (e->Slot != NULL) *e->Slot = FREED_SLOT;
    ReleaseSpan(e->Span, e->hMemory);
    *e = Ledger[--nLedger];
}

/* Frees what the block names; Caller is the routine it called. */
static BOOL Release(HANDLE hMemory, int Family, const char *Caller)
{
    LEDGERENTRY *e = FindEntry(hMemory);
    if (hMemory == NULL) return TRUE;
    if (e == NULL) {
        BOOL bFreedSlot = InArena(hMemory) && (BYTE *)hMemory < Arena + SLOT_BYTES &&
                          *(BYTE **)hMemory == FREED_SLOT;
        if (bFreedSlot || RecentlyFreed(hMemory))
            Fault("  %s frees %p a second time with %s\n", hMemory, Caller);
        else
            Fault("  %s frees %p with %s, which no allocation handed out\n", hMemory, Caller);
        return FALSE;
    }
    if (e->bHostOwned) {
        Fault("  %s frees %p with %s, a buffer the host owns\n", hMemory, Caller);
        return FALSE;
    }
    if (e->Family != Family) {
        char Line[256];
        wsprintfA(Line, "  %s frees %p with %s, which %s allocated\n", CurrentCall, hMemory, Caller,
                  FamilyAlloc[e->Family]);
        nFaults++;
        AddLine(Faults, sizeof(Faults), Line);
        return FALSE;
    }
    if (e->nLocks > 0) Fault("  %s frees %p with %s while it is locked\n", hMemory, Caller);
    Discard(e);
    return TRUE;
}

/* A new size for a buffer, its contents kept up to the smaller size. */
static HANDLE Resize(HANDLE hMemory, SIZE_T dwBytes, int Family, const char *Caller)
{
    LEDGERENTRY *e = FindEntry(hMemory), Old;
    if (e == NULL || e->Family != Family) {
        Fault("  %s resizes %p with %s, which no allocation of its kind handed out\n", hMemory, Caller);
        return NULL;
    }
    CheckGuard(e);
    Old = *e;
    if (!PlaceBuffer(e, dwBytes)) {
        *e = Old;
        return NULL;
    }
    memcpy(e->Data, Old.Data, Old.dwBytes < dwBytes ? Old.dwBytes : dwBytes);
    if (dwBytes > Old.dwBytes) memset(e->Data + Old.dwBytes, 0, dwBytes - Old.dwBytes);
    memset(Old.Data, 0xDD, Old.dwBytes);
    ReleaseSpan(Old.Span, NULL);
    if (e->Slot != NULL) *e->Slot = e->Data;
    else e->hMemory = (HANDLE)e->Data;
    return e->hMemory;
}

static void *LockEntry(HANDLE hMemory, const char *Caller)
{
    LEDGERENTRY *e = FindEntry(hMemory);
    if (e == NULL) {
        if (hMemory != NULL) Fault("  %s locks %p with %s, which no allocation handed out\n", hMemory, Caller);
        return NULL;
    }
    if (e->Slot != NULL) e->nLocks++;
    return e->Data;
}

static BOOL UnlockEntry(HANDLE hMemory)
{
    LEDGERENTRY *e = FindEntry(hMemory);
    if (e != NULL && e->nLocks > 0) {
        e->nLocks--;
        return e->nLocks > 0;
    }
    if (e != NULL && e->Slot == NULL) return FALSE;
    if (nStrayUnlocks++ < 8) {
        char Line[160];
        wsprintfA(Line, "  %s unlocks %s handle %p\n", CurrentCall,
                  e != NULL ? "the unlocked" : "the unknown", hMemory);
        AddLine(StrayUnlocks, sizeof(StrayUnlocks), Line);
    }
    return FALSE;
}

/* ------------------------------------------------------------------------
 * What the block calls instead of the system's memory routines
 * ---------------------------------------------------------------------- */
static HGLOBAL WINAPI CountedGlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    if (CountedCallFails()) return NULL;
    return Allocate(dwBytes, FAMILY_GLOBAL, (uFlags & GMEM_MOVEABLE) != 0, FALSE);
}

static HGLOBAL WINAPI CountedGlobalReAlloc(HGLOBAL hMemory, SIZE_T dwBytes, UINT uFlags)
{
    if (CountedCallFails()) return NULL;
    return Resize(hMemory, dwBytes, FAMILY_GLOBAL, "GlobalReAlloc");
}

static LPVOID WINAPI CountedGlobalLock(HGLOBAL hMemory)
{
    if (CountedCallFails()) return NULL;
    return LockEntry(hMemory, "GlobalLock");
}

static BOOL WINAPI CountedGlobalUnlock(HGLOBAL hMemory) { return UnlockEntry(hMemory); }

static HGLOBAL WINAPI CountedGlobalFree(HGLOBAL hMemory)
{
    return Release(hMemory, FAMILY_GLOBAL, "GlobalFree") ? NULL : hMemory;
}

static SIZE_T WINAPI CountedGlobalSize(HGLOBAL hMemory)
{
    LEDGERENTRY *e = FindEntry(hMemory);
    return e != NULL ? e->dwBytes : 0;
}

static HLOCAL WINAPI CountedLocalAlloc(UINT uFlags, SIZE_T uBytes)
{
    if (CountedCallFails()) return NULL;
    return Allocate(uBytes, FAMILY_LOCAL, (uFlags & LMEM_MOVEABLE) != 0, FALSE);
}

static HLOCAL WINAPI CountedLocalReAlloc(HLOCAL hMemory, SIZE_T uBytes, UINT uFlags)
{
    if (CountedCallFails()) return NULL;
    return Resize(hMemory, uBytes, FAMILY_LOCAL, "LocalReAlloc");
}

static LPVOID WINAPI CountedLocalLock(HLOCAL hMemory)
{
    if (CountedCallFails()) return NULL;
    return LockEntry(hMemory, "LocalLock");
}

static BOOL WINAPI CountedLocalUnlock(HLOCAL hMemory) { return UnlockEntry(hMemory); }

static HLOCAL WINAPI CountedLocalFree(HLOCAL hMemory)
{
    return Release(hMemory, FAMILY_LOCAL, "LocalFree") ? NULL : hMemory;
}

static LPVOID WINAPI CountedHeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes)
{
    if (CountedCallFails()) return NULL;
    return Allocate(dwBytes, FAMILY_HEAP, FALSE, FALSE);
}

static LPVOID WINAPI CountedHeapReAlloc(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem, SIZE_T dwBytes)
{
    if (CountedCallFails()) return NULL;
    return Resize(lpMem, dwBytes, FAMILY_HEAP, "HeapReAlloc");
}

/* Memory from before the block was watched is the system's own. */
static BOOL WINAPI CountedHeapFree(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem)
{
    if (lpMem != NULL && !InArena(lpMem)) return HeapFree(hHeap, dwFlags, lpMem);
    return Release(lpMem, FAMILY_HEAP, "HeapFree");
}

static void *__cdecl CountedMalloc(size_t nBytes)
{
    if (CountedCallFails()) return NULL;
    return Allocate(nBytes, FAMILY_MALLOC, FALSE, FALSE);
}

static void *__cdecl CountedCalloc(size_t nCount, size_t nSize)
{
    if (CountedCallFails() || (nSize != 0 && nCount > HOST_ARENA_SIZE / nSize)) return NULL;
    return Allocate(nCount * nSize, FAMILY_MALLOC, FALSE, FALSE);
}

static void *__cdecl CountedRealloc(void *p, size_t nBytes)
{
    if (CountedCallFails()) return NULL;
    if (p == NULL) return Allocate(nBytes, FAMILY_MALLOC, FALSE, FALSE);
    if (!InArena(p)) return realloc(p, nBytes);
    return Resize(p, nBytes, FAMILY_MALLOC, "realloc");
}

static void __cdecl CountedFree(void *p)
{
    if (p != NULL && !InArena(p)) {
        free(p);
        return;
    }
    Release(p, FAMILY_MALLOC, "free");
}

static int Messages;
static char MessageTexts[16][256];

static int WINAPI RecordedMessageBoxA(HWND hWnd, LPCSTR Text, LPCSTR Caption, UINT uType)
{
    if (Messages < 16) lstrcpynA(MessageTexts[Messages], Text, 256);
    Messages++;
    return IDOK;
}

typedef struct tagIMPORTHOOK {
    const char *Name;
    void       *Replacement;
} IMPORTHOOK;

/* Matched by name whatever the DLL: the C runtime's routines come from
 * msvcrt.dll or from one of the api-ms-win-crt DLLs. */
static const IMPORTHOOK Hooks[] = {
    {"GlobalAlloc", (void *)CountedGlobalAlloc},
    {"GlobalReAlloc", (void *)CountedGlobalReAlloc},
    {"GlobalLock", (void *)CountedGlobalLock},
    {"GlobalUnlock", (void *)CountedGlobalUnlock},
    {"GlobalFree", (void *)CountedGlobalFree},
    {"GlobalSize", (void *)CountedGlobalSize},
    {"LocalAlloc", (void *)CountedLocalAlloc},
    {"LocalReAlloc", (void *)CountedLocalReAlloc},
    {"LocalLock", (void *)CountedLocalLock},
    {"LocalUnlock", (void *)CountedLocalUnlock},
    {"LocalFree", (void *)CountedLocalFree},
    {"HeapAlloc", (void *)CountedHeapAlloc},
    {"HeapReAlloc", (void *)CountedHeapReAlloc},
    {"HeapFree", (void *)CountedHeapFree},
    {"malloc", (void *)CountedMalloc},
    {"calloc", (void *)CountedCalloc},
    {"realloc", (void *)CountedRealloc},
    {"free", (void *)CountedFree},
    {"MessageBoxA", (void *)RecordedMessageBoxA},
};

static void *HookFor(const char *Name)
{
    size_t i;
    for (i = 0; i < sizeof(Hooks) / sizeof(Hooks[0]); i++)
        if (strcmp(Hooks[i].Name, Name) == 0) return Hooks[i].Replacement;
    return NULL;
}

static void PatchThunk(IMAGE_THUNK_DATA *lpThunk, void *Replacement)
{
    DWORD dwOld;
    VirtualProtect(&lpThunk->u1.Function, sizeof(lpThunk->u1.Function), PAGE_READWRITE, &dwOld);
    lpThunk->u1.Function = (DWORD_PTR)Replacement;
    VirtualProtect(&lpThunk->u1.Function, sizeof(lpThunk->u1.Function), dwOld, &dwOld);
}

BOOL HostWatchModule(HMODULE hModule)
{
    BYTE *Base = (BYTE *)hModule;
    IMAGE_NT_HEADERS *Nt = (IMAGE_NT_HEADERS *)(Base + ((IMAGE_DOS_HEADER *)Base)->e_lfanew);
    IMAGE_DATA_DIRECTORY *Dir = &Nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    IMAGE_IMPORT_DESCRIPTOR *Import;
    SetUpArena();
    if (Dir->VirtualAddress == 0) return FALSE;
    for (Import = (IMAGE_IMPORT_DESCRIPTOR *)(Base + Dir->VirtualAddress); Import->Name; Import++) {
        IMAGE_THUNK_DATA *Names = (IMAGE_THUNK_DATA *)(Base + (Import->OriginalFirstThunk
                                                      ? Import->OriginalFirstThunk
                                                      : Import->FirstThunk));
        IMAGE_THUNK_DATA *Thunks = (IMAGE_THUNK_DATA *)(Base + Import->FirstThunk);
        for (; Names->u1.AddressOfData; Names++, Thunks++) {
            void *Replacement;
            if (IMAGE_SNAP_BY_ORDINAL(Names->u1.Ordinal)) continue;
            Replacement = HookFor((const char *)((IMAGE_IMPORT_BY_NAME *)(Base + Names->u1.AddressOfData))->Name);
            if (Replacement != NULL) PatchThunk(Thunks, Replacement);
        }
    }
    return TRUE;
}

static HINSTANCE hBlockInstance;

void HostSetBlockInstance(HINSTANCE hInstance) { hBlockInstance = hInstance; }

void HostSetCurrentCall(const char *Name) { lstrcpynA(CurrentCall, Name, sizeof(CurrentCall)); }

HANDLE HostAllocInput(DWORD dwBytes) { return Allocate(dwBytes, FAMILY_GLOBAL, TRUE, TRUE); }

void HostFreeInput(HANDLE hMemory)
{
    LEDGERENTRY *e = FindEntry(hMemory);
    if (e != NULL && e->bHostOwned) Discard(e);
}

void HostReclaim(HANDLE hMemory)
{
    LEDGERENTRY *e = FindEntry(hMemory);
    if (e != NULL && !e->bHostOwned) Discard(e);
}

void *HostData(HANDLE hMemory)
{
    LEDGERENTRY *e = FindEntry(hMemory);
    return e != NULL ? e->Data : NULL;
}

SIZE_T HostSize(HANDLE hMemory) { return CountedGlobalSize(hMemory); }

void HostFailCall(int nCall)
{
    nCountedCalls = 0;
    nFailAt = nCall;
}

int HostCountedCalls(void) { return nCountedCalls; }

static int Report(char *Text, int nMax, BOOL bLocked)
{
    static const char *const Kinds[] = {"handle", "local handle", "heap block", "malloc block"};
    int i, n = 0;
    Text[0] = '\0';
    for (i = 0; i < nLedger; i++) {
        char Line[200];
        if (bLocked ? Ledger[i].nLocks == 0 : Ledger[i].bHostOwned) continue;
        n++;
        wsprintfA(Line, "  %s %p of %lu bytes from %s%s, locked %d time(s)\n", Kinds[Ledger[i].Family],
                  Ledger[i].hMemory, (unsigned long)Ledger[i].dwBytes, Ledger[i].Origin,
                  Ledger[i].bHostOwned ? " (a host input)" : "", Ledger[i].nLocks);
        if (bLocked) {
            /* reported once: the next entry point starts from a clean count */
            Ledger[i].nLocks = 0;
        }
        AddLine(Text, nMax, Line);
    }
    return n;
}

int HostTakeLockedHandles(char *Text, int nMax) { return Report(Text, nMax, TRUE); }
int HostBlockAllocations(char *Text, int nMax) { return Report(Text, nMax, FALSE); }

int HostTakeStrayUnlocks(char *Text, int nMax)
{
    int n = nStrayUnlocks;
    lstrcpynA(Text, StrayUnlocks, nMax);
    StrayUnlocks[0] = '\0';
    nStrayUnlocks = 0;
    return n;
}

int HostTakeMemoryFaults(char *Text, int nMax)
{
    int i, n;
    for (i = 0; i < nLedger; i++) CheckGuard(&Ledger[i]);
    n = nFaults;
    lstrcpynA(Text, Faults, nMax);
    Faults[0] = '\0';
    nFaults = 0;
    return n;
}

int HostMessageCount(void) { return Messages; }
const char *HostMessage(int nIndex) { return nIndex < 16 ? MessageTexts[nIndex] : ""; }

/* ------------------------------------------------------------------------
 * Block input/output services
 * ---------------------------------------------------------------------- */
static BIOINFO *Bio(HANDLE hBioInfo) { return (BIOINFO *)hBioInfo; }

static HOSTCHANNEL *In(HANDLE hBioInfo, int nChannel)
{
    BIOINFO *b = Bio(hBioInfo);
    return b != NULL && nChannel >= 0 && nChannel < b->nInputs ? &b->In[nChannel] : NULL;
}

static HOSTCHANNEL *Out(HANDLE hBioInfo, int nChannel)
{
    BIOINFO *b = Bio(hBioInfo);
    return b != NULL && nChannel >= 0 && nChannel < b->nOutputs ? &b->Out[nChannel] : NULL;
}

int PASCAL GetNumInputs(HANDLE hBioInfo) { return Bio(hBioInfo) ? Bio(hBioInfo)->nInputs : 0; }
int PASCAL GetNumOutputs(HANDLE hBioInfo) { return Bio(hBioInfo) ? Bio(hBioInfo)->nOutputs : 0; }

HANDLE PASCAL GetInputDataHandle(HANDLE hBioInfo, int nChannel)
{
    return In(hBioInfo, nChannel) ? In(hBioInfo, nChannel)->hData : NULL;
}

#define GET_FIELD(Channel, field, lp) \
    do { HOSTCHANNEL *c = (Channel); if (c == NULL || (lp) == NULL) return FALSE; *(lp) = c->field; return TRUE; } while (0)
#define SET_FIELD(Channel, field, v) \
    do { HOSTCHANNEL *c = (Channel); if (c == NULL) return FALSE; c->field = (v); return TRUE; } while (0)

BOOL PASCAL GetInputChannelFlag(HANDLE hBioInfo, int nChannel, long *lpFlag) { GET_FIELD(In(hBioInfo, nChannel), lFlag, lpFlag); }
BOOL PASCAL GetInputQFlag(HANDLE hBioInfo, int nChannel, long *lpQFlag) { GET_FIELD(In(hBioInfo, nChannel), lQFlag, lpQFlag); }
BOOL PASCAL GetInputFrameSize(HANDLE hBioInfo, int nChannel, unsigned long *lpFramesize) { GET_FIELD(In(hBioInfo, nChannel), dwFramesize, lpFramesize); }
BOOL PASCAL GetInputSampFreq(HANDLE hBioInfo, int nChannel, double *lpSampFreq) { GET_FIELD(In(hBioInfo, nChannel), dSampFreq, lpSampFreq); }
HANDLE PASCAL GetOutputDataHandle(HANDLE hBioInfo, int nChannel)
{
    return Out(hBioInfo, nChannel) ? Out(hBioInfo, nChannel)->hData : NULL;
}
BOOL PASCAL GetOutputChannelFlag(HANDLE hBioInfo, int nChannel, long *lpFlag) { GET_FIELD(Out(hBioInfo, nChannel), lFlag, lpFlag); }
BOOL PASCAL SetOutputDataHandle(HANDLE hBioInfo, int nChannel, HANDLE hBuffer) { SET_FIELD(Out(hBioInfo, nChannel), hData, hBuffer); }
BOOL PASCAL SetOutputChannelFlag(HANDLE hBioInfo, int nChannel, long lFlag) { SET_FIELD(Out(hBioInfo, nChannel), lFlag, lFlag); }
BOOL PASCAL SetOutputQFlag(HANDLE hBioInfo, int nChannel, long lQFlag) { SET_FIELD(Out(hBioInfo, nChannel), lQFlag, lQFlag); }
BOOL PASCAL SetOutputFrameSize(HANDLE hBioInfo, int nChannel, unsigned long lFramesize) { SET_FIELD(Out(hBioInfo, nChannel), dwFramesize, lFramesize); }
BOOL PASCAL SetOutputSampFreq(HANDLE hBioInfo, int nChannel, double *lpSampFreq)
{
    if (lpSampFreq == NULL) return FALSE;
    SET_FIELD(Out(hBioInfo, nChannel), dSampFreq, *lpSampFreq);
}

/* ------------------------------------------------------------------------
 * Memory and data services
 * ---------------------------------------------------------------------- */
static int nRefused;

int HostTakeRefusedAllocations(void)
{
    int n = nRefused;
    nRefused = 0;
    return n;
}

/* The buffer is made exactly as large as asked, so that its guard zone
 * starts where the block's data must end. */
HANDLE PASCAL CheckDataBuffer(HANDLE hBuffer, WORD wSize, DWORD dwCount)
{
    unsigned long long dwBytes = (unsigned long long)wSize * dwCount;
    HANDLE hNew;
    if (CountedCallFails()) {
        Release(hBuffer, FAMILY_GLOBAL, "CheckDataBuffer");
        return NULL;
    }
    if (dwBytes > HOST_MAX_BUFFER) {
        nRefused++;
        Release(hBuffer, FAMILY_GLOBAL, "CheckDataBuffer");
        return NULL;
    }
    if (dwBytes == 0) dwBytes = 1;
    if (hBuffer == NULL)
        return Allocate((SIZE_T)dwBytes, FAMILY_GLOBAL, TRUE, FALSE);
    if (CountedGlobalSize(hBuffer) == dwBytes)
        return hBuffer;
    hNew = Resize(hBuffer, (SIZE_T)dwBytes, FAMILY_GLOBAL, "CheckDataBuffer");
    if (hNew == NULL) Release(hBuffer, FAMILY_GLOBAL, "CheckDataBuffer");
    return hNew;
}

void PASCAL FreeGlobalMemory(HANDLE hMemory)
{
    Release(hMemory, FAMILY_GLOBAL, "FreeGlobalMemory");
}

static int ElementSize(int nType)
{
    switch (nType) {
    case HDT_INT: return sizeof(int);
    case HDT_FLOAT: return sizeof(float);
    case HDT_DOUBLE: return sizeof(double);
    case HDT_LONG: return sizeof(long);
    case HDT_SHORT: return sizeof(short);
    case HDT_BYTE: return sizeof(BYTE);
    case HDT_CHAR: return sizeof(char);
    default: return 0;
    }
}

static double ReadElement(const BYTE *p, int nType)
{
    switch (nType) {
    case HDT_INT: return *(const int *)p;
    case HDT_FLOAT: return *(const float *)p;
    case HDT_DOUBLE: return *(const double *)p;
    case HDT_LONG: return *(const long *)p;
    case HDT_SHORT: return *(const short *)p;
    case HDT_BYTE: return *p;
    default: return *(const char *)p;
    }
}

static void WriteElement(BYTE *p, int nType, double v)
{
    switch (nType) {
    case HDT_INT: *(int *)p = (int)v; break;
    case HDT_FLOAT: *(float *)p = (float)v; break;
    case HDT_DOUBLE: *(double *)p = v; break;
    case HDT_LONG: *(long *)p = (long)v; break;
    case HDT_SHORT: *(short *)p = (short)v; break;
    case HDT_BYTE: *p = (BYTE)v; break;
    default: *(char *)p = (char)v; break;
    }
}

/* A matrix converts its elements, the type its header names, and keeps its
 * header with the new type. */
int PASCAL ConvertData(HANDLE hFrom, HANDLE hTo, int nFromType, int nToType, DWORD dwCount)
{
    SIZE_T dwHeader = 0;
    int nFrom, nTo = ElementSize(nToType);
    BYTE *From, *To;
    DWORD i;
    if (nFromType == HDT_MATRIX) {
        LPMATRIXINFOHEADER lpmih = (LPMATRIXINFOHEADER)HostData(hFrom);
        if (lpmih == NULL) return USR_ERR_NPT;
        dwHeader = lpmih->miSize;
        nFromType = lpmih->miDTFlag;
    }
    nFrom = ElementSize(nFromType);
    if (nFrom == 0 || nTo == 0) return USR_ERR_DT;
    if (HostSize(hFrom) < dwHeader + (SIZE_T)nFrom * dwCount ||
        HostSize(hTo) < dwHeader + (SIZE_T)nTo * dwCount)
        return USR_ERR_MEM;
    if ((From = HostData(hFrom)) == NULL || (To = HostData(hTo)) == NULL) return USR_ERR_NPT;
    if (dwHeader != 0) {
        memcpy(To, From, dwHeader);
        ((LPMATRIXINFOHEADER)To)->miDTFlag = nToType;
        From += dwHeader;
        To += dwHeader;
    }
    for (i = 0; i < dwCount; i++)
        WriteElement(To + i * nTo, nToType, ReadElement(From + i * nFrom, nFromType));
    return USR_NO_ERR;
}

static int PrecisionRank(int nPrecision)
{
    static const int Order[] = {HDT_CHAR, HDT_BYTE, HDT_SHORT, HDT_INT, HDT_LONG, HDT_FLOAT, HDT_DOUBLE};
    int i;
    for (i = 0; i < 7; i++)
        if (Order[i] == nPrecision) return i;
    return -1;
}

int PASCAL GetMaxPrecision(int nPrecision1, int nPrecision2)
{
    return PrecisionRank(nPrecision2) > PrecisionRank(nPrecision1) ? nPrecision2 : nPrecision1;
}

/* ------------------------------------------------------------------------
 * Parameter files
 * ---------------------------------------------------------------------- */
static HOSTRECORD Loads[HOST_MAX_RECORDS];
static int        nLoads;

static void RecordLoad(LPCSTR Key, char cType, LPCSTR FileName)
{
    if (nLoads == HOST_MAX_RECORDS) return;
    lstrcpynA(Loads[nLoads].Name, Key, sizeof(Loads[nLoads].Name));
    lstrcpynA(Loads[nLoads].File, FileName, sizeof(Loads[nLoads].File));
    Loads[nLoads].cType = cType;
    nLoads++;
}

int HostLoadCount(void) { return nLoads; }
const HOSTRECORD *HostLoad(int nIndex) { return &Loads[nIndex]; }
void HostClearLoads(void) { nLoads = 0; }

/* A bare file name (the default parameter files) lies in the working folder:
 * named as .\name, which the profile functions take relative to it (a bare
 * name they look for in the Windows folder). Not its full path, whose folder
 * an ANSI string loses when its name has letters beyond the code page. */
static LPCSTR HostFile(LPCSTR FileName, char *Path)
{
    if (strpbrk(FileName, "\\/:") != NULL) return FileName;
    wsprintfA(Path, ".\\%.*s", MAX_PATH - 3, FileName);
    return Path;
}

static int SaveText(LPCSTR Section, LPCSTR Key, LPCSTR Text, LPCSTR FileName)
{
    char Path[MAX_PATH];
    return WritePrivateProfileStringA(Section, Key, Text, HostFile(FileName, Path)) ? USR_NO_ERR : USR_ERR_ERR;
}

/* The key's text, or FALSE when the file lacks it. */
static BOOL LoadText(LPCSTR Section, LPCSTR Key, char cType, LPSTR Text, int nMax, LPCSTR FileName)
{
    static const char Absent[] = "\x01" "absent";
    char Path[MAX_PATH];
    RecordLoad(Key, cType, FileName);
    GetPrivateProfileStringA(Section, Key, Absent, Text, nMax, HostFile(FileName, Path));
    return strcmp(Text, Absent) != 0;
}

static int SaveNumber(LPCSTR Section, LPCSTR Key, long Value, LPCSTR FileName)
{
    char Text[32];
    wsprintfA(Text, "%ld", Value);
    return SaveText(Section, Key, Text, FileName);
}

static long LoadNumber(LPCSTR Section, LPCSTR Key, char cType, long Default, LPCSTR FileName)
{
    char Text[64];
    return LoadText(Section, Key, cType, Text, sizeof(Text), FileName) ? strtol(Text, NULL, 10) : Default;
}

static int SaveReal(LPCSTR Section, LPCSTR Key, double Value, int nDigits, LPCSTR FileName)
{
    char Text[64];
    snprintf(Text, sizeof(Text), "%.*g", nDigits, Value);
    return SaveText(Section, Key, Text, FileName);
}

static double LoadReal(LPCSTR Section, LPCSTR Key, char cType, double Default, LPCSTR FileName)
{
    char Text[64];
    return LoadText(Section, Key, cType, Text, sizeof(Text), FileName) ? strtod(Text, NULL) : Default;
}

int PASCAL SaveParamB(LPCSTR Section, LPCSTR Key, int nID, BYTE Value, LPCSTR FileName) { return SaveNumber(Section, Key, Value, FileName); }
int PASCAL SaveParamS(LPCSTR Section, LPCSTR Key, int nID, short Value, LPCSTR FileName) { return SaveNumber(Section, Key, Value, FileName); }
int PASCAL SaveParamI(LPCSTR Section, LPCSTR Key, int nID, int Value, LPCSTR FileName) { return SaveNumber(Section, Key, Value, FileName); }
int PASCAL SaveParamL(LPCSTR Section, LPCSTR Key, int nID, long Value, LPCSTR FileName) { return SaveNumber(Section, Key, Value, FileName); }
int PASCAL SaveParamC(LPCSTR Section, LPCSTR Key, int nID, char Value, LPCSTR FileName) { return SaveNumber(Section, Key, (BYTE)Value, FileName); }
int PASCAL SaveParamF(LPCSTR Section, LPCSTR Key, int nID, float Value, LPCSTR FileName) { return SaveReal(Section, Key, Value, 9, FileName); }
int PASCAL SaveParamD(LPCSTR Section, LPCSTR Key, int nID, double Value, LPCSTR FileName) { return SaveReal(Section, Key, Value, 17, FileName); }
int PASCAL SaveParamStr(LPCSTR Section, LPCSTR Key, int nID, LPCSTR Value, LPCSTR FileName) { return SaveText(Section, Key, Value, FileName); }

BYTE PASCAL LoadParamB(LPCSTR Section, LPCSTR Key, int nID, BYTE Default, LPCSTR FileName) { return (BYTE)LoadNumber(Section, Key, 'B', Default, FileName); }
short PASCAL LoadParamS(LPCSTR Section, LPCSTR Key, int nID, short Default, LPCSTR FileName) { return (short)LoadNumber(Section, Key, 'S', Default, FileName); }
int PASCAL LoadParamI(LPCSTR Section, LPCSTR Key, int nID, int Default, LPCSTR FileName) { return (int)LoadNumber(Section, Key, 'I', Default, FileName); }
long PASCAL LoadParamL(LPCSTR Section, LPCSTR Key, int nID, long Default, LPCSTR FileName) { return LoadNumber(Section, Key, 'L', Default, FileName); }
char PASCAL LoadParamC(LPCSTR Section, LPCSTR Key, int nID, char Default, LPCSTR FileName) { return (char)LoadNumber(Section, Key, 'C', (BYTE)Default, FileName); }
float PASCAL LoadParamF(LPCSTR Section, LPCSTR Key, int nID, float Default, LPCSTR FileName) { return (float)LoadReal(Section, Key, 'F', Default, FileName); }
double PASCAL LoadParamD(LPCSTR Section, LPCSTR Key, int nID, double Default, LPCSTR FileName) { return LoadReal(Section, Key, 'D', Default, FileName); }

/* Value is as long as a block's text members (256 bytes in every generated
 * block), so at most 255 characters and the terminator are copied. */
int PASCAL LoadParamStr(LPCSTR Section, LPCSTR Key, int nID, LPCSTR Default, LPSTR Value, LPCSTR FileName)
{
    char Text[256];
    lstrcpynA(Value, LoadText(Section, Key, 'T', Text, sizeof(Text), FileName) ? Text : Default, 256);
    return USR_NO_ERR;
}

static HOSTRECORD ParameterList[HOST_MAX_RECORDS];
static int        nParameterList;

void PASCAL AddParmString(HWND hListBox, LPCSTR Name, DWORD dwTypeAndID)
{
    if (nParameterList == HOST_MAX_RECORDS) return;
    lstrcpynA(ParameterList[nParameterList].Name, Name, sizeof(ParameterList[0].Name));
    ParameterList[nParameterList].dwValue = dwTypeAndID;
    nParameterList++;
}

int HostParameterListCount(void) { return nParameterList; }
const HOSTRECORD *HostParameterList(int nIndex) { return &ParameterList[nIndex]; }
void HostClearParameterList(void) { nParameterList = 0; }

/* ------------------------------------------------------------------------
 * Dialog helpers: the dialog's structures are those of the block instance
 * whose dialog the host shows.
 * ---------------------------------------------------------------------- */
static HANDLE hDialogParam, hDialogScratchParam;

void HostSetDialogParams(HANDLE hParam, HANDLE hScratchParam)
{
    hDialogParam = hParam;
    hDialogScratchParam = hScratchParam;
}

HANDLE PASCAL GetHParam(HWND hDlg) { return hDialogParam; }
HANDLE PASCAL GetScratchParam(HWND hDlg) { return hDialogScratchParam; }
void PASCAL VariablePickList(HWND hDlg, int nID) {}

static double DlgReal(HWND hDlg, int nID)
{
    char Text[64];
    GetDlgItemTextA(hDlg, nID, Text, sizeof(Text));
    return strtod(Text, NULL);
}

static void SetDlgReal(HWND hDlg, int nID, double Value, int nDigits)
{
    char Text[64];
    snprintf(Text, sizeof(Text), "%.*g", nDigits, Value);
    SetDlgItemTextA(hDlg, nID, Text);
}

BYTE PASCAL GetDlgItemB(HWND hDlg, int nID) { return (BYTE)DlgReal(hDlg, nID); }
short PASCAL GetDlgItemS(HWND hDlg, int nID) { return (short)DlgReal(hDlg, nID); }
int PASCAL GetDlgItemI(HWND hDlg, int nID) { return (int)DlgReal(hDlg, nID); }
long PASCAL GetDlgItemL(HWND hDlg, int nID) { return (long)DlgReal(hDlg, nID); }
float PASCAL GetDlgItemF(HWND hDlg, int nID) { return (float)DlgReal(hDlg, nID); }
double PASCAL GetDlgItemD(HWND hDlg, int nID) { return DlgReal(hDlg, nID); }
char PASCAL GetDlgItemC(HWND hDlg, int nID)
{
    char Text[4] = "";
    GetDlgItemTextA(hDlg, nID, Text, sizeof(Text));
    return Text[0];
}
int PASCAL GetDlgItemStr(HWND hDlg, int nID, LPSTR Text, int nMax) { return GetDlgItemTextA(hDlg, nID, Text, nMax); }
void PASCAL SetDlgItemB(HWND hDlg, int nID, BYTE Value) { SetDlgReal(hDlg, nID, Value, 3); }
void PASCAL SetDlgItemS(HWND hDlg, int nID, short Value) { SetDlgReal(hDlg, nID, Value, 6); }
void PASCAL SetDlgItemI(HWND hDlg, int nID, int Value) { SetDlgReal(hDlg, nID, Value, 11); }
void PASCAL SetDlgItemL(HWND hDlg, int nID, long Value) { SetDlgReal(hDlg, nID, Value, 11); }
void PASCAL SetDlgItemF(HWND hDlg, int nID, float Value) { SetDlgReal(hDlg, nID, Value, 9); }
void PASCAL SetDlgItemD(HWND hDlg, int nID, double Value) { SetDlgReal(hDlg, nID, Value, 17); }
void PASCAL SetDlgItemC(HWND hDlg, int nID, char Value)
{
    char Text[2] = {Value, '\0'};
    SetDlgItemTextA(hDlg, nID, Text);
}
void PASCAL SetDlgItemStr(HWND hDlg, int nID, LPCSTR Text) { SetDlgItemTextA(hDlg, nID, Text); }

static BOOL bDlgError;
void PASCAL SetDlgError(BOOL bError) { bDlgError = bError; }
BOOL PASCAL GetDlgError(void) { return bDlgError; }

static const char *PrecisionName(int nPrecision)
{
    static const char *Names[] = {"Integer", "Float", "Double", "Long", "Short", "Byte", "Char", "Text", "Bitmap", "Matrix"};
    if (nPrecision == HDT_AUTO) return "Auto";
    return nPrecision >= 0 && nPrecision <= HDT_MAXTYPE ? Names[nPrecision] : "?";
}

void PASCAL AddPrecision(HWND hComboBox, int nPrecision)
{
    LRESULT i = SendMessageA(hComboBox, CB_ADDSTRING, 0, (LPARAM)PrecisionName(nPrecision));
    SendMessageA(hComboBox, CB_SETITEMDATA, (WPARAM)i, nPrecision);
}

void PASCAL SetPrecision(HWND hComboBox, int nPrecision)
{
    LRESULT i, n = SendMessageA(hComboBox, CB_GETCOUNT, 0, 0);
    for (i = 0; i < n; i++)
        if (SendMessageA(hComboBox, CB_GETITEMDATA, (WPARAM)i, 0) == nPrecision)
            SendMessageA(hComboBox, CB_SETCURSEL, (WPARAM)i, 0);
}

int PASCAL GetPrecision(HWND hComboBox)
{
    LRESULT i = SendMessageA(hComboBox, CB_GETCURSEL, 0, 0);
    return i == CB_ERR ? HDT_AUTO : (int)SendMessageA(hComboBox, CB_GETITEMDATA, (WPARAM)i, 0);
}

void PASCAL SeparateFile(LPSTR PathName, LPSTR FileName, LPCSTR CompleteName)
{
    const char *Slash = strrchr(CompleteName, '\\');
    if (Slash == NULL) {
        PathName[0] = '\0';
        lstrcpyA(FileName, CompleteName);
        return;
    }
    lstrcpynA(PathName, CompleteName, (int)(Slash - CompleteName) + 1);
    lstrcpyA(FileName, Slash + 1);
}

BOOL PASCAL FileExists(LPCSTR FileName) { return GetFileAttributesA(FileName) != INVALID_FILE_ATTRIBUTES; }

/* ------------------------------------------------------------------------
 * Host environment
 * ---------------------------------------------------------------------- */
void PASCAL GetAppSection(LPSTR Section) { lstrcpyA(Section, "Zirud Izadivo"); }
HWND PASCAL GetBlockWindowHandle(void) { return NULL; }
HINSTANCE PASCAL GetBlockInstanceHandle(void) { return hBlockInstance; }

/* ------------------------------------------------------------------------
 * The fake board driver
 * ---------------------------------------------------------------------- */
#define FAKE_DRIVER ((HINSTANCE)0x5EED0000)
#define MAX_COMMANDS 4096

static WORD Commands[MAX_COMMANDS];
static int  nCommands;
static char DriverSection[256] = "Worksheet";
static char DriverFile[MAX_PATH];

void HostSetDriverFile(LPCSTR Section, LPCSTR FileName)
{
    lstrcpynA(DriverSection, Section, sizeof(DriverSection));
    lstrcpynA(DriverFile, FileName, sizeof(DriverFile));
}

int HostDriverCommandCount(WORD wCommand)
{
    int i, n = 0;
    for (i = 0; i < nCommands; i++)
        if (Commands[i] == wCommand) n++;
    return n;
}

LONG PASCAL VexaSendCommand(HINSTANCE hDriver, WORD wCommand, HWND hWnd, LONG lParam)
{
    if (hDriver != FAKE_DRIVER) return FALSE;
    if (nCommands < MAX_COMMANDS) Commands[nCommands++] = wCommand;
    if ((wCommand == DRV_DSPPRECISION || wCommand == DRV_LOADBLOCK) && lParam != 0) {
        /* the handle came through a LONG: the arena lies below 2 GB */
        RTBLOCK_PARAM *bPtr = (RTBLOCK_PARAM *)HostData((HANDLE)(LONG_PTR)lParam);
        if (bPtr == NULL) return FALSE;
        if (wCommand == DRV_DSPPRECISION) bPtr->dwData = HDT_FLOAT;
        else bPtr->bBlockCompiled = TRUE;
    }
    return TRUE;
}

HINSTANCE PASCAL VexaOpenDriver(LPCSTR DriverName, FARPROC *lpfnSendCommand)
{
    if (lstrcmpiA(DriverName, "fake.drv") != 0) return NULL;
    *lpfnSendCommand = (FARPROC)VexaSendCommand;
    return FAKE_DRIVER;
}

void PASCAL VexaCloseDriver(HINSTANCE hDriver) {}

int PASCAL ChangeDriver(LPCSTR DriverName, HANDLE hRTParam, HINSTANCE *lphDriver, FARPROC *lpfnSendCommand)
{
    *lphDriver = VexaOpenDriver(DriverName, lpfnSendCommand);
    return *lphDriver != NULL ? USR_NO_ERR : USR_ERR_OPENDRV;
}

void PASCAL RTDataFlowLink(HANDLE hBioInfo, HINSTANCE hDriver, HANDLE hRTParam, DriverCall *lpfnSendCommand) {}

/* The host compiles the worksheet again on its next run; nothing to keep. */
void PASCAL SetCompiledFlag(BOOL bFlag) {}
BOOL PASCAL ProcessRTScroll(HWND hDlg, WPARAM wParam, LPARAM lParam) { return FALSE; }

void PASCAL GetDriverFileName(LPSTR Section, LPSTR FileName)
{
    lstrcpyA(Section, DriverSection);
    lstrcpyA(FileName, DriverFile);
}
