#include "ConfigFormTestSupport.h"

#include "Application.h"
#include "Dialogs.h"
#include "Kdlist.h"
#include "Kdregistry.h"
#include "QelDropListBox.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <new>

namespace {
TMessageBoxWatch* ActiveWatch = nullptr;

// The form loads the file into the process-wide collection, which adds to whatever an earlier
// test left there; every test starts from the collection and settings of a fresh process.
void StartFromFreshProcessObjects() {
    TKDSaverList& list = GetSaverList();
    list.~TKDSaverList();
    new (&list) TKDSaverList();
    GetRotationSettings() = TKDRegistry();
}

std::string StaticTexts(HWND dialog) {
    std::string texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Static") != 0)
            continue;
        char text[4096] = {};
        if (GetWindowTextA(child, text, sizeof text) > 0)
            texts += std::string(text) + "\n";
    }
    return texts;
}
} // namespace

// ---- the message box watch ----

namespace {
// A message box is a dialog with an owner; the forms of this program are dialogs without one,
// their pages children.
bool IsMessageBox(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, "#32770") == 0 && GetWindow(window, GW_OWNER) != nullptr;
}
} // namespace

TMessageBoxWatch::TMessageBoxWatch() {
    ActiveWatch = this;
    Hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
    Timer = SetTimer(nullptr, 0, 50, Tick);
}

TMessageBoxWatch::~TMessageBoxWatch() {
    KillTimer(nullptr, Timer);
    UnhookWindowsHookEx(Hook);
    ActiveWatch = nullptr;
}

namespace {
constexpr const char* AnsweredMark = "KdTestAnswered";

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}
} // namespace

void TMessageBoxWatch::AnswerInputBoxes(std::vector<std::optional<std::string>> answers) {
    InputAnswers = std::move(answers);
    NextInputAnswer = 0;
    SeenInputs.clear();
}

// A box is answered once; the mark goes with its window (a later box may get the same handle).
void TMessageBoxWatch::Answer(HWND box) {
    if (GetPropA(box, AnsweredMark))
        return;
    SetPropA(box, AnsweredMark, reinterpret_cast<HANDLE>(1));
    if (GetDlgItem(box, InputQueryEditId)) {
        AnswerInputBox(box);
        return;
    }
    Seen.push_back({GetWindow(box, GW_OWNER), StaticTexts(box)});
    EndDialog(box, IDOK);
}

void TMessageBoxWatch::AnswerInputBox(HWND box) {
    HWND edit = GetDlgItem(box, InputQueryEditId);
    SeenInputs.push_back(
        {WindowText(box), WindowText(GetDlgItem(box, InputQueryPromptId)), WindowText(edit)});
    std::optional<std::string> answer;
    if (NextInputAnswer < InputAnswers.size())
        answer = InputAnswers[NextInputAnswer++];
    if (answer)
        SetWindowTextA(edit, answer->c_str());
    const int button = answer ? IDOK : IDCANCEL;
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

LRESULT CALLBACK TMessageBoxWatch::AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto& message = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && ActiveWatch && message.message == WM_INITDIALOG &&
        IsMessageBox(message.hwnd))
        ActiveWatch->Answer(message.hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK TMessageBoxWatch::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (ActiveWatch)
        EnumThreadWindows(GetCurrentThreadId(), InspectWindow,
                          reinterpret_cast<LPARAM>(ActiveWatch));
}

BOOL CALLBACK TMessageBoxWatch::InspectWindow(HWND window, LPARAM self) {
    if (IsMessageBox(window) && IsWindowVisible(window))
        reinterpret_cast<TMessageBoxWatch*>(self)->Answer(window);
    return TRUE;
}

// ---- the fixture ----

void ConfigFormTest::SetUp() {
    StartFromFreshProcessObjects();
    DeleteFileA(ConfigPath().c_str());
    RemoveSettingsKey();
}

void ConfigFormTest::TearDown() {
    delete Form;
    Form = nullptr;
    Pump();
    DeleteFileA(ConfigPath().c_str());
    RemoveSettingsKey();
}

void ConfigFormTest::Open(const std::optional<std::string>& config) {
    if (config)
        WriteConfig(*config);
    Form = new TKDConfigForm(nullptr);
    ASSERT_NE(Form->Handle(), nullptr);
}

const TSaverFolder& ConfigFormTest::MakeSaverFolder(const std::vector<std::string>& names) {
    SaverFolder = std::make_unique<TSaverFolder>(names);
    return *SaverFolder;
}

std::string ConfigFormTest::ConfigPath() {
    return ProgramFolder() + "Kaleidra.cfg";
}

std::optional<std::string> ConfigFormTest::ConfigBytes() {
    std::ifstream file(ConfigPath(), std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void ConfigFormTest::WriteConfig(const std::string& bytes) {
    std::ofstream(ConfigPath(), std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> ConfigFormTest::ListEntries() const {
    return ListTexts(*Form->SaverLB);
}

std::vector<std::string> ConfigFormTest::CollectionEntries() const {
    const auto g = static_cast<std::size_t>(Form->GroupTabs->TabIndex());
    std::vector<std::string> entries;
    for (std::size_t s = 0; s < Form->SaverList->GetSaverCount(g); ++s)
        entries.push_back(Form->SaverList->GetSaverName(g, s));
    return entries;
}

std::vector<int> ConfigFormTest::CollectionPriorities() const {
    const auto g = static_cast<std::size_t>(Form->GroupTabs->TabIndex());
    std::vector<int> priorities;
    for (std::size_t s = 0; s < Form->SaverList->GetSaverCount(g); ++s)
        priorities.push_back(Form->SaverList->GetSaverPriority(g, s));
    return priorities;
}

std::vector<int> ConfigFormTest::SelectedEntries() const {
    std::vector<int> selected;
    for (int j = 0; j < Form->SaverLB->Count(); ++j)
        if (Form->SaverLB->Selected(j))
            selected.push_back(j);
    return selected;
}

std::vector<std::pair<const char*, TControl*>> ConfigFormTest::SaverCommands() const {
    return {{"btnRemoveSaver", Form->btnRemoveSaver},
            {"btnMoveUp", Form->btnMoveUp},
            {"btnMoveDown", Form->btnMoveDown},
            {"btnMoveTop", Form->btnMoveTop},
            {"btnMoveBottom", Form->btnMoveBottom},
            {"btnSaverPreview", Form->btnSaverPreview},
            {"btnSaverConfig", Form->btnSaverConfig},
            {"SaverPriority", Form->SaverPriority},
            {"Label3", Form->Label3}};
}

void ConfigFormTest::Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// ---- input ----

void ClickControl(const TControl& control) {
    const RECT client = control.ClientRect();
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    SendMessageA(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(control.Handle(), WM_LBUTTONUP, 0, at);
}

void ClickListEntry(const TCustomListBox& list, int index, int x) {
    const RECT entry = list.ItemRect(index);
    const LPARAM at = MAKELPARAM(x < 0 ? (entry.left + entry.right) / 2 : entry.left + x,
                                 (entry.top + entry.bottom) / 2);
    SendMessageA(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list.Handle(), WM_LBUTTONUP, 0, at);
}

void SendNotification(const TControl& control, UINT code) {
    // Big enough for the list view's item activation, whose header is the NMHDR.
    NMITEMACTIVATE notice{};
    notice.hdr.hwndFrom = control.Handle();
    notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control.Handle()));
    notice.hdr.code = code;
    notice.iItem = -1;
    SendMessageA(GetParent(control.Handle()), WM_NOTIFY, notice.hdr.idFrom,
                 reinterpret_cast<LPARAM>(&notice));
}

// ---- saver files ----

TSaverFolder::TSaverFolder(const std::vector<std::string>& names) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "kd config " + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    char spelled[MAX_PATH] = {};
    const DWORD length = GetLongPathNameA(folder.c_str(), spelled, MAX_PATH);
    Folder = length > 0 && length < MAX_PATH ? std::string(spelled, length) : folder;
    for (const auto& name : names)
        std::ofstream(Folder + name, std::ios::binary) << "MZ";
}

TSaverFolder::~TSaverFolder() {
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((Folder + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA((Folder + entry.cFileName).c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(Folder.c_str());
}

std::vector<std::string> TabTexts(TTabControl& tabs) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < tabs.Tabs().Count(); ++i)
        texts.push_back(tabs.Tabs().Get(i));
    return texts;
}

std::vector<std::string> ListTexts(const TCustomListBox& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i)
        texts.push_back(list.Get(i));
    return texts;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
