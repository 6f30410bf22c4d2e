#include "QelGradientUtil.h"

#include "Exceptions.h"

#include <algorithm>
#include <string>

namespace {

struct TRgb {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
};

TRgb ToRgb(TColor color) {
    const COLORREF value = ColorToRGB(color);
    return {GetRValue(value), GetGValue(value), GetBValue(value)};
}

// The colours along one extent: offsets 0..extent are cut into one segment per pair of
// neighbouring colours, and the colour inside a segment moves linearly from its first colour
// to its second. Offsets are asked in increasing order; the walk moves on by at most one
// segment per step, recomputing the start colour and the channel differences.
class TColorWalk {
public:
    TColorWalk(const std::vector<TRgb>& colors, int extent) : Colors(colors), Extent(extent) {}

    // False when some segment would be empty (the extent is shorter than the segments).
    bool Usable() const { return Colors.size() >= 2 && Extent >= SegmentCount(); }

    COLORREF At(int offset) {
        if (offset >= End && Segment + 1 < SegmentCount())
            NextSegment();
        const int length = End - Start;
        const int step = offset - Start;
        return RGB(From.Red + step * Delta.Red / length, From.Green + step * Delta.Green / length,
                   From.Blue + step * Delta.Blue / length);
    }

private:
    int SegmentCount() const { return static_cast<int>(Colors.size()) - 1; }
    int SegmentStart(int segment) const {
        return static_cast<int>(static_cast<long long>(segment) * Extent / SegmentCount());
    }
    void NextSegment() {
        ++Segment;
        Start = SegmentStart(Segment);
        End = SegmentStart(Segment + 1);
        From = Colors[Segment];
        const TRgb& to = Colors[Segment + 1];
        Delta = {to.Red - From.Red, to.Green - From.Green, to.Blue - From.Blue};
    }

    const std::vector<TRgb>& Colors;
    int Extent;
    int Segment = -1; // before the first segment, which starts at 0
    int Start = 0;
    int End = 0;
    TRgb From;
    TRgb Delta;
};

void FillFlat(TCanvas& canvas, const RECT& rect, TColor color) {
    canvas.SetBrushColor(color);
    PatBlt(canvas.Handle(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
           PATCOPY);
}

// One band per pixel column (alongX) or row, each in the colour at its offset. Bands outside
// the clip rectangle are not drawn but still move the walk on, so what is drawn matches a
// full paint.
void DrawBands(TCanvas& canvas, const RECT& rect, const std::vector<TRgb>& colors, bool alongX) {
    const int extent = alongX ? rect.right - rect.left : rect.bottom - rect.top;
    TColorWalk walk(colors, extent);
    if (!walk.Usable()) {
        FillFlat(canvas, rect, RGB(colors[0].Red, colors[0].Green, colors[0].Blue));
        return;
    }
    RECT clip{};
    GetClipBox(canvas.Handle(), &clip);
    const int origin = alongX ? rect.left : rect.top;
    const int clipFrom = alongX ? clip.left : clip.top;
    const int clipTo = alongX ? clip.right : clip.bottom;
    const int stripFrom = alongX ? std::max(rect.top, clip.top) : std::max(rect.left, clip.left);
    const int stripTo =
        alongX ? std::min(rect.bottom, clip.bottom) : std::min(rect.right, clip.right);
    if (stripTo <= stripFrom)
        return;
    const HDC dc = canvas.Handle();
    for (int band = 0; band < extent; ++band) {
        const COLORREF color = walk.At(band);
        if (origin + band + 1 < clipFrom || origin + band > clipTo)
            continue;
        canvas.SetBrushColor(color);
        if (alongX)
            PatBlt(dc, origin + band, stripFrom, 1, stripTo - stripFrom, PATCOPY);
        else
            PatBlt(dc, stripFrom, origin + band, stripTo - stripFrom, 1, PATCOPY);
    }
}

// Half the width in steps, each one pixel in from the left and right and proportionally in
// from the top and bottom: filled ellipses (with no outline) or rectangles.
void DrawConcentric(TCanvas& canvas, const RECT& rect, const std::vector<TRgb>& colors,
                    bool ellipses) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int steps = width / 2;
    TColorWalk walk(colors, steps);
    const TColor first = RGB(colors[0].Red, colors[0].Green, colors[0].Blue);
    if (!walk.Usable()) {
        FillFlat(canvas, rect, first);
        return;
    }
    const HDC dc = canvas.Handle();
    HGDIOBJ oldPen = nullptr;
    if (ellipses) {
        oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        FillFlat(canvas, rect, first);
    }
    for (int step = 0; step < steps; ++step) {
        const int inset = static_cast<int>(static_cast<long long>(step) * height / width);
        canvas.SetBrushColor(walk.At(step));
        if (ellipses)
            Ellipse(dc, rect.left + step, rect.top + inset, rect.right - step, rect.bottom - inset);
        else
            PatBlt(dc, rect.left + step, rect.top + inset, width - 2 * step, height - 2 * inset,
                   PATCOPY);
    }
    if (ellipses)
        SelectObject(dc, oldPen);
}

} // namespace

// ---- TQelGradientColorItem ----

TQelGradientColorItem::TQelGradientColorItem(TQelGradientColorList* collection)
    : Collection(collection) {}

void TQelGradientColorItem::SetValue(TColor value) {
    if (value == Value)
        return;
    Value = value;
    if (Collection)
        Collection->Changed();
}

void TQelGradientColorItem::Assign(const TPersistent& source) {
    const auto* item = dynamic_cast<const TQelGradientColorItem*>(&source);
    if (!item) {
        TPersistent::Assign(source);
        return;
    }
    Value = item->Value;
    if (Collection)
        Collection->Changed();
}

int TQelGradientColorItem::Index() const {
    if (!Collection)
        return -1;
    for (int i = 0; i < Collection->Count(); ++i)
        if (&Collection->Items(i) == this)
            return i;
    return -1;
}

// ---- TQelGradientColorList ----

TQelGradientColorList::TQelGradientColorList(TComponent* owner) : OwnerComponent(owner) {}

TQelGradientColorList::~TQelGradientColorList() = default;

TQelGradientColorItem& TQelGradientColorList::Items(int index) {
    if (index < 0 || index >= Count())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    return *Entries[static_cast<std::size_t>(index)];
}

const TQelGradientColorItem& TQelGradientColorList::Items(int index) const {
    return const_cast<TQelGradientColorList*>(this)->Items(index);
}

TQelGradientColorItem& TQelGradientColorList::Add(TColor value) {
    auto item = std::make_unique<TQelGradientColorItem>(this);
    TQelGradientColorItem& added = *item;
    Entries.push_back(std::move(item));
    BeginUpdate(); // one report for the new item and its colour
    added.SetValue(value);
    EndUpdate();
    return added;
}

void TQelGradientColorList::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    Entries.erase(Entries.begin() + index);
    Changed();
}

void TQelGradientColorList::Move(int fromIndex, int toIndex) {
    if (fromIndex < 0 || fromIndex >= Count() || toIndex < 0 || toIndex >= Count() ||
        fromIndex == toIndex)
        return;
    auto item = std::move(Entries[static_cast<std::size_t>(fromIndex)]);
    Entries.erase(Entries.begin() + fromIndex);
    Entries.insert(Entries.begin() + toIndex, std::move(item));
    Changed();
}

void TQelGradientColorList::Clear() {
    if (Entries.empty())
        return;
    Entries.clear();
    Changed();
}

void TQelGradientColorList::BeginUpdate() {
    ++Updating;
}

void TQelGradientColorList::EndUpdate() {
    if (Updating == 0)
        return;
    --Updating;
    Changed();
}

void TQelGradientColorList::Assign(const TPersistent& source) {
    const auto* list = dynamic_cast<const TQelGradientColorList*>(&source);
    if (!list) {
        TPersistent::Assign(source);
        return;
    }
    if (list == this)
        return;
    BeginUpdate();
    Entries.clear();
    for (const auto& item : list->Entries)
        Add(item->GetValue());
    EndUpdate();
}

void TQelGradientColorList::Changed() {
    if (Updating == 0)
        Update();
}

void TQelGradientColorList::Update() {
    if (OnChange)
        OnChange(this);
}

// ---- TQelGradient ----

TQelGradient::TQelGradient(TComponent* owner) : ColorList(owner) {}

void TQelGradient::SetDirection(TQelGradientType direction) {
    if (direction == Direction)
        return;
    Direction = direction;
    if (OnChange)
        OnChange(this);
}

void TQelGradient::SetOnChange(TPersistentNotifyEvent handler) {
    OnChange = handler;
    ColorList.OnChange = std::move(handler);
}

void TQelGradient::Assign(const TPersistent& source) {
    const auto* gradient = dynamic_cast<const TQelGradient*>(&source);
    if (!gradient) {
        TPersistent::Assign(source);
        return;
    }
    Direction = gradient->Direction;
    ColorList.Assign(gradient->ColorList);
}

void TQelGradient::AssignTo(TPersistent& destination) const {
    if (auto* gradient = dynamic_cast<TQelGradient*>(&destination))
        gradient->Assign(*this);
    else
        TPersistent::AssignTo(destination);
}

void TQelGradient::Draw(TCanvas& canvas, const RECT& rect) const {
    if (!canvas.Handle() || ColorList.UpdateCount() > 0 || ColorList.Count() == 0)
        return;
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    std::vector<TRgb> colors;
    for (int i = 0; i < ColorList.Count(); ++i)
        colors.push_back(ToRgb(ColorList.Items(i).GetValue()));
    switch (colors.size() < 2 ? gtNone : Direction) {
    case gtHorizontal:
        DrawBands(canvas, rect, colors, true);
        break;
    case gtVertical:
        DrawBands(canvas, rect, colors, false);
        break;
    case gtCenter:
        DrawConcentric(canvas, rect, colors, true);
        break;
    case gtRectangular:
        DrawConcentric(canvas, rect, colors, false);
        break;
    default:
        FillFlat(canvas, rect, RGB(colors[0].Red, colors[0].Green, colors[0].Blue));
        break;
    }
}

void TQelGradient::Draw(HDC dc, const RECT& rect) const {
    if (!dc)
        return;
    TCanvas canvas(dc);
    Draw(canvas, rect);
}
