// A mutation fuzzer over every format the programs read. Not a test: a tool to run by hand.
//
//   fuzz.exe run <format|all> <seed> <count> <output folder> [time limit ms] [first input]
//       Mutates the format's seed files <count> times; each input is read in a child process that
//       reads one input after another and is started again only after a crash or a hang. Crashes and
//       hangs are kept in the output folder as small files (shrunk while they still fail), with a
//       summary in summary.txt.
//   fuzz.exe one <format> <file>
//       Reads one file as that format (to reproduce a kept input).
//   fuzz.exe seeds <folder>
//       Writes the seed files of every format.
//   fuzz.exe input <format> <seed> <index> <file>
//       Writes one input of a run (to reproduce a fault that was not kept).
//   fuzz.exe child ...   (started by run)
#include "Formats.h"
#include "Mutator.h"
#include "BenchTiming.h"
#include <windows.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace fuzz;

// What a child tells its parent, in memory both map.
struct Progress {
    volatile LONG ready;       // the child has made its workspace
    volatile LONG current;     // the input being read
    volatile LONG finished;    // inputs read to the end
    volatile LONG faulted;     // set by the child's crash handler
    volatile LONG taken;       // inputs taken as sound (a picture made, a file read whole)
    DWORD code;                // the exception
    char where[96];            // module+offset of the faulting address
};

Progress* g_progress = nullptr;

void Describe(const void* address, char* out, size_t size)
{
    HMODULE module = nullptr;
    char name[MAX_PATH] = "?";
    if (::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             static_cast<LPCSTR>(address), &module) &&
        module) {
        char path[MAX_PATH] = "";
        ::GetModuleFileNameA(module, path, MAX_PATH);
        const char* slash = std::strrchr(path, '\\');
        std::snprintf(name, sizeof(name), "%s", slash ? slash + 1 : path);
    }
    if (!module) {
        // Inside the system's own native code, which lies at another address in every process.
        std::snprintf(out, size, "system");
        return;
    }
    const auto offset = reinterpret_cast<std::uintptr_t>(address) - reinterpret_cast<std::uintptr_t>(module);
    std::snprintf(out, size, "%s+0x%llx", name, static_cast<unsigned long long>(offset));
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* pointers)
{
    if (g_progress) {
        g_progress->code = pointers->ExceptionRecord->ExceptionCode;
        Describe(pointers->ExceptionRecord->ExceptionAddress, g_progress->where, sizeof(g_progress->where));
        g_progress->faulted = 1;
    }
    ::TerminateProcess(::GetCurrentProcess(), 0xFA17);
    return EXCEPTION_EXECUTE_HANDLER;
}

void OnTerminate()
{
    if (g_progress) {
        g_progress->code = 0xE0000001; // an exception no one caught, or abort
        std::snprintf(g_progress->where, sizeof(g_progress->where), "std::terminate");
        g_progress->faulted = 1;
    }
    ::TerminateProcess(::GetCurrentProcess(), 0xFA17);
}

void InstallCrashHandlers()
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(OnCrash);
    std::set_terminate(OnTerminate);
    std::signal(SIGABRT, [](int) { OnTerminate(); });
}

Bytes InputOf(Workspace& workspace, std::vector<std::vector<Bytes>>& seeds, int format, std::uint64_t seed,
              std::uint64_t index)
{
    if (seeds[static_cast<size_t>(format)].empty())
        seeds[static_cast<size_t>(format)] = workspace.Seeds(format);
    Random random = InputRandom(seed, static_cast<unsigned>(format), index);
    Bytes input = Mutate(seeds[static_cast<size_t>(format)], Formats()[static_cast<size_t>(format)].text, random);
    // Most damaged PNGs keep right checksums, so the decoder reads what lies behind them.
    if (std::string(Formats()[static_cast<size_t>(format)].name) == "png" && !random.OneIn(4))
        RepairPngChecksums(input);
    return input;
}

// ---- the child ----

int RunChild(int format, std::uint64_t seed, LONG first, LONG count, const std::string& mappingName)
{
    HANDLE mapping = ::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, mappingName.c_str());
    if (!mapping)
        return 2;
    g_progress = static_cast<Progress*>(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Progress)));
    if (!g_progress)
        return 2;
    InstallCrashHandlers();
    Workspace workspace;
    std::vector<std::vector<Bytes>> seeds(Formats().size());
    seeds[static_cast<size_t>(format)] = workspace.Seeds(format);
    if (seeds[static_cast<size_t>(format)].empty())
        return 3;
    g_progress->ready = 1;
    for (LONG index = first; index < first + count; ++index) {
        g_progress->current = index;
        const Bytes input = InputOf(workspace, seeds, format, seed, static_cast<std::uint64_t>(index));
        if (workspace.Run(format, input))
            ++g_progress->taken;
        g_progress->finished = index + 1;
    }
    return 0;
}

int RunOne(int format, const std::string& file)
{
    InstallCrashHandlers();
    std::ifstream in(file, std::ios::binary);
    const Bytes input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Workspace workspace;
    workspace.Run(format, input);
    return 0;
}

// ---- the parent ----

std::string OwnPath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

struct ChildProcess {
    PROCESS_INFORMATION info{};
    bool Start(const std::string& arguments)
    {
        std::string line = "\"" + OwnPath() + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        return ::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info) != 0;
    }
    void Kill()
    {
        ::TerminateProcess(info.hProcess, 0xDEAD);
        ::WaitForSingleObject(info.hProcess, 5000);
    }
    ~ChildProcess()
    {
        if (info.hProcess) {
            ::CloseHandle(info.hProcess);
            ::CloseHandle(info.hThread);
        }
    }
};

enum class Outcome { Passed, Crashed, Hung };

// Runs the file in a process of its own; what became of it.
Outcome RunFile(int format, const std::string& file, DWORD limit, DWORD& code)
{
    ChildProcess child;
    if (!child.Start(std::string("one ") + Formats()[static_cast<size_t>(format)].name + " \"" + file + "\""))
        return Outcome::Passed;
    // The workspace takes a moment to make: the limit counts from the start plus that.
    if (::WaitForSingleObject(child.info.hProcess, limit + 5000) == WAIT_TIMEOUT) {
        child.Kill();
        return Outcome::Hung;
    }
    ::GetExitCodeProcess(child.info.hProcess, &code);
    return code == 0 ? Outcome::Passed : Outcome::Crashed;
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Cuts the input down while it still fails the same way: ends cut off, then blocks taken out.
Bytes Shrink(int format, Bytes input, Outcome outcome, const std::string& scratch, DWORD limit)
{
    int tries = outcome == Outcome::Hung ? 6 : 120;
    auto stillFails = [&](const Bytes& candidate) {
        if (tries-- <= 0)
            return false;
        WriteBytes(scratch, candidate);
        DWORD code = 0;
        return RunFile(format, scratch, limit, code) == outcome;
    };
    for (size_t chunk = input.size() / 2; chunk >= 1 && tries > 0; chunk /= 2) {
        for (size_t at = 0; at + chunk <= input.size() && tries > 0;) {
            Bytes candidate = input;
            candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(at),
                            candidate.begin() + static_cast<std::ptrdiff_t>(at + chunk));
            if (stillFails(candidate))
                input = candidate;
            else
                at += chunk;
        }
    }
    return input;
}

struct Fault {
    std::string signature;
    LONG index;
    Outcome outcome;
};

struct FormatResult {
    LONG inputs = 0;
    int crashes = 0;
    int hangs = 0;
    int restarts = 0;
    LONG taken = 0;
    double seconds = 0;
    std::map<std::string, int> signatures;
};

FormatResult FuzzFormat(int format, std::uint64_t seed, LONG first, LONG count, const std::string& output, DWORD limit,
                        Workspace& workspace, std::vector<std::vector<Bytes>>& seeds)
{
    const Format& f = Formats()[static_cast<size_t>(format)];
    FormatResult result;
    const double started = bench::Now();
    const std::string mappingName = "Local\\rzfuzz_" + std::to_string(::GetCurrentProcessId()) + "_" + f.name;
    HANDLE mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Progress),
                                          mappingName.c_str());
    auto* progress = static_cast<Progress*>(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Progress)));
    LONG next = first;
    count += first;
    while (next < count) {
        *progress = Progress{};
        progress->current = -1;
        ChildProcess child;
        const std::string arguments = std::string("child ") + f.name + " " + std::to_string(seed) + " " +
                                      std::to_string(next) + " " + std::to_string(count - next) + " " + mappingName;
        if (!child.Start(arguments)) {
            std::fprintf(stderr, "cannot start a child\n");
            break;
        }
        ++result.restarts;
        LONG watched = -2;
        double since = bench::Now();
        Outcome outcome = Outcome::Passed;
        LONG at = next;
        for (;;) {
            if (::WaitForSingleObject(child.info.hProcess, 20) == WAIT_OBJECT_0) {
                DWORD code = 0;
                ::GetExitCodeProcess(child.info.hProcess, &code);
                if (code == 0 && progress->finished == count) {
                    next = count;
                    break;
                }
                outcome = Outcome::Crashed;
                at = progress->current < 0 ? next : progress->current;
                if (!progress->faulted) {
                    progress->code = code;
                    std::snprintf(progress->where, sizeof(progress->where), "exit");
                }
                break;
            }
            const LONG current = progress->current;
            if (current != watched) {
                watched = current;
                since = bench::Now();
            }
            const double allowed = current < 0 ? 60000.0 : static_cast<double>(limit);
            if (bench::Now() - since > allowed) {
                child.Kill();
                outcome = Outcome::Hung;
                at = current < 0 ? next : current;
                break;
            }
        }
        result.taken += progress->taken;
        if (outcome == Outcome::Passed)
            break;

        const Bytes input = InputOf(workspace, seeds, format, seed, static_cast<std::uint64_t>(at));
        char signature[160];
        if (outcome == Outcome::Hung)
            std::snprintf(signature, sizeof(signature), "hang");
        else
            std::snprintf(signature, sizeof(signature), "crash-%08lx-%s", static_cast<unsigned long>(progress->code),
                          progress->where);
        std::string name = signature;
        for (char& c : name)
            if (std::strchr(":\\/ ?*<>|\"", c))
                c = '_';
        const int seen = result.signatures[signature]++;
        (outcome == Outcome::Hung ? result.hangs : result.crashes)++;
        std::printf("  %s: input %ld %s (%zu bytes)\n", f.name, static_cast<long>(at), signature, input.size());
        std::fflush(stdout);
        // The first few of each kind are kept; the first is shrunk.
        if (seen < 3) {
            const std::string base = output + "\\" + f.name + "-" + name + "-" + std::to_string(at);
            WriteBytes(base + "." + f.extension, input);
            if (seen == 0) {
                const Bytes small = Shrink(format, input, outcome, output + "\\scratch." + f.extension, limit);
                WriteBytes(base + "-small." + f.extension, small);
            }
        }
        next = at + 1;
    }
    result.inputs = count - first;
    result.seconds = (bench::Now() - started) / 1000.0;
    ::UnmapViewOfFile(progress);
    ::CloseHandle(mapping);
    return result;
}

int RunParent(const std::string& which, std::uint64_t seed, LONG first, LONG count, const std::string& output,
              DWORD limit)
{
    ::CreateDirectoryA(output.c_str(), nullptr);
    Workspace workspace;
    std::vector<std::vector<Bytes>> seeds(Formats().size());
    std::string summary;
    int faults = 0;
    for (size_t format = 0; format < Formats().size(); ++format) {
        if (which != "all" && which != Formats()[format].name)
            continue;
        std::printf("%s: %ld inputs, seed %llu\n", Formats()[format].name, static_cast<long>(count),
                    static_cast<unsigned long long>(seed));
        std::fflush(stdout);
        const FormatResult r = FuzzFormat(static_cast<int>(format), seed, first, count, output, limit, workspace, seeds);
        char line[512];
        std::snprintf(line, sizeof(line),
                      "%-9s %7ld inputs  %3d crashes  %3d hangs  %4d processes  %8.1f s  %6.2f ms an input  %5.1f%% taken",
                      Formats()[format].name, static_cast<long>(r.inputs), r.crashes, r.hangs, r.restarts, r.seconds,
                      r.inputs ? 1000.0 * r.seconds / r.inputs : 0.0, r.inputs ? 100.0 * r.taken / r.inputs : 0.0);
        std::string text = line;
        for (const auto& [signature, times] : r.signatures)
            text += "\n          " + std::to_string(times) + " x " + signature;
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
        summary += text + "\n";
        faults += r.crashes + r.hangs;
    }
    std::ofstream(output + "\\summary.txt", std::ios::app) << "seed " << seed << ", " << count << " inputs a format, limit "
                                                          << limit << " ms\n" << summary;
    return faults ? 1 : 0;
}

// Writes the seed files of every format, to look at or to open in the programs.
int WriteSeeds(const std::string& output)
{
    ::CreateDirectoryA(output.c_str(), nullptr);
    Workspace workspace;
    for (size_t format = 0; format < Formats().size(); ++format) {
        const std::vector<Bytes> seeds = workspace.Seeds(static_cast<int>(format));
        std::string refused;
        for (size_t i = 0; i < seeds.size(); ++i) {
            WriteBytes(output + "\\" + Formats()[format].name + "-" + std::to_string(i) + "." + Formats()[format].extension,
                       seeds[i]);
            if (!workspace.Takes(static_cast<int>(format), seeds[i]))
                refused += " " + std::to_string(i);
        }
        std::printf("%-9s %zu seeds%s\n", Formats()[format].name, seeds.size(),
                    refused.empty() ? "" : (", refused:" + refused).c_str());
    }
    return 0;
}

// Writes one input of a run, to reproduce it.
int WriteInput(int format, std::uint64_t seed, LONG index, const std::string& file)
{
    Workspace workspace;
    std::vector<std::vector<Bytes>> seeds(Formats().size());
    WriteBytes(file, InputOf(workspace, seeds, format, seed, static_cast<std::uint64_t>(index)));
    return 0;
}

int Usage()
{
    std::fprintf(stderr, "usage: fuzz.exe run <format|all> <seed> <count> <output folder> [time limit ms] [first input]\n"
                         "       fuzz.exe one <format> <file>\n"
                         "       fuzz.exe seeds <output folder>\n"
                         "       fuzz.exe input <format> <seed> <index> <file>\nformats:");
    for (const Format& f : Formats())
        std::fprintf(stderr, " %s", f.name);
    std::fprintf(stderr, "\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 6 && args[0] == "child") {
        const int format = FindFormat(args[1]);
        return format < 0 ? 2
                          : RunChild(format, std::strtoull(args[2].c_str(), nullptr, 10), std::atol(args[3].c_str()),
                                     std::atol(args[4].c_str()), args[5]);
    }
    if (args.size() == 3 && args[0] == "one") {
        const int format = FindFormat(args[1]);
        return format < 0 ? Usage() : RunOne(format, args[2]);
    }
    if (args.size() == 2 && args[0] == "seeds")
        return WriteSeeds(args[1]);
    if (args.size() == 5 && args[0] == "input" && FindFormat(args[1]) >= 0)
        return WriteInput(FindFormat(args[1]), std::strtoull(args[2].c_str(), nullptr, 10), std::atol(args[3].c_str()),
                          args[4]);
    if (args.size() >= 5 && args[0] == "run" && (args[1] == "all" || FindFormat(args[1]) >= 0)) {
        const DWORD limit = args.size() >= 6 ? static_cast<DWORD>(std::atol(args[5].c_str())) : 2000;
        const LONG first = args.size() >= 7 ? std::atol(args[6].c_str()) : 0;
        return RunParent(args[1], std::strtoull(args[2].c_str(), nullptr, 10), first, std::atol(args[3].c_str()), args[4],
                         limit);
    }
    return Usage();
}
