#include "platform/file_stream.h"

#include "platform/file_errors.h"
#include "platform/path_forms.h"
#include "platform/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace trev {

FileStream::FileStream(const std::string& windowsPath) {
    const std::string native = nativePath(windowsPath);
    fd_ = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) throw cannotCreateFile(windowsPath, errno);
    noteFileWritten(native);
}

FileStream::~FileStream() {
    if (fd_ >= 0) ::close(fd_);
}

void FileStream::write(const char* data, size_t size) {
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

int64_t FileStream::size() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw fileErrorFromErrno(errno);
    return st.st_size;
}

void FileStream::setSize(int64_t size) {
    if (::ftruncate(fd_, size) != 0) throw fileErrorFromErrno(errno);
    if (position_ > size) position_ = size;
}

void FileStream::close() {
    if (fd_ < 0) return;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw fileErrorFromErrno(errno);
}

}  // namespace trev
