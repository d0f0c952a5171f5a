#include "platform/dyn_library.h"

#include <dlfcn.h>

namespace trev {

const char* const kDatabaseClientLibrary = "libfbclient.so.2";

DynLibrary::~DynLibrary() {
    if (handle_) ::dlclose(handle_);
}

bool DynLibrary::load(const std::string& name) {
    handle_ = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) lastError_ = ::dlerror();
    return handle_ != nullptr;
}

void* DynLibrary::symbol(const std::string& name) {
    ::dlerror();
    void* fn = handle_ ? ::dlsym(handle_, name.c_str()) : nullptr;
    if (!fn) {
        const char* err = ::dlerror();
        lastError_ = err ? err : "The specified procedure could not be found.";
    }
    return fn;
}

}  // namespace trev
