#include "ShellFileList.h"

#include "ShellFolderTree.h"
#include "ShellUtil.h"

#include <commctrl.h>

#include <algorithm>

namespace {
constexpr DWORD ListStyle = LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS |
                            LVS_SHAREIMAGELISTS; // the system's image list is not ours to free
constexpr DWORD UnwantedStyle =
    LVS_TYPEMASK | LVS_SINGLESEL | LVS_EDITLABELS | LVS_SORTASCENDING | LVS_SORTDESCENDING;

std::string LowerCase(std::string text) {
    if (!text.empty())
        CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// "*" for any run of characters, "?" for one; both texts already in lower case.
bool WildcardMatch(const char* pattern, const char* name) {
    const char* star = nullptr;
    const char* retry = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            retry = name;
        } else if (*pattern == '?' || *pattern == *name) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++retry;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

std::vector<std::string> SplitMask(const std::string& mask) {
    std::vector<std::string> patterns;
    std::size_t start = 0;
    while (start <= mask.size()) {
        std::size_t end = mask.find(';', start);
        if (end == std::string::npos)
            end = mask.size();
        std::string pattern = mask.substr(start, end - start);
        pattern.erase(0, pattern.find_first_not_of(" \t"));
        pattern.erase(pattern.find_last_not_of(" \t") + 1);
        // "*.*" has always meant every file, with or without a dot in its name.
        if (pattern == "*.*")
            pattern = "*";
        if (!pattern.empty())
            patterns.push_back(LowerCase(pattern));
        start = end + 1;
    }
    if (patterns.empty()) // no mask: every file
        patterns.push_back("*");
    return patterns;
}
} // namespace

TShellFileList::TShellFileList(TComponent* owner) : TWinControl(owner) {}

TShellFileList::~TShellFileList() {
    if (Tree)
        Tree->RemoveView(this);
}

void TShellFileList::Create(HWND parent, const RECT& bounds, int id) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    TControl::Create(parent, WC_LISTVIEWA, WS_VISIBLE | WS_TABSTOP | ListStyle, WS_EX_CLIENTEDGE,
                     bounds, id);
}

void TShellFileList::CreateWnd() {
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    SetWindowLongPtrA(Handle(), GWL_STYLE, (style & ~LONG_PTR(UnwantedStyle)) | ListStyle);
    ListView_SetExtendedListViewStyle(Handle(), LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    ListView_SetImageList(Handle(), SystemSmallImages(), LVSIL_SMALL);
    if (Header_GetItemCount(ListView_GetHeader(Handle())) <= 0) {
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        column.cx = ClientRect().right;
        SendMessageA(Handle(), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    }
    Fill(false);
}

// ---- what is shown ----

void TShellFileList::SetFolderTree(TShellFolderTree* tree) {
    if (Tree == tree)
        return;
    if (Tree)
        Tree->RemoveView(this);
    Tree = tree;
    if (Tree) {
        Tree->AddView(this);
        SetFolder(Tree->SelectedFolder());
    }
}

void TShellFileList::SetMask(const std::string& mask) {
    if (Mask == mask)
        return;
    Mask = mask;
    Patterns = SplitMask(mask);
    Fill(false);
}

void TShellFileList::SetFolder(const std::string& folder) {
    if (CurrentFolder == folder)
        return;
    CurrentFolder = folder;
    Fill(false);
}

void TShellFileList::Refresh() {
    Fill(true);
}

void TShellFileList::FolderSelected() {
    SetFolder(Tree->SelectedFolder());
}

void TShellFileList::FolderContentsChanged() {
    Refresh();
}

bool TShellFileList::Matches(const std::string& name) const {
    const std::string lower = LowerCase(name);
    return std::any_of(Patterns.begin(), Patterns.end(), [&](const std::string& pattern) {
        return WildcardMatch(pattern.c_str(), lower.c_str());
    });
}

std::vector<std::string> TShellFileList::MatchingFiles() const {
    std::vector<std::string> names;
    if (CurrentFolder.empty())
        return names;
    for (const auto& entry : ListFolder(CurrentFolder))
        if (!(entry.Attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) &&
            Matches(entry.Name))
            names.push_back(entry.Name);
    std::sort(names.begin(), names.end(), FileNameLess);
    return names;
}

void TShellFileList::Fill(bool keepSelection) {
    if (!HandleAllocated())
        return;
    std::vector<std::string> wasSelected;
    if (keepSelection)
        for (int index : SelectedIndexes())
            wasSelected.push_back(Names[static_cast<std::size_t>(index)]);
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(Handle());
    Names = MatchingFiles();
    for (std::size_t i = 0; i < Names.size(); ++i)
        AddItem(static_cast<int>(i), Names[i]);
    for (const auto& name : wasSelected) {
        const auto found = std::find(Names.begin(), Names.end(), name);
        if (found != Names.end())
            SetSelected(static_cast<int>(found - Names.begin()), true);
    }
    FitColumn();
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    Invalidate();
    if (OnFilled)
        OnFilled(this);
}

void TShellFileList::AddItem(int index, const std::string& name) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<char*>(name.c_str());
    item.iImage = SmallIconIndex(JoinPath(CurrentFolder, name));
    SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// The one column is as wide as the longest name, and at least as wide as the list.
void TShellFileList::FitColumn() {
    if (Fitting)
        return;
    Fitting = true;
    ListView_SetColumnWidth(Handle(), 0, LVSCW_AUTOSIZE);
    const int width = ClientRect().right;
    if (ListView_GetColumnWidth(Handle(), 0) < width)
        ListView_SetColumnWidth(Handle(), 0, width);
    Fitting = false;
}

// ---- items and selection ----

std::string TShellFileList::ItemName(int index) const {
    if (index < 0 || index >= Count())
        return {};
    return Names[static_cast<std::size_t>(index)];
}

std::string TShellFileList::ItemPath(int index) const {
    if (index < 0 || index >= Count())
        return {};
    return JoinPath(CurrentFolder, Names[static_cast<std::size_t>(index)]);
}

bool TShellFileList::IsSelected(int index) const {
    if (!HandleAllocated() || index < 0 || index >= Count())
        return false;
    return ListView_GetItemState(Handle(), index, LVIS_SELECTED) & LVIS_SELECTED;
}

void TShellFileList::SetSelected(int index, bool selected) {
    if (!HandleAllocated() || index < 0 || index >= Count())
        return;
    ListView_SetItemState(Handle(), index, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

std::vector<int> TShellFileList::SelectedIndexes() const {
    std::vector<int> selected;
    if (!HandleAllocated())
        return selected;
    for (int index = ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); index >= 0;
         index = ListView_GetNextItem(Handle(), index, LVNI_SELECTED))
        selected.push_back(index);
    return selected;
}

// ---- messages ----

LRESULT TShellFileList::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = TWinControl::WndProc(message, wParam, lParam);
    if (message == WM_SIZE && HandleAllocated())
        FitColumn();
    return result;
}

bool TShellFileList::Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_NOTIFY)
        return TWinControl::Notify(message, wParam, lParam, result);
    switch (reinterpret_cast<NMHDR*>(lParam)->code) {
    case NM_CLICK:
        Click();
        return true;
    case NM_DBLCLK:
        DblClick();
        return true;
    case LVN_ITEMCHANGED: {
        const auto& change = *reinterpret_cast<NMLISTVIEW*>(lParam);
        const bool selectionChanged = (change.uChanged & LVIF_STATE) &&
                                      ((change.uOldState ^ change.uNewState) & LVIS_SELECTED);
        if (selectionChanged && OnSelectionChange)
            OnSelectionChange(this);
        return false;
    }
    case LVN_BEGINLABELEDITA:
    case LVN_BEGINLABELEDITW:
        result = TRUE; // read-only
        return true;
    default:
        return false;
    }
}
