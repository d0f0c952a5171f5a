#pragma once
// What both sides of the path layer share.
#include <string>

namespace trev {

// "C:..." and the like: a path that names its drive.
bool isDriveLetterPath(const std::string& path);

// The folder given to setDriveRoot (each side's own keeps it here); empty when none was given.
std::string& driveRootSetting();

// POSIX only: this process opened nativeFile for writing, so the known listing of
// its folder gains the name instead of the folder being read again.
void noteFileWritten(const std::string& nativeFile);

}  // namespace trev
