// Shows two position grids side by side as the reagent dialog holds them: the left one
// with a selected cell, the right one with a cell being edited. The window stays until
// it is closed or, with --seconds N, for N seconds.
#include "CHeaderWnd.h"
#include "PreviewHost.h"

#include <cstring>

namespace
{

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
    // The grids' labels are drawn in the dialog's font.
    LOGFONTA font = {};
    font.lfHeight = -11;
    strcpy(font.lfFaceName, "MS Sans Serif");
    CFont dialogFont;
    CWnd host;
    CHeaderWnd recognition;
    CHeaderWnd exception;
    if (!dialogFont.CreateFontIndirect(&font) || !CreatePreviewHost(host, "Position grids", 520, 160, dialogFont) ||
        !recognition.Create(CRect(20, 10, 240, 0), &host, IDC_CLV_GRID) ||
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
    RunPreview(host, PreviewSeconds(argc, argv));
    return 0;
}
