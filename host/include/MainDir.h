// The host installation directory MAINDIR, a CPkDirSpec: where the reagent library and the engine live.
#pragma once
#include "TessaroUtilsApi.h"
#include <afx.h>

class TESSAROUTILS_API CPkDirSpec
{
public:
    // The directory without a trailing backslash. For MAINDIR: the folder of the running
    // program, unless the environment variable TESSARO_MAINDIR names another one.
    CString GetPath() const;
};

extern TESSAROUTILS_API CPkDirSpec MAINDIR;

// The environment variable that overrides the installation directory (tests use a scratch folder).
#define TESSARO_MAINDIR_VARIABLE "TESSARO_MAINDIR"
