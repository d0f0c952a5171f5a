#include "platform/disk_space.h"

#include <algorithm>

namespace trev {

int64_t freeSpaceFloor(int64_t volumeTotal) {
    constexpr int64_t kMostKeptFree = int64_t{512} << 20;
    return std::min(kMostKeptFree, volumeTotal / 20);
}

}  // namespace trev
