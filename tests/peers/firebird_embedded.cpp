#include "peers/firebird_embedded.h"

#include "platform/text_util.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace trev::peers {

namespace {

constexpr const char* engineFolder = "/usr/lib/x86_64-linux-gnu/firebird/3.0";
constexpr int toolTimeoutMs = 60000;

std::string withPassword(const std::string& password) {
    return password.empty() ? std::string() : " password '" + password + "'";
}

// The engine settings of this process, which the servers' side does not inherit under Wine.
std::vector<std::string> engineEnvironment() {
    std::vector<std::string> entries;
    for (const char* name : {"FIREBIRD", "FIREBIRD_LOCK", "FIREBIRD_TMP"})
        if (const char* value = std::getenv(name)) entries.push_back(std::string(name) + "=" + value);
    return entries;
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
    setEnvironment("FIREBIRD", peerPath(base_.file("root")));
    setEnvironment("FIREBIRD_LOCK", peerPath(base_.file("lock")));
    setEnvironment("FIREBIRD_TMP", peerPath(base_.file("tmp")));
}

std::string FirebirdEmbedded::newFolder(const std::string& name) {
    const std::string folder = base_.file(name + "-" + std::to_string(++folders_));
    fs::create_directories(folder);
    return folder;
}

void makeFirebirdRoot(const std::string& root, const std::string& config, const std::string& databases) {
    fs::create_directories(root);
    for (const char* part : {"plugins", "intl", "UDF", "lib", "firebird.msg"})
        linkPeerFile((fs::path(engineFolder) / part).string(), (fs::path(root) / part).string());
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
    std::vector<std::string> argv;
    for (const auto& arg : command) argv.push_back(peerPath(arg));
    std::vector<std::string> entries = engineEnvironment();
    entries.insert(entries.end(), environment.begin(), environment.end());
    return runPeerCommand(argv, input, entries, toolTimeoutMs);
}

void createDatabase(const std::string& connectionName, int dialect, const std::string& password) {
    std::ostringstream sql;
    sql << "set sql dialect " << dialect << ";\ncreate database '" << peerPath(connectionName) << "' user 'SYSDBA'"
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
        if (!trim(line).empty()) rows.push_back(trim(line));
    return rows;
}

}  // namespace trev::peers
