#pragma once
// A container panel whose background is a colour gradient through any number of colours,
// framed by an outer bevel, a border in the first colour and an inner bevel, with a one-line
// caption. Drawn through the panel's memory bitmap, so it never flickers.

#include "Controls.h"
#include "Graphics.h"
#include "QelGradientUtil.h"

#include <memory>
#include <string>

class TQelCustomGradientPanel : public TCustomPanel {
public:
    explicit TQelCustomGradientPanel(TComponent* owner);
    ~TQelCustomGradientPanel() override;

    TQelGradient& Gradient() { return *PanelGradient; }
    // The first gradient colour, or DefaultColor while there is none.
    TColor GetColor() const;
    // Replaces the first gradient colour, or makes a one-colour gradient of it.
    void SetColor(TColor color);
    // The background while the gradient has no colours; button face at first.
    TColor GetDefaultColor() const { return DefaultColor; }
    void SetDefaultColor(TColor color);

    // Horizontal place of the caption; centred at first.
    TAlignment GetAlignment() const { return Alignment; }
    void SetAlignment(TAlignment alignment);
    // None at first.
    TBevelCut GetBevelInner() const { return BevelInner; }
    void SetBevelInner(TBevelCut bevel);
    // Raised at first.
    TBevelCut GetBevelOuter() const { return BevelOuter; }
    void SetBevelOuter(TBevelCut bevel);
    // 1 at first.
    int GetBevelWidth() const { return BevelWidth; }
    void SetBevelWidth(int width);
    // Between the bevels, in the first gradient colour; 0 at first.
    int GetBorderWidth() const { return BorderWidth; }
    void SetBorderWidth(int width);
    // The caption's face, size, style and colour; the parent window's font until changed.
    TFont& Font();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Border, background and caption, each narrowing `rect` for the next.
    void Paint(TCanvas& canvas) override;
    virtual void PaintBorder(TCanvas& canvas, RECT& rect);
    virtual void PaintBackground(TCanvas& canvas, RECT& rect);
    virtual void PaintCaption(TCanvas& canvas, RECT& rect);
    // Any change of the gradient: repaint the whole panel.
    void GradientChanged(TPersistent* sender);

private:
    // The panel's colour is the gradient's; the plain control colour is not used here.
    using TCustomPanel::Color;
    void SyncParentFont();
    void Changed();

    std::unique_ptr<TQelGradient> PanelGradient;
    TColor DefaultColor = clBtnFace;
    TAlignment Alignment = taCenter;
    TBevelCut BevelInner = bvNone;
    TBevelCut BevelOuter = bvRaised;
    int BevelWidth = 1;
    int BorderWidth = 0;
    TFont CaptionFont;
    bool ParentFont = true;
    bool SyncingFont = false;
};

class TQelGradientPanel : public TQelCustomGradientPanel {
public:
    explicit TQelGradientPanel(TComponent* owner) : TQelCustomGradientPanel(owner) {}
};
