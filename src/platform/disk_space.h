#pragma once
// How much room the volume that holds a file has left, and how much of it a
// download must never take: on a customer's server that volume often holds
// the business database.
#include <cstdint>
#include <string>

namespace trev {

struct VolumeSpace {
    int64_t available = 0;  // bytes this process may still write
    int64_t total = 0;      // size of the volume
};

// The volume that holds an existing file or folder; raises FileError when it cannot be asked.
VolumeSpace volumeSpaceOf(const std::string& windowsPath);

// What must stay free on a volume of that size: 512 MiB, or 5 % of it when that is less.
int64_t freeSpaceFloor(int64_t volumeTotal);

}  // namespace trev
