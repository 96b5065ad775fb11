// Export macro of the host's utility library, TessaroUtils.dll.
#pragma once

#ifdef TESSAROUTILS_BUILD
#define TESSAROUTILS_API __declspec(dllexport)
#else
#define TESSAROUTILS_API __declspec(dllimport)
#endif
