// Export macro of the plug-in module. The tests link the plug-in's code statically
// and define CLEAVAGE_STATIC.
#pragma once

#if defined(CLEAVAGE_STATIC)
#define CLEAVAGE_API
#elif defined(CLEAVAGE_BUILD)
#define CLEAVAGE_API __declspec(dllexport)
#else
#define CLEAVAGE_API __declspec(dllimport)
#endif
