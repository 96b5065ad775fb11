// Export macro of the host's analysis library, TessaroDB.dll.
#pragma once

#ifdef TESSARODB_BUILD
#define TESSARODB_API __declspec(dllexport)
#else
#define TESSARODB_API __declspec(dllimport)
#endif
