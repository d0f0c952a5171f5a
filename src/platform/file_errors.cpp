#include "platform/file_errors.h"

#include <cerrno>
#include <cstring>

namespace trev {

FileError fileErrorFromCode(int code) {
    switch (code) {
        case 2: return FileError(code, "File not found");
        case 3: return FileError(code, "Invalid filename");
        case 4: return FileError(code, "Too many open files");
        case 5: return FileError(code, "File access denied");
        case 100: return FileError(code, "Read beyond end of file");
        case 101: return FileError(code, "Disk full");
        case 106: return FileError(code, "Invalid numeric input");
        default: return FileError(code, "I/O error " + std::to_string(code));
    }
}

FileError fileErrorFromErrno(int err) {
    switch (err) {
        case ENOENT: return fileErrorFromCode(2);
        case ENOTDIR: return fileErrorFromCode(3);
        case EMFILE: case ENFILE: return fileErrorFromCode(4);
        case EACCES: case EPERM: case EISDIR: case EROFS: return fileErrorFromCode(5);
        case ENOSPC: return fileErrorFromCode(101);
        default: return fileErrorFromCode(err);
    }
}

std::string systemErrorText(int err) {
    switch (err) {
        case ENOENT: return "The system cannot find the path specified.";
        case ENOTDIR: return "The directory name is invalid.";
        case EACCES: case EPERM: case EROFS: return "Access is denied.";
        case EISDIR: return "Access is denied.";
        case ENOSPC: return "There is not enough space on the disk.";
        case EMFILE: case ENFILE: return "The system cannot open the file.";
        default: return std::strerror(err);
    }
}

FileError cannotCreateFile(const std::string& windowsPath, int err) {
    return FileError(err, "Cannot create file \"" + windowsPath + "\". " + systemErrorText(err));
}

}  // namespace trev
