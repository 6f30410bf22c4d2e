#pragma once
// The configuration window: four pages over the saver collection and the rotation settings,
// edited in memory and written only by OK.

#include "Buttons.h"
#include "CheckLst.h"
#include "Forms.h"
#include "Label.h"
#include "QelURLLabel.h"

#include <functional>
#include <string>
#include <vector>

class TKDRegistry;
class TKDSaverList;
class TQelDropListBox;
class TQelGradientPanel;
class TShellFileList;
class TShellFolderTree;
class TSpinEdit;
class TSplitter;
class TVersionInfo;

class TKDConfigForm : public TForm {
public:
    explicit TKDConfigForm(TComponent* owner);
    ~TKDConfigForm() override;

    void FillControls();
    void OKBtnClick(TComponent* sender);

    // Savers page.
    void UpdateSaverButtons();
    void FileViewClick();
    void btnAddSaverClick(TComponent* sender);
    void btnRemoveSaverClick(TComponent* sender);
    void btnMoveUpClick(TComponent* sender);
    void btnMoveDownClick(TComponent* sender);
    void btnMoveTopClick(TComponent* sender);
    void SaverLBClick(TComponent* sender);
    void SaverPriorityChange(TComponent* sender);
    void btnSelectSaversClick(TComponent* sender);
    void btnSelectFilesClick(TComponent* sender);
    void btnSaverPreviewClick(TComponent* sender);
    void btnFilePreviewClick(TComponent* sender);
    void btnWinDirClick(TComponent* sender);
    void GroupTabsChange(TComponent* sender);
    void SaverLBDroppingFile(TComponent* sender, const std::string& fileName, bool& accept);

    // Options page and the read-me.
    void UpdateChangeTimeControls();
    void SOChangeStartupClick(TComponent* sender);
    void SaverChangeTimeChange(TComponent* sender);
    void CmdReadMeClick(TComponent* sender);

    // Groups page.
    void ActiveGroupsClick(TComponent* sender);
    void ActiveGroupsClickCheck(TComponent* sender);
    void GroupPSliderChange(TComponent* sender);
    void btnAddGroupClick(TComponent* sender);
    void btnCopyGroupClick(TComponent* sender);
    void btnRenameGroupClick(TComponent* sender);
    void btnDeleteGroupClick(TComponent* sender);
    void btnMoveGroupUpClick(TComponent* sender);
    void btnMoveGroupDownClick(TComponent* sender);

    bool Filling = false;
    TKDSaverList* SaverList = nullptr;
    TKDRegistry* Settings = nullptr;
    std::string ConfigFileName;
    // How the read-me reaches the shell; ShellExecuteA unless a test looks on.
    TQelURLLabel::TShellOpen ShellOpen = ::ShellExecuteA;

    // The window.
    TPageControl* ConfigPages = nullptr;
    TForm* SelectTab = nullptr;
    TForm* TabSheet1 = nullptr;
    TForm* GroupTab = nullptr;
    TForm* AboutTab = nullptr;
    TQelGradientPanel* Panel2 = nullptr;
    TSpeedButton* CmdReadMe = nullptr;
    TSpeedButton* OKBtn = nullptr;
    TSpeedButton* CancelBtn = nullptr;
    TVersionInfo* VersionInfo1 = nullptr;

    // Savers page.
    TShellFolderTree* DirectoryView = nullptr;
    TSplitter* Splitter1 = nullptr;
    TShellFileList* FileView = nullptr;
    TSpeedButton* btnWinDir = nullptr;
    TSpeedButton* btnSysDir = nullptr;
    TSpeedButton* btnFilePreview = nullptr;
    TSpeedButton* btnSelectAllFiles = nullptr;
    TSpeedButton* btnSelectNoFiles = nullptr;
    TSpeedButton* btnSelectInvFiles = nullptr;
    TSpeedButton* btnAddSaver = nullptr;
    TSpeedButton* btnRemoveSaver = nullptr;
    TTabControl* GroupTabs = nullptr;
    TQelDropListBox* SaverLB = nullptr;
    TSpeedButton* btnMoveTop = nullptr;
    TSpeedButton* btnMoveUp = nullptr;
    TSpeedButton* btnMoveDown = nullptr;
    TSpeedButton* btnMoveBottom = nullptr;
    TSpeedButton* btnSaverPreview = nullptr;
    TSpeedButton* btnSaverConfig = nullptr;
    TSpeedButton* btnSelectAllSavers = nullptr;
    TSpeedButton* btnSelectNoSavers = nullptr;
    TSpeedButton* btnSelectInvSavers = nullptr;
    TLabel* Label3 = nullptr;
    TTrackBar* SaverPriority = nullptr;

    // Options page.
    TRadioButton* SOChangeStartup = nullptr;
    TRadioButton* SOChangeRunning = nullptr;
    TLabel* CTLabel1 = nullptr;
    TSpinEdit* SaverChangeTime = nullptr;
    TLabel* CTLabel2 = nullptr;

    // Groups page.
    TCheckListBox* ActiveGroups = nullptr;
    TSpeedButton* btnAddGroup = nullptr;
    TSpeedButton* btnCopyGroup = nullptr;
    TSpeedButton* btnDeleteGroup = nullptr;
    TSpeedButton* btnRenameGroup = nullptr;
    TSpeedButton* btnMoveGroupUp = nullptr;
    TSpeedButton* btnMoveGroupDown = nullptr;
    TLabel* Label1 = nullptr;
    TTrackBar* GroupPSlider = nullptr;

    // About page.
    TLabel* ProductName = nullptr;
    TLabel* ProductVersion = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* ProductBuild = nullptr;
    TLabel* ProductCopyright = nullptr;
    TLabel* ProductDescription = nullptr;
    TLabel* Label4 = nullptr;
    TQelURLLabel* lblEmail = nullptr;
    TLabel* Label6 = nullptr;
    TQelURLLabel* lblWebSite = nullptr;

protected:
    void FormCreate() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreatePages();
    void BindWindowControls();
    void BindSaversPage();
    void BindOptionsPage();
    void BindGroupsPage();
    void BindAboutPage();
    void LayOut();
    TLabel* BindLabel(TForm* page, int id);
    TQelURLLabel* BindLink(TForm* page, int id, const std::string& text, const std::string& url);
    TSpeedButton* BindButton(TForm* page, int id, int tag, const std::string& hint, int glyph,
                             int states = 1);
    int CurrentGroup() const;
    int SelectedGroup() const;
    void RebuildGroupTabs();
    void RefillSaverList();
    void ShowGroupOnSaversPage(int index);
    bool AskGroupName(const char* caption, const char* firstPrompt,
                      const std::function<bool(const std::string&)>& command, std::string& name);
    void MoveGroupEntry(int from, int to);
    bool ListHolds(const std::string& path) const;
    void ReportRefusedPaths();

    HIMAGELIST TabImages = nullptr;
    bool Built = false; // the window and every control were made
    std::vector<std::string> RefusedPaths;
};

// The window of configure mode.
extern TKDConfigForm* KDConfigForm;
