#include "platform/file_errors.h"

#include "platform/text_util.h"

#include <cerrno>
#include <cstring>

namespace trev {

FileError fileErrorFromCode(int code) {
    switch (code) {
        case ioError::fileNotFound: return FileError(code, "File not found");
        case ioError::invalidFilename: return FileError(code, "Invalid filename");
        case ioError::tooManyOpenFiles: return FileError(code, "Too many open files");
        case ioError::accessDenied: return FileError(code, "File access denied");
        case ioError::readBeyondEnd: return FileError(code, "Read beyond end of file");
        case ioError::diskFull: return FileError(code, "Disk full");
        case ioError::invalidNumericInput: return FileError(code, "Invalid numeric input");
        default: return FileError(code, "I/O error " + std::to_string(code));
    }
}

FileError fileErrorFromErrno(int err) {
    switch (err) {
        case ENOENT: return fileErrorFromCode(ioError::fileNotFound);
        case ENOTDIR: return fileErrorFromCode(ioError::invalidFilename);
        case EMFILE: case ENFILE: return fileErrorFromCode(ioError::tooManyOpenFiles);
        case EACCES: case EPERM: case EISDIR: case EROFS: return fileErrorFromCode(ioError::accessDenied);
        // EFBIG: larger than the file system allows; for the user the disk cannot hold it.
        case ENOSPC: case EFBIG: return fileErrorFromCode(ioError::diskFull);
        case EBADF: return fileErrorFromCode(ioError::invalidHandle);
        case EBUSY: return fileErrorFromCode(ioError::sharingViolation);
        case EEXIST: return fileErrorFromCode(ioError::fileExists);
        case EINVAL: return fileErrorFromCode(ioError::invalidParameter);
        case ENAMETOOLONG: return fileErrorFromCode(ioError::filenameTooLong);
        default: return FileError(err, "System error " + std::to_string(err) + ": " + std::strerror(err));
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

FileError cannotCreateFile(const std::string& windowsPath, int code, const std::string& systemText) {
    return FileError(code, "Cannot create file \"" + shownValue(windowsPath) + "\". " + systemText);
}

FileError cannotCreateFile(const std::string& windowsPath, int err) {
    return cannotCreateFile(windowsPath, err, systemErrorText(err));
}

}  // namespace trev
