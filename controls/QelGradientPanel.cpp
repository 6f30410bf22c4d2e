#include "QelGradientPanel.h"

TQelCustomGradientPanel::TQelCustomGradientPanel(TComponent* owner)
    : TCustomPanel(owner), PanelGradient(std::make_unique<TQelGradient>(this)) {
    PanelGradient->SetOnChange([this](TPersistent* sender) { GradientChanged(sender); });
    CaptionFont.OnChange = [this] {
        if (SyncingFont)
            return;
        ParentFont = false;
        Invalidate();
    };
}

TQelCustomGradientPanel::~TQelCustomGradientPanel() = default;

TColor TQelCustomGradientPanel::GetColor() const {
    const TQelGradientColorList& colors = PanelGradient->Colors();
    return colors.Count() > 0 ? colors.Items(0).GetValue() : DefaultColor;
}

void TQelCustomGradientPanel::SetColor(TColor color) {
    TQelGradientColorList& colors = PanelGradient->Colors();
    if (colors.Count() > 0) {
        if (colors.Items(0).GetValue() == color)
            return;
        colors.Items(0).SetValue(color);
    } else {
        colors.Add(color);
    }
    GradientChanged(PanelGradient.get());
}

void TQelCustomGradientPanel::SetDefaultColor(TColor color) {
    if (color == DefaultColor)
        return;
    DefaultColor = color;
    if (PanelGradient->Colors().Count() == 0)
        GradientChanged(PanelGradient.get());
}

void TQelCustomGradientPanel::SetAlignment(TAlignment alignment) {
    if (alignment == Alignment)
        return;
    Alignment = alignment;
    Changed();
}

void TQelCustomGradientPanel::SetBevelInner(TBevelCut bevel) {
    if (bevel == BevelInner)
        return;
    BevelInner = bevel;
    Changed();
}

void TQelCustomGradientPanel::SetBevelOuter(TBevelCut bevel) {
    if (bevel == BevelOuter)
        return;
    BevelOuter = bevel;
    Changed();
}

void TQelCustomGradientPanel::SetBevelWidth(int width) {
    if (width < 1 || width == BevelWidth)
        return;
    BevelWidth = width;
    Changed();
}

void TQelCustomGradientPanel::SetBorderWidth(int width) {
    if (width < 0 || width == BorderWidth)
        return;
    BorderWidth = width;
    Changed();
}

TFont& TQelCustomGradientPanel::Font() {
    SyncParentFont();
    return CaptionFont;
}

void TQelCustomGradientPanel::SyncParentFont() {
    if (!ParentFont || !HandleAllocated() || SyncingFont)
        return;
    SyncingFont = true;
    CaptionFont.Assign(ParentFontOf(Handle()));
    SyncingFont = false;
}

void TQelCustomGradientPanel::Changed() {
    Invalidate();
}

void TQelCustomGradientPanel::GradientChanged(TPersistent*) {
    Invalidate();
}

void TQelCustomGradientPanel::Paint(TCanvas& canvas) {
    RECT rect = ClientRect();
    PaintBorder(canvas, rect);
    PaintBackground(canvas, rect);
    PaintCaption(canvas, rect);
}

void TQelCustomGradientPanel::PaintBorder(TCanvas& canvas, RECT& rect) {
    TColor topLeft;
    TColor bottomRight;
    if (BevelOuter != bvNone) {
        BevelColors(BevelOuter, topLeft, bottomRight);
        Frame3D(canvas, rect, topLeft, bottomRight, BevelWidth);
    }
    Frame3D(canvas, rect, GetColor(), GetColor(), BorderWidth);
    if (BevelInner != bvNone) {
        BevelColors(BevelInner, topLeft, bottomRight);
        Frame3D(canvas, rect, topLeft, bottomRight, BevelWidth);
    }
}

void TQelCustomGradientPanel::PaintBackground(TCanvas& canvas, RECT& rect) {
    const TQelGradientColorList& colors = PanelGradient->Colors();
    // Inside an update bracket the gradient draws nothing; the memory bitmap behind this
    // paint would show through, so the first colour stands in until the bracket ends.
    if (colors.Count() == 0 || colors.UpdateCount() > 0) {
        canvas.SetBrushColor(GetColor());
        PatBlt(canvas.Handle(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               PATCOPY);
        return;
    }
    PanelGradient->Draw(canvas, rect);
}

void TQelCustomGradientPanel::PaintCaption(TCanvas& canvas, RECT& rect) {
    SetBkMode(canvas.Handle(), TRANSPARENT);
    canvas.SetFont(Font().Handle());
    canvas.SetTextColor(CaptionFont.GetColor());
    const int lineHeight = canvas.TextHeight("W");
    rect.top = (rect.bottom + rect.top - lineHeight) / 2;
    rect.bottom = rect.top + lineHeight;
    const std::string caption = GetCaption();
    DrawTextA(canvas.Handle(), caption.c_str(), -1, &rect,
              DT_EXPANDTABS | DT_VCENTER | AlignmentFlags(Alignment));
}

LRESULT TQelCustomGradientPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFONT:
        Font().Assign(reinterpret_cast<HFONT>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(Font().Handle());
    case WM_SETTEXT: {
        const LRESULT result = TCustomPanel::WndProc(message, wParam, lParam);
        Invalidate();
        return result;
    }
    default:
        return TCustomPanel::WndProc(message, wParam, lParam);
    }
}
