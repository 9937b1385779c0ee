// The resources of the built horloma.scr, read back from the file as Windows reads them:
// the name the Screen Saver list shows, the version, the manifest and the icon's images.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "program_resources.h"
#include "resource_ids.h"
#include "saver_process.h"

namespace {

class ProgramResources : public testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryExW(SaverProgramPath().c_str(), NULL,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_TRUE(module != NULL) << "cannot load " << GetLastError();
    }
    void TearDown() override
    {
        if (module != NULL)
            FreeLibrary(module);
    }

    std::string Resource(LPCWSTR name, LPCWSTR type) const
    {
        return ProgramResource(module, name, type);
    }

    HMODULE module = NULL;
};

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name)
{
    std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    void* value = NULL;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), query.c_str(), &value, &length) || length == 0)
        return L"";
    return static_cast<const wchar_t*>(value);
}

TEST_F(ProgramResources, StringOneIsTheNameTheScreenSaverListShows)
{
    wchar_t name[100] = L"";
    EXPECT_GT(LoadStringW(module, IDS_SAVER_DESCRIPTION, name, 100), 0);
    EXPECT_STREQ(name, L"Horloma");
}

TEST_F(ProgramResources, VersionNamesProductCompanyAndOnePointZero)
{
    std::wstring path = SaverProgramPath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = NULL;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);

    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } strings[] = {
        {L"ProductName", L"Horloma"},       {L"CompanyName", L"Veltrane"},
        {L"ProductVersion", L"1.0"},         {L"FileVersion", L"1.0.0.0"},
        {L"OriginalFilename", L"Horloma.scr"},
        {L"LegalCopyright", L"Copyright (C) 2026 Veltrane"},
    };
    for (const auto& s : strings)
        EXPECT_EQ(VersionString(info, s.name), s.value)
            << std::string(s.name, s.name + wcslen(s.name));
}

TEST_F(ProgramResources, ManifestAsksForNoElevationCommonControlsSixAndScreenPixels)
{
    std::string manifest = Resource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_FALSE(manifest.empty());
    const char* wanted[] = {
        "level=\"asInvoker\"",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        ">true/pm</dpiAware>",
        ">PerMonitorV2,PerMonitor</dpiAwareness>",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const char* text : wanted)
        EXPECT_NE(manifest.find(text), std::string::npos) << text;
}

TEST_F(ProgramResources, IconHasSixteenToTwoHundredFiftySixPixelImages)
{
    std::string group = Resource(MAKEINTRESOURCEW(IDI_HORLOMA), MAKEINTRESOURCEW(14));
    ASSERT_GE(group.size(), 6u);
    WORD count = *reinterpret_cast<const WORD*>(&group[4]);
    ASSERT_EQ(group.size(), 6 + count * sizeof(IconDirectoryEntry));
    std::set<int> sides;
    for (WORD i = 0; i < count; i++) {
        const IconDirectoryEntry* entry =
            reinterpret_cast<const IconDirectoryEntry*>(&group[6 + i * sizeof(IconDirectoryEntry)]);
        int side = entry->width == 0 ? 256 : entry->width;
        sides.insert(side);
        EXPECT_EQ(entry->bitCount, 32) << side;
        // Each image is there, and Windows can make an icon of it.
        std::string image = Resource(MAKEINTRESOURCEW(entry->id), MAKEINTRESOURCEW(3));
        EXPECT_EQ(image.size(), entry->bytes) << side;
        HICON icon = CreateIconFromResourceEx(
            reinterpret_cast<BYTE*>(&image[0]), static_cast<DWORD>(image.size()), TRUE,
            0x00030000, side, side, 0);
        EXPECT_TRUE(icon != NULL) << side;
        if (icon != NULL)
            DestroyIcon(icon);
    }
    EXPECT_EQ(sides, std::set<int>({16, 32, 48, 256}));
}

}  // namespace
