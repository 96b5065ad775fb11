#include "Batch.h"
#include "AnalysisRun.h"
#include "Fasta.h"
#include "FormMessages.h"
#include <cstdio>
#include <cstring>
#include <memory>
#include <resource.h>
#include <vector>

const char kBatchUsage[] =
    "Workbench.exe /batch --fasta FILE --reagent NAME [--best N | --above P]"
    " [--sort probability|weight|position] [--range A-B] --out FILE";

namespace
{
struct SortName
{
    LPCSTR lpszName;
    int nButton;
};
const SortName kSortNames[] = {
    {"probability", IDC_SORT_PROBABILITY},
    {"weight", IDC_SORT_WEIGHT},
    {"position", IDC_SORT_POSITION},
};

BOOL ParseRange(const CString& strRange, int& nFrom, int& nTo)
{
    char chEnd = 0;
    return sscanf(strRange, "%d-%d%c", &nFrom, &nTo, &chEnd) == 2 && nFrom >= 1 && nTo >= nFrom;
}

// Sends the form what a click on the control would.
void ClickControl(CWnd& editor, int nID, UINT nCode)
{
    CWnd* pControl = editor.GetDlgItem(nID);
    ASSERT(pControl != NULL);
    editor.SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), (LPARAM)pControl->m_hWnd);
}

// Selects the reagent in the form's list; FALSE with the names the list holds.
BOOL SelectReagent(CWnd& editor, const CString& strName, CString& strError)
{
    CWnd* pList = editor.GetDlgItem(IDC_REAGENT_LIST);
    ASSERT(pList != NULL);
    const LRESULT nIndex = pList->SendMessage(LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCSTR)strName);
    if (nIndex == LB_ERR)
    {
        strError = "Unknown reagent '" + strName + "'. The reagents are:";
        const LRESULT nCount = pList->SendMessage(LB_GETCOUNT);
        for (LRESULT i = 0; i < nCount; ++i)
        {
            char szName[256] = "";
            if (pList->SendMessage(LB_GETTEXTLEN, i) < (LRESULT)sizeof(szName))
                pList->SendMessage(LB_GETTEXT, i, (LPARAM)szName);
            strError += CString("\n  ") + szName;
        }
        return FALSE;
    }
    pList->SendMessage(LB_SETCURSEL, nIndex);
    ClickControl(editor, IDC_REAGENT_LIST, LBN_SELCHANGE);
    return TRUE;
}

// Sets the form as the options say; the form itself checks the values in the save exchange.
BOOL SetForm(CAnalysisPlugIn& plugIn, CWnd& editor, const CBatchOptions& options, const CFastaRecord& record,
             CString& strError)
{
    if (!SelectReagent(editor, options.strReagent, strError))
        return FALSE;
    if (!options.strBest.IsEmpty())
    {
        editor.CheckRadioButton(IDC_ABOVE_PROBABILITY, IDC_BEST_FRAGMENTS, IDC_BEST_FRAGMENTS);
        ClickControl(editor, IDC_BEST_FRAGMENTS, BN_CLICKED);
        editor.SetDlgItemText(IDC_FRAGMENTS, options.strBest);
    }
    else if (!options.strAbove.IsEmpty())
    {
        editor.CheckRadioButton(IDC_ABOVE_PROBABILITY, IDC_BEST_FRAGMENTS, IDC_ABOVE_PROBABILITY);
        ClickControl(editor, IDC_ABOVE_PROBABILITY, BN_CLICKED);
        editor.SetDlgItemText(IDC_PROBABILITY, options.strAbove);
    }
    if (options.nSortButton != 0)
        editor.CheckRadioButton(IDC_SORT_PROBABILITY, IDC_SORT_POSITION, options.nSortButton);
    if (options.nFrom != 0)
    {
        plugIn.SetRange(&editor, record.strName, CPkMol::kProteinKind, options.nFrom, options.nTo);
        editor.CheckDlgButton(IDC_RANGE_ONLY, BST_CHECKED);
        ClickControl(editor, IDC_RANGE_ONLY, BN_CLICKED);
    }
    return TRUE;
}

// The engine's table with a first column naming the protein; the header only when asked.
CString WithProteinColumn(const CString& strTable, const CString& strName, BOOL bHeader)
{
    CString strRows;
    int nStart = 0;
    for (int nLine = 0; nStart < strTable.GetLength(); ++nLine)
    {
        int nEnd = strTable.Find('\n', nStart);
        if (nEnd < 0)
            nEnd = strTable.GetLength();
        const CString strLine = strTable.Mid(nStart, nEnd - nStart);
        if (nLine == 0 && bHeader)
            strRows += "protein\t" + strLine + "\n";
        else if (nLine > 0)
            strRows += strName + "\t" + strLine + "\n";
        nStart = nEnd + 1;
    }
    return strRows;
}
}

BOOL ParseBatchOptions(int argc, char** argv, CBatchOptions& options, CString& strError)
{
    for (int i = 0; i < argc; ++i)
    {
        const CString strOption = argv[i];
        if (i + 1 >= argc)
        {
            strError = "The option " + strOption + " needs a value.";
            return FALSE;
        }
        const CString strValue = argv[++i];
        if (strOption == "--fasta")
            options.strFasta = strValue;
        else if (strOption == "--reagent")
            options.strReagent = strValue;
        else if (strOption == "--out")
            options.strOut = strValue;
        else if (strOption == "--best")
            options.strBest = strValue;
        else if (strOption == "--above")
            options.strAbove = strValue;
        else if (strOption == "--sort")
        {
            for (const SortName& sort : kSortNames)
                if (strValue == sort.lpszName)
                    options.nSortButton = sort.nButton;
            if (options.nSortButton == 0)
            {
                strError = "--sort takes probability, weight or position, not '" + strValue + "'.";
                return FALSE;
            }
        }
        else if (strOption == "--range")
        {
            if (!ParseRange(strValue, options.nFrom, options.nTo))
            {
                strError = "--range takes two positions A-B with 1 <= A <= B, not '" + strValue + "'.";
                return FALSE;
            }
        }
        else
        {
            strError = "Unknown option '" + strOption + "'.";
            return FALSE;
        }
    }
    if (!options.strBest.IsEmpty() && !options.strAbove.IsEmpty())
        strError = "Give --best or --above, not both.";
    else if (options.strFasta.IsEmpty() || options.strReagent.IsEmpty() || options.strOut.IsEmpty())
        strError = "--fasta, --reagent and --out are needed.";
    return strError.IsEmpty();
}

int RunBatch(CAnalysisPlugIn& plugIn, const CBatchOptions& options)
{
    std::vector<CFastaRecord> records;
    CString strError;
    if (!ReadFastaFile(options.strFasta, records, strError))
    {
        fprintf(stderr, "%s\n", (LPCSTR)strError);
        return 1;
    }

    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "Workbench batch", WS_OVERLAPPEDWINDOW, 0, 0, 660, 480, NULL, NULL))
    {
        fprintf(stderr, "Cannot make the batch window: %s\n", (LPCSTR)AfxGetSystemErrorText(GetLastError()));
        return 1;
    }
    // Every message box of the form goes to stderr and counts as a refusal.
    CFormMessages formMessages(CFormMessages::WriteToStderr);
    CWnd* pEditor = plugIn.CreateEditor(&host);
    int nExitCode = 0;
    CString strOutput;
    if (pEditor == NULL || formMessages.GetCount() > 0)
    {
        fprintf(stderr, "The analysis could not make its settings form.\n");
        nExitCode = 1;
    }
    for (size_t i = 0; nExitCode == 0 && i < records.size(); ++i)
    {
        const CFastaRecord& record = records[i];
        CPkMol mol(record.strName, record.strSequence.GetLength());
        CAnalysisHeaderBase header(&mol);
        std::unique_ptr<CAnalysisData> data(plugIn.CreateData(&header));
        CAnalysisContext context(&header, data.get());
        plugIn.ExchangeData(pEditor, &context, FALSE);
        if (!SetForm(plugIn, *pEditor, options, record, strError))
        {
            fprintf(stderr, "%s\n", (LPCSTR)strError);
            nExitCode = 1;
            break;
        }
        plugIn.ExchangeData(pEditor, &context, TRUE);
        if (formMessages.GetCount() > 0)
        {
            fprintf(stderr, "The settings form refused the settings for %s.\n", (LPCSTR)record.strName);
            nExitCode = 1;
            break;
        }
        data->StoreSettings();
        CAnalysisRun run;
        if (!run.Run(plugIn, data->m_Storage, record.strName, record.strSequence))
        {
            fprintf(stderr, "%s: %s\n", (LPCSTR)record.strName, (LPCSTR)run.GetError());
            nExitCode = 1;
            break;
        }
        strOutput += WithProteinColumn(run.GetTable(), record.strName, i == 0);
    }
    host.DestroyWindow();
    if (nExitCode == 0 && !WriteTextFile(options.strOut, strOutput, strError))
    {
        fprintf(stderr, "%s\n", (LPCSTR)strError);
        nExitCode = 1;
    }
    return nExitCode;
}
