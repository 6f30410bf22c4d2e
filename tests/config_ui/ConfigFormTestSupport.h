#pragma once
// Helpers for the configuration window's tests: a fixture that gives every test its own
// Kaleidra.cfg and registry key and a fresh form, a watch that answers the form's message
// boxes, and the ways a user reaches the controls (clicks, drops, a folder of saver files).

#include "DropFiles.h"
#include "Kdconfig.h"
#include "SettingsKey.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A message box the watch saw and dismissed.
struct TSeenMessageBox {
    HWND Owner = nullptr;
    std::string Text; // the texts of its static controls, one per line
};

// An input box the watch saw and answered: what it showed when it opened.
struct TSeenInputBox {
    std::string Caption;
    std::string Prompt;
    std::string Text;
};

// While it lives, every message box of this thread is recorded and answered with OK as soon as
// its dialog is set up, or else by a timer that runs inside the box's own modal loop. Input
// boxes are recorded too and answered from a script: each answer is typed into the box and OK
// pressed, or Cancel pressed for an answer of nothing (and when the script has run out).
class TMessageBoxWatch {
public:
    TMessageBoxWatch();
    ~TMessageBoxWatch();
    TMessageBoxWatch(const TMessageBoxWatch&) = delete;
    TMessageBoxWatch& operator=(const TMessageBoxWatch&) = delete;

    const std::vector<TSeenMessageBox>& Boxes() const { return Seen; }
    const std::vector<TSeenInputBox>& InputBoxes() const { return SeenInputs; }
    // Replaces the script and forgets the input boxes seen so far.
    void AnswerInputBoxes(std::vector<std::optional<std::string>> answers);

private:
    static LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK InspectWindow(HWND window, LPARAM self);
    void Answer(HWND box);
    void AnswerInputBox(HWND box);
    HHOOK Hook = nullptr;
    UINT_PTR Timer = 0;
    std::vector<TSeenMessageBox> Seen;
    std::vector<TSeenInputBox> SeenInputs;
    std::vector<std::optional<std::string>> InputAnswers;
    std::size_t NextInputAnswer = 0;
};

// A temporary folder with empty files of the given names; removed with everything in it.
class TSaverFolder {
public:
    explicit TSaverFolder(const std::vector<std::string>& names);
    ~TSaverFolder();
    TSaverFolder(const TSaverFolder&) = delete;
    TSaverFolder& operator=(const TSaverFolder&) = delete;
    // The folder's full path as the file system spells it, with its trailing separator.
    const std::string& Path() const { return Folder; }

private:
    std::string Folder;
};

class ConfigFormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Kaleidra.cfg beside the test program (nothing: no file), then builds the form.
    void Open(const std::optional<std::string>& config);

    // Kaleidra.cfg beside the test program, and its bytes (nothing when it does not exist).
    static std::string ConfigPath();
    static std::optional<std::string> ConfigBytes();
    static void WriteConfig(const std::string& bytes);

    // The saver paths of the current group, as the list shows them and as the collection
    // holds them.
    std::vector<std::string> ListEntries() const;
    std::vector<std::string> CollectionEntries() const;
    std::vector<int> CollectionPriorities() const;
    std::vector<int> SelectedEntries() const;
    // The saver commands that follow the list's selection, with their names.
    std::vector<std::pair<const char*, TControl*>> SaverCommands() const;

    // Handles every message waiting in this thread's queue.
    static void Pump();

    // Makes the temporary folder of saver files; it goes after the form, whose folder tree
    // watches it.
    const TSaverFolder& MakeSaverFolder(const std::vector<std::string>& names);

    TKDConfigForm* Form = nullptr;
    TMessageBoxWatch MessageBoxes;

private:
    std::unique_ptr<TSaverFolder> SaverFolder;
};

// A click of the left mouse button in the middle of the control, as its window gets it.
void ClickControl(const TControl& control);
// A click of the left mouse button on entry `index` of a list box, `x` pixels from its left
// edge (-1: in the middle of the entry).
void ClickListEntry(const TCustomListBox& list, int index, int x = -1);
// Tells the control's parent what a common control tells it: WM_NOTIFY with `code`.
void SendNotification(const TControl& control, UINT code);

// The texts of a tab row, and of a list box's entries.
std::vector<std::string> TabTexts(TTabControl& tabs);
std::vector<std::string> ListTexts(const TCustomListBox& list);

// Whether `text` contains `part`.
bool Contains(const std::string& text, const std::string& part);
