#include "bench_support.h"

#include "peers/temp_folder.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace trev::bench {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<int64_t> parseList(const std::string& text) {
    std::vector<int64_t> values;
    for (size_t at = 0; at < text.size();) {
        size_t comma = text.find(',', at);
        if (comma == std::string::npos) comma = text.size();
        values.push_back(std::stoll(text.substr(at, comma - at)));
        at = comma + 1;
    }
    return values;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

pid_t spawn(const std::vector<std::string>& argv, const std::string& logPath) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int failed = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(failed));
    return pid;
}

// Waits for the child within timeoutMs; kills it when the time runs out.
bool awaitExit(pid_t pid, int timeoutMs) {
    const int handle = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (handle < 0) throw std::runtime_error("pidfd_open failed");
    pollfd p{handle, POLLIN, 0};
    int ready = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        ready = ::poll(&p, 1, static_cast<int>(std::max<decltype(left)>(left, 0)));
    } while (ready < 0 && errno == EINTR);
    ::close(handle);
    if (ready > 0) return true;
    ::kill(pid, SIGKILL);
    return false;
}

double reportedSeconds(const std::string& output) {
    const size_t at = output.rfind(fetcher::kReportedSecondsTag);
    if (at == std::string::npos) return -1;
    return std::stod(output.substr(at + std::strlen(fetcher::kReportedSecondsTag)));
}

// The servers and every side started later inherit it.
void pinToProcessor(int cpu) {
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    if (::sched_setaffinity(0, sizeof set, &set) != 0) throw std::runtime_error("cannot run on processor " + std::to_string(cpu));
}

double secondsOf(const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; }

// Round r starts with side r modulo n; every other n rounds run in the opposite
// direction, so each side follows every other one as often: a run can be slowed by
// what the run before it left (dirty pages, freed inodes, a socket's close).
size_t sideAt(size_t round, size_t k, size_t n) {
    const size_t first = round % n;
    return (round / n) % 2 == 0 ? (first + k) % n : (first + n - k) % n;
}

// Empty when there is no such time (a reported row).
std::string secondsCell(double seconds) {
    if (seconds < 0) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

std::string tail(const std::string& text) { return text.size() > 2000 ? text.substr(text.size() - 2000) : text; }

std::string describeRun(const std::string& name, int round, const ChildRun& run) {
    char text[160];
    std::snprintf(text, sizeof text, "  round %d %-36s %8.3f s %8.1f MiB\n", round + 1, name.c_str(), run.seconds,
                  run.peakKiB / 1024.0);
    return text;
}

}  // namespace

Options::Options(int argc, char** argv, const std::vector<std::string>& known) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (std::find(known.begin(), known.end(), name) == known.end() && name != "--rounds" && name != "--cpu")
            throw std::runtime_error("unknown option " + name);
        if (i + 1 == argc) throw std::runtime_error(name + " needs a value");
        values_[name] = argv[++i];
    }
    if (auto cpu = values_.find("--cpu"); cpu != values_.end()) pinToProcessor(std::stoi(cpu->second));
}

int Options::rounds() const {
    auto it = values_.find("--rounds");
    return it == values_.end() ? kDefaultRounds : std::max(1, std::stoi(it->second));
}

std::vector<int64_t> Options::list(const std::string& name, const std::vector<int64_t>& byDefault) const {
    auto it = values_.find(name);
    return it == values_.end() ? byDefault : parseList(it->second);
}

ChildRun runChild(const std::vector<std::string>& argv, const std::string& logPath, int timeoutMs) {
    const auto start = Clock::now();
    const pid_t pid = spawn(argv, logPath);
    const bool ended = awaitExit(pid, timeoutMs);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    ChildRun run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.userSeconds = secondsOf(usage.ru_utime);
    run.systemSeconds = secondsOf(usage.ru_stime);
    run.peakKiB = usage.ru_maxrss;
    const std::string output = peers::readFile(logPath);
    if (!ended) throw std::runtime_error(argv[0] + " did not end in time:\n" + tail(output));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(argv[0] + " failed:\n" + tail(output));
    run.reportedSeconds = reportedSeconds(output);
    return run;
}

CaseResult runCase(const std::string& title, double amount, const std::string& unit, const std::vector<Side>& sides,
                   int rounds, const std::function<void()>& verify) {
    std::fprintf(stderr, "%s\n", title.c_str());
    CaseResult result{title, amount, unit, {}};
    std::vector<size_t> rowOf;  // each side's row; its reported row is the next
    for (const auto& side : sides) {
        rowOf.push_back(result.sides.size());
        result.sides.push_back({.name = side.name});
        if (!side.reportedName.empty()) result.sides.push_back({.name = side.reportedName, .reported = true});
    }
    std::vector<std::vector<double>> times(result.sides.size());
    std::vector<std::vector<double>> userTimes(result.sides.size());
    std::vector<std::vector<double>> systemTimes(result.sides.size());
    for (int round = 0; round < rounds; ++round) {
        for (size_t k = 0; k < sides.size(); ++k) {
            const size_t i = sideAt(static_cast<size_t>(round), k, sides.size());
            sides[i].prepare();
            // What earlier runs wrote is on disk before this one starts, so no run pays
            // for another's writeback.
            ::sync();
            const ChildRun run = runChild(sides[i].argv, logFolder() + "/side" + std::to_string(i) + ".log");
            times[rowOf[i]].push_back(run.seconds);
            userTimes[rowOf[i]].push_back(run.userSeconds);
            systemTimes[rowOf[i]].push_back(run.systemSeconds);
            result.sides[rowOf[i]].peakKiB = std::max(result.sides[rowOf[i]].peakKiB, run.peakKiB);
            std::fputs(describeRun(sides[i].name, round, run).c_str(), stderr);
            if (sides[i].reportedName.empty()) continue;
            if (run.reportedSeconds < 0) throw std::runtime_error(sides[i].name + " reported no time");
            times[rowOf[i] + 1].push_back(run.reportedSeconds);
        }
    }
    verify();
    for (size_t row = 0; row < result.sides.size(); ++row) {
        result.sides[row].medianSeconds = median(times[row]);
        if (result.sides[row].reported) continue;
        result.sides[row].medianUserSeconds = median(userTimes[row]);
        result.sides[row].medianSystemSeconds = median(systemTimes[row]);
    }
    return result;
}

void printTable(const std::vector<CaseResult>& results) {
    std::printf("| case | side | median s | user s | system s | rate | x reference | time vs first side | peak MiB |\n");
    std::printf("|---|---|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const auto& c : results) {
        const SideResult& reference = c.sides.back();
        auto firstOfKind = [&](const SideResult& row) -> const SideResult& {
            return *std::find_if(c.sides.begin(), c.sides.end(),
                                 [&](const SideResult& s) { return s.reported == row.reported; });
        };
        for (size_t i = 0; i < c.sides.size(); ++i) {
            const SideResult& s = c.sides[i];
            const bool isReference = i + 1 == c.sides.size();
            char speed[32] = "1";
            char versus[32] = "";
            if (!isReference) std::snprintf(speed, sizeof speed, "%.2f", reference.medianSeconds / s.medianSeconds);
            const SideResult& first = firstOfKind(s);
            if (&first != &s && !isReference)
                std::snprintf(versus, sizeof versus, "%+.0f %%", (s.medianSeconds / first.medianSeconds - 1) * 100);
            const std::string user = secondsCell(s.medianUserSeconds);
            const std::string system = secondsCell(s.medianSystemSeconds);
            char peak[32] = "";
            if (s.peakKiB > 0) std::snprintf(peak, sizeof peak, "%.1f", s.peakKiB / 1024.0);
            std::printf("| %s | %s | %.3f | %s | %s | %.0f %s/s | %s | %s | %s |\n", c.title.c_str(), s.name.c_str(),
                        s.medianSeconds, user.c_str(), system.c_str(), c.amount / s.medianSeconds, c.unit.c_str(),
                        speed, versus, peak);
        }
    }
}

void writeRandomFile(const std::string& path, int64_t size) {
    std::mt19937_64 generator(42);
    std::vector<uint64_t> block(1 << 17);
    std::ofstream out(path, std::ios::binary);
    for (int64_t written = 0; written < size;) {
        for (auto& word : block) word = generator();
        auto n = std::min<int64_t>(size - written, static_cast<int64_t>(block.size() * sizeof(uint64_t)));
        out.write(reinterpret_cast<const char*>(block.data()), n);
        written += n;
    }
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

void requireSameContent(const std::string& expected, const std::string& actual) {
    std::ifstream a(expected, std::ios::binary), b(actual, std::ios::binary);
    if (!a || !b) throw std::runtime_error("missing " + std::string(!a ? expected : actual));
    std::vector<char> x(1 << 20), y(1 << 20);
    for (;;) {
        a.read(x.data(), static_cast<std::streamsize>(x.size()));
        b.read(y.data(), static_cast<std::streamsize>(y.size()));
        if (a.gcount() != b.gcount() || std::memcmp(x.data(), y.data(), static_cast<size_t>(a.gcount())) != 0)
            throw std::runtime_error(actual + " differs from " + expected);
        if (a.gcount() == 0) return;
    }
}

namespace {

// Connections in TIME_WAIT (state 06 in the kernel's table).
int closingConnections() {
    std::ifstream table("/proc/net/tcp");
    int count = 0;
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        if (fields >> slot >> local >> remote >> state && state == "06") ++count;
    }
    return count;
}

}  // namespace

void awaitFreePorts() {
    constexpr int kFewEnough = 8000;
    for (int i = 0; i < 120 && closingConnections() > kFewEnough; ++i) ::sleep(1);
}

std::string fetcherPath() { return TREV_FETCHER; }

std::string logFolder() {
    static const peers::TempFolder folder("trev-bench-logs");
    return folder.path();
}

}  // namespace trev::bench
