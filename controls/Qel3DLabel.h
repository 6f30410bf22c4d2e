#pragma once
// A label whose text stands out in 3D: copies of the text in a depth colour, offset in one of
// eight directions, either one drop shadow or a solid block of one copy per pixel of depth.
// Otherwise it is the framework's label: alignment, layout, word wrap, auto size,
// transparency and an accelerator that focuses FocusControl.

#include "Label.h"

#include <string>

enum TQel3DDirection {
    dirLeftTop,
    dirLeftBottom,
    dirRightBottom,
    dirRightTop,
    dirLeft,
    dirTop,
    dirRight,
    dirBottom
};
enum TQel3DType { dtShadow, dtBlock };

class TQelCustom3DLabel : public TLabel {
public:
    explicit TQelCustom3DLabel(TComponent* owner);

    // The colour of the depth copies; button highlight at first.
    TColor GetDepthColor() const { return DepthColor; }
    void SetDepthColor(TColor color);
    // How far the depth reaches, in pixels; 1 at first, never below 0.
    int GetDepthSize() const { return DepthSize; }
    void SetDepthSize(int size);
    // Where the depth lies from the text; left and up at first.
    TQel3DDirection GetDepthDir() const { return DepthDir; }
    void SetDepthDir(TQel3DDirection direction);
    // One copy at the full depth (dtShadow, at first) or one at every pixel (dtBlock).
    TQel3DType GetDepthType() const { return DepthType; }
    void SetDepthType(TQel3DType type);

protected:
    // The depth copies, farthest first, then the text; when measuring, the rectangle of the
    // text and its depth together.
    void DoDrawText(TCanvas& canvas, RECT& rect, UINT flags) override;

private:
    void DrawDepth(TCanvas& canvas, const std::string& text, RECT& depth, UINT flags);
    void MakeRoomForDepth(RECT& rect) const;
    void DepthChanged();

    TColor DepthColor = clBtnHighlight;
    int DepthSize = 1;
    TQel3DDirection DepthDir = dirLeftTop;
    TQel3DType DepthType = dtShadow;
};

class TQel3DLabel : public TQelCustom3DLabel {
public:
    explicit TQel3DLabel(TComponent* owner) : TQelCustom3DLabel(owner) {}
};
