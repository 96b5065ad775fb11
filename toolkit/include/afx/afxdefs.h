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
