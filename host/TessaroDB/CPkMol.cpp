#include "CPkMol.h"

CPkMol::CPkMol(LPCSTR lpszName, int nLength) : m_strName(lpszName), m_nLength(nLength)
{
}
