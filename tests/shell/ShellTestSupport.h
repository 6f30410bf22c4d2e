#pragma once
// What the shell control tests share: a folder tree of their own under the temporary folder,
// the test pane made from a dialog template, and waiting while messages are handled.

#include "ShellFileList.h"
#include "ShellFolderTree.h"
#include "SpinEdit.h"
#include "Splitter.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A folder under the temporary folder, removed with everything in it at the end:
//   a.scr  B.SCR  c.txt  d.scr.bak  e.scr\  Alpha\  beta\  Gamma\Inner\  Gamma\x.scr
//   .hidden\ (hidden)
class TTempTree {
public:
    TTempTree();
    ~TTempTree();
    TTempTree(const TTempTree&) = delete;
    TTempTree& operator=(const TTempTree&) = delete;

    // The folder without a trailing "\", as GetLongPathName spells it.
    const std::string& Root() const { return RootFolder; }
    std::string Path(const std::string& relative) const { return RootFolder + "\\" + relative; }
    void AddFile(const std::string& relative) const;
    void AddFolder(const std::string& relative) const;

private:
    std::string RootFolder;
};

// Handles this thread's messages until `condition` holds or `limitMs` has passed; returns
// the last answer.
bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs);
// Handles the messages waiting now.
void PumpMessages();

// A window made from the test pane's template, nothing attached.
HWND CreatePaneDialog();

// The test pane: a dialog from the template with the four controls attached by id, laid out
// in pixels: tree 0..145, splitter 145..155, list 155..300 (all 185 wide), spin edit beside.
class TShellPane {
public:
    TShellPane();
    ~TShellPane();
    TShellPane(const TShellPane&) = delete;
    TShellPane& operator=(const TShellPane&) = delete;

    void LayOut();

    TWinControl Form{nullptr};
    TShellFolderTree Tree{nullptr};
    TSplitter Splitter{nullptr};
    TShellFileList List{nullptr};
    TSpinEdit Minutes{nullptr};
};

// The texts of a tree item's children, in tree order.
std::vector<std::string> ChildTexts(HWND tree, HTREEITEM item);
std::string ItemText(HWND tree, HTREEITEM item);
// The texts a file list's window shows, in list order.
std::vector<std::string> ListNames(const TShellFileList& list);
// Case-insensitive comparison of paths.
bool SamePath(const std::string& a, const std::string& b);
