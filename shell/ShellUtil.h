#pragma once
// What the folder tree and the file list share: the shell's small icons, path text and the
// folder listing.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// The system's image list of small icons (shared by the whole process: never destroy it).
HIMAGELIST SystemSmallImages();
// Starts the shell on its icon cache on a thread of its own, so a window that will show shell
// icons can build its other parts meanwhile; SystemSmallImages then waits for it if need be.
void PrepareSystemSmallImages();
// The index of a file's or folder's small icon in that list; `open` asks for the open-folder
// picture. 0 when the shell has none.
int SmallIconIndex(const std::string& path, bool open = false);
// How the shell names a file or drive ("Local Disk (C:)"); empty when it cannot say.
std::string ShellDisplayName(const std::string& path);

// `folder` and `name` joined by one "\".
std::string JoinPath(const std::string& folder, const std::string& name);
// An absolute path without trailing "\" (but "C:\" for a drive's root); empty when the text
// is no path.
std::string NormalizeFolderPath(const std::string& path);
// The root of an absolute path: "C:\" or "\\server\share\"; empty for any other text.
std::string PathRoot(const std::string& path);
bool FolderExists(const std::string& path);
// Case-insensitive comparison in the user's code page, as the file system compares names.
bool SameFileName(const std::string& a, const std::string& b);
// Names ordered as the lists show them: ignoring case, ties broken by the exact text.
bool FileNameLess(const std::string& a, const std::string& b);

// One entry of a folder listing.
struct TFolderEntry {
    std::string Name;
    DWORD Attributes = 0;
};
// The entries of `folder` without "." and "..", in the file system's order.
std::vector<TFolderEntry> ListFolder(const std::string& folder);
