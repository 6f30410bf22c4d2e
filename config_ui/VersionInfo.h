#pragma once
// Reads the string values of a program file's version resource once, when it is created, and
// writes them into the labels attached to it (the About page's product labels).

#include "Component.h"
#include "Label.h"

#include <string>

class TVersionInfo : public TComponent {
public:
    // Reads the version strings of the running program's own file.
    explicit TVersionInfo(TComponent* owner);
    // Reads those of another file (a program without a version resource, say).
    TVersionInfo(TComponent* owner, const std::string& fileName);

    // The values read; empty when the file has no such string.
    const std::string& GetCompanyName() const { return FCompanyName; }
    const std::string& GetFileDescription() const { return FFileDescription; }
    const std::string& GetFileVersion() const { return FFileVersion; }
    const std::string& GetInternalName() const { return FInternalName; }
    const std::string& GetLegalCopyright() const { return FLegalCopyright; }
    const std::string& GetLegalTrademarks() const { return FLegalTrademarks; }
    const std::string& GetOriginalFilename() const { return FOriginalFilename; }
    const std::string& GetProductName() const { return FProductName; }
    const std::string& GetProductVersion() const { return FProductVersion; }
    const std::string& GetComments() const { return FComments; }

    // Attaching a label writes the bare value into it at once; null detaches. The label is
    // not owned, and is forgotten when it is destroyed.
    void SetCompanyNameLabel(TLabel* label);
    void SetFileDescriptionLabel(TLabel* label);
    void SetFileVersionLabel(TLabel* label);
    void SetInternalNameLabel(TLabel* label);
    void SetLegalCopyrightLabel(TLabel* label);
    void SetLegalTrademarksLabel(TLabel* label);
    void SetOriginalFilenameLabel(TLabel* label);
    void SetProductNameLabel(TLabel* label);
    void SetProductVersionLabel(TLabel* label);
    void SetCommentsLabel(TLabel* label);

    TLabel* GetCompanyNameLabel() const { return CompanyNameLabel; }
    TLabel* GetFileDescriptionLabel() const { return FileDescriptionLabel; }
    TLabel* GetFileVersionLabel() const { return FileVersionLabel; }
    TLabel* GetInternalNameLabel() const { return InternalNameLabel; }
    TLabel* GetLegalCopyrightLabel() const { return LegalCopyrightLabel; }
    TLabel* GetLegalTrademarksLabel() const { return LegalTrademarksLabel; }
    TLabel* GetOriginalFilenameLabel() const { return OriginalFilenameLabel; }
    TLabel* GetProductNameLabel() const { return ProductNameLabel; }
    TLabel* GetProductVersionLabel() const { return ProductVersionLabel; }
    TLabel* GetCommentsLabel() const { return CommentsLabel; }

    // The form is built: every attached label gets its final caption, the product version
    // with "Version " before it.
    void Loaded() override;
    // A label being removed is forgotten wherever it is attached.
    void Notification(TComponent* component, TOperation operation) override;

private:
    struct TKey;
    static const TKey Keys[];

    void ReadFrom(const std::string& fileName);
    void AttachLabel(TLabel* TVersionInfo::*slot, TLabel* label);

    std::string FCompanyName;
    std::string FFileDescription;
    std::string FFileVersion;
    std::string FInternalName;
    std::string FLegalCopyright;
    std::string FLegalTrademarks;
    std::string FOriginalFilename;
    std::string FProductName;
    std::string FProductVersion;
    std::string FComments;

    TLabel* CompanyNameLabel = nullptr;
    TLabel* FileDescriptionLabel = nullptr;
    TLabel* FileVersionLabel = nullptr;
    TLabel* InternalNameLabel = nullptr;
    TLabel* LegalCopyrightLabel = nullptr;
    TLabel* LegalTrademarksLabel = nullptr;
    TLabel* OriginalFilenameLabel = nullptr;
    TLabel* ProductNameLabel = nullptr;
    TLabel* ProductVersionLabel = nullptr;
    TLabel* CommentsLabel = nullptr;
};
