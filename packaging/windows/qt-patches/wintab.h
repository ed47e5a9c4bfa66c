/* Debian's qt6-base source leaves out the Wintab headers that Qt's tablet
   support includes; build-qt-windows.sh puts Wine's LGPL wintab.h beside this
   file as wine-wintab.h and pktdef.h as it is. This shim supplies the two
   Wine-only macros Wine's header uses and the API calling-convention macro of
   Wacom's header, which Qt's code uses. */
#ifndef BLOCKWRIGHT_WINTAB_SHIM_H
#define BLOCKWRIGHT_WINTAB_SHIM_H

#include <windows.h>

#ifndef WINELIB_NAME_AW
#ifdef UNICODE
#define WINELIB_NAME_AW(name) name##W
#else
#define WINELIB_NAME_AW(name) name##A
#endif
#endif
#ifndef DECL_WINELIB_TYPE_AW
#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#ifndef API
#define API WINAPI
#endif

#include "wine-wintab.h"

#endif
