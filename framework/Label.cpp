#include "Label.h"

namespace {
constexpr UINT CalcFlags = DT_CALCRECT | DT_EXPANDTABS;

// Upper case in the system's code page, as the dialog manager compares accelerators.
char UpperCase(char c) {
    char text[2] = {c, 0};
    CharUpperA(text);
    return text[0];
}
} // namespace

char AcceleratorOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return caption[i + 1];
        ++i; // "&&": a plain ampersand
    }
    return 0;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    Transparent = false;
    LabelFont.OnChange = [this] { FontChanged(); };
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment == Alignment)
        return;
    Alignment = alignment;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
    if (layout == Layout)
        return;
    Layout = layout;
    Invalidate();
    AdjustBounds();
}

void TLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap == WordWrap)
        return;
    WordWrap = wordWrap;
    Invalidate();
    AdjustBounds();
}

void TLabel::SetAutoSize(bool autoSize) {
    if (autoSize == AutoSize)
        return;
    AutoSize = autoSize;
    AdjustBounds();
}

void TLabel::SetTransparent(bool transparent) {
    if (transparent == Transparent)
        return;
    Transparent = transparent;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool showAccelChar) {
    if (showAccelChar == ShowAccelChar)
        return;
    ShowAccelChar = showAccelChar;
    TextChanged(); // the ampersands now take room, or no longer do
}

void TLabel::SetFocusControl(TControl* control) {
    if (FocusControl && FocusControl != control)
        RemoveFreeNotification(FocusControl);
    FocusControl = control;
    if (FocusControl)
        FreeNotification(FocusControl);
}

TFont& TLabel::Font() {
    SyncParentFont();
    return LabelFont;
}

void TLabel::SetParentFont(bool parentFont) {
    if (parentFont == ParentFont)
        return;
    ParentFont = parentFont;
    if (ParentFont) {
        SyncParentFont();
        TextChanged();
    }
}

void TLabel::SyncParentFont() {
    if (!ParentFont || !HandleAllocated() || SyncingFont)
        return;
    SyncingFont = true;
    LabelFont.Assign(ParentFontOf(Handle()));
    LabelFont.SetStyle(LabelFont.GetStyle() | OwnStyle);
    SyncingFont = false;
}

void TLabel::SetOwnLook(TColor color, TFontStyles addedStyle) {
    OwnStyle |= addedStyle;
    const TColor oldColor = LabelFont.GetColor();
    const TFontStyles oldStyle = LabelFont.GetStyle();
    SyncingFont = true; // the label's own look is no departure from the parent's font
    LabelFont.SetColor(color);
    LabelFont.SetStyle(oldStyle | addedStyle);
    SyncingFont = false;
    if (LabelFont.GetColor() != oldColor || LabelFont.GetStyle() != oldStyle)
        TextChanged();
}

void TLabel::FontChanged() {
    if (SyncingFont)
        return;
    ParentFont = false;
    TextChanged();
}

void TLabel::TextChanged() {
    Invalidate();
    AdjustBounds();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FocusControl)
        FocusControl = nullptr;
}

void TLabel::CreateWnd() {
    TGraphicControl::CreateWnd();
    AdjustBounds();
}

std::string TLabel::GetLabelText() const {
    return GetCaption();
}

void TLabel::Paint(TCanvas& canvas) {
    SetBkMode(canvas.Handle(), TRANSPARENT);
    RECT rect = ClientRect();
    UINT flags = DT_EXPANDTABS | (WordWrap ? DT_WORDBREAK : 0) | AlignmentFlags(Alignment);
    if (Layout != tlTop) {
        RECT measured = rect;
        DoDrawText(canvas, measured, flags | DT_CALCRECT);
        const int spare = rect.bottom - measured.bottom;
        OffsetRect(&rect, 0, Layout == tlBottom ? spare : spare >> 1);
    }
    DoDrawText(canvas, rect, flags);
}

void TLabel::DoDrawText(TCanvas& canvas, RECT& rect, UINT flags) {
    std::string text = GetLabelText();
    if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar && text == "&")))
        text += ' '; // an empty label still measures one line high
    if (!ShowAccelChar)
        flags |= DT_NOPREFIX;
    canvas.SetFont(Font().Handle());
    SetBkMode(canvas.Handle(), TRANSPARENT);
    const auto draw = [&] {
        DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
    };
    if (!GetEnabled() && HandleAllocated()) {
        // The engraved look the system gives disabled text.
        OffsetRect(&rect, 1, 1);
        canvas.SetTextColor(clBtnHighlight);
        draw();
        OffsetRect(&rect, -1, -1);
        canvas.SetTextColor(clBtnShadow);
        draw();
        return;
    }
    canvas.SetTextColor(LabelFont.GetColor());
    draw();
}

void TLabel::AdjustBounds() {
    if (!AutoSize || !HandleAllocated() || IsLoading())
        return;
    const RECT bounds = BoundsRect();
    RECT text = ClientRect();
    const HDC screen = GetDC(nullptr);
    {
        TCanvas canvas(screen); // gives the device context back its objects before release
        DoDrawText(canvas, text, CalcFlags | (WordWrap ? DT_WORDBREAK : 0));
    }
    ReleaseDC(nullptr, screen);
    int left = bounds.left;
    if (Alignment != taLeftJustify)
        left += (bounds.right - bounds.left) - text.right;
    SetBounds(RECT{left, bounds.top, left + text.right, bounds.top + text.bottom});
}

bool TLabel::FocusFocusControl() {
    if (!FocusControl || !FocusControl->HandleAllocated())
        return false;
    const HWND target = FocusControl->Handle();
    if (!IsWindowEnabled(target) || !IsWindowVisible(target))
        return false;
    SetFocus(target);
    return true;
}

bool TLabel::CMDialogChar(char key) {
    if (!FocusControl || !GetEnabled() || !ShowAccelChar)
        return false;
    const char accelerator = AcceleratorOf(GetLabelText());
    if (!accelerator || UpperCase(accelerator) != UpperCase(key))
        return false;
    return FocusFocusControl();
}

LRESULT TLabel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT: {
        const LRESULT result = TGraphicControl::WndProc(message, wParam, lParam);
        TextChanged();
        return result;
    }
    case WM_SETFONT:
        Font().Assign(reinterpret_cast<HFONT>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(Font().Handle());
    case WM_ENABLE:
        Invalidate();
        break;
    case WM_GETDLGCODE:
        // The dialog manager sends a "button" whose mnemonic was typed BM_CLICK; a static
        // would instead pass the focus to the next control, not to FocusControl.
        if (FocusControl && ShowAccelChar)
            return DLGC_BUTTON;
        break;
    case BM_CLICK:
        if (GetEnabled() && ShowAccelChar)
            FocusFocusControl();
        return 0;
    case CM_DIALOGCHAR:
        return CMDialogChar(static_cast<char>(wParam)) ? 1 : 0;
    default:
        break;
    }
    return TGraphicControl::WndProc(message, wParam, lParam);
}
