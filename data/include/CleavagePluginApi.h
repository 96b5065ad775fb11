// Export macro of the plug-in module. The module exports CCleavageData; the plug-in's
// static libraries (CLEAVAGE_STATIC) hold it as an ordinary class; a host that uses the
// class imports it from the module.
#pragma once

#if defined(CLEAVAGE_BUILD)
#define CLEAVAGE_API __declspec(dllexport)
#elif defined(CLEAVAGE_STATIC)
#define CLEAVAGE_API
#else
#define CLEAVAGE_API __declspec(dllimport)
#endif
