#include "QelDropListBox.h"

#include <vector>

namespace {
std::string LowerCase(std::string text) {
    if (!text.empty())
        CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string Trimmed(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlankOrControl(text[first]))
        ++first;
    while (last > first && IsBlankOrControl(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::vector<std::string> SplitAtSemicolons(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(';', start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// The name the mask is tested against: the path without its directory.
std::string FileNameOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\:/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// Releases the shell's drop handle whatever the handlers did, also when one throws.
class TDropGuard {
public:
    explicit TDropGuard(HDROP drop) : Drop(drop) {}
    ~TDropGuard() { DragFinish(Drop); }
    TDropGuard(const TDropGuard&) = delete;
    TDropGuard& operator=(const TDropGuard&) = delete;

private:
    HDROP Drop;
};

// The full path of dropped file `index`, however long it is.
std::string DroppedPath(HDROP drop, UINT index) {
    const UINT length = DragQueryFileA(drop, index, nullptr, 0);
    std::string path(static_cast<std::size_t>(length) + 1, '\0');
    const UINT copied = DragQueryFileA(drop, index, path.data(), length + 1);
    path.resize(copied);
    return path;
}
} // namespace

bool WildcardMatch(const std::string& name, const std::string& pattern) {
    const std::string text = LowerCase(name);
    const std::string mask = LowerCase(pattern);
    const std::size_t n = text.size();
    const std::size_t m = mask.size();
    // matched[j]: whether the rest of the name from row i matches mask[j..]. Filled from the
    // ends backwards, so no recursion and no repeated work however many "*" the mask holds.
    // Row n (the name used up): an empty mask, or a mask of exactly one "*" or "?".
    std::vector<char> next(m + 1, 0);
    next[m] = 1;
    if (m > 0 && (mask[m - 1] == '*' || mask[m - 1] == '?'))
        next[m - 1] = 1;
    std::vector<char> matched(m + 1, 0);
    for (std::size_t i = n; i-- > 0;) {
        matched[m] = 0;
        for (std::size_t j = m; j-- > 0;) {
            if (mask[j] == '*')
                matched[j] = j == m - 1 || matched[j + 1] || next[j];
            else if (mask[j] == '?')
                matched[j] = matched[j + 1] || next[j + 1];
            else
                matched[j] = mask[j] == text[i] && next[j + 1];
        }
        next.swap(matched);
    }
    return next[0] != 0;
}

TQelDropListBox::TQelDropListBox(TComponent* owner) : TQelListBox(owner) {}

void TQelDropListBox::SetAcceptFiles(bool acceptFiles) {
    if (acceptFiles == AcceptFiles)
        return;
    AcceptFiles = acceptFiles;
    ResetAcceptFiles();
}

void TQelDropListBox::SetFileMask(const std::string& fileMask) {
    if (fileMask != FileMask)
        FileMask = fileMask;
}

void TQelDropListBox::Loaded() {
    TQelListBox::Loaded();
    ResetAcceptFiles();
}

void TQelDropListBox::DoOnDroppingFile(const std::string& fileName, bool& accept) {
    accept = true;
    if (OnDroppingFile)
        OnDroppingFile(this, fileName, accept);
}

void TQelDropListBox::DoOnDroppedFile(const std::string& fileName, int index) {
    if (OnDroppedFile)
        OnDroppedFile(this, fileName, index);
}

void TQelDropListBox::WMDropFiles(HDROP drop) {
    const TDropGuard guard(drop);
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index)
        DropFile(DroppedPath(drop, index));
}

LRESULT TQelDropListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DROPFILES) {
        WMDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return TQelListBox::WndProc(message, wParam, lParam);
}

void TQelDropListBox::CreateWnd() {
    TQelListBox::CreateWnd();
    ResetAcceptFiles();
}

void TQelDropListBox::ResetAcceptFiles() {
    if (HandleAllocated() && !IsLoading())
        DragAcceptFiles(Handle(), AcceptFiles);
}

void TQelDropListBox::DropFile(const std::string& path) {
    if (FileMask.empty()) {
        OfferFile(path);
        return;
    }
    const std::string name = FileNameOf(path);
    const std::vector<std::string> parts = SplitAtSemicolons(FileMask);
    // The last pattern first; a file matching several patterns is offered once for each.
    for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
        const std::string pattern = Trimmed(*part);
        if (!pattern.empty() && WildcardMatch(name, pattern))
            OfferFile(path);
    }
}

void TQelDropListBox::OfferFile(const std::string& path) {
    bool accept = true;
    DoOnDroppingFile(path, accept);
    if (!accept)
        return;
    const int index = Add(path);
    // A list that refused the item has nothing to report.
    if (index >= 0)
        DoOnDroppedFile(path, index);
}
