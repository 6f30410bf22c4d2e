#include "Forms.h"

#include "Application.h"

#include <uxtheme.h>

// ---- TForm ----

TForm::TForm(TComponent* owner) : TWinControl(owner) {}

TForm::~TForm() {
    if (Application().MainForm() == Handle())
        Application().SetMainForm(nullptr);
}

void TForm::CreateFromTemplate(int templateId, HWND parent) {
    CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, DialogProc,
                       reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK TForm::DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* form = reinterpret_cast<TForm*>(lParam);
    try {
        form->Attach(window);
        form->UsePixelLayout();
        // Pages on a tab control take its themed background.
        if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)
            EnableThemeDialogTexture(window, ETDT_ENABLETAB);
        form->FormCreate();
    } catch (...) {
        Application().HandleException();
    }
    return TRUE;
}

// The dialog manager placed everything in dialog units; undo that, so each template number
// is a pixel.
void TForm::UsePixelLayout() {
    RECT unit{0, 0, 400, 800};
    MapDialogRect(Handle(), &unit);
    const auto toPixels = [&](RECT& rect) {
        rect.left = MulDiv(rect.left, 400, unit.right);
        rect.right = MulDiv(rect.right, 400, unit.right);
        rect.top = MulDiv(rect.top, 800, unit.bottom);
        rect.bottom = MulDiv(rect.bottom, 800, unit.bottom);
    };
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT bounds;
        GetWindowRect(child, &bounds);
        MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
        toPixels(bounds);
        MoveWindow(child, bounds.left, bounds.top, bounds.right - bounds.left,
                   bounds.bottom - bounds.top, FALSE);
    }
    RECT client;
    GetClientRect(Handle(), &client);
    toPixels(client);
    RECT outer = client;
    AdjustWindowRectEx(&outer, GetWindowLongA(Handle(), GWL_STYLE), FALSE,
                       GetWindowLongA(Handle(), GWL_EXSTYLE));
    SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show() {
    if (Handle())
        ShowWindow(Handle(), SW_SHOW);
}

void TForm::Close() {
    if (OnClose)
        OnClose(this);
    if (Handle())
        DestroyWindow(Handle());
}

void TForm::CenterOnScreen() {
    RECT bounds;
    GetWindowRect(Handle(), &bounds);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetSize(int width, int height) {
    SetWindowPos(Handle(), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool topLevel = !(GetWindowLongA(Handle(), GWL_STYLE) & WS_CHILD);
    if (topLevel && (message == WM_CLOSE ||
                     (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && lParam == 0))) {
        Close();
        return 0;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

// ---- TPageControl ----

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {}

void TPageControl::AddPage(TForm* page, const std::string& caption, int imageIndex) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(caption.c_str());
    item.iImage = imageIndex;
    SendMessageA(Handle(), TCM_INSERTITEMA, Pages.size(), reinterpret_cast<LPARAM>(&item));
    Pages.push_back(page);
    PlacePages();
    SetActivePageIndex(ActivePageIndex());
}

int TPageControl::PageCount() const {
    return static_cast<int>(Pages.size());
}

TForm* TPageControl::Page(int index) const {
    return index >= 0 && index < PageCount() ? Pages[static_cast<std::size_t>(index)] : nullptr;
}

int TPageControl::ActivePageIndex() const {
    return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
}

void TPageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount())
        index = 0;
    SendMessageA(Handle(), TCM_SETCURSEL, index, 0);
    for (int i = 0; i < PageCount(); ++i)
        if (Pages[static_cast<std::size_t>(i)]->Handle())
            ShowWindow(Pages[static_cast<std::size_t>(i)]->Handle(),
                       i == index ? SW_SHOW : SW_HIDE);
}

void TPageControl::SetImages(HIMAGELIST images) {
    SendMessageA(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    PlacePages();
}

// The pages are siblings of the tab control, laid over its display area.
void TPageControl::PlacePages() {
    RECT area = ClientRect();
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(Handle(), GetParent(Handle()), reinterpret_cast<POINT*>(&area), 2);
    for (TForm* page : Pages)
        if (page->Handle())
            SetWindowPos(page->Handle(), HWND_TOP, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOACTIVATE);
}

bool TPageControl::Notify(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != TCN_SELCHANGE)
        return false;
    SetActivePageIndex(ActivePageIndex());
    result = 0;
    return true;
}

LRESULT TPageControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = TWinControl::WndProc(message, wParam, lParam);
    if (message == WM_SIZE)
        PlacePages();
    return result;
}

// ---- TTabControl ----

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner) {}

int TTabControl::TabIndex() const {
    return Handle() ? static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)) : -1;
}

void TTabControl::SetTabIndex(int index) {
    SendMessageA(Handle(), TCM_SETCURSEL, index, 0);
}

RECT TTabControl::DisplayRect() const {
    RECT area = ClientRect();
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(Handle(), GetParent(Handle()), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

bool TTabControl::Notify(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != TCN_SELCHANGE)
        return false;
    if (OnChange)
        OnChange(this);
    result = 0;
    return true;
}

void TTabControl::TTabStrings::Clear() {
    SendMessageA(Owner.Handle(), TCM_DELETEALLITEMS, 0, 0);
}

void TTabControl::TTabStrings::Add(const std::string& text) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text.c_str());
    const auto count = Count();
    SendMessageA(Owner.Handle(), TCM_INSERTITEMA, count, reinterpret_cast<LPARAM>(&item));
    // A rebuilt row starts on its first tab.
    if (count == 0)
        Owner.SetTabIndex(0);
}

std::size_t TTabControl::TTabStrings::Count() const {
    return static_cast<std::size_t>(SendMessageA(Owner.Handle(), TCM_GETITEMCOUNT, 0, 0));
}

std::string TTabControl::TTabStrings::Get(std::size_t index) const {
    char text[512] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(Owner.Handle(), TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

// ---- TTrackBar ----

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {}

void TTrackBar::SetRange(int minimum, int maximum) {
    SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, minimum);
    SendMessageA(Handle(), TBM_SETRANGEMAX, TRUE, maximum);
}

int TTrackBar::Position() const {
    return static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0));
}

void TTrackBar::SetPosition(int position) {
    SendMessageA(Handle(), TBM_SETPOS, TRUE, position);
    // A position set by code is a change too.
    if (Position() != LastPosition) {
        LastPosition = Position();
        if (OnChange)
            OnChange(this);
    }
}

void TTrackBar::SetPageSize(int pageSize) {
    SendMessageA(Handle(), TBM_SETPAGESIZE, 0, pageSize);
}

bool TTrackBar::Notify(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != WM_HSCROLL && message != WM_VSCROLL)
        return false;
    if (Position() != LastPosition) {
        LastPosition = Position();
        if (OnChange)
            OnChange(this);
    }
    result = 0;
    return true;
}
