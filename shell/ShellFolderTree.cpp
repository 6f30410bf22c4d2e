#include "ShellFolderTree.h"

#include "FolderWatch.h"
#include "ShellFileList.h"
#include "ShellUtil.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr DWORD TreeStyle =
    TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP;

// Posted by the watch thread; a registered message cannot clash with the tree's own.
UINT FolderChangedMessage() {
    static const UINT message = RegisterWindowMessageA("KaleidraShellFolderChanged");
    return message;
}

bool IsShownFolder(const TFolderEntry& entry) {
    return (entry.Attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(entry.Attributes & FILE_ATTRIBUTE_HIDDEN);
}

// The subfolders a node shows, in the tree's order.
std::vector<std::string> Subfolders(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : ListFolder(folder))
        if (IsShownFolder(entry))
            names.push_back(entry.Name);
    std::sort(names.begin(), names.end(), FileNameLess);
    return names;
}

// Stops at the first subfolder: the tree only asks whether to draw an expand button.
bool HasSubfolders(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool any = false;
    do {
        const std::string name = found.cFileName;
        any = name != "." && name != ".." && IsShownFolder({name, found.dwFileAttributes});
    } while (!any && FindNextFileA(search, &found));
    FindClose(search);
    return any;
}

// The name of an existing file or folder as the file system spells it.
std::string OnDiskName(const std::string& path, const std::string& fallback) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return fallback;
    FindClose(search);
    return found.cFileName;
}

std::string RootText(const std::string& root) {
    std::string text = ShellDisplayName(root);
    if (text.empty()) {
        text = root;
        if (text.size() > 1 && text.back() == '\\')
            text.pop_back();
    }
    return text;
}
} // namespace

TShellFolderTree::TShellFolderTree(TComponent* owner) : TWinControl(owner) {}

TShellFolderTree::~TShellFolderTree() {
    StopWatch();
    for (auto* view : Views)
        view->Tree = nullptr;
    Views.clear();
}

void TShellFolderTree::Create(HWND parent, const RECT& bounds, int id) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    TControl::Create(parent, WC_TREEVIEWA, WS_VISIBLE | WS_TABSTOP | TreeStyle, WS_EX_CLIENTEDGE,
                     bounds, id);
}

void TShellFolderTree::CreateWnd() {
    // Read-only: no label editing, whatever the template asked for.
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    SetWindowLongPtrA(Handle(), GWL_STYLE, (style | TreeStyle) & ~LONG_PTR(TVS_EDITLABELS));
    SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(SystemSmallImages()));
    FillRoots();
    SelectionChanged(); // a tree attached anew has nothing selected
}

std::string TShellFolderTree::WatchedFolder() const {
    return Watch ? CurrentFolder : std::string();
}

DWORD TShellFolderTree::WatchThreadId() const {
    return Watch ? Watch->ThreadId() : 0;
}

// ---- nodes ----

const TShellFolderTree::TNode* TShellFolderTree::NodeOf(HTREEITEM item) const {
    const auto found = Nodes.find(item);
    return found == Nodes.end() ? nullptr : &found->second;
}

void TShellFolderTree::FillRoots() {
    SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    Nodes.clear();
    char drives[512];
    const DWORD length = GetLogicalDriveStringsA(sizeof drives, drives);
    if (length == 0 || length > sizeof drives)
        return;
    // An empty floppy or card drive must not bring up "insert a disk".
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    for (const char* drive = drives; *drive; drive += std::strlen(drive) + 1)
        InsertNode(TVI_ROOT, TVI_LAST, drive, RootText(drive), 1);
    SetErrorMode(oldMode);
}

HTREEITEM TShellFolderTree::InsertNode(HTREEITEM parent, HTREEITEM after, const std::string& path,
                                       const std::string& text, int children) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.pszText = const_cast<char*>(text.c_str());
    // Icons are asked of the shell only for the nodes the tree shows: the shell is slow to
    // answer, and a folder may hold hundreds of subfolders.
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = children;
    const auto item = reinterpret_cast<HTREEITEM>(
        SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item) {
        const bool isRoot = parent == TVI_ROOT;
        Nodes[item] = TNode{path, isRoot ? path : path.substr(path.find_last_of('\\') + 1)};
    }
    return item;
}

void TShellFolderTree::FillNode(HTREEITEM item) {
    const auto found = Nodes.find(item);
    if (found == Nodes.end() || found->second.Filled)
        return;
    found->second.Filled = true;
    const std::string folder = found->second.Path;
    for (const auto& name : Subfolders(folder))
        InsertNode(item, TVI_LAST, JoinPath(folder, name), name, I_CHILDRENCALLBACK);
    SetHasChildren(item, TreeView_GetChild(Handle(), item) ? 1 : 0);
}

// Brings the children of a filled node in line with the disk, keeping the nodes (and what is
// expanded below them) of the folders that are still there.
void TShellFolderTree::RefreshChildren(HTREEITEM item) {
    const TNode* node = NodeOf(item);
    if (!node)
        return;
    if (!node->Filled) {
        SetHasChildren(item, I_CHILDRENCALLBACK);
        return;
    }
    const std::string folder = node->Path;
    for (HTREEITEM child = TreeView_GetChild(Handle(), item); child;) {
        const HTREEITEM next = TreeView_GetNextSibling(Handle(), child);
        const TNode* childNode = NodeOf(child);
        if (!childNode || !FolderExists(childNode->Path))
            DeleteNode(child);
        child = next;
    }
    HTREEITEM after = TVI_FIRST;
    for (const auto& name : Subfolders(folder)) {
        const HTREEITEM existing = FindChild(item, name);
        after = existing
                    ? existing
                    : InsertNode(item, after, JoinPath(folder, name), name, I_CHILDRENCALLBACK);
    }
    SetHasChildren(item, TreeView_GetChild(Handle(), item) ? 1 : 0);
}

void TShellFolderTree::DeleteNode(HTREEITEM item) {
    ForgetSubtree(item);
    TreeView_DeleteItem(Handle(), item);
}

void TShellFolderTree::ForgetSubtree(HTREEITEM item) {
    for (HTREEITEM child = TreeView_GetChild(Handle(), item); child;
         child = TreeView_GetNextSibling(Handle(), child))
        ForgetSubtree(child);
    Nodes.erase(item);
}

void TShellFolderTree::SetHasChildren(HTREEITEM item, int children) {
    TVITEMA change{};
    change.mask = TVIF_CHILDREN | TVIF_HANDLE;
    change.hItem = item;
    change.cChildren = children;
    SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

HTREEITEM TShellFolderTree::FindChild(HTREEITEM parent, const std::string& name) const {
    for (HTREEITEM child = TreeView_GetChild(Handle(), parent); child;
         child = TreeView_GetNextSibling(Handle(), child)) {
        const TNode* node = NodeOf(child);
        if (node && SameFileName(node->Name, name))
            return child;
    }
    return nullptr;
}

HTREEITEM TShellFolderTree::FindOrAddRoot(const std::string& root) {
    for (HTREEITEM item = TreeView_GetRoot(Handle()); item;
         item = TreeView_GetNextSibling(Handle(), item)) {
        const TNode* node = NodeOf(item);
        if (node && SameFileName(node->Path, root))
            return item;
    }
    // A network share or a drive that came after the tree was filled.
    return InsertNode(TVI_ROOT, TVI_LAST, root, RootText(root), 1);
}

HTREEITEM TShellFolderTree::FindOrAddChild(HTREEITEM parent, const std::string& name) {
    FillNode(parent);
    HTREEITEM child = FindChild(parent, name);
    if (!child) {
        // Not in the listing (a hidden folder, say): it goes in its place in the order.
        const std::string path = JoinPath(NodeOf(parent)->Path, name);
        const std::string spelled = OnDiskName(path, name);
        HTREEITEM after = TVI_FIRST;
        for (HTREEITEM sibling = TreeView_GetChild(Handle(), parent); sibling;
             sibling = TreeView_GetNextSibling(Handle(), sibling))
            if (FileNameLess(NodeOf(sibling)->Name, spelled))
                after = sibling;
        child = InsertNode(parent, after, JoinPath(NodeOf(parent)->Path, spelled), spelled,
                           I_CHILDRENCALLBACK);
        SetHasChildren(parent, 1);
    }
    TreeView_Expand(Handle(), parent, TVE_EXPAND);
    return child;
}

// ---- selection ----

bool TShellFolderTree::SetSelectedFolder(const std::string& folder) {
    if (!HandleAllocated())
        return false;
    const std::string path = NormalizeFolderPath(folder);
    if (path.empty() || !FolderExists(path))
        return false;
    const std::string root = PathRoot(path);
    HTREEITEM item = FindOrAddRoot(root);
    for (std::size_t start = root.size(); item && start < path.size();) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        item = FindOrAddChild(item, path.substr(start, end - start));
        start = end + 1;
    }
    if (!item)
        return false;
    TreeView_SelectItem(Handle(), item);
    TreeView_EnsureVisible(Handle(), item);
    // The tree reports the new selection through its parent; this also covers a parent that
    // does not pass notifications on.
    SelectionChanged();
    return true;
}

void TShellFolderTree::SelectionChanged() {
    const TNode* node = NodeOf(TreeView_GetSelection(Handle()));
    const std::string folder = node ? node->Path : std::string();
    if (folder == CurrentFolder)
        return;
    CurrentFolder = folder;
    StartWatch();
    for (auto* view : std::vector<TShellFileList*>(Views))
        view->FolderSelected();
    if (OnChange)
        OnChange(this);
}

void TShellFolderTree::Refresh() {
    if (HandleAllocated())
        FolderContentsChanged();
}

void TShellFolderTree::FolderContentsChanged() {
    HTREEITEM item = TreeView_GetSelection(Handle());
    if (!item)
        return;
    // The selected folder itself was removed: its nearest surviving ancestor takes over.
    if (!FolderExists(CurrentFolder)) {
        HTREEITEM parent = TreeView_GetParent(Handle(), item);
        while (parent && !FolderExists(NodeOf(parent)->Path))
            parent = TreeView_GetParent(Handle(), parent);
        if (!parent) { // the whole drive went (a card or a share)
            FillRoots();
            SelectionChanged();
            return;
        }
        TreeView_SelectItem(Handle(), parent);
        RefreshChildren(parent);
        SelectionChanged();
        return;
    }
    RefreshChildren(item);
    for (auto* view : std::vector<TShellFileList*>(Views))
        view->FolderContentsChanged();
}

// ---- the watch ----

void TShellFolderTree::StartWatch() {
    StopWatch();
    if (CurrentFolder.empty() || !HandleAllocated())
        return;
    Watch = std::make_unique<TFolderWatch>(CurrentFolder, Handle(), FolderChangedMessage(),
                                           ++WatchCookie);
    if (!Watch->Active())
        Watch.reset();
}

void TShellFolderTree::StopWatch() {
    Watch.reset();
}

// ---- views ----

void TShellFolderTree::AddView(TShellFileList* view) {
    if (std::find(Views.begin(), Views.end(), view) == Views.end())
        Views.push_back(view);
}

void TShellFolderTree::RemoveView(TShellFileList* view) {
    Views.erase(std::remove(Views.begin(), Views.end(), view), Views.end());
}

// ---- messages ----

LRESULT TShellFolderTree::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == FolderChangedMessage()) {
        // A message of a watch already stopped is stale: the folder it watched is gone.
        if (Watch && wParam == WatchCookie) {
            Watch->Acknowledge();
            FolderContentsChanged();
        }
        return 0;
    }
    if (message == WM_DESTROY)
        StopWatch();
    return TWinControl::WndProc(message, wParam, lParam);
}

bool TShellFolderTree::Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_NOTIFY)
        return TreeNotify(*reinterpret_cast<NMHDR*>(lParam), result);
    return TWinControl::Notify(message, wParam, lParam, result);
}

// The A and W forms of these notifications differ only in the text pointer, which is not used.
bool TShellFolderTree::TreeNotify(NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        const auto& change = reinterpret_cast<NMTREEVIEWA&>(header);
        if (change.action & TVE_EXPAND)
            FillNode(change.itemNew.hItem);
        result = FALSE;
        return true;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        SelectionChanged();
        return true;
    case TVN_GETDISPINFOA:
    case TVN_GETDISPINFOW: {
        auto& request = reinterpret_cast<NMTVDISPINFOA&>(header);
        const TNode* node = NodeOf(request.item.hItem);
        if (!node)
            return true;
        if (request.item.mask & TVIF_CHILDREN)
            request.item.cChildren = HasSubfolders(node->Path) ? 1 : 0;
        if (request.item.mask & TVIF_IMAGE)
            request.item.iImage = SmallIconIndex(node->Path);
        if (request.item.mask & TVIF_SELECTEDIMAGE)
            request.item.iSelectedImage = SmallIconIndex(node->Path, true);
        request.item.mask |= TVIF_DI_SETITEM; // each asked once per node
        return true;
    }
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
        result = TRUE; // read-only
        return true;
    case NM_RCLICK:
        result = TRUE; // no context menu
        return true;
    default:
        return false;
    }
}
