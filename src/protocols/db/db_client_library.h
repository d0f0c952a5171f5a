#pragma once
// The database client library, loaded at run time by name and once per process.
#include <string>

namespace trev {

// The library looked for: "libfbclient.so.2" (POSIX) or "gds32.dll" (Windows).
// Settable until the library has been loaded.
void setClientLibraryName(const std::string& name);
std::string clientLibraryName();

// Loads the library on first use; raises DatabaseError when it is missing or
// lacks a required function.
void ensureClientLibrary();
// 6 when the library offers the version-6 functions, else 5; 0 when not loaded.
int clientLibraryVersion();

}  // namespace trev
