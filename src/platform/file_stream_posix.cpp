#include "platform/file_stream.h"

#include "platform/file_errors.h"
#include "platform/path_forms.h"
#include "platform/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace trev {

FileStream::FileStream(const std::string& windowsPath, int64_t sizeLimit)
    : windowsPath_(windowsPath), sizeLimit_(sizeLimit) {
    const std::string native = nativePath(windowsPath);
    fd_ = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) throw cannotCreateFile(windowsPath, errno);
    noteFileWritten(native);
}

FileStream::~FileStream() { closeHandle(); }

void FileStream::closeHandle() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void FileStream::writeAt(const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::pwrite(fd_, data, size, position_);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw fileErrorFromErrno(errno);
        }
        data += n;
        size -= static_cast<size_t>(n);
        position_ += n;
    }
}

int64_t FileStream::currentSize() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw fileErrorFromErrno(errno);
    return st.st_size;
}

int64_t FileStream::allocatedBytes() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw fileErrorFromErrno(errno);
    return static_cast<int64_t>(st.st_blocks) * 512;
}

void FileStream::resize(int64_t size) {
    if (::ftruncate(fd_, size) != 0) throw fileErrorFromErrno(errno);
}

void FileStream::close() {
    if (fd_ < 0) return;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw fileErrorFromErrno(errno);
}

}  // namespace trev
