#pragma once
// The lists the update run works from: script lists, the executable list and the
// names it derives from them.
#include <string>
#include <vector>

namespace trev {

// A row caption of the version list as the version's folder on the server:
// trimmed, then without punctuation.
std::string versionFolder(const std::string& caption);

// Whether a name of the executable list is a program to start at the end:
// its last three characters are "EXE" in any case and it does not begin with "_".
bool isLaunchable(const std::string& name);

// Every line of a name list, as read; each must be a safe file name (a name that
// would lead out of its folder raises before anything is written for it).
// An absent file gives no names.
std::vector<std::string> readNameList(const std::string& windowsPath, const std::string& listName);

}  // namespace trev
