#include "Batch.h"
#include "AnalysisRun.h"
#include "FormMessages.h"
#include <ResultFormat.h>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <resource.h>
#include <vector>

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

// A whole-number option: its field, what it takes, and its bounds; an option that goes
// to the engine as its key of the same option takes the engine's bounds.
struct NumberOption
{
    LPCSTR lpszName;
    int CBatchOptions::*pField;
    LPCSTR lpszTakes;
    int nMin;
    int nMax;
};
const NumberOption kNumberOptions[] = {
    {"--best", &CBatchOptions::nBest, "a whole number of fragments", 1, INT_MAX},
    {"--above", &CBatchOptions::nAbove, "a whole percent", 0, 100},
    {"--missed", &CBatchOptions::nMissed, "a whole number of sites"},
    {"--min-length", &CBatchOptions::nMinLength, "a whole number of residues"},
    {"--max-length", &CBatchOptions::nMaxLength, "a whole number of residues"},
};

// The engine's key an option sets as it is, or NULL for the batch's own.
const cleavage::KeyDescription* EngineKeyOf(const NumberOption& option)
{
    return cleavage::FindOption(option.lpszName);
}

// The form's best-fragments text for every fragment with a probability above 0.
const char kAllFragments[] = "All";
// The engine's key that has it say how far a batch has come, about once a second.
const char kProgressKey[] = "progress";
// The engine's key of the observed masses, the one of the batch's engine keys that comes
// with an option of the batch's own (--matches) and holds a path.
const char kMassesKey[] = "masses";

// Decimal digits only, within nMin..nMax.
BOOL ParseWholeNumber(LPCSTR lpszText, int nMin, int nMax, int& nValue)
{
    const size_t nLength = strlen(lpszText);
    if (nLength == 0 || nLength > 10 || strspn(lpszText, "0123456789") != nLength)
        return FALSE;
    const long long nParsed = strtoll(lpszText, NULL, 10);
    if (nParsed < nMin || nParsed > nMax)
        return FALSE;
    nValue = (int)nParsed;
    return TRUE;
}

// "<option> <text>: <what is wrong>"
CString OptionError(LPCSTR lpszOption, LPCSTR lpszText, LPCSTR lpszWhat)
{
    CString strError;
    strError.Format("%s %s: %s", lpszOption, lpszText, lpszWhat);
    return strError;
}

BOOL ParseNumberOption(const NumberOption& option, LPCSTR lpszText, CBatchOptions& options, CString& strError)
{
    const cleavage::KeyDescription* pEngineKey = EngineKeyOf(option);
    const int nMin = pEngineKey != NULL ? (int)pEngineKey->min : option.nMin;
    const int nMax = pEngineKey != NULL ? (int)pEngineKey->max : option.nMax;
    if (ParseWholeNumber(lpszText, nMin, nMax, options.*option.pField))
        return TRUE;
    // A number of another kind or size is told what the option takes.
    char* pEnd = NULL;
    strtod(lpszText, &pEnd);
    const BOOL bNumber = *lpszText != 0 && *pEnd == 0;
    CString strTakes;
    strTakes.Format("%s from %d to %d", option.lpszTakes, nMin, nMax);
    strError = OptionError(option.lpszName, lpszText, bNumber ? (LPCSTR)strTakes : "not a whole number");
    return FALSE;
}

BOOL ParseRange(const CString& strRange, CBatchOptions& options)
{
    const int nDash = strRange.Find('-');
    return nDash > 0 && ParseWholeNumber(strRange.Left(nDash), 1, INT_MAX, options.nFrom) &&
           ParseWholeNumber(strRange.Mid(nDash + 1), 1, INT_MAX, options.nTo) && options.nFrom <= options.nTo;
}

// The folder of an output option exists (the batch writes nothing until its end).
BOOL CheckOutput(LPCSTR lpszOption, const CString& strOut, CString& strError)
{
    const int nSlash = std::max(strOut.ReverseFind('\\'), strOut.ReverseFind('/'));
    const CString strFolder = nSlash < 0 ? CString(".") : strOut.Left(nSlash + 1);
    const DWORD dwFolder = GetFileAttributesA(strFolder);
    if (dwFolder == INVALID_FILE_ATTRIBUTES || (dwFolder & FILE_ATTRIBUTE_DIRECTORY) == 0)
        strError = OptionError(lpszOption, strOut, "the folder " + strFolder + " does not exist");
    const DWORD dwOut = GetFileAttributesA(strOut);
    if (strError.IsEmpty() && dwOut != INVALID_FILE_ATTRIBUTES && (dwOut & FILE_ATTRIBUTE_DIRECTORY) != 0)
        strError = OptionError(lpszOption, strOut, "a folder, not a file");
    return strError.IsEmpty();
}

// A path as the batch was started with it, made whole: the engine runs on a parameter
// file in another folder.
CString FullPathOf(const CString& strPath)
{
    char szFull[MAX_PATH];
    const DWORD nFull = GetFullPathNameA(strPath, MAX_PATH, szFull, NULL);
    return nFull > 0 && nFull < MAX_PATH ? CString(szFull) : strPath;
}

// Sends the form what a click on the control would.
void ClickControl(CWnd& editor, int nID, UINT nCode)
{
    CWnd* pControl = editor.GetDlgItem(nID);
    ASSERT(pControl != NULL);
    editor.SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), (LPARAM)pControl->m_hWnd);
}

// Selects the reagent in the form's list, its name matched exactly as the form matches
// names; FALSE with the names the list holds.
BOOL SelectReagent(CWnd& editor, const CString& strName, CString& strError)
{
    CWnd* pList = editor.GetDlgItem(IDC_REAGENT_LIST);
    ASSERT(pList != NULL);
    CString strNames;
    const LRESULT nCount = pList->SendMessage(LB_GETCOUNT);
    for (LRESULT i = 0; i < nCount; ++i)
    {
        std::vector<char> item((size_t)std::max<LRESULT>(0, pList->SendMessage(LB_GETTEXTLEN, i)) + 1, '\0');
        pList->SendMessage(LB_GETTEXT, i, (LPARAM)item.data());
        if (strName == item.data())
        {
            pList->SendMessage(LB_SETCURSEL, i);
            ClickControl(editor, IDC_REAGENT_LIST, LBN_SELCHANGE);
            return TRUE;
        }
        strNames += CString("\n  ") + item.data();
    }
    strError = "Unknown reagent '" + strName + "' (letter case counts). The reagents are:" + strNames;
    return FALSE;
}

// Sets the form as the options say: the reagent, the result options (every fragment
// above 0 unless --best or --above is given), the order and the range, which the engine
// applies to every protein.
void SetResultOptions(CWnd& editor, const CBatchOptions& options)
{
    const BOOL bAbove = options.nAbove >= 0;
    const int nModeButton = bAbove ? IDC_ABOVE_PROBABILITY : IDC_BEST_FRAGMENTS;
    editor.CheckRadioButton(IDC_ABOVE_PROBABILITY, IDC_BEST_FRAGMENTS, nModeButton);
    ClickControl(editor, nModeButton, BN_CLICKED);
    CString strValue;
    if (bAbove)
        strValue.Format("%d", options.nAbove);
    else if (options.nBest >= 0)
        strValue.Format("%d", options.nBest);
    else
        strValue = kAllFragments;
    editor.SetDlgItemText(bAbove ? IDC_PROBABILITY : IDC_FRAGMENTS, strValue);
    if (options.nSortButton != 0)
        editor.CheckRadioButton(IDC_SORT_PROBABILITY, IDC_SORT_POSITION, options.nSortButton);
    const BOOL bRange = options.nTo > 0;
    editor.CheckDlgButton(IDC_RANGE_ONLY, bRange ? BST_CHECKED : BST_UNCHECKED);
    ClickControl(editor, IDC_RANGE_ONLY, BN_CLICKED);
    if (bRange)
    {
        strValue.Format("%d", options.nFrom);
        editor.SetDlgItemText(IDC_RANGE_FROM, strValue);
        strValue.Format("%d", options.nTo);
        editor.SetDlgItemText(IDC_RANGE_TO, strValue);
    }
}

// The settings record of the batch, taken once through the form's save exchange (tried
// again while another workbench holds the reagent library). kBatchExitDone, or the exit code
// with the messages written.
int TakeSettings(CAnalysisPlugIn& plugIn, const CBatchOptions& options, CKeyValueStorage& settings)
{
    CPkMol mol(options.strFasta, 0);
    CAnalysisHeaderBase header(&mol);
    std::unique_ptr<CAnalysisData> data(plugIn.CreateData(&header));
    CAnalysisContext context(&header, data.get());
    std::unique_ptr<CWnd> pHost;
    CString strError;
    int nExitCode = kBatchExitFailed;
    CStringList lstMessages;
    const BOOL bTaken = RunFormStep(
        [&]() {
            // A form that refused is made anew, as the library it read may have been held.
            if (pHost && pHost->m_hWnd != NULL)
                pHost->DestroyWindow();
            pHost.reset(new CWnd);
            if (!pHost->CreateEx(0, AfxRegisterWndClass(0), "Workbench batch", WS_OVERLAPPEDWINDOW, 0, 0, 660, 480,
                                 NULL, NULL))
            {
                strError = "Cannot make the batch window: " + AfxGetSystemErrorText(GetLastError());
                return FALSE;
            }
            CWnd* pEditor = plugIn.CreateEditor(pHost.get());
            if (pEditor == NULL)
            {
                strError = "The analysis could not make its settings form.";
                return FALSE;
            }
            plugIn.ExchangeData(pEditor, &context, FALSE);
            if (!SelectReagent(*pEditor, options.strReagent, strError))
            {
                nExitCode = kBatchExitUsage;
                return FALSE;
            }
            SetResultOptions(*pEditor, options);
            plugIn.ExchangeData(pEditor, &context, TRUE);
            return TRUE;
        },
        lstMessages);
    if (pHost && pHost->m_hWnd != NULL)
        pHost->DestroyWindow();
    // A form that refused says why; its list may have been empty, so the step's own
    // error (an unknown reagent) would mislead.
    for (POSITION pos = lstMessages.GetHeadPosition(); pos != NULL;)
        fprintf(stderr, "%s\n", (LPCSTR)lstMessages.GetNext(pos));
    if (!lstMessages.IsEmpty())
        return kBatchExitFailed;
    if (!bTaken)
    {
        fprintf(stderr, "%s\n", (LPCSTR)strError);
        return nExitCode;
    }
    data->StoreSettings();
    settings = data->m_Storage;
    CString strTaken;
    settings.GetValue("enz_name", strTaken);
    if (strTaken != options.strReagent)
    {
        fprintf(stderr, "The settings form did not take the reagent '%s'.\n", (LPCSTR)options.strReagent);
        return kBatchExitFailed;
    }
    for (const NumberOption& option : kNumberOptions)
        if (EngineKeyOf(option) != NULL && options.*option.pField >= 0)
            settings.SetValue(EngineKeyOf(option)->key.c_str(), options.*option.pField);
    options.engineKeys.ApplyTo(settings);
    settings.SetValue(kProgressKey, 1);
    return kBatchExitDone;
}

// Puts one of the engine's tables at the user's path, in one step: the user's file stays
// as it was on failure.
BOOL DeliverTable(LPCSTR lpszTable, const CString& strPath, CString& strError)
{
    const CString strSaving = SavingPathOf(strPath);
    if (!MoveFileExA(lpszTable, strSaving, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
    {
        strError = CannotWrite(strSaving, AfxGetSystemErrorText(GetLastError()));
        DeleteFileA(strSaving);
        return FALSE;
    }
    return ReplaceWithSaved(strPath, strError);
}
}

CString BatchUsage()
{
    CString strUsage = "Workbench.exe /batch --fasta FILE --reagent NAME [--best N | --above P]"
                       " [--sort probability|weight|position] [--range A-B]";
    for (const NumberOption& option : kNumberOptions)
        if (const cleavage::KeyDescription* pKey = EngineKeyOf(option))
            strUsage += (" " + pKey->Usage()).c_str();
    // The keys of matching stand inside the masses' brackets, beside where the matches go.
    for (const cleavage::KeyDescription& key : cleavage::ParameterKeys())
    {
        if (key.group != cleavage::KeyGroup::MassSpectrometry || !key.needs.empty())
            continue;
        if (key.key != kMassesKey)
        {
            strUsage += (" " + key.Usage()).c_str();
            continue;
        }
        strUsage += (" [" + key.option + " " + key.placeholder).c_str();
        for (const cleavage::KeyDescription& matching : cleavage::ParameterKeys())
            if (matching.needs == kMassesKey)
                strUsage += (" " + matching.Usage()).c_str();
        strUsage += " --matches FILE]";
    }
    return strUsage + " --out FILE";
}

BOOL ParseBatchOptions(int argc, char** argv, CBatchOptions& options, CString& strError)
{
    for (int i = 0; i < argc; ++i)
    {
        const CString strOption = argv[i];
        if (i + 1 >= argc)
        {
            strError = strOption + ": needs a value";
            return FALSE;
        }
        const CString strValue = argv[++i];
        const NumberOption* pNumber = NULL;
        for (const NumberOption& option : kNumberOptions)
            if (strOption == option.lpszName)
                pNumber = &option;
        const cleavage::KeyDescription* pEngineKey = CEngineKeys::FindOption(strOption);
        if (pNumber != NULL)
        {
            if (!ParseNumberOption(*pNumber, strValue, options, strError))
                return FALSE;
        }
        else if (pEngineKey != NULL)
        {
            const BOOL bMasses = pEngineKey->key == kMassesKey;
            if (bMasses)
                options.strMasses = FullPathOf(strValue);
            if (!options.engineKeys.Set(*pEngineKey, bMasses ? options.strMasses : strValue, strOption, strError))
                return FALSE;
        }
        else if (strOption == "--fasta")
            options.strFasta = strValue;
        else if (strOption == "--reagent")
            options.strReagent = strValue;
        else if (strOption == "--out")
            options.strOut = strValue;
        else if (strOption == "--matches")
            options.strMatches = strValue;
        else if (strOption == "--sort")
        {
            options.nSortButton = 0;
            for (const SortName& sort : kSortNames)
                if (strValue == sort.lpszName)
                    options.nSortButton = sort.nButton;
            if (options.nSortButton == 0)
            {
                strError = OptionError(strOption, strValue, "probability, weight or position");
                return FALSE;
            }
        }
        else if (strOption == "--range")
        {
            if (!ParseRange(strValue, options))
            {
                strError = OptionError(strOption, strValue, "two positions A-B with 1 <= A <= B");
                return FALSE;
            }
        }
        else
        {
            strError = strOption + ": not an option of the batch";
            return FALSE;
        }
    }
    if (!options.engineKeys.CheckTogether(strError))
        return FALSE;
    if (options.nBest >= 0 && options.nAbove >= 0)
        strError = "--best and --above: give one of them, not both";
    else if (options.strFasta.IsEmpty() || options.strReagent.IsEmpty() || options.strOut.IsEmpty())
        strError = "--fasta, --reagent and --out are needed";
    else if (options.strMasses.IsEmpty() != options.strMatches.IsEmpty())
        strError = "--masses and --matches: give both, the observed masses and where their matches go";
    return strError.IsEmpty();
}

int RunBatch(CAnalysisPlugIn& plugIn, const CBatchOptions& options)
{
    CString strError;
    if (!CheckOutput("--out", options.strOut, strError) ||
        (!options.strMatches.IsEmpty() && !CheckOutput("--matches", options.strMatches, strError)))
    {
        fprintf(stderr, "%s\n", (LPCSTR)strError);
        return kBatchExitUsage;
    }
    CKeyValueStorage settings;
    const int nSettings = TakeSettings(plugIn, options, settings);
    if (nSettings != kBatchExitDone)
        return nSettings;

    // The engine reads the user's file itself, from where the batch was started.
    CAnalysisRun run;
    if (!run.RunBatch(plugIn, settings, FullPathOf(options.strFasta)))
    {
        // The engine has said its own message on the batch's stderr.
        if (!run.IsEngineMessage())
            fprintf(stderr, "%s\n", (LPCSTR)run.GetError());
        return kBatchExitFailed;
    }
    const CString strMatchTable = cleavage::MatchFilePath((LPCSTR)run.GetResultPath()).c_str();
    if ((!options.strMatches.IsEmpty() && !DeliverTable(strMatchTable, options.strMatches, strError)) ||
        !DeliverTable(run.GetResultPath(), options.strOut, strError))
    {
        fprintf(stderr, "%s\n", (LPCSTR)strError);
        return kBatchExitFailed;
    }
    return run.LeftRecordsOut() ? kBatchExitWarnings : kBatchExitDone;
}
