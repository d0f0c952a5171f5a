#pragma once
// The Firebird embedded engine for the test process: its own configuration (shared
// access, so isql-fb can read beside an open connection), lock and temp folders,
// set in the environment before the client library is first used.
#include "peers/peer_system.h"
#include "peers/temp_folder.h"

#include <string>
#include <vector>

namespace trev::peers {

class FirebirdEmbedded {
public:
    // Prepares the environment once per process.
    static FirebirdEmbedded& instance();

    // A new empty folder for one test group.
    std::string newFolder(const std::string& name);

private:
    FirebirdEmbedded();
    TempFolder base_{"trev-firebird"};
    int folders_ = 0;
};

// Links the engine's plugins, messages and character sets into root and writes
// its firebird.conf and databases.conf (paths in them are the servers' own).
void makeFirebirdRoot(const std::string& root, const std::string& config, const std::string& databases = {});

using IsqlResult = CommandResult;

// Runs isql-fb -q with the given arguments and input, with extra "NAME=value"
// environment entries besides this process's engine settings; bounded by a timeout.
IsqlResult runIsql(const std::vector<std::string>& args, const std::string& input,
                   const std::vector<std::string>& environment = {});

// Runs a Firebird tool (command[0] looked up on PATH) the same way.
IsqlResult runTool(const std::vector<std::string>& command, const std::string& input = {},
                   const std::vector<std::string>& environment = {});

// Creates a database (SYSDBA) with the given SQL dialect; raises on failure.
void createDatabase(const std::string& connectionName, int dialect = 3, const std::string& password = {});

// The non-empty lines of a query's output without headings, each trimmed;
// raises when isql-fb fails.
std::vector<std::string> queryRows(const std::string& connectionName, const std::string& sql,
                                   const std::string& password = {});

}  // namespace trev::peers
