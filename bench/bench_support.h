#pragma once
// What every benchmark shares: the command line, running a contender as a child
// process (wall time and peak memory), the rotating rounds with their medians, the
// content checks and the table of results.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fetcher/fetcher.h"

namespace trev::bench {

constexpr int kDefaultRounds = 7;

// "--rounds N" and lists such as "--sizes 256,1024"; an unknown option raises.
// "--cpu N" runs the benchmark, its servers and both sides on processor N alone,
// so that no round trip waits for another processor to wake.
class Options {
public:
    Options(int argc, char** argv, const std::vector<std::string>& known);
    int rounds() const;
    std::vector<int64_t> list(const std::string& name, const std::vector<int64_t>& byDefault) const;

private:
    std::map<std::string, std::string> values_;
};

// One finished child: its wall time, the processor time it used in its own code
// (user) and in the kernel for it (system), its peak resident memory, and the
// seconds it reported itself (fetcher::kReportedSecondsTag in its output; negative
// if none).
struct ChildRun {
    double seconds = 0;
    double userSeconds = 0;
    double systemSeconds = 0;
    long peakKiB = 0;
    double reportedSeconds = -1;
};

// Runs argv (argv[0] a full path), stdout and stderr into logPath; raises when it
// cannot start, fails, or has not ended within timeoutMs (it is killed then).
ChildRun runChild(const std::vector<std::string>& argv, const std::string& logPath, int timeoutMs = 900000);

// One contender of a case: its command and what must be fresh before each of its runs.
struct Side {
    std::string name;
    std::vector<std::string> argv;
    std::function<void()> prepare = [] {};  // untimed: a fresh output file, a fresh database
    std::string reportedName = "";          // if set, a row of the seconds the side reports itself
};

struct SideResult {
    std::string name;
    double medianSeconds = 0;
    double medianUserSeconds = -1;  // none for a reported row: it is part of its side's process
    double medianSystemSeconds = -1;
    long peakKiB = 0;               // the largest of its runs
    bool reported = false;          // the seconds a side reported itself, not its process's
};

struct CaseResult {
    std::string title;
    double amount = 0;  // work done per run, in unit
    std::string unit;   // "MiB", "statements", "files"
    std::vector<SideResult> sides;  // the last is the reference; a reported row follows its side
};

// rounds rounds; round r starts with side r modulo the side count and runs every
// side once, each a new process, in turn forwards for as many rounds as there are
// sides and then backwards, so that each side follows each other one as often.
// After the last round verify() raises when what a side produced is wrong. The
// last side is the reference.
CaseResult runCase(const std::string& title, double amount, const std::string& unit, const std::vector<Side>& sides,
                   int rounds, const std::function<void()>& verify);

// Markdown rows: per side its median, its median user and system processor time,
// rate, speed against the reference (above 1: faster), time against the case's first
// row of the same kind (process or reported), and peak memory.
void printTable(const std::vector<CaseResult>& results);

// Random bytes, the same for a given size.
void writeRandomFile(const std::string& path, int64_t size);
// Raises unless both files hold the same bytes.
void requireSameContent(const std::string& expected, const std::string& actual);

// Waits, at most about two minutes, until few loopback connections are still waiting
// out their close: thousands of FTP data connections a round can leave too few ports
// for the next round's.
void awaitFreePorts();

// The path of trev-fetch, set at build time.
std::string fetcherPath();

// Where the benchmark's child processes write their output.
std::string logFolder();

}  // namespace trev::bench
