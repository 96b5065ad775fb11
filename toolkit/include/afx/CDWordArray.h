// Growable array of 32-bit unsigned values.
#pragma once
#include "afx/CArray.h"

class CDWordArray : public CArray<DWORD, DWORD>
{
};
