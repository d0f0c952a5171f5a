#pragma once
// The business application's files in its CONFIG folder: where its database is and
// how to log into it (read only), and its menu file (appended).
#include <string>

namespace trev {

class DbConnection;

struct DatabaseSettings {
    std::string port;      // fire.cfg line 1
    std::string userName;  // fire.cfg line 2
    std::string password;  // fire.cfg line 3
    bool hasCredentials = false;  // fire.cfg exists
    std::string dataFolder;       // the database's folder as its server sees it, ending in a separator
};

// Reads fire.cfg and LOCAL_BD.CFG; with fire.cfg the connection's login parameters
// are replaced by its user name and password.
DatabaseSettings LoadDatabaseSettings(DbConnection& conexao);

// The connection string: "address/port:", "address:", "127.0.0.1/port:" or nothing in
// front of the data folder and the database file. Reads IP.CFG.
std::string BuildDatabaseName(const DatabaseSettings& settings);

// Creates an empty MENU.CFG when there is none.
void EnsureMenuFile();

// Appends "name padded to 40" + the add-on's path to MENU.CFG unless a line has
// the trimmed name as its key.
void RegisterAddOn(const std::string& name, const std::string& fileName);

}  // namespace trev
