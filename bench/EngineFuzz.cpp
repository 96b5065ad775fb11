// Feeds the engine damaged parameter files and FASTA files, as a user's editor or disk
// could leave them, and checks what each run leaves: exit 0 with both tables and no
// error file, or exit 1 with the message in the error file and no table, nor a
// temporary one; the input files unchanged; no message with a raw control byte; no
// crash and no run over the bound.
//
//   EngineFuzz [files (100000)] [random start (1)] [bound per file, ms (1000)]
//
// The files of a run lie in a scratch folder (printed at the start): a crash or a
// hang ends the program and leaves them there. The exit code is 0 only for a clean run.
#include "Engine.h"
#include "ParameterFile.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>

namespace
{
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The sample analysis on one molecule: trypsin at 90 %, every fragment.
const char kMoleculeFile[] =
    "enz_name=Trypsin\nrecognition_probability=90\nexception_probability=100\nrecognition_begining=0\n"
    "exception_begining=0\nrecognition_count=2\nexception_count=2\nanalysis_probability=75\n"
    "analysis_fragments=2147483647\nanalysis_from=0\nanalysis_to=0\nprobability_or_fragments=0\nsorting=2\n"
    "range=0\nrecognition_list=KR\nrecognition_list={P}\nexception_list=\nmolecule_name=sample\n"
    "sequence=MKWVTRPAKDLGEK\nmissed=2\n";
// The same on a FASTA batch, the best 5 by weight, with the options of batch work.
const char kBatchFile[] =
    "enz_name=Chymotrypsin \\\\ x\nrecognition_probability=75\nexception_probability=50\nrecognition_begining=-1\n"
    "exception_begining=0\nrecognition_count=2\nexception_count=2\nanalysis_probability=10\n"
    "analysis_fragments=5\nanalysis_from=0\nanalysis_to=0\nprobability_or_fragments=1\nsorting=1\n"
    "range=0\nrecognition_list=\\e\nrecognition_list=FWY\nexception_list={P}\nexception_list=\\e\n"
    "fasta=in.fa\nmin_length=2\nmax_length=30\nthreads=2\nmax_rows=1000\n";
const char kFasta[] = ">HBB_HUMAN beta\nMVHLTPEEKSAVTALWGKVNVDEVGGEALGRLLVVYPWTQRFFESFGDLSTPDAVMGNPK\n"
                      "VKAHGKKVLGAFSDGLAHLDNLKGTFATLSELHCDKLHVDPENFRLLGNVLVCVLAHHFGKEFTPPVQAAYQKVVAGVANALAHKYH\n"
                      ";a note\n>short\r\nmkwv tr*\n\n>X\nBZXUOJ\n";
// The one result every file names: a damaged file must not write outside the folder.
const char kResultLine[] = "result_file=result.tsv\n";

// Bytes that mean something to one of the readers, and some that mean nothing.
const char kTelling[] = "=\\\r\n\0#;>*-0123456789eEKRPbzx{} \t\x01\x1b\x7f\xff\xef\xbb\xbf";

class Mutations
{
public:
    explicit Mutations(unsigned randomStart) : m_random(randomStart) {}

    std::string Damage(std::string text, int changes)
    {
        for (int i = 0; i < changes; ++i)
            Change(text);
        return text;
    }

private:
    std::size_t Below(std::size_t n) { return n == 0 ? 0 : m_random() % n; }
    char TellingByte() { return kTelling[Below(sizeof(kTelling) - 1)]; }

    // A line's extent around `at`: [begin, end) without its line end.
    std::pair<std::size_t, std::size_t> LineAround(const std::string& text, std::size_t at)
    {
        const std::size_t begin = at == 0 ? 0 : text.rfind('\n', at - 1);
        const std::size_t first = begin == std::string::npos || at == 0 ? 0 : begin + 1;
        const std::size_t end = text.find('\n', at);
        return {first, end == std::string::npos ? text.size() : end};
    }

    void Change(std::string& text)
    {
        static const char* const kNumbers[] = {"0", "-1", "1", "100", "101", "100000", "100001", "2147483647",
                                               "2147483648", "-2147483648", "99999999999", "", "007", "1e3"};
        const std::size_t at = Below(text.size() + 1);
        switch (m_random() % 9)
        {
        case 0: // one byte changed
            if (at < text.size())
                text[at] = TellingByte();
            break;
        case 1: // one random byte changed
            if (at < text.size())
                text[at] = static_cast<char>(m_random());
            break;
        case 2: // bytes inserted: a few, or a long run of one
            text.insert(at, m_random() % 4 ? Below(4) + 1 : Below(5000), TellingByte());
            break;
        case 3: // a span removed
            text.erase(at, Below(40) + 1);
            break;
        case 4: // a line doubled
        {
            const auto [begin, end] = LineAround(text, at);
            text.insert(begin, text.substr(begin, end - begin) + "\n");
            break;
        }
        case 5: // a line removed
        {
            const auto [begin, end] = LineAround(text, at);
            text.erase(begin, end - begin + 1);
            break;
        }
        case 6: // a value replaced by an extreme number
        {
            const auto [begin, end] = LineAround(text, at);
            const std::size_t equals = text.find('=', begin);
            if (equals < end)
                text.replace(equals + 1, end - equals - 1, kNumbers[Below(std::size(kNumbers))]);
            break;
        }
        case 7: // cut short
            text.resize(at);
            break;
        case 8: // line ends of another editor
            for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 2))
                text.replace(i, 1, m_random() % 2 ? "\r" : "\r\n");
            break;
        }
    }

    std::mt19937 m_random;
};

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    if (!out)
    {
        std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
        std::exit(1);
    }
}

std::string ReadFile(const fs::path& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// What a run left that it should not have; empty when it left the right files.
std::string Misbehaviour(const fs::path& folder, int exitCode)
{
    const bool table = fs::exists(folder / "result.tsv") || fs::exists(folder / "result.sites.tsv");
    const bool part = fs::exists(folder / "result.tsv.part") || fs::exists(folder / "result.sites.tsv.part");
    const fs::path errorFile = folder / "result.tsv.error";
    if (part)
        return "a temporary table left";
    if (exitCode == 0 && (!fs::exists(folder / "result.tsv") || !fs::exists(folder / "result.sites.tsv")))
        return "exit 0 without tables";
    if (exitCode == 0)
        return fs::exists(errorFile) ? "exit 0 with an error file" : "";
    if (exitCode != 1)
        return "exit code " + std::to_string(exitCode);
    if (table)
        return "exit 1 with a table";
    const std::string message = ReadFile(errorFile);
    if (message.size() < 2 || message.back() != '\n')
        return "exit 1 without a message in result.tsv.error";
    if (std::any_of(message.begin(), message.end() - 1,
                    [](char ch) { return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F; }))
        return "a raw control byte in the message";
    return "";
}

std::atomic<long long> g_runStartMs{0};
std::atomic<unsigned long> g_file{0};

long long NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}
}

int main(int argc, char** argv)
{
    const unsigned long files = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const unsigned randomStart = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    const long long boundMs = argc > 3 ? std::strtoll(argv[3], nullptr, 10) : 1000;
    if (files == 0 || boundMs <= 0)
    {
        std::fprintf(stderr, "usage: EngineFuzz [files (100000)] [random start (1)] [bound per file, ms (1000)]\n");
        return 1;
    }
    const fs::path folder = fs::temp_directory_path() / "cleavage-engine-fuzz";
    std::printf("engine fuzz: %lu files (random start %u); the files of a run in %s\n", files, randomStart,
                folder.string().c_str());
    std::fflush(stdout);

    std::thread([boundMs] {
        for (;;)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const long long start = g_runStartMs.load();
            if (start != 0 && NowMs() - start > boundMs)
            {
                std::fprintf(stderr, "HANG: file %lu ran over %lld ms; its files are left\n", g_file.load(), boundMs);
                std::fflush(stderr);
                std::_Exit(3);
            }
        }
    }).detach();

    Mutations mutations(randomStart);
    std::mt19937 choice(randomStart);
    unsigned long analysed = 0, refused = 0, wrong = 0;
    std::map<std::string, unsigned long> refusals; // by the message's last words, for the figure
    double slowestMs = 0;
    const auto begin = Clock::now();
    for (unsigned long file = 0; file < files; ++file)
    {
        // Half the files damage a parameter file, half a FASTA file of a batch.
        const bool damageFasta = choice() % 2 != 0;
        const bool batch = damageFasta || choice() % 2 != 0;
        const int changes = 1 + static_cast<int>(choice() % 4);
        std::string parameters = batch ? kBatchFile : kMoleculeFile;
        if (!damageFasta)
            parameters = mutations.Damage(parameters, changes);
        if (!parameters.empty() && parameters.back() != '\n' && parameters.back() != '\r')
            parameters += '\n';
        parameters += kResultLine;
        const std::string fasta = damageFasta ? mutations.Damage(kFasta, changes) : std::string(kFasta);

        fs::remove_all(folder);
        fs::create_directories(folder);
        WriteFile(folder / "params.txt", parameters);
        WriteFile(folder / "in.fa", fasta);
        std::ostringstream output;
        std::ostringstream errors;
        g_file = file;
        const auto runStart = Clock::now();
        g_runStartMs = NowMs();
        const int exitCode = cleavage::RunEngine({"/f", (folder / "params.txt").string()}, output, errors);
        g_runStartMs = 0;
        slowestMs = std::max(slowestMs, std::chrono::duration<double, std::milli>(Clock::now() - runStart).count());

        std::string problem = Misbehaviour(folder, exitCode);
        if (problem.empty() && (ReadFile(folder / "params.txt") != parameters || ReadFile(folder / "in.fa") != fasta))
            problem = "an input changed";
        if (!problem.empty())
        {
            ++wrong;
            std::fprintf(stderr, "file %lu: %s; files kept in %s-%lu\n", file, problem.c_str(), folder.string().c_str(),
                         file);
            fs::remove_all(folder.string() + "-" + std::to_string(file));
            fs::rename(folder, folder.string() + "-" + std::to_string(file));
            continue;
        }
        if (exitCode == 0)
        {
            ++analysed;
            continue;
        }
        ++refused;
        // The message's kind: its text after the last "': " or ": ", numbers and quotes left out.
        std::string message = errors.str();
        message = message.substr(0, message.find('\n'));
        const std::size_t at = message.rfind(": ");
        std::string kind;
        for (const char ch : message.substr(at == std::string::npos ? 0 : at + 2))
            if ((ch >= 'a' && ch <= 'z') || ch == ' ' || ch == '_')
                kind += ch;
        ++refusals[kind.substr(0, 48)];
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    fs::remove_all(folder);

    std::printf("crashes: 0; hangs (a run over %lld ms): 0; slowest run %.1f ms\n", boundMs, slowestMs);
    std::printf("analysed (exit 0, both tables): %lu; refused (exit 1, error file, no table): %lu; wrong: %lu\n",
                analysed, refused, wrong);
    std::printf("time: %.1f s (%.2f ms a file)\n", seconds, seconds * 1000.0 / static_cast<double>(files));
    std::printf("most frequent refusals:\n");
    std::vector<std::pair<unsigned long, std::string>> ranked;
    for (const auto& [kind, count] : refusals)
        ranked.emplace_back(count, kind);
    std::sort(ranked.rbegin(), ranked.rend());
    for (std::size_t i = 0; i < ranked.size() && i < 12; ++i)
        std::printf("%8lu  %s\n", ranked[i].first, ranked[i].second.c_str());
    return wrong == 0 ? 0 : 1;
}
