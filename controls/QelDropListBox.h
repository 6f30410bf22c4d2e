#pragma once
// A list box that takes files dropped from the shell: each file's full path is filtered by an
// optional wildcard mask, offered to the owner (who may veto it), added, and reported.

#include "QelListBox.h"

#include <shellapi.h>

#include <functional>
#include <string>

// Whether `name` matches `pattern`, ignoring letter case (the user locale's mapping). "*" is
// any run of characters, also none; "?" is at most one character. An empty pattern matches
// only an empty name.
bool WildcardMatch(const std::string& name, const std::string& pattern);

class TQelDropListBox : public TQelListBox {
public:
    // Asked once per offered file; `accept` arrives true, false keeps the file out.
    using TDroppingFileEvent =
        std::function<void(TComponent* sender, const std::string& fileName, bool& accept)>;
    // Told after an offered file was added at `index`.
    using TDroppedFileEvent =
        std::function<void(TComponent* sender, const std::string& fileName, int index)>;

    explicit TQelDropListBox(TComponent* owner);

    bool GetAcceptFiles() const { return AcceptFiles; }
    // Registers the window as a drop target (true) or withdraws it (false) at once.
    void SetAcceptFiles(bool acceptFiles);
    const std::string& GetFileMask() const { return FileMask; }
    // Patterns separated by ";" that a dropped file's name must match; empty: every file.
    void SetFileMask(const std::string& fileMask);

    TDroppingFileEvent OnDroppingFile;
    TDroppedFileEvent OnDroppedFile;

    void Loaded() override;

protected:
    virtual void DoOnDroppingFile(const std::string& fileName, bool& accept);
    virtual void DoOnDroppedFile(const std::string& fileName, int index);
    // Handles one drop and releases the drop handle.
    virtual void WMDropFiles(HDROP drop);

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateWnd() override;

private:
    void ResetAcceptFiles();
    void DropFile(const std::string& path);
    void OfferFile(const std::string& path);

    bool AcceptFiles = true;
    std::string FileMask;
};
