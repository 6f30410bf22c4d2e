#pragma once
// Controls of the form framework. Every control is a real window: a control made from a dialog
// template is attached to its C++ object by id (Attach), others are created in code (Create).
// Messages reach the object's WndProc; notifications a parent receives for a child
// (WM_COMMAND, WM_NOTIFY, owner drawing, scrolling, colours) are reflected back to the child as
// CN_* messages, so each control handles its own.

#include "Canvas.h"
#include "Component.h"

#include <windows.h>

#include <functional>
#include <string>

class TControl;
class TWinControl;

// Framework messages, in the range the framework has always used.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;
constexpr UINT CM_HINTSHOW = 0xB030;
constexpr UINT CN_BASE = 0xBC00; // CN_BASE + WM_xxx: a notification reflected to its control

// What the hint machinery asks a control before it shows a tooltip over it (CM_HINTSHOW's
// lParam). The control may change the text (empty: no tooltip) and the rectangle, in client
// coordinates, within which the mouse may move before the control is asked again.
struct THintInfo {
    TControl* HintControl = nullptr;
    POINT CursorPos{};
    RECT CursorRect{};
    std::string HintStr;
};

using TNotifyEvent = std::function<void(TComponent* sender)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // Takes over a window made elsewhere (a dialog template's control).
    void Attach(HWND window);
    // Makes the control's window in `parent`.
    void Create(HWND parent, const char* className, DWORD style, DWORD exStyle, const RECT& bounds,
                int id = 0);
    HWND Handle() const { return Window; }
    bool HandleAllocated() const { return Window != nullptr; }
    // The control object of a window, or null.
    static TControl* FromHandle(HWND window);

    std::string GetCaption() const;
    void SetCaption(const std::string& text);
    bool GetEnabled() const;
    void SetEnabled(bool enabled);
    bool GetVisible() const;
    void SetVisible(bool visible);
    RECT BoundsRect() const; // in the parent's client coordinates
    void SetBounds(const RECT& bounds);
    RECT ClientRect() const;
    int Width() const;
    int Height() const;
    void SetFont(HFONT font);
    HFONT GetFont() const;
    void Invalidate();

    // The tooltip text; an empty hint shows no tooltip (unless CM_HINTSHOW supplies one).
    const std::string& GetHint() const { return Hint; }
    void SetHint(const std::string& hint);
    bool ShowHint = true;
    TColor Color = clBtnFace;
    HCURSOR Cursor = nullptr; // null: the window class's cursor

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

    // Sends a message to the control's own window procedure chain.
    LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Every message of the window. The default handles mouse enter/leave, the cursor and the
    // hint, and passes the rest on with DefaultHandler.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's original procedure.
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    // A reflected notification (message = the parent's message); true when handled.
    virtual bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The hint request: by default the control's own hint over its whole client area.
    virtual void CMHintShow(THintInfo& info);
    // Called each time the control gets a window (made by Create or taken over by Attach), so a
    // control can set up what belongs to the window rather than to the object.
    virtual void CreateWnd() {}
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void Click();
    virtual void DblClick();

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    LRESULT ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    bool AnswerHintRequest(NMHDR& header);
    const std::string& HintText();
    void RegisterHint();
    void TrackMouse();

    HWND Window = nullptr;
    std::string Hint;
    bool MouseInside = false;
    RECT HintRect{};
};

// A control that holds others (a panel, a page).
class TWinControl : public TControl {
public:
    using TControl::TControl;
};

// A control that draws itself: a light window of the framework's own class whose background is
// its parent's, so it looks transparent. Paint draws the rest.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    // Creates the window in `parent` at `bounds`.
    void CreateIn(HWND parent, const RECT& bounds, int id = 0);
    // The window class name dialog templates use for a graphic control's place.
    static const char* ClassName();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void Paint(TCanvas& canvas) = 0;
    // Draws what the parent shows behind the control.
    void PaintParentBackground(HDC dc);
    bool Transparent = true;

private:
    bool Pressed = false; // the left button went down on the control
};

// A container that paints itself (the base of the gradient panel).
class TCustomPanel : public TWinControl {
public:
    explicit TCustomPanel(TComponent* owner);
    void CreateIn(HWND parent, const RECT& bounds, int id = 0);
    static const char* ClassName();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void Paint(TCanvas& canvas);
};

// Registers the framework's window classes (graphic control, panel); once per process.
void RegisterFrameworkClasses();
