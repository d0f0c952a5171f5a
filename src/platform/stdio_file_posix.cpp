#include "platform/stdio_file.h"

#include "platform/file_errors.h"
#include "platform/paths.h"

#include <sys/stat.h>

#include <cerrno>

namespace trev {
namespace {

bool parentFolderMissing(const std::string& nativeFile) {
    auto slash = nativeFile.rfind('/');
    if (slash == std::string::npos || slash == 0) return false;
    struct stat st {};
    return ::stat(nativeFile.substr(0, slash).c_str(), &st) != 0;
}

FileError openError(const std::string& native, int err) {
    if (err == ENOENT && parentFolderMissing(native)) return fileErrorFromCode(ioError::invalidFilename);
    return fileErrorFromErrno(err);
}

const char* fopenMode(StdioMode mode) {
    switch (mode) {
        case StdioMode::Read: return "rb";
        case StdioMode::Rewrite: return "wb";
        case StdioMode::Append: return "ab";
    }
    return "rb";
}

}  // namespace

std::FILE* openStdioFile(const std::string& windowsPath, StdioMode mode) {
    std::string native = nativePath(windowsPath);
    struct stat st {};
    if (::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) throw fileErrorFromCode(ioError::accessDenied);
    std::FILE* file = std::fopen(native.c_str(), fopenMode(mode));
    if (!file) throw openError(native, errno);
    return file;
}

}  // namespace trev
