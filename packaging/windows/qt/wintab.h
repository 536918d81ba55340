/* Qt's Windows platform plugin includes its tablet support from src/3rdparty/wintab, which
 * Debian's qt6-base source leaves out. Wine's wintab.h and pktdef.h (LGPL, from Debian's
 * libwine-dev, fetched when Qt is built) declare the same interface; they expect three
 * macros of Wine's own headers that mingw-w64 does not have. */
#ifndef ZVK_QT_WINTAB_H
#define ZVK_QT_WINTAB_H
#include <windows.h>
#ifndef WINELIB_NAME_AW
#ifdef UNICODE
#define WINELIB_NAME_AW(func) func##W
#else
#define WINELIB_NAME_AW(func) func##A
#endif
#endif
#ifndef DECL_WINELIB_TYPE_AW
#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#ifndef API
#define API WINAPI
#endif
#include "wine_wintab.h"
#endif
