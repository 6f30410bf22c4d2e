#pragma once
// A list of the files of one folder that match a mask, with the shell's small icons, sorted by
// name, several selectable, read-only. Bound to a folder tree it shows the tree's selected
// folder and refreshes when the tree sees that folder change.

#include "Controls.h"

#include <windows.h>

#include <string>
#include <vector>

class TShellFolderTree;

class TShellFileList : public TWinControl {
public:
    explicit TShellFileList(TComponent* owner);
    ~TShellFileList() override;

    // Makes the list in `parent`. A SysListView32 of a dialog template is taken over with
    // Attach instead; either way the list gets its styles, icons and single column.
    void Create(HWND parent, const RECT& bounds, int id = 0);

    // Follows this tree's selected folder from now on; null unbinds.
    void SetFolderTree(TShellFolderTree* tree);
    TShellFolderTree* FolderTree() const { return Tree; }
    // Which files to show: patterns separated by ";" ("*.scr", "*.scr;*.exe") with "*" and
    // "?", matched against the whole name, ignoring case. "*" (every file) by default; an
    // empty mask shows every file too.
    void SetMask(const std::string& mask);
    const std::string& GetMask() const { return Mask; }
    // The folder shown; a bound tree sets it whenever its selection changes.
    void SetFolder(const std::string& folder);
    const std::string& Folder() const { return CurrentFolder; }
    // Reads the folder again; the files still there stay selected.
    void Refresh();

    int Count() const { return static_cast<int>(Names.size()); }
    // The file's name, and its full path; empty for an index out of range.
    std::string ItemName(int index) const;
    std::string ItemPath(int index) const;
    bool IsSelected(int index) const;
    void SetSelected(int index, bool selected);
    // The selected items, in list order.
    std::vector<int> SelectedIndexes() const;

    // The list was filled (a new folder, a new mask, a change on disk, a refresh).
    TNotifyEvent OnFilled;
    // An item was selected or deselected, by mouse, keyboard or code.
    TNotifyEvent OnSelectionChange;

protected:
    void CreateWnd() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    friend class TShellFolderTree;
    // Called by the bound tree.
    void FolderSelected();
    void FolderContentsChanged();

    void Fill(bool keepSelection);
    void AddItem(int index, const std::string& name);
    void FitColumn();
    bool Matches(const std::string& name) const;
    std::vector<std::string> MatchingFiles() const;

    TShellFolderTree* Tree = nullptr;
    std::string Mask = "*";
    std::vector<std::string> Patterns{"*"}; // in lower case
    std::string CurrentFolder;
    std::vector<std::string> Names; // in list order
    bool Fitting = false;
};
