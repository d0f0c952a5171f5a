#pragma once
// Windows path literals ("C:\Velor\TREVALMONTE\TEMP\versao.cfg"). On Windows they stand
// as they are. On POSIX the drive C: is a folder and every component is matched without
// regard to case against what exists, as the Windows file system does.
#include <string>

namespace trev {

// The folder that plays drive C:. Default on POSIX: $TREVALMONTE_DRIVE_C, else
// $HOME/.local/share/trevalmonte/drive_c; on Windows the drive itself. Tests set their
// own, on Windows too: a drive-letter path then lies below that folder.
void setDriveRoot(const std::string& nativeFolder);
std::string driveRoot();

// A Windows-1252 path literal as a native (UTF-8) path.
std::string nativePath(const std::string& windowsPath);

// A database name: a bare local path with a drive letter is mapped like any
// path; a name with a server part ("host:path", "host/port:path") is the server's.
std::string nativeDatabaseName(const std::string& name);

bool fileExists(const std::string& windowsPath);
bool directoryExists(const std::string& windowsPath);
// Creates the folder with every missing parent; raises FileError when it cannot.
void forceDirectories(const std::string& windowsPath);
// Deletes a file; false when there was none or it could not be deleted.
bool deleteFile(const std::string& windowsPath);
// Moves a file over another in one step (an existing target is replaced);
// raises FileError when it cannot.
void replaceFile(const std::string& fromWindowsPath, const std::string& toWindowsPath);

}  // namespace trev
