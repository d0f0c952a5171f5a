#include "platform/command_line.h"

#include "platform/wide_text_win32.h"

#include <memory>

#include <windows.h>
#include <shellapi.h>

namespace trev {

std::vector<std::string> commandLineArguments(int, char**) {
    int count = 0;
    // Freed however the conversion below ends.
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> wide(::CommandLineToArgvW(::GetCommandLineW(), &count),
                                                                &::LocalFree);
    std::vector<std::string> arguments;
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(utf8FromWide(wide.get()[i]));
    return arguments;
}

}  // namespace trev
