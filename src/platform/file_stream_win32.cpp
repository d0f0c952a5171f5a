#include "platform/file_stream.h"

#include "platform/file_errors.h"
#include "platform/api_errors_win32.h"
#include "platform/wide_text_win32.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>

namespace trev {
namespace {

HANDLE handleOf(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

[[noreturn]] void raiseLastError() { throw fileErrorFromWindows(::GetLastError()); }

}  // namespace

// The handle is kept as a runtime descriptor, as on POSIX.
FileStream::FileStream(const std::string& windowsPath, int64_t sizeLimit)
    : windowsPath_(windowsPath), sizeLimit_(sizeLimit) {
    HANDLE handle = ::CreateFileW(widePath(windowsPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD code = ::GetLastError();
        throw cannotCreateFile(windowsPath, static_cast<int>(code), windowsErrorText(code));
    }
    fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    if (fd_ < 0) {
        ::CloseHandle(handle);
        throw cannotCreateFile(windowsPath, ERROR_TOO_MANY_OPEN_FILES, windowsErrorText(ERROR_TOO_MANY_OPEN_FILES));
    }
}

FileStream::~FileStream() { closeHandle(); }

void FileStream::closeHandle() noexcept {
    if (fd_ >= 0) ::_close(fd_);
    fd_ = -1;
}

void FileStream::writeAt(const char* data, size_t size) {
    while (size > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(position_);
        at.OffsetHigh = static_cast<DWORD>(position_ >> 32);
        DWORD piece = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(handleOf(fd_), data, piece, &written, &at)) raiseLastError();
        data += written;
        size -= written;
        position_ += written;
    }
}

int64_t FileStream::currentSize() const {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handleOf(fd_), &size)) raiseLastError();
    return size.QuadPart;
}

int64_t FileStream::allocatedBytes() const {
    FILE_STANDARD_INFO info{};
    if (!::GetFileInformationByHandleEx(handleOf(fd_), FileStandardInfo, &info, sizeof info)) raiseLastError();
    return info.AllocationSize.QuadPart;
}

void FileStream::resize(int64_t size) {
    LARGE_INTEGER end{};
    end.QuadPart = size;
    if (!::SetFilePointerEx(handleOf(fd_), end, nullptr, FILE_BEGIN) || !::SetEndOfFile(handleOf(fd_))) {
        // A length beyond what the file system holds: for the user the disk cannot hold it.
        if (::GetLastError() == ERROR_INVALID_PARAMETER) throw fileErrorFromCode(ioError::diskFull);
        raiseLastError();
    }
}

void FileStream::close() {
    if (fd_ < 0) return;
    int fd = fd_;
    fd_ = -1;
    if (::_close(fd) != 0) throw fileErrorFromErrno(errno);
}

}  // namespace trev
