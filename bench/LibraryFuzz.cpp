// Feeds the library reader random and mutated library files, in memory, and reports what
// a user's damaged library could do to it: crashes, hangs, wrong record counts, the
// largest single allocation, and the time taken.
//
//   LibraryFuzz.exe [files (1000000)] [random start (1)] [bound per file, ms (1000)]
//
// A crash or a hang ends the run at once: the file that caused it is saved beside the
// program as fuzz-crash.dat or fuzz-hang.dat. The exit code is 0 only for a clean run.
#include "BenchSupport.h"
#include "LibraryMutations.h"
#include <CReagentLibrary.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <psapi.h>
#include <string>

namespace
{
const int kSeedReagents = 8;

// The folder of this program, with its final backslash; empty when unknown.
std::string ProgramFolder()
{
    char szProgram[MAX_PATH];
    if (GetModuleFileNameA(NULL, szProgram, MAX_PATH) == 0 || strrchr(szProgram, '\\') == NULL)
        return std::string();
    return std::string(szProgram, strrchr(szProgram, '\\') - szProgram + 1);
}

// The largest size asked of the C runtime's allocator, by any module of this program.
// The plug-in's code, the toolkit and the C++ runtime are separate DLLs that each import
// malloc and its kin from msvcrt.dll; an operator new of this program would see only its
// own requests, so the imports themselves are redirected.
namespace Allocations
{
typedef void*(__cdecl* MallocFn)(size_t);
typedef void*(__cdecl* CallocFn)(size_t, size_t);
typedef void*(__cdecl* ReallocFn)(void*, size_t);
MallocFn g_pfnMalloc;
CallocFn g_pfnCalloc;
ReallocFn g_pfnRealloc;
std::atomic<size_t> g_nLargest{0};

void Note(size_t nBytes)
{
    size_t nLargest = g_nLargest.load();
    while (nBytes > nLargest && !g_nLargest.compare_exchange_weak(nLargest, nBytes))
    {
    }
}

void* __cdecl CountingMalloc(size_t nBytes)
{
    Note(nBytes);
    return g_pfnMalloc(nBytes);
}

void* __cdecl CountingCalloc(size_t nCount, size_t nBytes)
{
    Note(nCount * nBytes);
    return g_pfnCalloc(nCount, nBytes);
}

void* __cdecl CountingRealloc(void* p, size_t nBytes)
{
    Note(nBytes);
    return g_pfnRealloc(p, nBytes);
}

// Points the module's msvcrt.dll imports of the three allocators at the counting ones.
void RedirectImports(HMODULE hModule)
{
    BYTE* const pBase = (BYTE*)hModule;
    const IMAGE_NT_HEADERS* pHeaders = (const IMAGE_NT_HEADERS*)(pBase + ((IMAGE_DOS_HEADER*)pBase)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = pHeaders->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return;
    for (const IMAGE_IMPORT_DESCRIPTOR* pDll = (const IMAGE_IMPORT_DESCRIPTOR*)(pBase + imports.VirtualAddress);
         pDll->Name != 0; ++pDll)
    {
        if (lstrcmpiA((LPCSTR)(pBase + pDll->Name), "msvcrt.dll") != 0 || pDll->OriginalFirstThunk == 0)
            continue;
        const IMAGE_THUNK_DATA* pName = (const IMAGE_THUNK_DATA*)(pBase + pDll->OriginalFirstThunk);
        IMAGE_THUNK_DATA* pSlot = (IMAGE_THUNK_DATA*)(pBase + pDll->FirstThunk);
        for (; pName->u1.AddressOfData != 0; ++pName, ++pSlot)
        {
            if (IMAGE_SNAP_BY_ORDINAL(pName->u1.Ordinal))
                continue;
            const LPCSTR lpszName = (LPCSTR)((const IMAGE_IMPORT_BY_NAME*)(pBase + pName->u1.AddressOfData))->Name;
            void* pCounting = strcmp(lpszName, "malloc") == 0    ? (void*)&CountingMalloc
                              : strcmp(lpszName, "calloc") == 0  ? (void*)&CountingCalloc
                              : strcmp(lpszName, "realloc") == 0 ? (void*)&CountingRealloc
                                                                 : NULL;
            if (pCounting == NULL)
                continue;
            DWORD dwProtection;
            if (!VirtualProtect(&pSlot->u1.Function, sizeof(pSlot->u1.Function), PAGE_READWRITE, &dwProtection))
                continue;
            pSlot->u1.Function = (ULONG_PTR)pCounting;
            VirtualProtect(&pSlot->u1.Function, sizeof(pSlot->u1.Function), dwProtection, &dwProtection);
        }
    }
}

// Redirects the imports of every module loaded from this program's folder (the system's
// DLLs are left alone). FALSE when an allocation of the toolkit's is still not seen.
bool Start()
{
    const HMODULE hCrt = GetModuleHandleA("msvcrt.dll");
    g_pfnMalloc = (MallocFn)(void*)GetProcAddress(hCrt, "malloc");
    g_pfnCalloc = (CallocFn)(void*)GetProcAddress(hCrt, "calloc");
    g_pfnRealloc = (ReallocFn)(void*)GetProcAddress(hCrt, "realloc");
    if (g_pfnMalloc == NULL || g_pfnCalloc == NULL || g_pfnRealloc == NULL)
        return false;

    const std::string strFolder = ProgramFolder();
    HMODULE modules[256];
    DWORD nBytes = 0;
    if (strFolder.empty() || !EnumProcessModules(GetCurrentProcess(), modules, sizeof(modules), &nBytes))
        return false;
    for (DWORD i = 0; i < nBytes / sizeof(HMODULE) && i < 256; ++i)
    {
        char szModule[MAX_PATH];
        if (GetModuleFileNameA(modules[i], szModule, MAX_PATH) != 0 &&
            _strnicmp(szModule, strFolder.c_str(), strFolder.size()) == 0 && !strchr(szModule + strFolder.size(), '\\'))
            RedirectImports(modules[i]);
    }

    // A string buffer is allocated inside the toolkit and the C++ runtime DLLs.
    const size_t kProbeBytes = 3 << 20;
    {
        CString strProbe;
        strProbe.GetBufferSetLength((int)kProbeBytes);
    }
    const bool bSeen = g_nLargest.load() >= kProbeBytes;
    g_nLargest = 0;
    return bSeen;
}
}

// The file being read, for the watchdog and the crash report.
std::atomic<unsigned long> g_nFile{0};
std::atomic<ULONGLONG> g_nFileStartMs{0};
const std::string* g_pBytes = NULL;
DWORD g_dwBoundMs = 1000;

void SaveFile(LPCSTR lpszName)
{
    const std::string strPath = ProgramFolder() + lpszName;
    FILE* pFile = fopen(strPath.c_str(), "wb");
    if (pFile == NULL || fwrite(g_pBytes->data(), 1, g_pBytes->size(), pFile) != g_pBytes->size())
        fprintf(stderr, "cannot save %s\n", strPath.c_str());
    if (pFile != NULL)
        fclose(pFile);
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* pInfo)
{
    fprintf(stderr, "CRASH: file %lu, exception 0x%08lX; saved as fuzz-crash.dat\n", g_nFile.load(),
            pInfo->ExceptionRecord->ExceptionCode);
    SaveFile("fuzz-crash.dat");
    fflush(stderr);
    ExitProcess(2);
}

DWORD WINAPI Watch(LPVOID)
{
    for (;;)
    {
        Sleep(50);
        const ULONGLONG nStartMs = g_nFileStartMs.load();
        if (nStartMs != 0 && GetTickCount64() - nStartMs > g_dwBoundMs)
        {
            fprintf(stderr, "HANG: file %lu ran over %lu ms; saved as fuzz-hang.dat\n", g_nFile.load(), g_dwBoundMs);
            SaveFile("fuzz-hang.dat");
            fflush(stderr);
            ExitProcess(3);
        }
    }
}

// The read loop's holder; it notes any toolkit exception other than the archive's (the
// end of the file or a damaged value), which the loop would otherwise take for the end.
class CWatchedRecord : public CEnzymeDlg
{
public:
    void SerializeReagent(CPkArchive& ar) override
    {
        try
        {
            CEnzymeDlg::SerializeReagent(ar);
        }
        catch (CArchiveException*)
        {
            throw;
        }
        catch (CException* pException)
        {
            ++m_nOtherExceptions;
            fprintf(stderr, "file %lu: %s ended the read\n", g_nFile.load(),
                    pException->GetRuntimeClass()->m_lpszClassName);
            throw;
        }
    }

    unsigned long m_nOtherExceptions = 0;
};

std::string SeedLibrary()
{
    CMemFile image;
    CPkArchive ar(&image, CPkArchive::store);
    CEnzymeDlg reagent;
    for (int i = 0; i < kSeedReagents; ++i)
    {
        MakeSampleReagent(reagent, i);
        reagent.SerializeReagent(ar);
    }
    std::string bytes((size_t)image.GetLength(), '\0');
    image.SeekToBegin();
    image.Read(&bytes[0], (UINT)bytes.size());
    return bytes;
}
}

int main(int argc, char** argv)
{
    const unsigned long nFiles = argc > 1 ? strtoul(argv[1], NULL, 10) : 1000000;
    const unsigned nSeed = argc > 2 ? (unsigned)strtoul(argv[2], NULL, 10) : 1;
    g_dwBoundMs = argc > 3 ? strtoul(argv[3], NULL, 10) : 1000;
    if (nFiles == 0 || g_dwBoundMs == 0)
    {
        fprintf(stderr, "usage: LibraryFuzz [files (1000000)] [random start (1)] [bound per file, ms (1000)]\n");
        return 1;
    }
    if (!Allocations::Start())
    {
        fprintf(stderr, "cannot watch the allocations of the program's DLLs\n");
        return 1;
    }
    SetUnhandledExceptionFilter(ReportCrash);
    const HANDLE hWatchdog = CreateThread(NULL, 0, Watch, NULL, 0, NULL);
    if (hWatchdog == NULL)
    {
        fprintf(stderr, "cannot start the watchdog (error %lu)\n", GetLastError());
        return 1;
    }

    const std::string library = SeedLibrary();
    LibraryMutations mutations(library, nSeed);
    CWatchedRecord holder;
    unsigned long nEscaped = 0, nWrongCounts = 0, nPartlyReadable = 0;
    size_t nLargestFile = 0;
    double dSlowest = 0;
    const double dStart = Seconds();
    for (unsigned long nFile = 0; nFile < nFiles; ++nFile)
    {
        const std::string bytes = mutations.Next();
        nLargestFile = std::max(nLargestFile, bytes.size());
        CMemFile file;
        file.Write(bytes.data(), (UINT)bytes.size());
        g_pBytes = &bytes;
        g_nFile = nFile;
        const double dFileStart = Seconds();
        g_nFileStartMs = GetTickCount64();
        int nRecords = -1;
        try
        {
            nRecords = CReagentLibrary::ReadRecords(file, holder, [](IReagentRecord&) { return TRUE; });
        }
        catch (CException* pException)
        {
            ++nEscaped;
            fprintf(stderr, "file %lu: %s escaped the read\n", nFile, pException->GetRuntimeClass()->m_lpszClassName);
            pException->Delete();
        }
        catch (const std::exception& e)
        {
            ++nEscaped;
            fprintf(stderr, "file %lu: %s escaped the read\n", nFile, e.what());
        }
        catch (...)
        {
            ++nEscaped;
            fprintf(stderr, "file %lu: an unknown exception escaped the read\n", nFile);
        }
        g_nFileStartMs = 0;
        dSlowest = std::max(dSlowest, Seconds() - dFileStart);
        if (nRecords >= 0 && nRecords != CountCompleteRecords(bytes))
        {
            ++nWrongCounts;
            fprintf(stderr, "file %lu: %d records read, %d complete\n", nFile, nRecords, CountCompleteRecords(bytes));
        }
        nPartlyReadable += nRecords > 0;
    }
    const double dTotal = Seconds() - dStart;

    const unsigned long nCrashes = nEscaped + holder.m_nOtherExceptions;
    printf("library reader fuzz: %lu files (random start %u, from a library of %d reagents, %u bytes)\n", nFiles, nSeed,
           kSeedReagents, (unsigned)library.size());
    printf("crashes (exceptions other than the archive's): %lu\n", nCrashes);
    printf("hangs (a file over %lu ms): 0; slowest file %.2f ms\n", g_dwBoundMs, dSlowest * 1000.0);
    printf("wrong record counts: %lu; files with readable records: %lu\n", nWrongCounts, nPartlyReadable);
    printf("largest allocation: %llu bytes; largest file: %llu bytes\n",
           (unsigned long long)Allocations::g_nLargest.load(), (unsigned long long)nLargestFile);
    printf("time: %.1f s (%.1f us a file)\n", dTotal, dTotal * 1e6 / (double)nFiles);
    return nCrashes == 0 && nWrongCounts == 0 ? 0 : 1;
}
