#pragma once
// What the backup tests share: a database with something of every kind a restore
// must bring back, its contents as isql-fb reads them, the restore, and a folder
// that nobody can write to.
#include "peers/firebird_embedded.h"

#include <string>
#include <vector>

namespace trev::backuptest {

// Tables with keys, a reference, a view, a generator and rows of several types.
extern const char* const kContent;

// Creates the database and fills it; raises on failure.
void createFilledDatabase(const std::string& connectionName, const std::string& password = {});
// The table names, every row and the generator's value.
std::vector<std::string> contents(const std::string& connectionName, const std::string& password = {});
// gbak -c as the restore command has it.
peers::IsqlResult restore(const std::string& backupFile, const std::string& target, const std::string& password = {});
// The backup files of a native folder, sorted.
std::vector<std::string> backupsIn(const std::string& nativeFolder);

// Read-only permissions and, for root, the immutable flag; undone at the end.
class UnwritableFolder {
public:
    explicit UnwritableFolder(std::string nativeFolder);
    ~UnwritableFolder();
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;
    // Whether creating a file in it really fails here.
    bool holds() const;

private:
    std::string folder_;
};

}  // namespace trev::backuptest
