#pragma once
// Forms built from dialog templates: the layout is data (a DIALOGEX resource), the behaviour a
// C++ class whose controls are attached to the template's windows by control id.

#include "Controls.h"
#include "TStrings.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Makes the window from the dialog template `templateId` of this program: a top-level
    // window without `parent`, a child page (DS_CONTROL template) with one. The template's
    // coordinates are pixels, not dialog units: a layout in dialog units follows the font's
    // metrics, which differ from system to system, and the window is designed to the pixel.
    void CreateFromTemplate(int templateId, HWND parent = nullptr);
    // Attaches `control` to the template's control `id` and returns it.
    template <typename T> T* Bind(T* control, int id) {
        control->Attach(GetDlgItem(Handle(), id));
        return control;
    }

    void Show();
    // Closes the form: OnClose runs, then the window goes (ending the message loop when the
    // form is the application's main form).
    void Close();
    // Puts the window in the middle of the screen it is on.
    void CenterOnScreen();
    // The window's outer size in pixels.
    void SetSize(int width, int height);

    TNotifyEvent OnClose;

protected:
    // After the window and its template controls exist: attach the controls here.
    virtual void FormCreate() {}
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void UsePixelLayout();
};

// A page control: a tab control of the form whose tabs show child forms (pages) in its
// display area, each page made from a template of its own.
class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);

    // Adds a page shown under a tab with `caption` and picture `imageIndex` of the image list.
    void AddPage(TForm* page, const std::string& caption, int imageIndex = -1);
    int PageCount() const;
    TForm* Page(int index) const;
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // 32 x 32 (or any size) pictures for the tabs; the control does not own the list.
    void SetImages(HIMAGELIST images);

protected:
    bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PlacePages();
    std::vector<TForm*> Pages;
};

// A row of tabs without pages (the saver list's group tabs): the tab texts, the current tab
// (-1 for none), and a change event.
class TTabControl : public TWinControl {
public:
    explicit TTabControl(TComponent* owner);

    TStrings& Tabs() { return TabStrings; }
    int TabIndex() const;
    void SetTabIndex(int index);
    // The area inside the tab row where its content goes, in the parent's coordinates.
    RECT DisplayRect() const;

    TNotifyEvent OnChange;

protected:
    bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    class TTabStrings : public TStrings {
    public:
        explicit TTabStrings(TTabControl& tabs) : Owner(tabs) {}
        void Clear() override;
        void Add(const std::string& text) override;
        std::size_t Count() const override;
        std::string Get(std::size_t index) const override;

    private:
        TTabControl& Owner;
    };
    TTabStrings TabStrings{*this};
};

// A track bar with its range, position and a change event (OnChange runs for every change of
// the position, also one made by code).
class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* owner);

    void SetRange(int minimum, int maximum);
    int Position() const;
    void SetPosition(int position);
    void SetPageSize(int pageSize);

    TNotifyEvent OnChange;

protected:
    bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int LastPosition = -1;
};

// The hourglass for the life of the object, for commands that take a moment.
class TWaitCursor {
public:
    TWaitCursor() : Previous(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { SetCursor(Previous); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    HCURSOR Previous;
};
