#include "VersionInfo.h"

#include "Application.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

// One row per version key: its value and its label, in the order the resource lists them.
struct TVersionInfo::TKey {
    const char* Name;
    std::string TVersionInfo::*Value;
    TLabel* TVersionInfo::*Label;
};

const TVersionInfo::TKey TVersionInfo::Keys[] = {
    {"CompanyName", &TVersionInfo::FCompanyName, &TVersionInfo::CompanyNameLabel},
    {"FileDescription", &TVersionInfo::FFileDescription, &TVersionInfo::FileDescriptionLabel},
    {"FileVersion", &TVersionInfo::FFileVersion, &TVersionInfo::FileVersionLabel},
    {"InternalName", &TVersionInfo::FInternalName, &TVersionInfo::InternalNameLabel},
    {"LegalCopyright", &TVersionInfo::FLegalCopyright, &TVersionInfo::LegalCopyrightLabel},
    {"LegalTrademarks", &TVersionInfo::FLegalTrademarks, &TVersionInfo::LegalTrademarksLabel},
    {"OriginalFilename", &TVersionInfo::FOriginalFilename, &TVersionInfo::OriginalFilenameLabel},
    {"ProductName", &TVersionInfo::FProductName, &TVersionInfo::ProductNameLabel},
    {"ProductVersion", &TVersionInfo::FProductVersion, &TVersionInfo::ProductVersionLabel},
    {"Comments", &TVersionInfo::FComments, &TVersionInfo::CommentsLabel},
};

TVersionInfo::TVersionInfo(TComponent* owner) : TVersionInfo(owner, ProgramFileName()) {}

TVersionInfo::TVersionInfo(TComponent* owner, const std::string& fileName) : TComponent(owner) {
    ReadFrom(fileName);
}

void TVersionInfo::ReadFrom(const std::string& fileName) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &ignored);
    if (size == 0)
        return;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(fileName.c_str(), 0, size, block.data()))
        return;
    void* translation = nullptr;
    UINT translationSize = 0;
    // Only the first translation names the string table, even if others exist.
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation,
                        &translationSize) ||
        !translation || translationSize < 2 * sizeof(WORD))
        return;
    const auto* words = static_cast<const WORD*>(translation);
    char basePath[40];
    std::snprintf(basePath, sizeof basePath, "\\StringFileInfo\\%04X%04X\\", words[0], words[1]);
    for (const TKey& key : Keys) {
        void* text = nullptr;
        UINT length = 0;
        const std::string path = std::string(basePath) + key.Name;
        if (VerQueryValueA(block.data(), path.c_str(), &text, &length) && text) {
            // The value ends at its terminating zero, and never beyond its stated length.
            const char* chars = static_cast<const char*>(text);
            this->*key.Value = std::string(chars, strnlen(chars, length));
        }
    }
}

void TVersionInfo::AttachLabel(TLabel* TVersionInfo::*slot, TLabel* label) {
    for (const TKey& key : Keys) {
        if (key.Label != slot)
            continue;
        if (label) {
            label->SetCaption(this->*key.Value);
            FreeNotification(label); // the label may belong to another owner
        }
        this->*key.Label = label;
    }
}

void TVersionInfo::SetCompanyNameLabel(TLabel* label) {
    AttachLabel(&TVersionInfo::CompanyNameLabel, label);
}
void TVersionInfo::SetFileDescriptionLabel(TLabel* label) {
    AttachLabel(&TVersionInfo::FileDescriptionLabel, label);
}
void TVersionInfo::SetFileVersionLabel(TLabel* label) {
    AttachLabel(&TVersionInfo::FileVersionLabel, label);
}
void TVersionInfo::SetInternalNameLabel(TLabel* label) {
    AttachLabel(&TVersionInfo::InternalNameLabel, label);
}
void TVersionInfo::SetLegalCopyrightLabel(TLabel* label) {
    AttachLabel(&TVersionInfo::LegalCopyrightLabel, label);
}
void TVersionInfo::SetLegalTrademarksLabel(TLabel* label) {
    AttachLabel(&TVersionInfo::LegalTrademarksLabel, label);
}
void TVersionInfo::SetOriginalFilenameLabel(TLabel* label) {
    AttachLabel(&TVersionInfo::OriginalFilenameLabel, label);
}
void TVersionInfo::SetProductNameLabel(TLabel* label) {
    AttachLabel(&TVersionInfo::ProductNameLabel, label);
}
void TVersionInfo::SetProductVersionLabel(TLabel* label) {
    AttachLabel(&TVersionInfo::ProductVersionLabel, label);
}
void TVersionInfo::SetCommentsLabel(TLabel* label) {
    AttachLabel(&TVersionInfo::CommentsLabel, label);
}

void TVersionInfo::Loaded() {
    TComponent::Loaded();
    for (const TKey& key : Keys) {
        TLabel* label = this->*key.Label;
        if (!label)
            continue;
        const std::string& value = this->*key.Value;
        const bool isVersion = key.Label == &TVersionInfo::ProductVersionLabel;
        label->SetCaption(isVersion ? "Version " + value : value);
    }
}

void TVersionInfo::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    for (const TKey& key : Keys)
        if (this->*key.Label == component)
            this->*key.Label = nullptr;
}
