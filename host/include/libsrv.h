// Everything a plug-in uses of the host's archive library.
#pragma once
#include "CPkArchive.h"
#include "PK_RTTI_LINK.h"
