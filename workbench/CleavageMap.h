// The cleavage map of the last run: the molecule as a ruler across the window, each
// cleavage site a mark above it whose height and colour show its efficiency, and the
// reported fragments as bars below it, packed into as few rows as do not overlap. Below
// them the candidates of the observed masses in a colour of their own, the deeper the
// larger their share; the candidates of one observed value can be picked together.
#pragma once
#include "FragmentTable.h"
#include "MatchTable.h"
#include <afxwin.h>
#include <utility>

class CCleavageMap : public CWnd
{
public:
    // Room left and right of the ruler for the labels at its ends.
    static constexpr int kMarginPx = 16;
    // The colours of a site that always cuts and of a fragment's bar.
    static constexpr COLORREF kFullSiteColour = RGB(192, 0, 0);
    static constexpr COLORREF kBarColour = RGB(60, 110, 180);
    // A candidate that holds its value's whole share, and a picked value's candidates.
    static constexpr COLORREF kMatchColour = RGB(0, 140, 60);
    static constexpr COLORREF kPickedColour = RGB(230, 120, 0);

    CCleavageMap() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // A new molecule: the results of the previous one are dropped.
    void SetMolecule(const CString& strSequence);
    void SetResults(const CFragmentTable& table);
    // The candidates of the observed masses, drawn below the fragments; none picked.
    void SetMatches(const CMatchTable& table);
    // Picks the candidates of the observed value (0-based; -1: none) out of the others.
    void PickValue(int nValue);
    // The picked candidates, from start to end, in the table's order.
    std::vector<std::pair<int, int>> GetPickedSpans() const;
    // Drops the results; the map shows that there are none.
    void Clear();

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    struct CBar
    {
        int nStart;
        int nEnd;
        int nRow;
        int nValue = -1;      // a candidate's observed value; -1 for a fragment
        double dShare = 0;  // a candidate's share of its value, 0..1
    };

    // Packs the bars into rows from nFirstRow on; returns the row after the last.
    static int PackBars(std::vector<CBar>& bars, int nFirstRow);
    void Draw(CDC& dc, const CRect& rcClient) const;
    // Draws the letters, the ruler and its labels from nTop down; returns their bottom.
    int DrawRuler(CDC& dc, const CRect& rcClient, int nTop) const;
    void DrawSites(CDC& dc, const CRect& rcClient, int nBottom) const;
    void DrawBars(CDC& dc, const CRect& rcClient, int nTop) const;
    // The x of the boundary after nResidues residues, the whole molecule across the ruler.
    int BoundaryX(const CRect& rcClient, int nResidues) const;

    CString m_strSequence;
    int m_nLength = 0;  // residues on the ruler: the molecule's, or as far as the results reach
    BOOL m_bHasResults = FALSE;
    std::vector<CFragmentTable::CSite> m_sites;
    std::vector<CBar> m_bars;
    int m_nBarRows = 0;
    std::vector<CBar> m_matchBars;
    int m_nPickedValue = -1;
};
