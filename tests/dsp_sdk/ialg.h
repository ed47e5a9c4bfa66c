/*
 * ialg.h -- test fixture only.
 *
 * A stand-in for the XDAIS algorithm interface header: an algorithm's
 * function table begins with this one, and its instance handle points to an
 * object that begins with this object.
 */
#ifndef IALG_H
#define IALG_H
#include <std.h>
#include <xdas.h>
typedef struct IALG_Obj {
    const struct IALG_Fxns *fxns;
} IALG_Obj;
typedef IALG_Obj *IALG_Handle;
typedef struct IALG_Fxns {
    Void *implementationId;
    Void (*algActivate)(IALG_Handle handle);
    Void (*algDeactivate)(IALG_Handle handle);
} IALG_Fxns;
#endif /* IALG_H */
