#include "CleavageMap.h"

#include <algorithm>
#include <climits>

namespace
{
const char kNoResults[] = "Run the analysis to see its cleavage map.";
const int kTopMarginPx = 8;
// A site that always cuts reaches the top of the band; one that never cuts still shows.
const int kSiteBandPx = 40;
const int kMinSiteMarkPx = 3;
const int kSiteMarkWidthPx = 2;
const COLORREF kWeakSiteColour = RGB(255, 200, 140);
const int kRulerPx = 4;
const COLORREF kRulerColour = RGB(150, 150, 150);
const int kTickPx = 4;
// Space between neighbouring position labels.
const int kLabelGapPx = 12;
const int kBarsGapPx = 10;
// Bar rows are this far apart while they fit; when there are many they move closer.
const int kBarPitchPx = 9;
const int kMinBarPitchPx = 2;
const int kBottomMarginPx = 4;
// A candidate with no share at all still shows.
const double kLeastMatchShade = 0.2;

COLORREF Blend(COLORREF crFrom, COLORREF crTo, double dPart)
{
    const auto mix = [dPart](int nFrom, int nTo) { return (int)(nFrom + (nTo - nFrom) * dPart + 0.5); };
    return RGB(mix(GetRValue(crFrom), GetRValue(crTo)), mix(GetGValue(crFrom), GetGValue(crTo)),
               mix(GetBValue(crFrom), GetBValue(crTo)));
}

// The first of 10, 20, 50, 100, 200, 500... residues that leaves room for a label.
int LabelStep(double dResidueWidthPx, int nLabelWidthPx)
{
    static const int kMultipliers[] = {1, 2, 5};
    for (int nPower = 10;; nPower *= 10)
        for (const int nMultiplier : kMultipliers)
            if (nPower * nMultiplier * dResidueWidthPx >= nLabelWidthPx + kLabelGapPx || nPower > INT_MAX / 100)
                return nPower * nMultiplier;
}
}

BEGIN_MESSAGE_MAP(CCleavageMap, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CCleavageMap::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // The layout depends on both sizes: a resized map is drawn anew.
    LPCSTR lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW));
    return lpszClass != NULL && CWnd::Create(lpszClass, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CCleavageMap::SetMolecule(const CString& strSequence)
{
    m_strSequence = strSequence;
    Clear();
}

void CCleavageMap::SetResults(const CFragmentTable& table)
{
    m_sites.clear();
    m_nLength = m_strSequence.GetLength();
    for (int i = 0; i < table.GetSiteCount(); ++i)
    {
        m_sites.push_back(table.GetSite(i));
        m_nLength = std::max(m_nLength, table.GetSite(i).nPosition + 1);
    }
    m_bars.clear();
    for (int nRow = 0; nRow < table.GetFragmentCount(); ++nRow)
    {
        const CFragmentTable::CFragment& fragment = table.GetFragment(nRow);
        m_nLength = std::max(m_nLength, fragment.GetEnd());
        m_bars.push_back({fragment.GetStart(), fragment.GetEnd(), 0});
    }
    m_nBarRows = PackBars(m_bars, 0);
    m_matchBars.clear();
    m_nPickedValue = -1;
    m_bHasResults = TRUE;
    Invalidate();
}

void CCleavageMap::SetMatches(const CMatchTable& table)
{
    std::vector<CBar> bars;
    for (int nRow = 0; nRow < table.GetRowCount(); ++nRow)
    {
        if (!table.IsMatched(nRow))
            continue;
        const CTableRow& row = table.GetRow(nRow);
        bars.push_back({(int)row.dValues[table.GetStartColumn()], (int)row.dValues[table.GetEndColumn()], 0,
                        table.GetValueOfRow(nRow), row.dValues[table.GetShareColumn()]});
        m_nLength = std::max(m_nLength, bars.back().nEnd);
    }
    // In rows of their own below the fragments.
    PackBars(bars, m_nBarRows);
    m_matchBars = bars;
    m_nPickedValue = -1;
    Invalidate();
}

void CCleavageMap::PickValue(int nValue)
{
    m_nPickedValue = nValue;
    Invalidate();
}

std::vector<std::pair<int, int>> CCleavageMap::GetPickedSpans() const
{
    std::vector<std::pair<int, int>> spans;
    for (const CBar& bar : m_matchBars)
        if (m_nPickedValue >= 0 && bar.nValue == m_nPickedValue)
            spans.emplace_back(bar.nStart, bar.nEnd);
    return spans;
}

void CCleavageMap::Clear()
{
    m_bHasResults = FALSE;
    m_sites.clear();
    m_bars.clear();
    m_nBarRows = 0;
    m_matchBars.clear();
    m_nPickedValue = -1;
    if (m_hWnd != NULL)
        Invalidate();
}

void CCleavageMap::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    // Drawn off screen and copied in one piece, so the map does not flicker.
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height()))
    {
        TRACE("No memory bitmap for the cleavage map (%lu): drawn on screen\n", ::GetLastError());
        Draw(dc, rcClient);
        return;
    }
    CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
    Draw(memDC, rcClient);
    VERIFY(dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &memDC, 0, 0, SRCCOPY));
    memDC.SelectObject(pOldBitmap);
}

BOOL CCleavageMap::OnEraseBkgnd(CDC* /*pDC*/)
{
    // OnPaint covers every pixel.
    return TRUE;
}

// Interval partitioning: taken by their starts, each bar goes into the first row it fits,
// which gives the fewest rows.
int CCleavageMap::PackBars(std::vector<CBar>& bars, int nFirstRow)
{
    std::vector<size_t> order(bars.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&bars](size_t a, size_t b) { return bars[a].nStart < bars[b].nStart; });
    std::vector<int> rowEnds;
    for (const size_t i : order)
    {
        CBar& bar = bars[i];
        const auto row = std::find_if(rowEnds.begin(), rowEnds.end(), [&bar](int nEnd) { return nEnd < bar.nStart; });
        bar.nRow = nFirstRow + (int)(row - rowEnds.begin());
        if (row == rowEnds.end())
            rowEnds.push_back(bar.nEnd);
        else
            *row = bar.nEnd;
    }
    return nFirstRow + (int)rowEnds.size();
}

void CCleavageMap::Draw(CDC& dc, const CRect& rcClient) const
{
    dc.FillSolidRect(&rcClient, ::GetSysColor(COLOR_WINDOW));
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);
    if (!m_bHasResults || m_nLength == 0)
    {
        dc.SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
        CRect rcText(rcClient);
        dc.DrawText(kNoResults, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    const int nSitesBottom = kTopMarginPx + kSiteBandPx;
    DrawSites(dc, rcClient, nSitesBottom);
    const int nRulerBottom = DrawRuler(dc, rcClient, nSitesBottom + 2);
    DrawBars(dc, rcClient, nRulerBottom + kBarsGapPx);
}

int CCleavageMap::DrawRuler(CDC& dc, const CRect& rcClient, int nTop) const
{
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    const int nTextHeight = dc.GetTextExtent("0").cy;
    const double dResidueWidth = (double)(BoundaryX(rcClient, m_nLength) - BoundaryX(rcClient, 0)) / m_nLength;
    // The letters in the fixed font of the sequence pane, when each has room; the row is
    // kept either way, so the map does not jump between molecules.
    dc.SelectStockObject(ANSI_FIXED_FONT);
    if (dResidueWidth >= dc.GetTextExtent("W").cx)
        for (int i = 0; i < m_strSequence.GetLength(); ++i)
        {
            CRect rcLetter(BoundaryX(rcClient, i), nTop, BoundaryX(rcClient, i + 1), nTop + nTextHeight);
            dc.DrawText(CString(m_strSequence[i]), &rcLetter, DT_CENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
        }
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    const int nRulerTop = nTop + nTextHeight + 1;
    dc.FillSolidRect(CRect(BoundaryX(rcClient, 0), nRulerTop, BoundaryX(rcClient, m_nLength), nRulerTop + kRulerPx),
                     kRulerColour);

    CString strLongest;
    strLongest.Format("%d", m_nLength);
    const int nStep = LabelStep(dResidueWidth, dc.GetTextExtent(strLongest).cx);
    const int nTickTop = nRulerTop + kRulerPx;
    for (int nPosition = nStep; nPosition <= m_nLength; nPosition += nStep)
    {
        const int x = (BoundaryX(rcClient, nPosition - 1) + BoundaryX(rcClient, nPosition)) / 2;
        dc.FillSolidRect(x, nTickTop, 1, kTickPx, kRulerColour);
        CString strLabel;
        strLabel.Format("%d", nPosition);
        CRect rcLabel(x - kLabelGapPx * 4, nTickTop + kTickPx, x + kLabelGapPx * 4, nTickTop + kTickPx + nTextHeight);
        dc.DrawText(strLabel, &rcLabel, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
    }
    return nTickTop + kTickPx + nTextHeight;
}

void CCleavageMap::DrawSites(CDC& dc, const CRect& rcClient, int nBottom) const
{
    for (const CFragmentTable::CSite& site : m_sites)
    {
        const double dEfficiency = std::min(1.0, std::max(0.0, site.dEfficiency));
        const int nHeight = std::max(kMinSiteMarkPx, (int)(dEfficiency * kSiteBandPx + 0.5));
        const int x = BoundaryX(rcClient, site.nPosition);
        dc.FillSolidRect(x - kSiteMarkWidthPx / 2, nBottom - nHeight, kSiteMarkWidthPx, nHeight,
                         Blend(kWeakSiteColour, kFullSiteColour, dEfficiency));
    }
}

void CCleavageMap::DrawBars(CDC& dc, const CRect& rcClient, int nTop) const
{
    int nRows = m_nBarRows;
    for (const CBar& bar : m_matchBars)
        nRows = std::max(nRows, bar.nRow + 1);
    if (nRows == 0)
        return;
    const int nRoom = rcClient.bottom - kBottomMarginPx - nTop;
    const int nPitch = std::max(kMinBarPitchPx, std::min(kBarPitchPx, nRoom / nRows));
    const int nBarHeight = std::max(1, nPitch * 2 / 3);
    const COLORREF crBackground = ::GetSysColor(COLOR_WINDOW);
    for (const std::vector<CBar>* pBars : {&m_bars, &m_matchBars})
        for (const CBar& bar : *pBars)
        {
            // A pixel is left out at the right end, so that bars that meet stay apart.
            const int xLeft = BoundaryX(rcClient, bar.nStart - 1);
            const int nWidth = std::max(1, BoundaryX(rcClient, bar.nEnd) - xLeft - 1);
            const double dShade = kLeastMatchShade + (1 - kLeastMatchShade) * std::min(1.0, std::max(0.0, bar.dShare));
            const COLORREF crBar = bar.nValue < 0                ? kBarColour
                                   : bar.nValue == m_nPickedValue ? kPickedColour
                                                                  : Blend(crBackground, kMatchColour, dShade);
            dc.FillSolidRect(xLeft, nTop + bar.nRow * nPitch, nWidth, nBarHeight, crBar);
        }
}

int CCleavageMap::BoundaryX(const CRect& rcClient, int nResidues) const
{
    const int nWidth = std::max(1, rcClient.Width() - 2 * kMarginPx);
    return rcClient.left + kMarginPx + MulDiv(nResidues, nWidth, std::max(1, m_nLength));
}
