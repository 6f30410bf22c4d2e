#pragma once
// The framework's text label: a caption drawn with DrawTextA in the label's font and colour,
// aligned and placed vertically as asked, optionally word-wrapped, sized to its text, with an
// accelerator that moves the focus to another control. The URL label and the 3D label derive
// from it and redraw the text their own way through DoDrawText.

#include "Controls.h"
#include "Graphics.h"

#include <string>

enum TTextLayout { tlTop, tlCenter, tlBottom };

// The framework's accelerator message: wParam is the character typed with Alt (or alone in a
// dialog); a control that owns that accelerator acts on it and returns 1.
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    TAlignment GetAlignment() const { return Alignment; }
    void SetAlignment(TAlignment alignment);
    TTextLayout GetLayout() const { return Layout; }
    void SetLayout(TTextLayout layout);
    bool GetWordWrap() const { return WordWrap; }
    void SetWordWrap(bool wordWrap);
    // On by default: the label takes the size of its text and keeps its right edge when
    // right-aligned or centred.
    bool GetAutoSize() const { return AutoSize; }
    void SetAutoSize(bool autoSize);
    // Off by default: the label fills its rectangle with Color before the text.
    bool GetTransparent() const { return Transparent; }
    void SetTransparent(bool transparent);
    // On by default: "&x" underlines x and makes it the accelerator; "&&" draws one "&".
    // A change resizes an auto-size label, since the ampersands take room or no longer do.
    bool GetShowAccelChar() const { return ShowAccelChar; }
    void SetShowAccelChar(bool showAccelChar);
    // The control the accelerator focuses; forgotten when that control is destroyed.
    TControl* GetFocusControl() const { return FocusControl; }
    void SetFocusControl(TControl* control);

    // Face, size, style and colour of the text. Until the program changes it, the face, size
    // and style follow the parent window's font.
    TFont& Font();
    bool GetParentFont() const { return ParentFont; }
    void SetParentFont(bool parentFont);

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateWnd() override;
    void Paint(TCanvas& canvas) override;
    // The text to draw: the caption.
    virtual std::string GetLabelText() const;
    // Resizes the label to its text when AutoSize is on.
    virtual void AdjustBounds();
    // Draws (or with DT_CALCRECT measures) the text into `rect` on `canvas`: in the font
    // colour when enabled, engraved in highlight and shadow when disabled.
    virtual void DoDrawText(TCanvas& canvas, RECT& rect, UINT flags);
    // The accelerator: focuses FocusControl when `key` is the caption's accelerator.
    virtual bool CMDialogChar(char key);
    // Repaints and resizes after a change of the text or the font.
    void TextChanged();
    // Gives the text this kind of label's own colour and adds styles on top of whatever font
    // it has, while its face and size keep following the parent's font (a link's blue
    // underline on a page's face).
    void SetOwnLook(TColor color, TFontStyles addedStyle = 0);

private:
    bool FocusFocusControl();
    void SyncParentFont();
    void FontChanged();

    TAlignment Alignment = taLeftJustify;
    TTextLayout Layout = tlTop;
    bool WordWrap = false;
    bool AutoSize = true;
    bool ShowAccelChar = true;
    TControl* FocusControl = nullptr;
    TFont LabelFont;
    bool ParentFont = true;
    bool SyncingFont = false;
    TFontStyles OwnStyle = 0;
};

// The accelerator character of a caption: the character after the first single "&" ("&&"
// stands for the ampersand itself); 0 for none.
char AcceleratorOf(const std::string& caption);
