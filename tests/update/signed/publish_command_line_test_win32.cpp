// trev-publish started as Windows starts it, with a wide command line: paths and
// texts outside ASCII reach it whole, whatever the system's ANSI code page.
#include "peers/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

// The exit code of the program run with this command line, or -1 when it did not start.
int run(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(PublishCommandLine, PathsAndTextsOutsideAsciiArriveWhole) {
    trev::peers::TempFolder folder("publish-cli");
    const fs::path base = fs::path(folder.path()) / L"Publicação";
    const fs::path input = base / L"Relatório.exe";
    fs::create_directories(base);
    std::ofstream(input, std::ios::binary) << "program";
    const fs::path tree = base / L"árvore";
    const std::wstring line = L"\"" TREV_PUBLISH_EXE L"\" addon \"" + tree.wstring() + L"\" \"" + input.wstring() +
                              L"\" --name \"Relatório Fiscal\" --description \"Emissão\"";
    ASSERT_EQ(run(line), 0);
    EXPECT_EQ(readAll(tree / L"adicionais" / L"Relatório.exe"), "program");
    // The catalogue in Windows-1252: "ó" is 0xF3, "ã" 0xE3.
    const std::string catalogue = readAll(tree / L"adicionais" / L"descricao.cfg");
    EXPECT_NE(catalogue.find("Relat\xF3rio Fiscal"), std::string::npos) << catalogue;
    EXPECT_NE(catalogue.find("Emiss\xE3o"), std::string::npos) << catalogue;
}

}  // namespace
