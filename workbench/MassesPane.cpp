#include "MassesPane.h"
#include "AnalysisRun.h"
#include <EngineError.h>
#include <MassList.h>
#include <algorithm>
#include <iterator>

namespace
{
const int kMargin = 6;
const int kLabelHeight = 16;
const int kEditHeight = 22;
const int kDropHeight = 90;  // a drop-down list's height includes its open list
const int kGap = 4;
const int kSummaryHeight = 44;
// A pasted peak list of a few thousand lines fits; the edit's own limit is 30,000 characters.
const int kMostMassesChars = 4 * 1024 * 1024;

struct Choice
{
    LPCSTR lpszShown;
    LPCSTR lpszValue;  // the engine's value of its key
};
// In the order shown; the first is the engine's default.
const Choice kObservedChoices[] = {{"[M+H]+ (MH+)", "MH+"}, {"Neutral (M)", "M"}, {"m/z with charge", "mz"}};
const Choice kMassTypeChoices[] = {{"Monoisotopic", "mono"}, {"Average", "average"}};
const char kDefaultTolerance[] = "20ppm";

// The pane's fields in reading order: a label above each; the values take the room the
// others leave.
struct Field
{
    UINT nID;
    LPCSTR lpszLabel;  // with its mnemonic
    LPCSTR lpszName;   // as messages name the field
    LPCSTR lpszKey;
};
const Field kFields[] = {
    {CMassesPane::IDC_MASSES, "&Observed masses (one a line):", "Masses", "masses"},
    {CMassesPane::IDC_OBSERVED, "&Values are:", "Values are", "observed"},
    {CMassesPane::IDC_MASS_TYPE, "Compared &with:", "Compared with", "mass_type"},
    {CMassesPane::IDC_TOLERANCE, "Tolera&nce (ppm, Da, %):", "Tolerance", "tolerance"},
};

template <size_t nCount>
LPCSTR ChosenValue(HWND hList, const Choice (&choices)[nCount])
{
    const LRESULT nChosen = ::SendMessageA(hList, CB_GETCURSEL, 0, 0);
    return choices[nChosen >= 0 && nChosen < (LRESULT)nCount ? nChosen : 0].lpszValue;
}
}

BEGIN_MESSAGE_MAP(CMassesPane, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CMassesPane::Create(CWnd* pParentWnd, UINT nID)
{
    const LPCSTR lpszClass = AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateEx(WS_EX_CONTROLPARENT, lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                  pParentWnd->m_hWnd, (HMENU)(UINT_PTR)nID))
        return FALSE;
    const DWORD dwDropDown = CBS_DROPDOWNLIST | WS_VSCROLL;
    const HWND hMasses =
        AddControl(kFields[0].lpszLabel, "EDIT", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL, IDC_MASSES);
    const HWND hObserved = AddControl(kFields[1].lpszLabel, "COMBOBOX", dwDropDown, IDC_OBSERVED);
    const HWND hMassType = AddControl(kFields[2].lpszLabel, "COMBOBOX", dwDropDown, IDC_MASS_TYPE);
    const HWND hTolerance = AddControl(kFields[3].lpszLabel, "EDIT", ES_AUTOHSCROLL, IDC_TOLERANCE);
    const HWND hSummary = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, m_hWnd,
                                            (HMENU)IDC_MATCH_SUMMARY, GetModuleHandleA(NULL), NULL);
    if (hMasses == NULL || hObserved == NULL || hMassType == NULL || hTolerance == NULL || hSummary == NULL)
        return FALSE;
    ::SendMessageA(hSummary, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    ::SendMessageA(hMasses, EM_SETLIMITTEXT, kMostMassesChars, 0);
    for (const Choice& choice : kObservedChoices)
        ::SendMessageA(hObserved, CB_ADDSTRING, 0, (LPARAM)choice.lpszShown);
    for (const Choice& choice : kMassTypeChoices)
        ::SendMessageA(hMassType, CB_ADDSTRING, 0, (LPARAM)choice.lpszShown);
    ::SendMessageA(hObserved, CB_SETCURSEL, 0, 0);
    ::SendMessageA(hMassType, CB_SETCURSEL, 0, 0);
    ::SetWindowTextA(hTolerance, kDefaultTolerance);
    return TRUE;
}

HWND CMassesPane::AddControl(LPCSTR lpszLabel, LPCSTR lpszClass, DWORD dwStyle, UINT nID)
{
    const HINSTANCE hInstance = GetModuleHandleA(NULL);
    const WPARAM hFont = (WPARAM)GetStockObject(DEFAULT_GUI_FONT);
    // The label comes just before its control, so that its mnemonic goes to the control.
    const HWND hLabel =
        ::CreateWindowExA(0, "STATIC", lpszLabel, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_hWnd, (HMENU)-1, hInstance, NULL);
    const BOOL bDropDown = strcmp(lpszClass, "COMBOBOX") == 0;
    const HWND hControl = ::CreateWindowExA(bDropDown ? 0 : WS_EX_CLIENTEDGE, lpszClass, "",
                                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | dwStyle, 0, 0, 0, 0, m_hWnd,
                                            (HMENU)(UINT_PTR)nID, hInstance, NULL);
    if (hLabel == NULL || hControl == NULL)
        return NULL;
    ::SendMessageA(hLabel, WM_SETFONT, hFont, FALSE);
    ::SendMessageA(hControl, WM_SETFONT, hFont, FALSE);
    return hControl;
}

// The choices and the summary keep their height at the bottom; the values take the rest.
void CMassesPane::OnSize(UINT /*nType*/, int cx, int cy)
{
    const int nWidth = std::max(0, cx - 2 * kMargin);
    const int nChoices = (int)std::size(kFields) - 1;
    int nTop = kMargin;
    const int nValuesHeight =
        std::max(kEditHeight, cy - 2 * kMargin - kSummaryHeight - (int)std::size(kFields) * kLabelHeight -
                                  nChoices * (kEditHeight + kGap) - kGap);
    for (const Field& field : kFields)
    {
        const HWND hControl = ::GetDlgItem(m_hWnd, field.nID);
        const HWND hLabel = ::GetWindow(hControl, GW_HWNDPREV);
        ::MoveWindow(hLabel, kMargin, nTop, nWidth, kLabelHeight, TRUE);
        nTop += kLabelHeight;
        const int nHeight = field.nID == IDC_MASSES ? nValuesHeight : kEditHeight;
        const BOOL bDropDown = field.nID == IDC_OBSERVED || field.nID == IDC_MASS_TYPE;
        ::MoveWindow(hControl, kMargin, nTop, nWidth, bDropDown ? kDropHeight : nHeight, TRUE);
        nTop += nHeight + kGap;
    }
    ::MoveWindow(::GetDlgItem(m_hWnd, IDC_MATCH_SUMMARY), kMargin, nTop, nWidth, kSummaryHeight, TRUE);
}

void CMassesPane::SetReadOnly(BOOL bReadOnly)
{
    for (const Field& field : kFields)
        ::EnableWindow(::GetDlgItem(m_hWnd, field.nID), !bReadOnly);
}

CString CMassesPane::FieldText(UINT nID) const
{
    const HWND hField = ::GetDlgItem(m_hWnd, nID);
    ASSERT(hField != NULL);
    CString strText;
    const int nLength = ::GetWindowTextLengthA(hField);
    ::GetWindowTextA(hField, strText.GetBufferSetLength(nLength), nLength + 1);
    strText.ReleaseBuffer(nLength);
    return strText;
}

CString CMassesPane::GetMassesText() const
{
    const CString strText = FieldText(IDC_MASSES);
    CString strTrimmed = strText;
    return strTrimmed.Trim().IsEmpty() ? CString() : strText;
}

void CMassesPane::SetMassesText(const CString& strText)
{
    // The edit breaks lines at CR LF only.
    CString strShown;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        if (strText[i] == '\n' && (i == 0 || strText[i - 1] != '\r'))
            strShown += '\r';
        strShown += strText[i];
    }
    VERIFY(::SetDlgItemTextA(m_hWnd, IDC_MASSES, strShown));
}

BOOL CMassesPane::GetEngineKeys(LPCSTR lpszMassFile, CEngineKeys& keys, CString& strError)
{
    const CString strMasses = GetMassesText();
    if (strMasses.IsEmpty())
        return TRUE;
    if (!WriteTextFile(lpszMassFile, strMasses, strError))
        return FALSE;
    const CString strValues[] = {lpszMassFile, ChosenValue(::GetDlgItem(m_hWnd, IDC_OBSERVED), kObservedChoices),
                                 ChosenValue(::GetDlgItem(m_hWnd, IDC_MASS_TYPE), kMassTypeChoices),
                                 FieldText(IDC_TOLERANCE).Trim()};
    for (size_t i = 0; i < std::size(kFields); ++i)
    {
        const cleavage::KeyDescription* pKey = cleavage::FindKey(kFields[i].lpszKey);
        ASSERT(pKey != NULL);
        if (!keys.Set(*pKey, strValues[i], kFields[i].lpszName, strError))
        {
            ::SetFocus(::GetDlgItem(m_hWnd, kFields[i].nID));
            return FALSE;
        }
    }
    // The engine's reader of mass lists on the pane's lines: its messages name the file,
    // and the file's lines are the pane's.
    const auto read = [&] {
        cleavage::ReadMassList(lpszMassFile, cleavage::ParseObservedKind((LPCSTR)strValues[1], kFields[1].lpszName));
    };
    if (!CheckedByTheEngine(read, strError))
    {
        const CString strFile = cleavage::Printable(lpszMassFile).c_str();
        if (strError.Left(strFile.GetLength()) == strFile)
            strError = kFields[0].lpszName + strError.Mid(strFile.GetLength());
        ::SetFocus(::GetDlgItem(m_hWnd, IDC_MASSES));
        return FALSE;
    }
    return keys.CheckTogether(strError);
}

void CMassesPane::ShowMatchSummary(const CString& strSummary)
{
    VERIFY(::SetDlgItemTextA(m_hWnd, IDC_MATCH_SUMMARY, strSummary));
}
