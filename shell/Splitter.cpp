#include "Splitter.h"

#include <uxtheme.h>

#include <algorithm>
#include <climits>

namespace {
const char* const SplitterClass = "KdSplitter";

RECT RectInParent(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

bool OverlapHorizontally(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right;
}
} // namespace

TSplitter::TSplitter(TComponent* owner) : TWinControl(owner) {}

const char* TSplitter::ClassName() {
    return SplitterClass;
}

void TSplitter::RegisterWindowClass() {
    WNDCLASSA existing{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), SplitterClass, &existing))
        return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_SIZENS);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = SplitterClass;
    RegisterClassA(&windowClass);
}

void TSplitter::Create(HWND parent, const RECT& bounds, int id) {
    RegisterWindowClass();
    TControl::Create(parent, SplitterClass, WS_VISIBLE, 0, bounds, id);
}

void TSplitter::CreateWnd() {
    // Also right for a bar attached over a window of another class.
    Cursor = LoadCursorA(nullptr, IDC_SIZENS);
}

void TSplitter::SetNeighbours(HWND above, HWND below) {
    Above = above;
    Below = below;
}

// The nearest siblings that end above the bar and begin below it, beside it horizontally.
void TSplitter::FindNeighbours() {
    const RECT bar = BoundsRect();
    int aboveGap = INT_MAX;
    int belowGap = INT_MAX;
    for (HWND sibling = GetWindow(GetParent(Handle()), GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        // The sibling's own visibility: the form may not be shown yet.
        if (sibling == Handle() || !(GetWindowLongPtrA(sibling, GWL_STYLE) & WS_VISIBLE))
            continue;
        const RECT bounds = RectInParent(sibling);
        if (!OverlapHorizontally(bounds, bar))
            continue;
        if (bounds.bottom <= bar.top && bar.top - bounds.bottom < aboveGap) {
            aboveGap = bar.top - bounds.bottom;
            Above = sibling;
        } else if (bounds.top >= bar.bottom && bounds.top - bar.bottom < belowGap) {
            belowGap = bounds.top - bar.bottom;
            Below = sibling;
        }
    }
}

int TSplitter::MoveTo(int top) {
    if (!HandleAllocated())
        return top;
    if (!IsWindow(Above) || !IsWindow(Below)) {
        Above = Below = nullptr;
        FindNeighbours();
    }
    const RECT bar = BoundsRect();
    const int height = bar.bottom - bar.top;
    RECT parent{};
    GetClientRect(GetParent(Handle()), &parent);
    const RECT above = Above ? RectInParent(Above) : RECT{0, parent.top, 0, bar.top};
    const RECT below = Below ? RectInParent(Below) : RECT{0, bar.bottom, 0, parent.bottom};
    // The space between bar and neighbours (if any) moves with the bar.
    const int aboveGap = bar.top - above.bottom;
    const int belowGap = below.top - bar.bottom;
    const int highest = above.top + MinSize + aboveGap;
    const int lowest = below.bottom - MinSize - belowGap - height;
    top = std::max(highest, std::min(top, lowest));
    if (top == bar.top)
        return top;
    HDWP moves = BeginDeferWindowPos(3);
    if (Above)
        moves = DeferWindowPos(moves, Above, nullptr, 0, 0, above.right - above.left,
                               top - aboveGap - above.top, SWP_NOMOVE | SWP_NOZORDER);
    moves =
        DeferWindowPos(moves, Handle(), nullptr, bar.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (Below) {
        const int belowTop = top + height + belowGap;
        moves = DeferWindowPos(moves, Below, nullptr, below.left, belowTop,
                               below.right - below.left, below.bottom - belowTop, SWP_NOZORDER);
    }
    EndDeferWindowPos(moves);
    if (OnMoved)
        OnMoved(this);
    return top;
}

POINT TSplitter::PointInParent(LPARAM lParam) const {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(Handle(), GetParent(Handle()), &point, 1);
    return point;
}

void TSplitter::PaintBackground(HDC dc) {
    RECT client = ClientRect();
    if (DrawThemeParentBackground(Handle(), dc, &client) == S_OK)
        return;
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT TSplitter::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        Dragging = true;
        GrabOffset = static_cast<short>(HIWORD(lParam));
        if (!IsWindow(Above) || !IsWindow(Below)) {
            Above = Below = nullptr;
            FindNeighbours();
        }
        SetCapture(Handle());
        return 0;
    case WM_MOUSEMOVE:
        if (Dragging && (wParam & MK_LBUTTON))
            MoveTo(PointInParent(lParam).y - GrabOffset);
        break;
    case WM_LBUTTONUP:
        if (Dragging) {
            Dragging = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        Dragging = false;
        break;
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    default:
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
