#include "Buttons.h"

namespace {
constexpr int StateUp = 0;
constexpr int StateDisabled = 1;
constexpr int StateDown = 2;
constexpr int GlyphTextGap = 4;
} // namespace

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {}

TSpeedButton::~TSpeedButton() {
    if (Glyph)
        DeleteObject(Glyph);
}

void TSpeedButton::SetGlyph(HBITMAP glyph, int states) {
    if (Glyph)
        DeleteObject(Glyph);
    Glyph = glyph;
    GlyphStates = states < 1 ? 1 : states;
    Invalidate();
}

void TSpeedButton::SetCaption(const std::string& caption, bool glyphRight) {
    Text = caption;
    GlyphRight = glyphRight;
    TControl::SetCaption(caption);
    Invalidate();
}

void TSpeedButton::SetHintAndName(const std::string& hint) {
    SetHint(hint);
    if (Text.empty())
        TControl::SetCaption(hint);
}

SIZE TSpeedButton::GlyphSize() const {
    BITMAP info{};
    if (!Glyph || !GetObjectA(Glyph, sizeof info, &info))
        return {0, 0};
    return {info.bmWidth / GlyphStates, info.bmHeight};
}

void TSpeedButton::DrawGlyph(HDC dc, int x, int y, int state) const {
    const SIZE size = GlyphSize();
    const TBitmapContext source(dc, Glyph);
    const COLORREF transparent = GetPixel(source.Handle(), 0, size.cy - 1);
    const int column = state < GlyphStates ? state : StateUp;
    if (state == StateDisabled && GlyphStates < 2) {
        DrawGreyed(dc, source.Handle(), x, y, size, transparent);
    } else {
        TransparentBlt(dc, x, y, size.cx, size.cy, source.Handle(), column * size.cx, 0, size.cx,
                       size.cy, transparent);
    }
}

// No disabled picture of its own: the picture in pale grey, as disabled buttons look.
void TSpeedButton::DrawGreyed(HDC dc, HDC source, int x, int y, SIZE size,
                              COLORREF transparent) const {
    for (int row = 0; row < size.cy; ++row)
        for (int column = 0; column < size.cx; ++column) {
            const COLORREF pixel = GetPixel(source, column, row);
            if (pixel == transparent)
                continue;
            const int grey =
                (GetRValue(pixel) * 30 + GetGValue(pixel) * 59 + GetBValue(pixel) * 11) / 100;
            const int pale = 128 + grey / 2;
            SetPixel(dc, x + column, y + row, RGB(pale, pale, pale));
        }
}

void TSpeedButton::Paint(TCanvas& canvas) {
    RECT client = ClientRect();
    const bool enabled = GetEnabled();
    if (enabled && Down && Hot)
        DrawEdge(canvas.Handle(), &client, BDR_SUNKENOUTER, BF_RECT);
    else if (enabled && (Hot || !Flat))
        DrawEdge(canvas.Handle(), &client, BDR_RAISEDINNER, BF_RECT);

    const SIZE glyph = GlyphSize();
    const int textWidth = Text.empty() ? 0 : canvas.TextWidth(Text);
    const int gap = glyph.cx && textWidth ? GlyphTextGap : 0;
    const int offset = enabled && Down && Hot ? 1 : 0;
    int x = (client.right - glyph.cx - gap - textWidth) / 2 + offset;
    const int textHeight = Text.empty() ? 0 : canvas.TextHeight(Text);
    const int glyphX = GlyphRight ? x + textWidth + gap : x;
    const int textX = GlyphRight ? x : x + glyph.cx + gap;
    if (Glyph)
        DrawGlyph(canvas.Handle(), glyphX, (client.bottom - glyph.cy) / 2 + offset,
                  !enabled ? StateDisabled : (Down && Hot ? StateDown : StateUp));
    if (!Text.empty()) {
        canvas.SetTextColor(enabled ? clBtnText : clGrayText);
        canvas.TextOut(textX, (client.bottom - textHeight) / 2 + offset, Text);
    }
}

void TSpeedButton::MouseEnter() {
    Hot = true;
    Invalidate();
}

void TSpeedButton::MouseLeave() {
    Hot = false;
    Invalidate();
}

LRESULT TSpeedButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Down = true;
        Hot = true;
        Invalidate();
        // The second press of a double-click is one more press: a button clicks again.
        return TGraphicControl::WndProc(WM_LBUTTONDOWN, wParam, lParam);
    case WM_MOUSEMOVE:
        if (Down) {
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const RECT client = ClientRect();
            if (Hot != static_cast<bool>(PtInRect(&client, at))) {
                Hot = !Hot;
                Invalidate();
            }
        }
        break;
    case WM_LBUTTONUP: {
        const bool wasDown = Down;
        Down = false;
        Invalidate();
        if (!wasDown)
            return 0;
        break; // TGraphicControl clicks when the button comes up inside
    }
    default:
        break;
    }
    return TGraphicControl::WndProc(message, wParam, lParam);
}

bool TRadioButton::Checked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool checked) {
    if (Checked() == checked)
        return;
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!checked)
        return;
    // Clear the rest of the group, and report the change as a click would.
    for (HWND other = GetNextDlgGroupItem(GetParent(Handle()), Handle(), FALSE);
         other && other != Handle(); other = GetNextDlgGroupItem(GetParent(Handle()), other, FALSE))
        SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
    Click();
}
