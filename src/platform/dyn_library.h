#pragma once
// Loading a shared library by name through the system's search, and looking up
// its functions.
#include <string>

namespace trev {

// The database client library as this side's system names it ("gds32.dll" on Windows).
extern const char* const kDatabaseClientLibrary;

class DynLibrary {
public:
    DynLibrary() = default;
    ~DynLibrary();
    DynLibrary(const DynLibrary&) = delete;
    DynLibrary& operator=(const DynLibrary&) = delete;

    // false when the library cannot be loaded.
    bool load(const std::string& name);
    bool isLoaded() const { return handle_ != nullptr; }
    // nullptr when the library has no such function; lastError() then says why.
    void* symbol(const std::string& name);
    std::string lastError() const { return lastError_; }

private:
    void* handle_ = nullptr;
    std::string lastError_;
};

}  // namespace trev
