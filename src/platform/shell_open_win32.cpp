#include "platform/shell_open.h"
#include "platform/wide_text_win32.h"

#include <windows.h>

#include <shellapi.h>

namespace trev {

// What the shell does with the file is its own choice; a failure is not reported, as on POSIX.
void shellOpen(const std::string& windowsPath, const std::string& parameters) {
    ::ShellExecuteW(nullptr, nullptr, widePath(windowsPath).c_str(), wideFromCp1252(parameters).c_str(), nullptr,
                    SW_SHOWMAXIMIZED);
}

}  // namespace trev
