#include "peers/firebird_embedded.h"

#include "platform/text_util.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace trev::peers {

namespace {

constexpr const char* engineFolder = "/usr/lib/x86_64-linux-gnu/firebird/3.0";
constexpr int toolTimeoutMs = 60000;

// Feeds input to the child and collects its output until it ends or the time is up.
std::string exchange(int toChild, int fromChild, const std::string& input, pid_t pid) {
    ::fcntl(toChild, F_SETFL, O_NONBLOCK);
    size_t written = 0;
    std::string output;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(toolTimeoutMs);
    for (;;) {
        if (written == input.size() && toChild >= 0) {
            ::close(toChild);
            toChild = -1;
        }
        pollfd fds[2] = {{fromChild, POLLIN, 0}, {toChild, POLLOUT, 0}};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || ::poll(fds, toChild >= 0 ? 2 : 1, static_cast<int>(left.count())) <= 0) {
            ::kill(pid, SIGKILL);
            throw std::runtime_error("the Firebird tool did not finish in time");
        }
        if (toChild >= 0 && (fds[1].revents & (POLLOUT | POLLERR))) {
            const ssize_t n = ::write(toChild, input.data() + written, input.size() - written);
            written = n > 0 ? written + static_cast<size_t>(n) : input.size();
        }
        if (fds[0].revents & (POLLIN | POLLHUP)) {
            char buffer[4096];
            const ssize_t n = ::read(fromChild, buffer, sizeof buffer);
            if (n <= 0) break;
            output.append(buffer, static_cast<size_t>(n));
        }
    }
    if (toChild >= 0) ::close(toChild);
    return output;
}

std::string withPassword(const std::string& password) {
    return password.empty() ? std::string() : " password '" + password + "'";
}

}  // namespace

FirebirdEmbedded& FirebirdEmbedded::instance() {
    static FirebirdEmbedded embedded;
    return embedded;
}

FirebirdEmbedded::FirebirdEmbedded() {
    // Without the trace plugin: its exit handler unloads the engine while the thread
    // of a service that has just ended is still running in it, which crashes the process.
    makeFirebirdRoot(base_.file("root"), "ServerMode = SuperClassic\nTracePlugin =\n");
    fs::create_directories(base_.file("lock"));
    fs::create_directories(base_.file("tmp"));
    ::setenv("FIREBIRD", base_.file("root").c_str(), 1);
    ::setenv("FIREBIRD_LOCK", base_.file("lock").c_str(), 1);
    ::setenv("FIREBIRD_TMP", base_.file("tmp").c_str(), 1);
}

std::string FirebirdEmbedded::newFolder(const std::string& name) {
    const std::string folder = base_.file(name + "-" + std::to_string(++folders_));
    fs::create_directories(folder);
    return folder;
}

void makeFirebirdRoot(const std::string& root, const std::string& config, const std::string& databases) {
    fs::create_directories(root);
    for (const char* part : {"plugins", "intl", "UDF", "lib", "firebird.msg"})
        fs::create_symlink(fs::path(engineFolder) / part, fs::path(root) / part);
    writeFile(root + "/firebird.conf", config);
    writeFile(root + "/databases.conf", databases);
}

IsqlResult runIsql(const std::vector<std::string>& args, const std::string& input,
                   const std::vector<std::string>& environment) {
    std::vector<std::string> command{"isql-fb", "-q"};
    command.insert(command.end(), args.begin(), args.end());
    return runTool(command, input, environment);
}

IsqlResult runTool(const std::vector<std::string>& command, const std::string& input,
                   const std::vector<std::string>& environment) {
    int toChild[2], fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    std::vector<char*> argv;
    for (const auto& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(toChild[0], 0);
        ::dup2(fromChild[1], 1);
        ::dup2(fromChild[1], 2);
        for (const auto& entry : environment) ::putenv(const_cast<char*>(entry.c_str()));
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    ::signal(SIGPIPE, SIG_IGN);  // the tool may end before it has read all its input
    IsqlResult result;
    try {
        result.output = exchange(toChild[1], fromChild[0], input, pid);
    } catch (...) {
        ::close(fromChild[0]);
        ::waitpid(pid, nullptr, 0);
        throw;
    }
    ::close(fromChild[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

void createDatabase(const std::string& connectionName, int dialect, const std::string& password) {
    std::ostringstream sql;
    sql << "set sql dialect " << dialect << ";\ncreate database '" << connectionName << "' user 'SYSDBA'"
        << withPassword(password) << ";\ncommit;\n";
    const IsqlResult result = runIsql({}, sql.str());
    if (result.exitCode != 0) throw std::runtime_error("create database failed: " + result.output);
}

std::vector<std::string> queryRows(const std::string& connectionName, const std::string& sql,
                                   const std::string& password) {
    std::vector<std::string> args{"-user", "SYSDBA"};
    if (!password.empty()) args.insert(args.end(), {"-password", password});
    args.push_back(connectionName);
    const IsqlResult result = runIsql(args, "set heading off;\n" + sql + "\n");
    if (result.exitCode != 0) throw std::runtime_error("query failed: " + result.output);
    std::vector<std::string> rows;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);)
        if (!Trim(line).empty()) rows.push_back(Trim(line));
    return rows;
}

}  // namespace trev::peers
