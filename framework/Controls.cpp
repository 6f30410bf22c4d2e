#include "Controls.h"

#include "Application.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace {
const char* const ControlProperty = "KaleidraControl";
const char* const TooltipProperty = "KaleidraTooltip";
const char* const GraphicClass = "KdGraphicControl";
const char* const PanelClass = "KdPanel";
constexpr UINT_PTR SubclassId = 0x4B44;
constexpr UINT_PTR ToolId = 1;

// One tooltip window per top-level window serves all the controls in it.
HWND TooltipFor(HWND control) {
    const HWND root = GetAncestor(control, GA_ROOT);
    if (!root)
        return nullptr;
    auto tooltip = static_cast<HWND>(GetPropA(root, TooltipProperty));
    if (tooltip && IsWindow(tooltip))
        return tooltip;
    tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, root, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    // Hints of several lines wrap only when the tooltip has a maximum width.
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, 600);
    SetPropA(root, TooltipProperty, tooltip);
    return tooltip;
}

// The child window a notification to its parent is about (those are the messages reflected
// to the child's control), or null for any other message.
HWND NotifyingChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM:
        return reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
    case WM_MEASUREITEM:
        return GetDlgItem(parent, static_cast<int>(wParam));
    default:
        return nullptr;
    }
}

void RegisterClassOnce(const char* name, HBRUSH background) {
    WNDCLASSA existing{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), name, &existing))
        return;
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

// Paints through a memory bitmap, so a control never flickers while it redraws.
template <typename Draw> void PaintBuffered(HWND window, Draw draw) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    // Only the invalid part reaches the screen, so only it is drawn (a gradient skips the rest).
    IntersectClipRect(memory, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right,
                      paint.rcPaint.bottom);
    draw(memory);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window, &paint);
}
} // namespace

void RegisterFrameworkClasses() {
    // The common controls that dialog templates name must be registered before a template
    // is made into windows.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    RegisterClassOnce(GraphicClass, nullptr);
    RegisterClassOnce(PanelClass, nullptr);
}

// ---- TControl ----

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    if (Window) {
        RemoveWindowSubclass(Window, SubclassProc, SubclassId);
        RemovePropA(Window, ControlProperty);
        if (IsWindow(Window))
            DestroyWindow(Window);
    }
}

void TControl::Attach(HWND window) {
    if (!window || Window == window)
        return;
    Window = window;
    SetPropA(Window, ControlProperty, this);
    SetWindowSubclass(Window, SubclassProc, SubclassId, reinterpret_cast<DWORD_PTR>(this));
    RegisterHint();
    CreateWnd();
}

void TControl::Create(HWND parent, const char* className, DWORD style, DWORD exStyle,
                      const RECT& bounds, int id) {
    const HWND window = CreateWindowExA(
        exStyle, className, "", style | (parent ? WS_CHILD : 0), bounds.left, bounds.top,
        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (parent)
        SendMessageA(window, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
    Attach(window);
}

TControl* TControl::FromHandle(HWND window) {
    return window ? static_cast<TControl*>(GetPropA(window, ControlProperty)) : nullptr;
}

std::string TControl::GetCaption() const {
    if (!Window)
        return {};
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(Window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(Window, text.data(), int(text.size()))));
    return text;
}

void TControl::SetCaption(const std::string& text) {
    if (Window && GetCaption() != text) {
        SetWindowTextA(Window, text.c_str());
        Invalidate();
    }
}

bool TControl::GetEnabled() const {
    return Window && IsWindowEnabled(Window);
}

void TControl::SetEnabled(bool enabled) {
    if (Window && GetEnabled() != enabled) {
        EnableWindow(Window, enabled);
        Invalidate();
    }
}

bool TControl::GetVisible() const {
    return Window && (GetWindowLongA(Window, GWL_STYLE) & WS_VISIBLE);
}

void TControl::SetVisible(bool visible) {
    if (Window)
        ShowWindow(Window, visible ? SW_SHOWNA : SW_HIDE);
}

RECT TControl::BoundsRect() const {
    RECT bounds{};
    if (!Window)
        return bounds;
    GetWindowRect(Window, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(Window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

void TControl::SetBounds(const RECT& bounds) {
    if (Window)
        MoveWindow(Window, bounds.left, bounds.top, bounds.right - bounds.left,
                   bounds.bottom - bounds.top, TRUE);
}

RECT TControl::ClientRect() const {
    RECT client{};
    if (Window)
        GetClientRect(Window, &client);
    return client;
}

int TControl::Width() const {
    const RECT bounds = BoundsRect();
    return bounds.right - bounds.left;
}

int TControl::Height() const {
    const RECT bounds = BoundsRect();
    return bounds.bottom - bounds.top;
}

void TControl::SetFont(HFONT font) {
    if (Window)
        SendMessageA(Window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

HFONT TControl::GetFont() const {
    return Window ? reinterpret_cast<HFONT>(SendMessageA(Window, WM_GETFONT, 0, 0)) : nullptr;
}

void TControl::Invalidate() {
    if (Window)
        InvalidateRect(Window, nullptr, TRUE);
}

void TControl::SetHint(const std::string& hint) {
    Hint = hint;
}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
    return Window ? SendMessageA(Window, message, wParam, lParam)
                  : WndProc(message, wParam, lParam);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::CMHintShow(THintInfo&) {}

bool TControl::Notify(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message != WM_COMMAND)
        return false;
    if (HIWORD(wParam) == BN_CLICKED)
        Click();
    else if (HIWORD(wParam) == BN_DOUBLECLICKED)
        DblClick();
    else
        return false;
    return true;
}

LRESULT TControl::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    TControl* child = FromHandle(NotifyingChild(Window, message, wParam, lParam));
    LRESULT result = 0;
    handled = child && child != this && child->Notify(message, wParam, lParam, result);
    return result;
}

// The tooltip asks in the character set of the control's window: system classes (list boxes,
// edits) are Unicode windows and get the W request, the framework's own classes the A one.
bool TControl::AnswerHintRequest(NMHDR& header) {
    const std::string& text = HintText();
    if (header.code == TTN_GETDISPINFOW) {
        static std::wstring wide; // the tooltip copies it before the next request
        wide.assign(
            static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0)),
            L'\0');
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                            static_cast<int>(wide.size()));
        auto& request = reinterpret_cast<NMTTDISPINFOW&>(header);
        request.lpszText = wide.data();
        request.hinst = nullptr;
        return true;
    }
    auto& request = reinterpret_cast<NMTTDISPINFOA&>(header);
    request.lpszText = const_cast<char*>(text.c_str());
    request.hinst = nullptr;
    return true;
}

// What the control's tooltip says at the mouse's place now; empty for none.
const std::string& TControl::HintText() {
    static std::string text; // the tooltip copies it before the next request
    THintInfo info;
    info.HintControl = this;
    GetCursorPos(&info.CursorPos);
    ScreenToClient(Window, &info.CursorPos);
    info.CursorRect = ClientRect();
    info.HintStr = ShowHint ? Hint : std::string();
    Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    text = ShowHint ? info.HintStr : std::string();
    HintRect = info.CursorRect;
    return text;
}

void TControl::RegisterHint() {
    const HWND tooltip = TooltipFor(Window);
    if (!tooltip || tooltip == Window)
        return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = Window;
    tool.uId = ToolId;
    tool.rect = ClientRect();
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TControl::TrackMouse() {
    const HWND tooltip = TooltipFor(Window);
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(Window, &cursor);
    // Outside the rectangle the last hint was meant for: ask the control again.
    if (tooltip && !PtInRect(&HintRect, cursor))
        SendMessageA(tooltip, TTM_UPDATE, 0, 0);
    if (MouseInside)
        return;
    MouseInside = true;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Window, 0};
    TrackMouseEvent(&track);
    MouseEnter();
}

LRESULT TControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if ((header.code == TTN_GETDISPINFOA || header.code == TTN_GETDISPINFOW) &&
            header.idFrom == ToolId && header.hwndFrom == TooltipFor(Window))
            return AnswerHintRequest(header);
    }
    bool handled = false;
    const LRESULT reflected = ReflectToChild(message, wParam, lParam, handled);
    if (handled)
        return reflected;
    switch (message) {
    case WM_MOUSEMOVE:
        TrackMouse();
        break;
    case WM_MOUSELEAVE:
        MouseInside = false;
        MouseLeave();
        break;
    case WM_SIZE: {
        if (const HWND tooltip = TooltipFor(Window)) {
            TOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = Window;
            tool.uId = ToolId;
            tool.rect = ClientRect();
            SendMessageA(tooltip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
        break;
    }
    case WM_SETCURSOR:
        if (Cursor && LOWORD(lParam) == HTCLIENT) {
            SetCursor(Cursor);
            return TRUE;
        }
        break;
    case CM_HINTSHOW:
        CMHintShow(*reinterpret_cast<THintInfo*>(lParam));
        return 0;
    default:
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}

LRESULT TControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    return Window ? DefSubclassProc(Window, message, wParam, lParam) : 0;
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<TControl*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, SubclassProc, SubclassId);
        RemovePropA(window, ControlProperty);
        control->Window = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    try {
        return control->WndProc(message, wParam, lParam);
    } catch (...) {
        Application().HandleException();
        return 0;
    }
}

// ---- TGraphicControl ----

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

const char* TGraphicControl::ClassName() {
    return GraphicClass;
}

void TGraphicControl::CreateIn(HWND parent, const RECT& bounds, int id) {
    RegisterFrameworkClasses();
    Create(parent, GraphicClass, WS_VISIBLE, 0, bounds, id);
}

void TGraphicControl::PaintParentBackground(HDC dc) {
    const HWND parent = GetParent(Handle());
    RECT client = ClientRect();
    if (parent && DrawThemeParentBackground(Handle(), dc, &client) == S_OK)
        return;
    // No theme: the parent's brush for static controls is its background.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(Handle())));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT TGraphicControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintBuffered(Handle(), [this](HDC dc) {
            if (Transparent) {
                PaintParentBackground(dc);
            } else {
                TCanvas background(dc);
                background.SetBrushColor(Color);
                background.FillRect(ClientRect());
            }
            TCanvas canvas(dc);
            canvas.SetFont(GetFont());
            Paint(canvas);
        });
        return 0;
    // A click is a press and a release on the control: a release that ends a drag begun
    // elsewhere clicks nothing.
    case WM_LBUTTONDOWN:
        Pressed = true;
        SetCapture(Handle());
        break;
    case WM_LBUTTONUP: {
        const bool wasPressed = Pressed;
        Pressed = false;
        if (GetCapture() == Handle())
            ReleaseCapture();
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const RECT client = ClientRect();
        if (wasPressed && PtInRect(&client, at))
            Click();
        break;
    }
    case WM_LBUTTONDBLCLK:
        Pressed = true;
        SetCapture(Handle());
        DblClick();
        break;
    default:
        break;
    }
    return TControl::WndProc(message, wParam, lParam);
}

// ---- TCustomPanel ----

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) {}

const char* TCustomPanel::ClassName() {
    return PanelClass;
}

void TCustomPanel::CreateIn(HWND parent, const RECT& bounds, int id) {
    RegisterFrameworkClasses();
    Create(parent, PanelClass, WS_VISIBLE | WS_CLIPCHILDREN, 0, bounds, id);
}

void TCustomPanel::Paint(TCanvas& canvas) {
    canvas.SetBrushColor(Color);
    canvas.FillRect(ClientRect());
}

LRESULT TCustomPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintBuffered(Handle(), [this](HDC dc) {
            TCanvas canvas(dc);
            canvas.SetFont(GetFont());
            Paint(canvas);
        });
        return 0;
    case WM_PRINTCLIENT: {
        // A transparent child asks for what lies behind it.
        TCanvas canvas(reinterpret_cast<HDC>(wParam));
        canvas.SetFont(GetFont());
        Paint(canvas);
        return 0;
    }
    default:
        return TWinControl::WndProc(message, wParam, lParam);
    }
}
