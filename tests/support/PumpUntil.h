// Waiting in a test: pumps the thread's messages through the toolkit's pump until the
// condition holds, or the bound runs out.
#pragma once
#include <afxwin.h>
#include <functional>

// TRUE when the condition came true within timeoutMs.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
