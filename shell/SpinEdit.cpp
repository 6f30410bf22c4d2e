#include "SpinEdit.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>

namespace {
constexpr DWORD UpDownStyle = UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

int Clamp(long long value, int low, int high) {
    return static_cast<int>(std::clamp<long long>(value, low, high));
}

bool IsUpDown(HWND window) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, UPDOWN_CLASSA) == 0;
}

HWND BuddyOf(HWND upDown) {
    return reinterpret_cast<HWND>(SendMessageA(upDown, UDM_GETBUDDY, 0, 0));
}

// A template's up-down for `edit`: the one that has the edit as its buddy, or else the one
// right after the edit that has no buddy yet (the window UDS_AUTOBUDDY would have chosen).
HWND FindUpDownOf(HWND edit) {
    for (HWND sibling = GetWindow(GetParent(edit), GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT))
        if (IsUpDown(sibling) && BuddyOf(sibling) == edit)
            return sibling;
    const HWND next = GetWindow(edit, GW_HWNDNEXT);
    return next && IsUpDown(next) && !BuddyOf(next) ? next : nullptr;
}

RECT RectInParent(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

void PutAt(HWND window, const RECT& bounds) {
    MoveWindow(window, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, TRUE);
}
} // namespace

// The arrows: the up-down's notifications reach its parent, which hands them to this object,
// which hands the steps to the spin edit.
class TSpinEdit::TSpinButton : public TControl {
public:
    explicit TSpinButton(TSpinEdit& edit) : TControl(nullptr), Edit(edit) {}

protected:
    bool Notify(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
        if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != UDN_DELTAPOS)
            return false;
        Edit.Step(reinterpret_cast<NMUPDOWN*>(lParam)->iDelta);
        result = TRUE; // the step is taken: the up-down leaves the text alone
        return true;
    }

private:
    TSpinEdit& Edit;
};

TSpinEdit::TSpinEdit(TComponent* owner) : TWinControl(owner) {}

TSpinEdit::~TSpinEdit() = default;

void TSpinEdit::Create(HWND parent, const RECT& bounds, int id) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    TControl::Create(parent, "EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER,
                     WS_EX_CLIENTEDGE, bounds, id);
}

void TSpinEdit::CreateWnd() {
    AttachUpDown();
    LastText = GetCaption();
}

void TSpinEdit::AttachUpDown() {
    HWND upDown = FindUpDownOf(Handle());
    if (upDown) {
        // A template's layout stands as drawn: setting the buddy must not realign the two.
        const RECT editBounds = RectInParent(Handle());
        const RECT upDownBounds = RectInParent(upDown);
        SetWindowLongPtrA(upDown, GWL_STYLE, GetWindowLongPtrA(upDown, GWL_STYLE) | UpDownStyle);
        // Set (again) after the styles, so the arrow keys of the edit reach the up-down.
        SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
        PutAt(Handle(), editBounds);
        PutAt(upDown, upDownBounds);
    } else {
        // Placed at the edit's right end, which it takes from the edit (UDS_ALIGNRIGHT).
        upDown = CreateWindowExA(0, UPDOWN_CLASSA, nullptr,
                                 WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UpDownStyle, 0, 0, 0, 0,
                                 GetParent(Handle()), nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!upDown)
            return;
        SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
    }
    SendMessageA(upDown, UDM_SETRANGE32, static_cast<WPARAM>(Min), static_cast<LPARAM>(Max));
    Button = std::make_unique<TSpinButton>(*this);
    Button->Attach(upDown);
}

HWND TSpinEdit::UpDownHandle() const {
    return Button ? Button->Handle() : nullptr;
}

int TSpinEdit::Value() const {
    std::string text = GetCaption();
    text.erase(0, text.find_first_not_of(" \t"));
    text.erase(text.find_last_not_of(" \t") + 1);
    if (!text.empty() && text[0] == '+')
        text.erase(0, 1);
    long long number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || stop != end)
        return Min;
    if (error == std::errc::result_out_of_range) // a number too long for any type
        return text[0] == '-' ? Min : Max;
    return Clamp(number, Min, Max);
}

void TSpinEdit::SetValue(int value) {
    SetCaption(std::to_string(Clamp(value, Min, Max)));
}

void TSpinEdit::SetRange(int minValue, int maxValue) {
    const int low = std::min(minValue, maxValue);
    const int high = std::max(minValue, maxValue);
    if (low == Min && high == Max)
        return;
    const int shown = Value();
    Min = low;
    Max = high;
    if (UpDownHandle())
        SendMessageA(UpDownHandle(), UDM_SETRANGE32, static_cast<WPARAM>(Min),
                     static_cast<LPARAM>(Max));
    if (HandleAllocated() && shown != Clamp(shown, Min, Max))
        SetValue(shown);
}

void TSpinEdit::SetEnabled(bool enabled) {
    TWinControl::SetEnabled(enabled);
    if (Button)
        Button->SetEnabled(enabled);
}

void TSpinEdit::Step(int delta) {
    SetValue(Clamp(static_cast<long long>(Value()) + delta, Min, Max));
}

// The edit reports a change even when the text is set to what it was; only real changes count.
void TSpinEdit::TextChanged() {
    std::string text = GetCaption();
    if (text == LastText)
        return;
    LastText = std::move(text);
    if (OnChange)
        OnChange(this);
}

bool TSpinEdit::Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_COMMAND)
        return TWinControl::Notify(message, wParam, lParam, result);
    switch (HIWORD(wParam)) {
    case EN_CHANGE:
        TextChanged();
        return true;
    case EN_KILLFOCUS:
        // What was typed out of range or is no number shows as the value it reads as.
        if (GetCaption() != std::to_string(Value()))
            SetValue(Value());
        return true;
    default:
        return false;
    }
}
