// A window showing gradient panels in all five directions with captions and bevels, the
// configuration window's bottom band, and labels in their alignments and states. For looking
// at, and for the picture in docs/.
#include "Label.h"
#include "QelGradientPanel.h"

#include <windows.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct TPanelLook {
    TQelGradientType Direction;
    const char* Caption;
    std::vector<TColor> Colors;
    TBevelCut Outer;
    TBevelCut Inner;
    int BorderWidth;
};

const std::vector<TPanelLook> Looks{
    {gtNone, "None", {RGB(70, 130, 180)}, bvRaised, bvNone, 0},
    {gtHorizontal, "Horizontal", {RGB(200, 30, 30), RGB(250, 220, 60)}, bvLowered, bvNone, 0},
    {gtVertical,
     "Vertical",
     {RGB(20, 40, 120), RGB(120, 200, 255), RGB(255, 255, 255)},
     bvRaised,
     bvLowered,
     2},
    {gtCenter, "Center", {RGB(0, 60, 0), RGB(140, 230, 120)}, bvLowered, bvRaised, 0},
    {gtRectangular, "Rectangular", {RGB(90, 0, 110), RGB(255, 180, 240)}, bvRaised, bvRaised, 3},
};

class TGallery {
public:
    explicit TGallery(HWND form) : Form(form) {
        int left = 10;
        for (const TPanelLook& look : Looks) {
            AddPanel(look, RECT{left, 10, left + 108, 130});
            left += 116;
        }
        AddBottomBand();
        AddLabels();
    }

private:
    void AddPanel(const TPanelLook& look, const RECT& bounds) {
        auto panel = std::make_unique<TQelGradientPanel>(&Owner);
        panel->CreateIn(Form, bounds);
        panel->Gradient().SetDirection(look.Direction);
        for (TColor color : look.Colors)
            panel->Gradient().Colors().Add(color);
        panel->SetBevelOuter(look.Outer);
        panel->SetBevelInner(look.Inner);
        panel->SetBevelWidth(2);
        panel->SetBorderWidth(look.BorderWidth);
        panel->Font().SetStyle(fsBold);
        panel->Font().SetColor(clWhite);
        panel->SetCaption(look.Caption);
        Panels.push_back(std::move(panel));
    }

    // As the configuration window's Panel2.
    void AddBottomBand() {
        auto panel = std::make_unique<TQelGradientPanel>(&Owner);
        panel->CreateIn(Form, RECT{0, 359, 590, 400});
        panel->Gradient().Colors().Add(clActiveCaption);
        panel->Gradient().Colors().Add(clBtnFace);
        panel->SetBevelOuter(bvLowered);
        panel->SetBevelInner(bvRaised);
        panel->SetAlignment(taLeftJustify);
        panel->Font().SetName("Arial");
        panel->Font().SetHeight(-27);
        panel->Font().SetStyle(fsBold | fsItalic);
        panel->Font().SetColor(clCaptionText);
        panel->SetCaption("Kaleidra");
        Panels.push_back(std::move(panel));
    }

    TLabel& AddLabel(const RECT& bounds, const std::string& caption, bool autoSize = true) {
        auto label = std::make_unique<TLabel>(&Owner);
        label->SetAutoSize(autoSize);
        label->CreateIn(Form, bounds);
        label->SetCaption(caption);
        Labels.push_back(std::move(label));
        return *Labels.back();
    }

    void AddLabels() {
        for (const auto& [alignment, text, top] :
             {std::tuple{taLeftJustify, "Left aligned", 145}, std::tuple{taCenter, "Centred", 170},
              std::tuple{taRightJustify, "Right aligned", 195}}) {
            TLabel& label = AddLabel(RECT{10, top, 290, top + 20}, text, false);
            label.SetAlignment(alignment);
            label.SetLayout(tlCenter);
            label.Color = clWindow;
        }
        TLabel& disabled = AddLabel(RECT{10, 225, 200, 245}, "Change after (disabled)");
        disabled.SetEnabled(false);
        TLabel& wrapped = AddLabel(RECT{310, 145, 580, 215},
                                   "Word wrap: a longer caption that breaks into lines "
                                   "within the label's width, centred at the bottom.",
                                   false);
        wrapped.SetWordWrap(true);
        wrapped.SetAlignment(taCenter);
        wrapped.SetLayout(tlBottom);
        wrapped.Color = clWindow;
        TLabel& big = AddLabel(RECT{310, 225, 580, 255}, "Kaleidra");
        big.Font().SetName("Times New Roman");
        big.Font().SetHeight(-24);
        big.Font().SetStyle(fsBold | fsItalic);
        big.Font().SetColor(SystemColor(COLOR_INACTIVECAPTION));
        TLabel& name = AddLabel(RECT{10, 265, 60, 285}, "&Name:");
        Edit = std::make_unique<TWinControl>(&Owner);
        Edit->Create(Form, "EDIT", WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE,
                     RECT{70, 262, 290, 284}, 300);
        name.SetFocusControl(Edit.get());
        TLabel& link = AddLabel(RECT{310, 265, 580, 285}, "Transparent, in blue");
        link.SetTransparent(true);
        link.Font().SetColor(clBlue);
        link.Font().SetStyle(fsUnderline);
    }

    HWND Form;
    TComponent Owner;
    std::vector<std::unique_ptr<TQelGradientPanel>> Panels;
    std::vector<std::unique_ptr<TLabel>> Labels;
    std::unique_ptr<TWinControl> Edit;
};

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FormProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "KaleidraGradientGallery";
    RegisterClassA(&windowClass);
    RECT frame{0, 0, 590, 400};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    const HWND form = CreateWindowExA(
        0, windowClass.lpszClassName, "Gradient panels and labels", style, 20, 20,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    SendMessageA(form, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    TGallery gallery(form);
    ShowWindow(form, show);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(form, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
