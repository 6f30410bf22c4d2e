#include "Kdconfig.h"

#include "Application.h"
#include "CfgText.h"
#include "Dialogs.h"
#include "Exceptions.h"
#include "KdMaker.h"
#include "KdconfigRes.h"
#include "Kdlist.h"
#include "Kdregistry.h"
#include "QelDropListBox.h"
#include "QelGradientPanel.h"
#include "QelURLLabel.h"
#include "ShellFileList.h"
#include "ShellFolderTree.h"
#include "ShellUtil.h"
#include "SpinEdit.h"
#include "Splitter.h"
#include "VersionInfo.h"

#include <shellapi.h>

#include <algorithm>

TKDConfigForm* KDConfigForm = nullptr;

namespace {
constexpr int FormWidth = 490;
constexpr int FormHeight = 475;
constexpr int BottomPanelHeight = 41;
constexpr int BottomButtonSize = 37;
constexpr int SaverEntryHeight = 14;
constexpr int GroupEntryHeight = 14;
constexpr UINT WM_REPORT_REFUSED = WM_APP + 1;

HBITMAP LoadGlyph(int id) {
    return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), int(a.size()), b.c_str(),
                          int(b.size())) == CSTR_EQUAL;
}

std::string FolderOf(const std::string& path) {
    const auto separator = path.find_last_of("\\:");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

// Starts a saver and lets it run on by itself: the manager goes, the child stays.
void StartSaver(const std::string& path, const std::string& folder, const std::string& mode,
                bool idle) {
    TProcessManager process;
    const std::string commandLine = SaverCommandLine(path, mode);
    if (idle)
        process.Launch(path, folder, commandLine, IDLE_PRIORITY_CLASS);
    else
        process.LaunchNormal(path, folder, commandLine);
}
} // namespace

TKDConfigForm::TKDConfigForm(TComponent* owner) : TForm(owner) {
    // The shell's icons take a while the first time; the pages are made meanwhile.
    PrepareSystemSmallImages();
    RegisterFrameworkClasses();
    TSplitter::RegisterWindowClass();
    CreateFromTemplate(IDD_KDCONFIG);
    // Without a desktop to show windows on (or with the layout missing) there is no window to
    // fill: say so rather than reach for controls that were never made.
    if (!Built)
        throw Exception("Kaleidra could not open its settings window.");
    Filling = false;
    SaverList = &GetSaverList();
    Settings = &GetRotationSettings();
    ConfigFileName = ProgramFolder() + "Kaleidra.cfg";
    SetCaption(Application().Title() + " Settings");
    DirectoryView->SetSelectedFolder(ProgramFolder());
    SaverList->LoadFromFile(ConfigFileName);
    Settings->ReadSettings();
    FillControls();
}

TKDConfigForm::~TKDConfigForm() {
    // The About picture was loaded by its static control, which leaves it to its owner.
    if (AboutTab && AboutTab->Handle()) {
        const auto picture = reinterpret_cast<HBITMAP>(
            SendDlgItemMessageA(AboutTab->Handle(), IDC_IMAGE1, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (picture)
            DeleteObject(picture);
    }
    if (TabImages)
        ImageList_Destroy(TabImages);
    if (KDConfigForm == this)
        KDConfigForm = nullptr;
}

void TKDConfigForm::FormCreate() {
    BindWindowControls();
    CreatePages();
    SetSize(FormWidth, FormHeight);
    LayOut();
    CenterOnScreen();
    for (TComponent* component : Components())
        component->Loaded();
    Built = true;
}

// ---- building the window ----

// The template gives each label its place and size, and the page shows through it.
TLabel* TKDConfigForm::BindLabel(TForm* page, int id) {
    auto* label = new TLabel(this);
    label->SetAutoSize(false);
    label->SetTransparent(true);
    return page->Bind(label, id);
}

// A link to the maker: its address as its text, in the classic dialog font.
TQelURLLabel* TKDConfigForm::BindLink(TForm* page, int id, const std::string& text,
                                      const std::string& url) {
    auto* link = new TQelURLLabel(this);
    link->SetAutoSize(false);
    link->SetTransparent(true);
    page->Bind(link, id);
    link->Font().SetName("MS Sans Serif");
    link->Font().SetHeight(-11);
    link->SetCaption(text);
    link->SetURL(url);
    return link;
}

TSpeedButton* TKDConfigForm::BindButton(TForm* page, int id, int tag, const std::string& hint,
                                        int glyph, int states) {
    auto* button = page->Bind(new TSpeedButton(this), id);
    button->Tag = tag;
    if (glyph)
        button->SetGlyph(LoadGlyph(glyph), states);
    const std::string caption = button->GetCaption();
    if (!caption.empty())
        button->SetCaption(caption);
    button->SetHintAndName(hint);
    return button;
}

void TKDConfigForm::BindWindowControls() {
    ConfigPages = Bind(new TPageControl(this), IDC_CONFIGPAGES);
    Panel2 = Bind(new TQelGradientPanel(this), IDC_PANEL2);
    Panel2->Gradient().Colors().Clear();
    Panel2->Gradient().Colors().Add(clActiveCaption);
    Panel2->Gradient().Colors().Add(clBtnFace);
    Panel2->Gradient().SetDirection(gtHorizontal);
    Panel2->SetBevelInner(bvRaised);
    Panel2->SetBevelOuter(bvLowered);
    Panel2->SetAlignment(taLeftJustify);
    Panel2->Font().SetName("Arial");
    Panel2->Font().SetHeight(-27);
    Panel2->Font().SetStyle(fsBold | fsItalic);
    Panel2->Font().SetColor(clCaptionText);

    CmdReadMe = BindButton(this, IDC_CMDREADME, 0, "", IDB_README, 3);
    OKBtn = BindButton(this, IDC_OKBTN, 1, "OK", IDB_OK, 3);
    CancelBtn = BindButton(this, IDC_CANCELBTN, 0, "Cancel", IDB_CANCEL, 3);
    // The buttons stand on the gradient, so they take it as their background.
    for (TSpeedButton* button : {CmdReadMe, OKBtn, CancelBtn})
        SetParent(button->Handle(), Panel2->Handle());
    OKBtn->OnClick = [this](TComponent* sender) { OKBtnClick(sender); };
    CancelBtn->OnClick = [this](TComponent* sender) { OKBtnClick(sender); };
    CmdReadMe->OnClick = [this](TComponent* sender) { CmdReadMeClick(sender); };

    VersionInfo1 = new TVersionInfo(this);
}

void TKDConfigForm::CreatePages() {
    TabImages = ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TABS), 32, 0,
                                     RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    ConfigPages->SetImages(TabImages);
    struct TPageEntry {
        TForm*& Page;
        int Template;
        const char* Caption;
    };
    const TPageEntry pages[] = {{SelectTab, IDD_SAVERS, "Savers"},
                                {TabSheet1, IDD_OPTIONS, "Options"},
                                {GroupTab, IDD_GROUPS, "Groups"},
                                {AboutTab, IDD_ABOUT, "About..."}};
    int image = 0;
    for (const auto& entry : pages) {
        entry.Page = new TForm(this);
        entry.Page->CreateFromTemplate(entry.Template, Handle());
        ConfigPages->AddPage(entry.Page, entry.Caption, image++);
    }
    BindSaversPage();
    BindOptionsPage();
    BindGroupsPage();
    BindAboutPage();
    ConfigPages->SetActivePageIndex(0);
}

void TKDConfigForm::BindSaversPage() {
    TForm* page = SelectTab;
    DirectoryView = page->Bind(new TShellFolderTree(this), IDC_DIRECTORYVIEW);
    Splitter1 = page->Bind(new TSplitter(this), IDC_SPLITTER1);
    FileView = page->Bind(new TShellFileList(this), IDC_FILEVIEW);
    FileView->SetMask("*.scr");
    FileView->SetFolderTree(DirectoryView);
    FileView->OnClick = [this](TComponent*) { FileViewClick(); };
    FileView->OnFilled = [this](TComponent*) { FileViewClick(); };
    // The keyboard selects files too.
    FileView->OnSelectionChange = [this](TComponent*) { FileViewClick(); };
    FileView->OnDblClick = [this](TComponent* sender) { btnAddSaverClick(sender); };

    btnWinDir = BindButton(page, IDC_BTNWINDIR, 0, "Go to Windows directory", IDB_WINDIR);
    btnSysDir = BindButton(page, IDC_BTNSYSDIR, 1, "Go to Windows\\System directory", IDB_SYSDIR);
    btnFilePreview =
        BindButton(page, IDC_BTNFILEPREVIEW, 0, "Preview selected saver", IDB_PREVIEWBTN);
    btnSelectAllFiles = BindButton(page, IDC_BTNSELECTALLFILES, 1, "Select All", IDB_SELALL);
    btnSelectNoFiles = BindButton(page, IDC_BTNSELECTNOFILES, 2, "Select None", IDB_SELNONE);
    btnSelectInvFiles = BindButton(page, IDC_BTNSELECTINVFILES, 3, "Inverse Selection", IDB_SELINV);
    for (TSpeedButton* button : {btnWinDir, btnSysDir})
        button->OnClick = [this](TComponent* sender) { btnWinDirClick(sender); };
    btnFilePreview->OnClick = [this](TComponent* sender) { btnFilePreviewClick(sender); };
    for (TSpeedButton* button : {btnSelectAllFiles, btnSelectNoFiles, btnSelectInvFiles})
        button->OnClick = [this](TComponent* sender) { btnSelectFilesClick(sender); };

    btnAddSaver = BindButton(page, IDC_BTNADDSAVER, 0, "Add saver(s) to saver list", IDB_ADD);
    btnRemoveSaver =
        BindButton(page, IDC_BTNREMOVESAVER, 0, "Remove saver(s) from saver list", IDB_REMOVE);
    btnRemoveSaver->SetCaption("Remove", true);
    btnAddSaver->OnClick = [this](TComponent* sender) { btnAddSaverClick(sender); };
    btnRemoveSaver->OnClick = [this](TComponent* sender) { btnRemoveSaverClick(sender); };

    GroupTabs = page->Bind(new TTabControl(this), IDC_GROUPTABS);
    GroupTabs->OnChange = [this](TComponent* sender) { GroupTabsChange(sender); };
    SaverLB = page->Bind(new TQelDropListBox(this), IDC_SAVERLB);
    SaverLB->SetItemHeight(SaverEntryHeight);
    SaverLB->OnClick = [this](TComponent* sender) { SaverLBClick(sender); };
    SaverLB->OnDblClick = [this](TComponent* sender) { btnRemoveSaverClick(sender); };
    SaverLB->OnDroppingFile = [this](TComponent* sender, const std::string& file, bool& accept) {
        SaverLBDroppingFile(sender, file, accept);
    };

    btnMoveTop = BindButton(page, IDC_BTNMOVETOP, 1, "Move selected saver(s) to top", IDB_MOVETOP);
    btnMoveUp = BindButton(page, IDC_BTNMOVEUP, 0, "Move selected saver(s) up", IDB_MOVEUP);
    btnMoveDown = BindButton(page, IDC_BTNMOVEDOWN, 0, "Move selected saver(s) down", IDB_MOVEDOWN);
    btnMoveBottom =
        BindButton(page, IDC_BTNMOVEBOTTOM, 2, "Move selected saver(s) to bottom", IDB_MOVEBOTTOM);
    btnSaverPreview =
        BindButton(page, IDC_BTNSAVERPREVIEW, 1, "Preview selected saver", IDB_PREVIEWBTN);
    btnSaverConfig =
        BindButton(page, IDC_BTNSAVERCONFIG, 2, "Configure selected saver", IDB_CONFIG, 2);
    btnSelectAllSavers = BindButton(page, IDC_BTNSELECTALLSAVERS, 1, "Select All", IDB_SELALL);
    btnSelectNoSavers = BindButton(page, IDC_BTNSELECTNOSAVERS, 2, "Select None", IDB_SELNONE);
    btnSelectInvSavers =
        BindButton(page, IDC_BTNSELECTINVSAVERS, 3, "Inverse Selection", IDB_SELINV);
    btnMoveUp->OnClick = [this](TComponent* sender) { btnMoveUpClick(sender); };
    btnMoveDown->OnClick = [this](TComponent* sender) { btnMoveDownClick(sender); };
    for (TSpeedButton* button : {btnMoveTop, btnMoveBottom})
        button->OnClick = [this](TComponent* sender) { btnMoveTopClick(sender); };
    for (TSpeedButton* button : {btnSaverPreview, btnSaverConfig})
        button->OnClick = [this](TComponent* sender) { btnSaverPreviewClick(sender); };
    for (TSpeedButton* button : {btnSelectAllSavers, btnSelectNoSavers, btnSelectInvSavers})
        button->OnClick = [this](TComponent* sender) { btnSelectSaversClick(sender); };

    Label3 = BindLabel(page, IDC_LABEL3);
    SaverPriority = page->Bind(new TTrackBar(this), IDC_SAVERPRIORITY);
    SaverPriority->SetRange(1, 5);
    SaverPriority->SetPageSize(1);
    SaverPriority->SetPosition(3);
    SaverPriority->OnChange = [this](TComponent* sender) { SaverPriorityChange(sender); };
}

void TKDConfigForm::BindOptionsPage() {
    TForm* page = TabSheet1;
    SOChangeStartup = page->Bind(new TRadioButton(this), IDC_SOCHANGESTARTUP);
    SOChangeRunning = page->Bind(new TRadioButton(this), IDC_SOCHANGERUNNING);
    CTLabel1 = BindLabel(page, IDC_CTLABEL1);
    SaverChangeTime = page->Bind(new TSpinEdit(this), IDC_SAVERCHANGETIME);
    SaverChangeTime->SetRange(1, 360);
    SaverChangeTime->SetValue(15);
    CTLabel2 = BindLabel(page, IDC_CTLABEL2);
    SOChangeStartup->SetChecked(true);
    for (TRadioButton* button : {SOChangeStartup, SOChangeRunning})
        button->OnClick = [this](TComponent* sender) { SOChangeStartupClick(sender); };
    SaverChangeTime->OnChange = [this](TComponent* sender) { SaverChangeTimeChange(sender); };
}

void TKDConfigForm::BindGroupsPage() {
    TForm* page = GroupTab;
    ActiveGroups = page->Bind(new TCheckListBox(this), IDC_ACTIVEGROUPS);
    ActiveGroups->SetItemHeight(GroupEntryHeight);
    ActiveGroups->SetHint("Check groups you want to be active.\nSavers in unchecked groups will "
                          "not be\ndisplayed.");
    btnAddGroup = BindButton(page, IDC_BTNADDGROUP, 0, "Create a new, blank group", 0);
    btnCopyGroup = BindButton(page, IDC_BTNCOPYGROUP, 0, "Copy selected group", 0);
    btnDeleteGroup = BindButton(page, IDC_BTNDELETEGROUP, 0, "Delete selected group", 0);
    btnRenameGroup = BindButton(page, IDC_BTNRENAMEGROUP, 0, "Rename selected group", 0);
    btnMoveGroupUp = BindButton(page, IDC_BTNMOVEGROUPUP, 0, "Move selected group up", 0);
    btnMoveGroupDown = BindButton(page, IDC_BTNMOVEGROUPDOWN, 0, "Move selected group down", 0);
    Label1 = BindLabel(page, IDC_LABEL1);
    GroupPSlider = page->Bind(new TTrackBar(this), IDC_GROUPPSLIDER);
    GroupPSlider->SetRange(1, 5);
    GroupPSlider->SetPageSize(1);
    GroupPSlider->SetPosition(1);

    ActiveGroups->OnClick = [this](TComponent* sender) { ActiveGroupsClick(sender); };
    ActiveGroups->OnClickCheck = [this](TComponent* sender) { ActiveGroupsClickCheck(sender); };
    GroupPSlider->OnChange = [this](TComponent* sender) { GroupPSliderChange(sender); };
    btnAddGroup->OnClick = [this](TComponent* sender) { btnAddGroupClick(sender); };
    btnCopyGroup->OnClick = [this](TComponent* sender) { btnCopyGroupClick(sender); };
    btnDeleteGroup->OnClick = [this](TComponent* sender) { btnDeleteGroupClick(sender); };
    btnRenameGroup->OnClick = [this](TComponent* sender) { btnRenameGroupClick(sender); };
    btnMoveGroupUp->OnClick = [this](TComponent* sender) { btnMoveGroupUpClick(sender); };
    btnMoveGroupDown->OnClick = [this](TComponent* sender) { btnMoveGroupDownClick(sender); };
}

void TKDConfigForm::BindAboutPage() {
    TForm* page = AboutTab;
    auto label = [&](int id) { return BindLabel(page, id); };
    ProductName = label(IDC_PRODUCTNAME);
    ProductName->Font().SetName("Times New Roman");
    ProductName->Font().SetHeight(-24);
    ProductName->Font().SetStyle(fsBold | fsItalic);
    ProductName->Font().SetColor(SystemColor(COLOR_INACTIVECAPTION));
    ProductVersion = label(IDC_PRODUCTVERSION);
    Label2 = label(IDC_LABEL2);
    ProductBuild = label(IDC_PRODUCTBUILD);
    ProductCopyright = label(IDC_PRODUCTCOPYRIGHT);
    ProductDescription = label(IDC_PRODUCTDESCRIPTION);
    Label4 = label(IDC_LABEL4);
    lblEmail = BindLink(page, IDC_LBLEMAIL, KD_SUPPORT_EMAIL, "mailto:" KD_SUPPORT_EMAIL);
    Label6 = label(IDC_LABEL6);
    lblWebSite = BindLink(page, IDC_LBLWEBSITE, KD_WEBSITE, KD_WEBSITE);
    VersionInfo1->SetFileVersionLabel(ProductBuild);
    VersionInfo1->SetLegalCopyrightLabel(ProductCopyright);
    VersionInfo1->SetProductNameLabel(ProductName);
    VersionInfo1->SetProductVersionLabel(ProductVersion);
    VersionInfo1->SetCommentsLabel(ProductDescription);
}

// The page control fills the window above the bottom panel; the panel's buttons keep to its
// right end.
void TKDConfigForm::LayOut() {
    const RECT client = ClientRect();
    const int panelTop = client.bottom - BottomPanelHeight;
    ConfigPages->SetBounds({2, 2, client.right - 2, panelTop - 2});
    Panel2->SetBounds({0, panelTop, client.right, client.bottom});
    const int top = (BottomPanelHeight - BottomButtonSize) / 2;
    int right = client.right - 4;
    for (TSpeedButton* button : {CancelBtn, OKBtn, CmdReadMe}) {
        button->SetBounds({right - BottomButtonSize, top, right, top + BottomButtonSize});
        right -= BottomButtonSize + 2;
    }
}

LRESULT TKDConfigForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_REPORT_REFUSED) {
        ReportRefusedPaths();
        return 0;
    }
    return TForm::WndProc(message, wParam, lParam);
}

// ---- filling, OK and Cancel ----

void TKDConfigForm::FillControls() {
    Filling = true;
    SaverList->GetGroupNames(&GroupTabs->Tabs());
    SaverList->GetSaverNames(static_cast<std::size_t>(CurrentGroup()), &SaverLB->Items());
    SOChangeStartup->SetChecked(Settings->ChangeOnStartup);
    SOChangeRunning->SetChecked(!Settings->ChangeOnStartup);
    SaverChangeTime->SetValue(Settings->ChangeAfterMinutes);
    SaverList->GetGroupNames(&ActiveGroups->Items());
    for (int i = 0; i < ActiveGroups->Count(); ++i)
        ActiveGroups->SetChecked(i, SaverList->GetGroupActive(static_cast<std::size_t>(i)));
    ActiveGroups->SetItemIndex(-1);
    UpdateSaverButtons();
    UpdateChangeTimeControls();
    Filling = false;
}

void TKDConfigForm::OKBtnClick(TComponent* sender) {
    if (!sender)
        return;
    if (sender->Tag == 1) {
        std::string error;
        // A save that fails must not look like one that worked: say so, keep the window and
        // every edit, and leave the registry alone.
        if (!SaverList->SaveToFile(ConfigFileName, &error)) {
            const std::string text = "Kaleidra could not save its settings to\n" + ConfigFileName +
                                     "\n\n" + error +
                                     "\n\nYour changes are still here; the file is unchanged.";
            MessageBoxA(Handle(), text.c_str(), GetCaption().c_str(), MB_OK | MB_ICONERROR);
            return;
        }
        Settings->WriteSettings();
    }
    Close();
}

void TKDConfigForm::UpdateChangeTimeControls() {
    const bool running = SOChangeRunning->Checked();
    CTLabel1->SetEnabled(running);
    SaverChangeTime->SetEnabled(running);
    CTLabel2->SetEnabled(running);
}

void TKDConfigForm::SOChangeStartupClick(TComponent*) {
    if (Filling)
        return;
    Settings->ChangeOnStartup = SOChangeStartup->Checked();
    UpdateChangeTimeControls();
}

void TKDConfigForm::SaverChangeTimeChange(TComponent*) {
    if (Filling)
        return;
    Settings->ChangeAfterMinutes = SaverChangeTime->Value();
}

// A missing read-me is the shell's to report, not the window's.
void TKDConfigForm::CmdReadMeClick(TComponent*) {
    const std::string readMe = ProgramFolder() + "Kaleidra.txt";
    if (ShellOpen)
        ShellOpen(Application().Handle(), "open", readMe.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// ---- the Savers page ----

int TKDConfigForm::CurrentGroup() const {
    return GroupTabs->TabIndex();
}

// The collection holds what the list shows (entry j is saver j of the current group), and
// asking it is much quicker than reading the entries back from the list box.
bool TKDConfigForm::ListHolds(const std::string& path) const {
    const auto g = static_cast<std::size_t>(CurrentGroup());
    for (std::size_t j = 0; j < SaverList->GetSaverCount(g); ++j)
        if (SameTextIgnoringCase(SaverList->GetSaverName(g, j), path))
            return true;
    return false;
}

void TKDConfigForm::UpdateSaverButtons() {
    const bool any = SaverLB->SelCount() > 0;
    for (TControl* control : std::initializer_list<TControl*>{
             btnRemoveSaver, btnMoveUp, btnMoveDown, btnMoveTop, btnMoveBottom, btnSaverPreview,
             btnSaverConfig, SaverPriority, Label3})
        control->SetEnabled(any);
}

void TKDConfigForm::FileViewClick() {
    const bool any = !FileView->SelectedIndexes().empty();
    btnAddSaver->SetEnabled(any);
    btnFilePreview->SetEnabled(any);
}

void TKDConfigForm::btnAddSaverClick(TComponent*) {
    const auto selected = FileView->SelectedIndexes();
    if (selected.empty())
        return;
    TWaitCursor wait;
    SaverLB->BeginUpdate();
    const int g = CurrentGroup();
    for (int file : selected) {
        const std::string path = FileView->ItemPath(file);
        // The program never adds itself.
        if (ListHolds(path) || path.find("Kaleidra") != std::string::npos)
            continue;
        if (!CanStoreSaverPath(path)) {
            RefusedPaths.push_back(path);
            continue;
        }
        SaverLB->Add(path);
        SaverList->AddSaver(static_cast<std::size_t>(g), path);
    }
    SaverLB->EndUpdate();
    ReportRefusedPaths();
}

void TKDConfigForm::btnRemoveSaverClick(TComponent*) {
    if (SaverLB->SelCount() == 0)
        return;
    TWaitCursor wait;
    SaverLB->BeginUpdate();
    const auto g = static_cast<std::size_t>(CurrentGroup());
    for (int j = SaverLB->Count() - 1; j >= 0; --j)
        if (SaverLB->Selected(j)) {
            SaverLB->Delete(j);
            SaverList->RemoveSaver(g, static_cast<std::size_t>(j));
        }
    UpdateSaverButtons();
    SaverLB->EndUpdate();
}

void TKDConfigForm::btnMoveUpClick(TComponent*) {
    int i = 0;
    while (i < SaverLB->Count() && SaverLB->Selected(i))
        ++i;
    if (i >= SaverLB->Count())
        return;
    SaverLB->BeginUpdate();
    const auto g = static_cast<std::size_t>(CurrentGroup());
    for (int j = i; j < SaverLB->Count(); ++j)
        if (SaverLB->Selected(j)) {
            SaverLB->Move(j, j - 1);
            SaverList->MoveSaverUp(g, static_cast<std::size_t>(j));
            SaverLB->SetSelected(j - 1, true);
        }
    SaverLB->EndUpdate();
}

void TKDConfigForm::btnMoveDownClick(TComponent*) {
    int i = SaverLB->Count() - 1;
    while (i >= 0 && SaverLB->Selected(i))
        --i;
    if (i < 0)
        return;
    SaverLB->BeginUpdate();
    const auto g = static_cast<std::size_t>(CurrentGroup());
    for (int j = i; j >= 0; --j)
        if (SaverLB->Selected(j)) {
            SaverLB->Move(j, j + 1);
            SaverList->MoveSaverDown(g, static_cast<std::size_t>(j));
            SaverLB->SetSelected(j + 1, true);
        }
    SaverLB->EndUpdate();
}

void TKDConfigForm::btnMoveTopClick(TComponent* sender) {
    if (!sender)
        return;
    const bool toTop = sender->Tag == 1;
    const int last = SaverLB->Count() - 1;
    const int step = toTop ? 1 : -1;
    int target = toTop ? 0 : last;
    SaverLB->BeginUpdate();
    const auto g = static_cast<std::size_t>(CurrentGroup());
    for (int j = toTop ? 0 : last; toTop ? j <= last : j >= 0; j += step) {
        if (!SaverLB->Selected(j))
            continue;
        if (j != target) {
            SaverList->MoveSaver(g, static_cast<std::size_t>(j), static_cast<std::size_t>(target));
            SaverLB->Move(j, target);
            SaverLB->SetSelected(target, true);
        }
        target += step;
    }
    SaverLB->EndUpdate();
}

void TKDConfigForm::SaverLBClick(TComponent*) {
    const int j = SaverLB->FocusedIndex();
    const int priority = j < 0
                             ? 0
                             : SaverList->GetSaverPriority(static_cast<std::size_t>(CurrentGroup()),
                                                           static_cast<std::size_t>(j));
    SaverPriority->SetPosition(std::clamp(priority, 1, 5));
    UpdateSaverButtons();
}

void TKDConfigForm::SaverPriorityChange(TComponent*) {
    if (SaverLB->SelCount() == 0)
        return;
    const auto g = static_cast<std::size_t>(CurrentGroup());
    for (int j = SaverLB->Count() - 1; j >= 0; --j)
        if (SaverLB->Selected(j))
            SaverList->SetSaverPriority(g, static_cast<std::size_t>(j), SaverPriority->Position());
}

void TKDConfigForm::btnSelectSaversClick(TComponent* sender) {
    if (!dynamic_cast<TSpeedButton*>(sender))
        return;
    switch (sender->Tag) {
    case 1:
        SaverLB->SelectAll();
        break;
    case 2:
        SaverLB->UnselectAll();
        break;
    case 3:
        SaverLB->InvertSelection();
        break;
    default:
        break;
    }
    SaverLBClick(sender);
}

void TKDConfigForm::btnSelectFilesClick(TComponent* sender) {
    if (!dynamic_cast<TSpeedButton*>(sender))
        return;
    for (int i = 0; i < FileView->Count(); ++i) {
        const bool selected = sender->Tag == 1   ? true
                              : sender->Tag == 2 ? false
                                                 : !FileView->IsSelected(i);
        FileView->SetSelected(i, selected);
    }
    FileViewClick();
}

void TKDConfigForm::btnSaverPreviewClick(TComponent* sender) {
    if (!dynamic_cast<TSpeedButton*>(sender) || SaverLB->SelCount() == 0)
        return;
    const int j = SaverLB->FocusedIndex();
    if (j < 0)
        return;
    const std::string path = SaverLB->Get(j);
    StartSaver(path, FolderOf(path), sender->Tag == 1 ? "/s" : "/c", false);
}

void TKDConfigForm::btnFilePreviewClick(TComponent*) {
    const auto selected = FileView->SelectedIndexes();
    if (selected.empty())
        return;
    std::string folder = DirectoryView->SelectedFolder();
    StartSaver(FileView->ItemPath(selected.front()), folder, "/s", true);
}

void TKDConfigForm::btnWinDirClick(TComponent* sender) {
    if (!dynamic_cast<TSpeedButton*>(sender))
        return;
    char folder[MAX_PATH] = {};
    if (sender->Tag == 0)
        GetWindowsDirectoryA(folder, MAX_PATH);
    else
        GetSystemDirectoryA(folder, MAX_PATH);
    DirectoryView->SetSelectedFolder(folder);
}

void TKDConfigForm::GroupTabsChange(TComponent*) {
    SaverList->GetSaverNames(static_cast<std::size_t>(CurrentGroup()), &SaverLB->Items());
    UpdateSaverButtons();
}

void TKDConfigForm::SaverLBDroppingFile(TComponent*, const std::string& fileName, bool& accept) {
    accept = false;
    if (ListHolds(fileName))
        return;
    if (!CanStoreSaverPath(fileName)) {
        // One message for the whole drop, once the shell's files have all been offered.
        if (RefusedPaths.empty())
            PostMessageA(Handle(), WM_REPORT_REFUSED, 0, 0);
        RefusedPaths.push_back(fileName);
        return;
    }
    SaverLB->Add(fileName);
    SaverList->AddSaver(static_cast<std::size_t>(CurrentGroup()), fileName);
}

void TKDConfigForm::ReportRefusedPaths() {
    if (RefusedPaths.empty())
        return;
    std::string text = "Kaleidra cannot keep these savers in its list, because their paths "
                       "contain \";\" or \"=\" or begin with \"[\" or a blank:\n";
    for (const auto& path : RefusedPaths)
        text += "\n" + path;
    text += "\n\nRename the files or their folders, then add them again.";
    RefusedPaths.clear();
    MessageBoxA(Handle(), text.c_str(), GetCaption().c_str(), MB_OK | MB_ICONWARNING);
}

// ---- the Groups page ----

namespace {
constexpr const char* EmptyNamePrompt = "Please enter a name for the group";
constexpr const char* TakenNamePrompt = "That group already exists; please try again";
constexpr const char* UnstorableNamePrompt =
    "Group names cannot contain ';' or '='; please try again";
} // namespace

int TKDConfigForm::SelectedGroup() const {
    return ActiveGroups->ItemIndex();
}

// The tab row is refilled from the collection and starts on its first tab.
void TKDConfigForm::RebuildGroupTabs() {
    SaverList->GetGroupNames(&GroupTabs->Tabs());
}

void TKDConfigForm::RefillSaverList() {
    SaverList->GetSaverNames(static_cast<std::size_t>(CurrentGroup()), &SaverLB->Items());
}

// After a new group: the Savers page shows the group selected here, or its first group when
// none is, so its tab and its list always agree.
void TKDConfigForm::ShowGroupOnSaversPage(int index) {
    GroupTabs->SetTabIndex(index < 0 ? 0 : index);
    RefillSaverList();
}

// Asks for a group name until `command` takes it or the user cancels; a refused name stays in
// the box under a prompt that says why.
bool TKDConfigForm::AskGroupName(const char* caption, const char* firstPrompt,
                                 const std::function<bool(const std::string&)>& command,
                                 std::string& name) {
    name.clear();
    std::string prompt = firstPrompt;
    while (InputQuery(caption, prompt, name)) {
        if (name.empty())
            prompt = EmptyNamePrompt;
        else if (!CanStoreGroupName(name))
            prompt = UnstorableNamePrompt;
        else if (command(name))
            return true;
        else
            prompt = TakenNamePrompt;
    }
    return false;
}

void TKDConfigForm::ActiveGroupsClick(TComponent*) {
    const int i = SelectedGroup();
    const bool selected = i != -1;
    for (TSpeedButton* button : {btnCopyGroup, btnRenameGroup, btnMoveGroupUp, btnMoveGroupDown})
        button->SetEnabled(selected);
    btnDeleteGroup->SetEnabled(selected && ActiveGroups->Count() > 1);
    // Moving the track bar writes the shown value to the group, so a hand-edited priority
    // outside 1 to 5 is stored clamped from here on.
    if (selected)
        GroupPSlider->SetPosition(
            std::clamp(SaverList->GetGroupPriority(static_cast<std::size_t>(i)), 1, 5));
}

void TKDConfigForm::ActiveGroupsClickCheck(TComponent*) {
    const int i = SelectedGroup();
    if (i >= 0)
        SaverList->SetGroupActive(static_cast<std::size_t>(i), ActiveGroups->Checked(i));
}

void TKDConfigForm::GroupPSliderChange(TComponent*) {
    const int i = SelectedGroup();
    if (i >= 0)
        SaverList->SetGroupPriority(static_cast<std::size_t>(i), GroupPSlider->Position());
}

void TKDConfigForm::btnAddGroupClick(TComponent*) {
    std::string name;
    if (!AskGroupName(
            "Add Blank Group", "Please enter a name for the new group",
            [this](const std::string& n) { return SaverList->AddGroup(n); }, name))
        return;
    const int entry = ActiveGroups->Add(name);
    ActiveGroups->SetChecked(entry, true);
    RebuildGroupTabs();
    ShowGroupOnSaversPage(SelectedGroup());
}

void TKDConfigForm::btnCopyGroupClick(TComponent*) {
    const int i = SelectedGroup();
    if (i < 0)
        return;
    std::string name;
    if (!AskGroupName(
            "Copy Group", "Please enter a new name for the group",
            [&](const std::string& n) {
                return SaverList->CopyGroup(static_cast<std::size_t>(i), n);
            },
            name))
        return;
    const int entry = ActiveGroups->Add(name);
    ActiveGroups->SetChecked(entry, SaverList->GetGroupActive(static_cast<std::size_t>(entry)));
    RebuildGroupTabs();
    ShowGroupOnSaversPage(i);
}

void TKDConfigForm::btnRenameGroupClick(TComponent*) {
    const int i = SelectedGroup();
    if (i < 0)
        return;
    std::string name;
    if (!AskGroupName(
            "Rename Group", "Please enter a new name for the group",
            [&](const std::string& n) {
                return SaverList->RenameGroup(static_cast<std::size_t>(i), n);
            },
            name))
        return;
    ActiveGroups->Delete(i);
    ActiveGroups->Insert(i, name);
    ActiveGroups->SetItemIndex(i);
    ActiveGroups->SetChecked(i, SaverList->GetGroupActive(static_cast<std::size_t>(i)));
    RebuildGroupTabs();
    RefillSaverList();
}

void TKDConfigForm::btnDeleteGroupClick(TComponent* sender) {
    if (ActiveGroups->Count() < 2) {
        MessageBoxA(Handle(), "Cannot delete last available group", GetCaption().c_str(),
                    MB_OK | MB_ICONERROR);
        return;
    }
    const int i = SelectedGroup();
    if (i < 0)
        return;
    SaverList->DeleteGroup(static_cast<std::size_t>(i));
    ActiveGroups->Delete(i);
    ActiveGroups->SetItemIndex(-1);
    RebuildGroupTabs();
    RefillSaverList();
    ActiveGroupsClick(sender);
}

// Moves entry `from` of the group list to `to` after the collection has moved the group, and
// makes it the selected entry and the Savers page's group.
void TKDConfigForm::MoveGroupEntry(int from, int to) {
    RebuildGroupTabs();
    ActiveGroups->Move(from, to);
    ActiveGroups->SetChecked(to, SaverList->GetGroupActive(static_cast<std::size_t>(to)));
    ActiveGroups->SetItemIndex(to);
    GroupTabs->SetTabIndex(to);
    RefillSaverList();
}

void TKDConfigForm::btnMoveGroupUpClick(TComponent*) {
    const int i = SelectedGroup();
    if (i <= 0)
        return;
    SaverList->MoveGroupUp(static_cast<std::size_t>(i));
    MoveGroupEntry(i, i - 1);
}

void TKDConfigForm::btnMoveGroupDownClick(TComponent*) {
    const int i = SelectedGroup();
    if (i < 0 || i >= ActiveGroups->Count() - 1)
        return;
    SaverList->MoveGroupDown(static_cast<std::size_t>(i));
    MoveGroupEntry(i, i + 1);
}
