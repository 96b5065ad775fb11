// Export macro of the host's archive library, libsrv.dll.
#pragma once

#ifdef LIBSRV_BUILD
#define LIBSRV_API __declspec(dllexport)
#else
#define LIBSRV_API __declspec(dllimport)
#endif
