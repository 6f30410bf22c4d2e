#include "Qel3DLabel.h"

#include <algorithm>

namespace {
struct TUnitOffset {
    int Dx;
    int Dy;
};

// One pixel in the direction of the depth.
TUnitOffset UnitOffset(TQel3DDirection direction) {
    switch (direction) {
    case dirLeftTop:
        return {-1, -1};
    case dirLeftBottom:
        return {-1, 1};
    case dirRightBottom:
        return {1, 1};
    case dirRightTop:
        return {1, -1};
    case dirLeft:
        return {-1, 0};
    case dirTop:
        return {0, -1};
    case dirRight:
        return {1, 0};
    case dirBottom:
        return {0, 1};
    }
    return {0, 0};
}

void DrawLabelText(TCanvas& canvas, const std::string& text, RECT& rect, UINT flags) {
    DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
}
} // namespace

TQelCustom3DLabel::TQelCustom3DLabel(TComponent* owner) : TLabel(owner) {}

void TQelCustom3DLabel::SetDepthColor(TColor color) {
    if (color == DepthColor)
        return;
    DepthColor = color;
    Invalidate();
}

void TQelCustom3DLabel::SetDepthSize(int size) {
    size = std::max(size, 0); // a negative depth would move the text out of its own rectangle
    if (size == DepthSize)
        return;
    DepthSize = size;
    DepthChanged();
}

void TQelCustom3DLabel::SetDepthDir(TQel3DDirection direction) {
    if (direction == DepthDir)
        return;
    DepthDir = direction;
    DepthChanged();
}

void TQelCustom3DLabel::SetDepthType(TQel3DType type) {
    if (type == DepthType)
        return;
    DepthType = type;
    Invalidate();
}

void TQelCustom3DLabel::DepthChanged() {
    Invalidate();
    AdjustBounds();
}

// Depth toward the left or the top would fall outside the rectangle: the text moves away
// from those edges by the depth.
void TQelCustom3DLabel::MakeRoomForDepth(RECT& rect) const {
    if (DepthDir == dirLeftTop || DepthDir == dirLeft || DepthDir == dirLeftBottom)
        rect.left += DepthSize;
    if (DepthDir == dirLeftTop || DepthDir == dirTop || DepthDir == dirRightTop)
        rect.top += DepthSize;
}

void TQelCustom3DLabel::DrawDepth(TCanvas& canvas, const std::string& text, RECT& depth,
                                  UINT flags) {
    const TUnitOffset unit = UnitOffset(DepthDir);
    const int step = DepthType == dtShadow ? DepthSize : 1;
    canvas.SetTextColor(DepthColor);
    OffsetRect(&depth, unit.Dx * DepthSize, unit.Dy * DepthSize);
    RECT copy = depth;
    for (int k = DepthSize - 1; k >= 0; k -= step) {
        DrawLabelText(canvas, text, copy, flags);
        if (k == DepthSize - 1)
            depth = copy; // when measuring, the farthest copy's extent
        OffsetRect(&copy, -unit.Dx, -unit.Dy);
    }
}

void TQelCustom3DLabel::DoDrawText(TCanvas& canvas, RECT& rect, UINT flags) {
    if (DepthSize == 0) {
        TLabel::DoDrawText(canvas, rect, flags); // the plain label, engraved when disabled
        return;
    }
    std::string text = GetLabelText();
    if ((flags & DT_CALCRECT) && (text.empty() || (GetShowAccelChar() && text == "&")))
        text += ' '; // an empty label still measures one line high
    if (!GetShowAccelChar())
        flags |= DT_NOPREFIX;
    canvas.SetFont(Font().Handle());
    SetBkMode(canvas.Handle(), TRANSPARENT);

    MakeRoomForDepth(rect);
    RECT depth = rect;
    DrawDepth(canvas, text, depth, flags);
    const bool enabled = GetEnabled() || !HandleAllocated();
    canvas.SetTextColor(enabled ? Font().GetColor() : clBtnShadow);
    DrawLabelText(canvas, text, rect, flags);
    UnionRect(&rect, &rect, &depth);
}
