// Shows two position grids side by side as the reagent dialog holds them: the left one
// with a selected cell, the right one with a cell being edited. The window stays until
// it is closed or, with --seconds N, for N seconds.
#include "CHeaderWnd.h"

#include <cstdlib>
#include <cstring>

namespace
{
HFONT g_hDialogFont = NULL;

// A dialog's surface with a dialog's font, which the grids' labels are drawn in.
LRESULT CALLBACK HostWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETFONT)
        return (LRESULT)g_hDialogFont;
    if (message == WM_TIMER)
        DestroyWindow(hWnd);
    else if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// Widens the grid to P3 ... P3' as the dialog does when it loads a pattern, writes the
// pattern into it and gives its columns equal widths, so that all of them are seen.
void FillPattern(CHeaderWnd& grid, const char* const* cells)
{
    CClvHeader& header = grid.m_header;
    header.AddPositionAtLeft();
    header.AddPositionAtLeft();
    header.AppendPosition("P2'");
    header.AppendPosition("P3'");
    header.ScrollFullyLeft();
    const int nColumns = header.GetPositionCount();
    for (int i = 0; i < nColumns; ++i)
    {
        header.SetCell(i, cells[i]);
        header.m_edges[i] = header.m_size.cx * (i + 1) / nColumns;
    }
    header.UpdateScrollBar();
    header.RedrawWindow();
    grid.Invalidate();
}

void Click(CHeaderWnd& grid, int nColumn)
{
    const CPoint point = grid.m_header.GetCellRect(nColumn).CenterPoint();
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}
}

int main(int argc, char** argv)
{
    int nSeconds = 0;
    for (int i = 1; i < argc; ++i)
    {
        if (strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            nSeconds = atoi(argv[++i]);
    }

    LOGFONTA font = {};
    font.lfHeight = -11;
    strcpy(font.lfFaceName, "MS Sans Serif");
    g_hDialogFont = CreateFontIndirectA(&font);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostWndProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "GridPreview";
    if (!RegisterClassA(&wc))
        return 1;
    CWnd host;
    host.Attach(CreateWindowExA(0, wc.lpszClassName, "Position grids", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                520, 160, NULL, NULL, wc.hInstance, NULL));
    CHeaderWnd recognition;
    CHeaderWnd exception;
    if (!recognition.Create(CRect(20, 10, 240, 0), &host, IDC_CLV_GRID) ||
        !exception.Create(CRect(260, 10, 480, 0), &host, IDC_CLV_GRID))
        return 1;
    AfxPumpWaitingMessages();

    const char* const recognitionCells[] = {"", "{P}", "KR", "{P}", "", ""};
    const char* const exceptionCells[] = {"D", "", "E", "", "", "W"};
    FillPattern(recognition, recognitionCells);
    FillPattern(exception, exceptionCells);
    AfxPumpWaitingMessages();
    Click(recognition, 2);
    Click(exception, 3);
    Click(exception, 3);
    exception.m_header.m_edit.SetWindowText("{C}");

    if (nSeconds > 0)
        SetTimer(host.m_hWnd, 1, nSeconds * 1000, NULL);
    while (AfxPumpMessage())
    {
    }
    host.Detach();
    return 0;
}
