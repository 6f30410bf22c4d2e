#include "ShellUtil.h"

#include <shellapi.h>

#include <process.h>

HIMAGELIST SystemSmallImages() {
    static HIMAGELIST images = [] {
        SHFILEINFOA info{};
        char windows[MAX_PATH] = "C:\\";
        GetWindowsDirectoryA(windows, MAX_PATH);
        return reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA(windows, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    }();
    return images;
}

namespace {
unsigned __stdcall PrepareImages(void*) {
    SystemSmallImages();
    return 0;
}
} // namespace

void PrepareSystemSmallImages() {
    const auto thread = _beginthreadex(nullptr, 0, PrepareImages, nullptr, 0, nullptr);
    if (thread)
        CloseHandle(reinterpret_cast<HANDLE>(thread));
}

int SmallIconIndex(const std::string& path, bool open) {
    SHFILEINFOA info{};
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags))
        return 0;
    return info.iIcon;
}

std::string ShellDisplayName(const std::string& path) {
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME))
        return {};
    return info.szDisplayName;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\')
        return folder + name;
    return folder + '\\' + name;
}

namespace {
std::size_t RootLength(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\')
        return 3;
    if (path.rfind("\\\\", 0) == 0) {
        const auto share = path.find('\\', 2);
        if (share == std::string::npos)
            return 0;
        const auto end = path.find('\\', share + 1);
        return end == std::string::npos ? 0 : end + 1;
    }
    return 0;
}
} // namespace

std::string PathRoot(const std::string& path) {
    return path.substr(0, RootLength(path));
}

std::string NormalizeFolderPath(const std::string& path) {
    if (path.empty())
        return {};
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string result(full, length);
    if (result.rfind("\\\\", 0) == 0 && RootLength(result) == 0)
        result += '\\'; // a share's root is "\\server\share\"
    const std::size_t root = RootLength(result);
    if (root == 0)
        return {};
    while (result.size() > root && result.back() == '\\')
        result.pop_back();
    return result;
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameFileName(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), int(a.size()), b.data(),
                          int(b.size())) == CSTR_EQUAL;
}

bool FileNameLess(const std::string& a, const std::string& b) {
    const int order = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), int(a.size()),
                                     b.data(), int(b.size()));
    if (order != CSTR_EQUAL)
        return order == CSTR_LESS_THAN;
    return a < b;
}

std::vector<TFolderEntry> ListFolder(const std::string& folder) {
    std::vector<TFolderEntry> entries;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            entries.push_back({name, found.dwFileAttributes});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}
