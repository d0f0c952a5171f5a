#include "support/temp_drive.h"

#include "platform/paths.h"

namespace trev::test {

TempDrive::TempDrive(const std::string& prefix) : folder_(prefix) { setDriveRoot(folder_.path()); }

TempDrive::~TempDrive() { setDriveRoot(""); }

void TempDrive::put(const std::string& relative, const std::string& bytes) const {
    peers::writeFile(file(relative), bytes);
}

std::string TempDrive::get(const std::string& relative) const { return peers::readFile(file(relative)); }

bool TempDrive::has(const std::string& relative) const { return std::filesystem::exists(file(relative)); }

}  // namespace trev::test
