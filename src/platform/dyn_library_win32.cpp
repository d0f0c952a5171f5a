#include "platform/dyn_library.h"

#include "platform/api_errors_win32.h"

#include <windows.h>

namespace trev {

const char* const kDatabaseClientLibrary = "gds32.dll";

DynLibrary::~DynLibrary() {
    if (handle_) ::FreeLibrary(static_cast<HMODULE>(handle_));
}

bool DynLibrary::load(const std::string& name) {
    handle_ = ::LoadLibraryA(name.c_str());
    if (!handle_) lastError_ = windowsErrorText(::GetLastError());
    return handle_ != nullptr;
}

void* DynLibrary::symbol(const std::string& name) {
    FARPROC fn = handle_ ? ::GetProcAddress(static_cast<HMODULE>(handle_), name.c_str()) : nullptr;
    if (!fn) lastError_ = windowsErrorText(handle_ ? ::GetLastError() : ERROR_INVALID_HANDLE);
    return reinterpret_cast<void*>(fn);
}

}  // namespace trev
