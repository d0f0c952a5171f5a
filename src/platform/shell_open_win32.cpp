#include "platform/paths.h"
#include "platform/shell_open.h"
#include "platform/wide_text_win32.h"

#include <windows.h>

#include <shellapi.h>

namespace trev {

// The shell takes the path as it stands: it does not know the \\?\ form.
// A value of 32 or less is the shell's refusal.
ShellResult shellOpen(const std::string& windowsPath, const std::string& parameters) {
    HINSTANCE result = ::ShellExecuteW(nullptr, nullptr, wideFromUtf8(nativePath(windowsPath)).c_str(),
                                       wideFromCp1252(parameters).c_str(), nullptr, SW_SHOWMAXIMIZED);
    const auto value = reinterpret_cast<INT_PTR>(result);
    return {value > 32, value > 32 ? 0 : static_cast<int>(value)};
}

}  // namespace trev
