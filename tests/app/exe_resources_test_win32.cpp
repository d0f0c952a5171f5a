// What Explorer and Windows read from AtuTrev.exe: the version information, the
// manifest (resource 1) and the icon, read through the system's own resource calls.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace {

const wchar_t* const kExe = TREV_ATUTREV_EXE;

std::wstring versionString(const std::vector<char>& block, const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041604B0\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return L"(none)";
    return std::wstring(value, length > 0 ? length - 1 : 0);
}

class ExeResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(kExe, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot open the exe, error " << GetLastError();
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }
    std::string resource(const wchar_t* name, const wchar_t* type) {
        HRSRC found = FindResourceW(module_, name, type);
        if (!found) return {};
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module_, found)));
        return std::string(bytes, SizeofResource(module_, found));
    }
    HMODULE module_ = nullptr;
};

TEST_F(ExeResources, VersionInformationNamesTheProductAndTheBuildsVersion) {
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(kExe, &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(kExe, 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(TREV_VERSION_MINOR, TREV_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, TREV_VERSION_PATCH));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(versionString(block, L"ProductName"), L"Atualizador Trevalmonte");
    EXPECT_EQ(versionString(block, L"OriginalFilename"), L"AtuTrev.exe");
    EXPECT_EQ(versionString(block, L"FileVersion"), TREV_VERSION_TEXT);
    EXPECT_EQ(versionString(block, L"ProductVersion"), TREV_VERSION_TEXT);
    EXPECT_NE(versionString(block, L"FileDescription"), L"(none)");
    EXPECT_NE(versionString(block, L"LegalCopyright"), L"(none)");
}

TEST_F(ExeResources, ManifestDeclaresWhatTheProgramNeeds) {
    const std::string manifest = resource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_FALSE(manifest.empty()) << "no manifest as resource 1";
    for (const char* wanted : {"level=\"asInvoker\"",
                               "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
                               "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
                               "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
                               "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
                               ">PerMonitorV2</dpiAwareness>", ">true/pm</dpiAware>",
                               ">true</longPathAware>", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""})
        EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
    EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos) << "the code page must stay the system's";
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(ExeResources, IconComesInEverySizeAndLoads) {
    const std::string group = resource(L"IDI_ICON1", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_GE(group.size(), 6u) << "no icon named IDI_ICON1";
    const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(group.size(), 6 + count * sizeof(IconGroupEntry));
    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const auto* entry = reinterpret_cast<const IconGroupEntry*>(group.data() + 6 + i * sizeof(IconGroupEntry));
        sizes.insert(entry->width == 0 ? 256 : entry->width);
        EXPECT_EQ(entry->bitCount, 32);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));
    HICON icon = static_cast<HICON>(LoadImageW(module_, L"IDI_ICON1", IMAGE_ICON, 48, 48, 0));
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
}

}  // namespace
