// The version information reader: the test program's own version resource (Kaleidra's,
// linked in), labels attached before and after the form is loaded, labels that go first,
// and files without usable version information.
#include "Application.h"
#include "GradientTestSupport.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A small program beside this one (built with the tests).
std::string Beside(const std::string& fileName) {
    return ProgramFolder() + fileName;
}

// The ten values in key order.
std::vector<std::string> Values(const TVersionInfo& info) {
    return {info.GetCompanyName(),      info.GetFileDescription(), info.GetFileVersion(),
            info.GetInternalName(),     info.GetLegalCopyright(),  info.GetLegalTrademarks(),
            info.GetOriginalFilename(), info.GetProductName(),     info.GetProductVersion(),
            info.GetComments()};
}

// A form of labels: the owner of everything a test makes.
class VersionInfoTest : public ::testing::Test {
protected:
    TLabel* NewLabel(TComponent* owner = nullptr) {
        auto* label = new TLabel(owner ? owner : &Form);
        label->CreateIn(TestForm(), RECT{10, 10 + 20 * Count, 300, 28 + 20 * Count});
        ++Count;
        return label;
    }

    TComponent Form;
    int Count = 0;
};

TEST_F(VersionInfoTest, ReadsTheProgramsOwnVersionStrings) {
    TVersionInfo info(&Form);
    EXPECT_EQ(info.GetCompanyName(), "Tessaly");
    EXPECT_EQ(info.GetFileDescription(), "Kaleidra");
    EXPECT_EQ(info.GetFileVersion(), "2.0.3.83");
    EXPECT_EQ(info.GetInternalName(), "Kaleidra.scr");
    EXPECT_NE(info.GetLegalCopyright().find("Tessaly"), std::string::npos);
    EXPECT_EQ(info.GetLegalTrademarks(), "");
    EXPECT_EQ(info.GetOriginalFilename(), "Kaleidra.scr");
    EXPECT_EQ(info.GetProductName(), "Kaleidra");
    EXPECT_EQ(info.GetProductVersion(), "2.0");
    EXPECT_EQ(info.GetComments(), "A screen saver randomizer");
}

// As on the About page: five labels set while the form is read show the bare values; Loaded
// then puts "Version " before the product version.
TEST_F(VersionInfoTest, AttachedLabelsShowTheValuesAndLoadedAddsVersion) {
    auto* info = new TVersionInfo(&Form);
    TLabel* build = NewLabel();
    TLabel* copyright = NewLabel();
    TLabel* name = NewLabel();
    TLabel* version = NewLabel();
    TLabel* description = NewLabel();
    info->SetFileVersionLabel(build);
    info->SetLegalCopyrightLabel(copyright);
    info->SetProductNameLabel(name);
    info->SetProductVersionLabel(version);
    info->SetCommentsLabel(description);
    EXPECT_EQ(version->GetCaption(), "2.0");
    EXPECT_EQ(build->GetCaption(), "2.0.3.83");

    for (TComponent* component : Form.Components())
        component->Loaded();
    EXPECT_EQ(name->GetCaption(), "Kaleidra");
    EXPECT_EQ(version->GetCaption(), "Version 2.0");
    EXPECT_EQ(build->GetCaption(), "2.0.3.83");
    EXPECT_EQ(copyright->GetCaption(), info->GetLegalCopyright());
    EXPECT_EQ(description->GetCaption(), "A screen saver randomizer");
    EXPECT_EQ(info->GetCompanyNameLabel(), nullptr);
    EXPECT_EQ(info->GetLegalTrademarksLabel(), nullptr);
}

TEST_F(VersionInfoTest, ALabelAttachedAfterLoadingShowsTheBareValue) {
    TVersionInfo info(&Form);
    info.Loaded();
    TLabel* version = NewLabel();
    info.SetProductVersionLabel(version);
    EXPECT_EQ(version->GetCaption(), "2.0");
}

TEST_F(VersionInfoTest, EveryKeyHasItsOwnLabel) {
    TVersionInfo info(&Form);
    using TSetter = void (TVersionInfo::*)(TLabel*);
    using TGetter = TLabel* (TVersionInfo::*)() const;
    const std::vector<std::pair<TSetter, TGetter>> keys{
        {&TVersionInfo::SetCompanyNameLabel, &TVersionInfo::GetCompanyNameLabel},
        {&TVersionInfo::SetFileDescriptionLabel, &TVersionInfo::GetFileDescriptionLabel},
        {&TVersionInfo::SetFileVersionLabel, &TVersionInfo::GetFileVersionLabel},
        {&TVersionInfo::SetInternalNameLabel, &TVersionInfo::GetInternalNameLabel},
        {&TVersionInfo::SetLegalCopyrightLabel, &TVersionInfo::GetLegalCopyrightLabel},
        {&TVersionInfo::SetLegalTrademarksLabel, &TVersionInfo::GetLegalTrademarksLabel},
        {&TVersionInfo::SetOriginalFilenameLabel, &TVersionInfo::GetOriginalFilenameLabel},
        {&TVersionInfo::SetProductNameLabel, &TVersionInfo::GetProductNameLabel},
        {&TVersionInfo::SetProductVersionLabel, &TVersionInfo::GetProductVersionLabel},
        {&TVersionInfo::SetCommentsLabel, &TVersionInfo::GetCommentsLabel},
    };
    const std::vector<std::string> values = Values(info);
    std::vector<TLabel*> labels;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        labels.push_back(NewLabel());
        labels.back()->SetCaption("placeholder");
        (info.*keys[i].first)(labels.back());
    }
    info.Loaded();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ((info.*keys[i].second)(), labels[i]) << "key " << i;
        const std::string expected = i == 8 ? "Version " + values[i] : values[i];
        EXPECT_EQ(labels[i]->GetCaption(), expected) << "key " << i;
    }
}

TEST_F(VersionInfoTest, ANullLabelOnlyClearsTheReference) {
    TVersionInfo info(&Form);
    TLabel* name = NewLabel();
    info.SetProductNameLabel(name);
    name->SetCaption("kept");
    info.SetProductNameLabel(nullptr);
    EXPECT_EQ(info.GetProductNameLabel(), nullptr);
    info.Loaded();
    EXPECT_EQ(name->GetCaption(), "kept");
}

// A label freed before the component is forgotten, only where it was attached; a label of
// another owner as well.
TEST_F(VersionInfoTest, ALabelFreedFirstIsForgotten) {
    auto* info = new TVersionInfo(&Form);
    TLabel* shared = NewLabel();
    TLabel* kept = NewLabel();
    TComponent otherOwner;
    TLabel* stranger = NewLabel(&otherOwner);
    info->SetProductNameLabel(shared);
    info->SetFileDescriptionLabel(shared);
    info->SetCommentsLabel(kept);
    info->SetFileVersionLabel(stranger);

    delete shared;
    EXPECT_EQ(info->GetProductNameLabel(), nullptr);
    EXPECT_EQ(info->GetFileDescriptionLabel(), nullptr);
    EXPECT_EQ(info->GetCommentsLabel(), kept);
    EXPECT_EQ(info->GetFileVersionLabel(), stranger);

    delete stranger;
    EXPECT_EQ(info->GetFileVersionLabel(), nullptr);

    kept->SetCaption("");
    info->Loaded(); // touches only the label that is left
    EXPECT_EQ(kept->GetCaption(), "A screen saver randomizer");
}

// The fixture's first translation (German) names a table the file does not have; the US
// English table it does have is not used.
TEST_F(VersionInfoTest, OnlyTheFirstTranslationsTableCounts) {
    const std::string fixture = Beside("vi_othertable.exe");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(fixture.c_str(), &ignored);
    ASSERT_GT(size, 0u) << fixture;
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(fixture.c_str(), 0, size, block.data()));
    void* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\ProductName", &text, &length));
    EXPECT_STREQ(static_cast<const char*>(text), "Other table");

    TVersionInfo info(&Form, fixture);
    EXPECT_EQ(Values(info), std::vector<std::string>(10));
}

// No version resource, or no file at all: every value empty, and the version label reads
// "Version " alone.
TEST_F(VersionInfoTest, WithoutVersionInformationEveryValueIsEmpty) {
    for (const char* file : {"vi_noversion.exe", "no such file.exe"}) {
        const std::string path = Beside(file);
        if (std::string(file) == "vi_noversion.exe") {
            ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
        }
        TVersionInfo info(&Form, path);
        EXPECT_EQ(Values(info), std::vector<std::string>(10)) << file;
        TLabel* version = NewLabel();
        TLabel* name = NewLabel();
        name->SetCaption("placeholder");
        info.SetProductVersionLabel(version);
        info.SetProductNameLabel(name);
        info.Loaded();
        EXPECT_EQ(version->GetCaption(), "Version ") << file;
        EXPECT_EQ(name->GetCaption(), "") << file;
    }
}

} // namespace
