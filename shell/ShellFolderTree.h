#pragma once
// A tree of the file system's folders with the shell's icons: the drives at the top, each
// folder's subfolders read when it is first expanded. The selected folder can be set and read
// as a path; file lists bound to the tree follow it. While a folder is selected, a thread of
// the tree's own watches it, so folders and files that come and go show up without a click.

#include "Controls.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TFolderWatch;
class TShellFileList;

class TShellFolderTree : public TWinControl {
public:
    explicit TShellFolderTree(TComponent* owner);
    ~TShellFolderTree() override;

    // Makes the tree in `parent`. A SysTreeView32 of a dialog template is taken over with
    // Attach instead; either way the tree gets its styles, icons and drives.
    void Create(HWND parent, const RECT& bounds, int id = 0);

    // Expands the tree down to `folder` (adding nodes the listing leaves out, such as hidden
    // folders) and selects it. False, and nothing changes, when it is no existing folder.
    bool SetSelectedFolder(const std::string& folder);
    // The selected folder as the file system spells it ("C:\Windows", a drive as "C:\");
    // empty when none is selected.
    std::string SelectedFolder() const { return CurrentFolder; }
    // Reads the selected folder's subfolders again and refreshes the bound file lists, as a
    // change seen by the watch does.
    void Refresh();

    // The selected folder changed (by the user or by SetSelectedFolder).
    TNotifyEvent OnChange;

    // The folder the watch thread waits on (empty without a watch) and that thread's id (0).
    std::string WatchedFolder() const;
    DWORD WatchThreadId() const;

protected:
    void CreateWnd() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    friend class TShellFileList;
    void AddView(TShellFileList* view);
    void RemoveView(TShellFileList* view);

    struct TNode {
        std::string Path;
        std::string Name; // the last part of the path as the file system spells it
        bool Filled = false;
    };

    bool TreeNotify(NMHDR& header, LRESULT& result);
    void FillRoots();
    HTREEITEM InsertNode(HTREEITEM parent, HTREEITEM after, const std::string& path,
                         const std::string& text, int children);
    void FillNode(HTREEITEM item);
    void RefreshChildren(HTREEITEM item);
    void DeleteNode(HTREEITEM item);
    void ForgetSubtree(HTREEITEM item);
    void SetHasChildren(HTREEITEM item, int children);
    HTREEITEM FindChild(HTREEITEM parent, const std::string& name) const;
    HTREEITEM FindOrAddRoot(const std::string& root);
    HTREEITEM FindOrAddChild(HTREEITEM parent, const std::string& name);
    const TNode* NodeOf(HTREEITEM item) const;
    void SelectionChanged();
    void FolderContentsChanged();
    void StartWatch();
    void StopWatch();

    std::unordered_map<HTREEITEM, TNode> Nodes;
    std::string CurrentFolder;
    std::unique_ptr<TFolderWatch> Watch;
    WPARAM WatchCookie = 0;
    std::vector<TShellFileList*> Views;
};
