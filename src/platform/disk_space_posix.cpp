#include "platform/disk_space.h"

#include "platform/file_errors.h"
#include "platform/paths.h"

#include <sys/statvfs.h>

#include <cerrno>

namespace trev {

VolumeSpace volumeSpaceOf(const std::string& windowsPath) {
    struct statvfs volume {};
    if (::statvfs(nativePath(windowsPath).c_str(), &volume) != 0) throw fileErrorFromErrno(errno);
    const auto block = static_cast<int64_t>(volume.f_frsize);
    return {static_cast<int64_t>(volume.f_bavail) * block, static_cast<int64_t>(volume.f_blocks) * block};
}

}  // namespace trev
