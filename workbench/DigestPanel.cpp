#include "DigestPanel.h"
#include <Modifications.h>
#include <ParameterFile.h>
#include <ShippedReagents.h>
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace
{
const int kMargin = 6;
const int kWidth = 236;
const int kLabelHeight = 16;
const int kEditHeight = 22;
const int kListHeight = 56;
const int kDropHeight = 120;  // a drop-down list's height includes its open list
const int kGap = 4;

// What a field holds and how it becomes the engine's key.
enum FieldKind
{
    fieldSpecificity,  // a drop-down: full (no key) or semi
    fieldNames,        // a list of names, any number chosen: a value each
    fieldText,         // a value as typed; nothing typed, no key
};

struct Field
{
    UINT nID;
    LPCSTR lpszLabel;  // also the name a message gives the field
    LPCSTR lpszKey;
    FieldKind kind;
};

const Field kFields[] = {
    {CDigestPanel::IDC_SPECIFICITY, "Specificity", "specificity", fieldSpecificity},
    {CDigestPanel::IDC_ALSO_REAGENTS, "Also cut with", "also_reagent", fieldNames},
    {CDigestPanel::IDC_FIXED_MODS, "Fixed modifications", "fixed_mod", fieldNames},
    {CDigestPanel::IDC_VARIABLE_MODS, "Variable modifications", "variable_mod", fieldNames},
    {CDigestPanel::IDC_MAX_VARIABLE_MODS, "Most variable per fragment", "max_variable_mods", fieldText},
    {CDigestPanel::IDC_CHARGES, "Charges", "charges", fieldText},
    {CDigestPanel::IDC_MIN_MASS, "Lowest mass (Da)", "min_mass", fieldText},
    {CDigestPanel::IDC_MAX_MASS, "Highest mass (Da)", "max_mass", fieldText},
    {CDigestPanel::IDC_BACKGROUND, "Background cleavage (%)", "background_efficiency", fieldText},
};
// The drop-down's choices, in the order of the engine's values.
const char* const kSpecificities[] = {"Full: both ends at sites", "Semi: one end at a site"};

const cleavage::KeyDescription& EngineKey(LPCSTR lpszKey)
{
    const cleavage::KeyDescription* pKey = cleavage::FindKey(lpszKey);
    ASSERT(pKey != NULL);
    return *pKey;
}

CString WindowText(HWND hWnd)
{
    CString strText;
    const int nLength = ::GetWindowTextLengthA(hWnd);
    ::GetWindowTextA(hWnd, strText.GetBufferSetLength(nLength), nLength + 1);
    strText.ReleaseBuffer(nLength);
    return strText;
}
}

BEGIN_MESSAGE_MAP(CDigestPanel, CWnd)
    ON_WM_SIZE()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

BOOL CDigestPanel::Create(CWnd* pParentWnd, UINT nID)
{
    const CSize size = GetIdealSize();
    const LPCSTR lpszClass = AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateEx(WS_EX_CONTROLPARENT, lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, size.cx, size.cy,
                  pParentWnd->m_hWnd, (HMENU)(UINT_PTR)nID))
        return FALSE;
    const DWORD dwList = WS_VSCROLL | LBS_EXTENDEDSEL | LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT;
    const std::vector<std::string> reagents = cleavage::ShippedReagentNames();
    const std::vector<std::string> modifications = cleavage::ModificationNames();
    int nTop = kMargin;
    for (const Field& field : kFields)
    {
        const BOOL bSpecificity = field.kind == fieldSpecificity;
        const BOOL bList = field.kind == fieldNames;
        const DWORD dwDropDown = CBS_DROPDOWNLIST | WS_VSCROLL;
        const HWND hControl =
            bSpecificity ? AddControl(field.lpszLabel, "COMBOBOX", dwDropDown, kEditHeight, field.nID, nTop)
            : bList      ? AddControl(field.lpszLabel, "LISTBOX", dwList, kListHeight, field.nID, nTop)
                         : AddControl(field.lpszLabel, "EDIT", ES_AUTOHSCROLL, kEditHeight, field.nID, nTop);
        if (hControl == NULL)
            return FALSE;
        if (bSpecificity)
        {
            for (LPCSTR lpszChoice : kSpecificities)
                ::SendMessageA(hControl, CB_ADDSTRING, 0, (LPARAM)lpszChoice);
            ::SendMessageA(hControl, CB_SETCURSEL, 0, 0);
        }
        if (bList)
            for (const std::string& name : field.nID == IDC_ALSO_REAGENTS ? reagents : modifications)
                ::SendMessageA(hControl, LB_ADDSTRING, 0, (LPARAM)name.c_str());
    }
    return TRUE;
}

CSize CDigestPanel::GetIdealSize()
{
    int nHeight = kMargin;
    for (const Field& field : kFields)
        nHeight += kLabelHeight + (field.kind == fieldNames ? kListHeight : kEditHeight) + kGap;
    return CSize(kWidth + 2 * kMargin, nHeight + kMargin);
}

// The scroll bar shows while the panel is lower than its controls.
void CDigestPanel::OnSize(UINT /*nType*/, int /*cx*/, int cy)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMax = GetIdealSize().cy - 1;
    info.nPage = std::max(0, cy);
    SetScrollInfo(SB_VERT, &info);
    ScrollTo(m_nScrollY);
}

void CDigestPanel::OnVScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    GetScrollInfo(SB_VERT, &info, SIF_ALL);
    const int nLine = kLabelHeight + kEditHeight;
    switch (nSBCode)
    {
    case SB_LINEUP: ScrollTo(m_nScrollY - nLine); break;
    case SB_LINEDOWN: ScrollTo(m_nScrollY + nLine); break;
    case SB_PAGEUP: ScrollTo(m_nScrollY - (int)info.nPage); break;
    case SB_PAGEDOWN: ScrollTo(m_nScrollY + (int)info.nPage); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(info.nMax); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
    default: break;
    }
}

void CDigestPanel::ScrollTo(int nY)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nScrollY = std::max(0, std::min(nY, (int)(GetIdealSize().cy - rcClient.Height())));
    if (nScrollY == m_nScrollY)
        return;
    ::ScrollWindowEx(m_hWnd, 0, m_nScrollY - nScrollY, NULL, NULL, NULL, NULL,
                     SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    m_nScrollY = nScrollY;
    SetScrollPos(SB_VERT, m_nScrollY);
}

void CDigestPanel::ScrollIntoView(HWND hControl)
{
    ASSERT(::IsChild(m_hWnd, hControl));
    CRect rcControl;
    ::GetWindowRect(hControl, &rcControl);
    ScreenToClient(&rcControl);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcControl.top - kLabelHeight < 0)
        ScrollTo(m_nScrollY + rcControl.top - kLabelHeight);
    else if (rcControl.bottom > rcClient.bottom)
        ScrollTo(m_nScrollY + rcControl.bottom + kGap - rcClient.bottom);
}

HWND CDigestPanel::AddControl(LPCSTR lpszLabel, LPCSTR lpszClass, DWORD dwStyle, int nHeight, UINT nID, int& nTop)
{
    const HINSTANCE hInstance = GetModuleHandleA(NULL);
    const WPARAM hFont = (WPARAM)GetStockObject(DEFAULT_GUI_FONT);
    const HWND hLabel = CreateWindowExA(0, "STATIC", CString(lpszLabel) + ":", WS_CHILD | WS_VISIBLE, kMargin, nTop,
                                        kWidth, kLabelHeight, m_hWnd, (HMENU)-1, hInstance, NULL);
    nTop += kLabelHeight;
    const BOOL bDropDown = strcmp(lpszClass, "COMBOBOX") == 0;
    const HWND hControl = CreateWindowExA(bDropDown ? 0 : WS_EX_CLIENTEDGE, lpszClass, "",
                                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | dwStyle, kMargin, nTop, kWidth,
                                          bDropDown ? kDropHeight : nHeight, m_hWnd, (HMENU)(UINT_PTR)nID, hInstance,
                                          NULL);
    nTop += nHeight + kGap;
    if (hLabel == NULL || hControl == NULL)
        return NULL;
    ::SendMessageA(hLabel, WM_SETFONT, hFont, FALSE);
    ::SendMessageA(hControl, WM_SETFONT, hFont, FALSE);
    return hControl;
}

void CDigestPanel::SetReadOnly(BOOL bReadOnly)
{
    for (const Field& field : kFields)
        ::EnableWindow(::GetDlgItem(m_hWnd, field.nID), !bReadOnly);
}

BOOL CDigestPanel::GetEngineKeys(CEngineKeys& keys, CString& strError)
{
    keys = CEngineKeys();
    for (const Field& field : kFields)
    {
        const HWND hControl = ::GetDlgItem(m_hWnd, field.nID);
        std::vector<CString> values;
        if (field.kind == fieldSpecificity && ::SendMessageA(hControl, CB_GETCURSEL, 0, 0) == 1)
            values.push_back(cleavage::SpecificityName(cleavage::Specificity::Semi));
        else if (field.kind == fieldNames)
        {
            const int nItems = (int)::SendMessageA(hControl, LB_GETCOUNT, 0, 0);
            for (int nItem = 0; nItem < nItems; ++nItem)
            {
                if (::SendMessageA(hControl, LB_GETSEL, nItem, 0) <= 0)
                    continue;
                CString strName;
                const int nLength = (int)::SendMessageA(hControl, LB_GETTEXTLEN, nItem, 0);
                ::SendMessageA(hControl, LB_GETTEXT, nItem, (LPARAM)strName.GetBufferSetLength(nLength));
                strName.ReleaseBuffer(nLength);
                values.push_back(strName);
            }
        }
        else if (field.kind == fieldText && !WindowText(hControl).Trim().IsEmpty())
            values.push_back(WindowText(hControl).Trim());
        for (const CString& strValue : values)
        {
            if (!keys.Set(EngineKey(field.lpszKey), strValue, field.lpszLabel, strError))
            {
                ::SetFocus(hControl);
                return FALSE;
            }
        }
    }
    return keys.CheckTogether(strError);
}

BOOL CDigestPanel::ShowEngineKeys(LPCSTR lpszPath, CString& strError)
{
    // Every value is checked, by the engine's reader, before any field changes.
    std::vector<std::vector<std::string>> values;
    const BOOL bRead = CheckedByTheEngine(
        [&] {
            const cleavage::ParameterLines lines(lpszPath);
            std::vector<const cleavage::KeyDescription*> keys;
            for (const Field& field : kFields)
                keys.push_back(&EngineKey(field.lpszKey));
            cleavage::CheckTogether(lines.CheckKeys(keys));
            for (const Field& field : kFields)
                values.push_back(lines.Values(field.lpszKey));
        },
        strError);
    if (!bRead)
        return FALSE;

    for (size_t i = 0; i < std::size(kFields); ++i)
    {
        const HWND hControl = ::GetDlgItem(m_hWnd, kFields[i].nID);
        const std::vector<std::string>& given = values[i];
        switch (kFields[i].kind)
        {
        case fieldSpecificity:
            ::SendMessageA(hControl, CB_SETCURSEL,
                           !given.empty() && given[0] == cleavage::SpecificityName(cleavage::Specificity::Semi), 0);
            break;
        case fieldNames:
            ::SendMessageA(hControl, LB_SETSEL, FALSE, -1);
            for (const std::string& name : given)
                ::SendMessageA(hControl, LB_SETSEL, TRUE,
                               ::SendMessageA(hControl, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name.c_str()));
            break;
        case fieldText:
            ::SetWindowTextA(hControl, given.empty() ? "" : given[0].c_str());
            break;
        }
    }
    return TRUE;
}
