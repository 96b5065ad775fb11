// Windows headers, calling conventions and the export macro shared by every toolkit header.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#ifdef AFXKIT_BUILD
#define AFXKIT_API __declspec(dllexport)
#else
#define AFXKIT_API __declspec(dllimport)
#endif

#define AFXAPI __stdcall

// Opaque iterator of the toolkit's lists, as in MFC.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

#if defined(__GNUC__)
#define AFX_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define AFX_PRINTF_FORMAT(fmt, args)
#endif

// Programming errors. In a debug build (_DEBUG) a failed ASSERT is reported through
// AfxMessageBox, so a test's message-box seam sees it, and the program goes on; in a
// release build ASSERT is nothing and VERIFY only evaluates its expression.
AFXKIT_API void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
AFXKIT_API void __cdecl AfxTrace(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(1, 2);
#ifdef _DEBUG
#define ASSERT(f) \
    do \
    { \
        if (!(f)) \
            AfxAssertFailedLine(__FILE__, __LINE__); \
    } while (0)
#define VERIFY(f) ASSERT(f)
#define TRACE(...) AfxTrace(__VA_ARGS__)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
// Never called, but its arguments stay used, as they are in a debug build.
#define TRACE(...) \
    do \
    { \
        if (false) \
            AfxTrace(__VA_ARGS__); \
    } while (0)
#endif
#define ASSERT_VALID(pOb) ASSERT((pOb) != NULL)
