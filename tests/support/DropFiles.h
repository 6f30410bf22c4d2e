#pragma once
// Sends a window a WM_DROPFILES for these paths, as the shell does: a DROPFILES header
// followed by the ANSI paths, each ending with a zero, and one more zero at the end. The
// receiving list box releases the block with DragFinish.

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

inline void DropFiles(HWND window, const std::vector<std::string>& paths) {
    std::size_t size = sizeof(DROPFILES) + 1;
    for (const auto& path : paths)
        size += path.size() + 1;
    const HGLOBAL block = GlobalAlloc(GHND, size);
    ASSERT_NE(block, nullptr);
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    char* text = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
    for (const auto& path : paths) {
        std::memcpy(text, path.c_str(), path.size() + 1);
        text += path.size() + 1;
    }
    GlobalUnlock(block);
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}
