// Everything an analysis plug-in uses of the host's analysis library.
#pragma once
#include "CAnalysisContext.h"
#include "CAnalysisData.h"
#include "CAnalysisHeaderBase.h"
#include "CAnalysisPlugIn.h"
#include "CKeyValueStorage.h"
#include "CPkMol.h"
