#include "platform/command_line.h"

#include "platform/wide_text_win32.h"

#include <windows.h>
#include <shellapi.h>

namespace trev {

std::vector<std::string> commandLineArguments(int, char**) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(utf8FromWide(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

}  // namespace trev
