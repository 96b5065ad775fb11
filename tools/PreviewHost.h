// The top-level window in which the by-hand preview tools show a plug-in window: a
// dialog's surface that closes itself after a given time, ending the message pump.
#pragma once
#include <afxwin.h>

// The N of --seconds N on the command line; 0 when it is not given.
int PreviewSeconds(int argc, char** argv);

// Creates and shows the host window; it answers WM_GETFONT with hFont, as a dialog
// answers with its own font. FALSE when it cannot be made.
BOOL CreatePreviewHost(CWnd& host, LPCSTR lpszTitle, int nWidth, int nHeight, HFONT hFont = NULL);

// Pumps messages until the host window is closed, or for nSeconds when that is not 0.
void RunPreview(CWnd& host, int nSeconds);
