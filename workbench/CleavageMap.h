// The cleavage map of the last run: the molecule as a ruler across the window, each
// cleavage site a mark above it whose height and colour show its efficiency, and the
// reported fragments as bars below it, packed into as few rows as do not overlap.
#pragma once
#include "FragmentTable.h"
#include <afxwin.h>

class CCleavageMap : public CWnd
{
public:
    // Room left and right of the ruler for the labels at its ends.
    static constexpr int kMarginPx = 16;
    // The colours of a site that always cuts and of a fragment's bar.
    static constexpr COLORREF kFullSiteColour = RGB(192, 0, 0);
    static constexpr COLORREF kBarColour = RGB(60, 110, 180);

    CCleavageMap() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // A new molecule: the results of the previous one are dropped.
    void SetMolecule(const CString& strSequence);
    void SetResults(const CFragmentTable& table);
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
    };

    void PackBars(const CFragmentTable& table);
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
};
