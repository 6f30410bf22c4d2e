// The program's resources as Windows reads them: this test program links the very same
// kd_resources objects as Kaleidra.scr.

#include "KdResources.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {
std::vector<char> OwnVersionInfo() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, data.data()))
        data.clear();
    return data;
}

std::string VersionString(std::vector<char>& info, const std::string& key) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = "\\StringFileInfo\\040904E4\\" + key;
    if (!VerQueryValueA(info.data(), path.c_str(), &value, &length))
        return "<missing>";
    return length == 0 ? std::string() : std::string(static_cast<const char*>(value));
}

const void* ResourceData(LPCSTR type, LPCSTR name, DWORD* size) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, name, type);
    if (found == nullptr)
        return nullptr;
    *size = SizeofResource(self, found);
    return LockResource(LoadResource(self, found));
}

#pragma pack(push, 2)
struct TIconGroupEntry { // one image of an RT_GROUP_ICON directory
    BYTE Width, Height, Colours, Reserved;
    WORD Planes, BitCount;
    DWORD Bytes;
    WORD Id;
};
#pragma pack(pop)
} // namespace

TEST(Resources, VersionResourceCarriesTheAboutPageStrings) {
    std::vector<char> info = OwnVersionInfo();
    ASSERT_FALSE(info.empty());

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    const WORD* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1252);

    const struct {
        const char* Key;
        const char* Value;
    } strings[] = {
        {"CompanyName", "Tessaly"},
        {"FileDescription", "Kaleidra"},
        {"FileVersion", "2.0.3.83"},
        {"InternalName", "Kaleidra.scr"},
        {"LegalCopyright", "Copyright (C) 2026 Tessaly. All rights reserved."},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "Kaleidra.scr"},
        {"ProductName", "Kaleidra"},
        {"ProductVersion", "2.0"},
        {"Comments", "A screen saver randomizer"},
    };
    for (const auto& s : strings)
        EXPECT_EQ(VersionString(info, s.Key), s.Value) << s.Key;

    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 2));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(83, 3));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 2));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(83, 3));
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 0x4u);
    EXPECT_EQ(fixed->dwFileType, 0x1u);
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
}

TEST(Resources, PreviewPictureIs160By120With24BitsUncompressed) {
    DWORD size = 0;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(
        ResourceData(MAKEINTRESOURCEA(2) /* RT_BITMAP */, MAKEINTRESOURCEA(IDB_PREVIEW), &size));
    ASSERT_NE(header, nullptr);
    ASSERT_GE(size, sizeof(BITMAPINFOHEADER) + 160 * 120 * 3);
    EXPECT_EQ(header->biWidth, 160);
    EXPECT_EQ(std::abs(header->biHeight), 120);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(header->biCompression, DWORD(BI_RGB));
}

TEST(Resources, IconOffersTheSmallAndLargeShellSizes) {
    DWORD size = 0;
    const auto* group = static_cast<const WORD*>(ResourceData(
        MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, MAKEINTRESOURCEA(IDI_MAINICON), &size));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group[1], 1); // an icon, not a cursor
    const auto* entries = reinterpret_cast<const TIconGroupEntry*>(group + 3);
    std::set<int> sizes;
    for (WORD i = 0; i < group[2]; ++i) {
        sizes.insert(entries[i].Width == 0 ? 256 : entries[i].Width);
        EXPECT_EQ(entries[i].BitCount, 32);
    }
    for (int wanted : {16, 32, 48})
        EXPECT_TRUE(sizes.count(wanted)) << wanted << " x " << wanted << " missing";
    HICON icon = static_cast<HICON>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
}

TEST(Resources, ManifestAsksForCommonControls6AndNoElevation) {
    DWORD size = 0;
    const char* text = static_cast<const char*>(
        ResourceData(MAKEINTRESOURCEA(24) /* RT_MANIFEST */, MAKEINTRESOURCEA(1), &size));
    ASSERT_NE(text, nullptr);
    const std::string manifest(text, size);
    for (const char* part : {"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "level=\"asInvoker\"", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
                             "{e2011457-1546-43c5-a5fe-008deee3d3f0}", ">system</dpiAwareness>"})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
}
