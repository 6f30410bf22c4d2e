// Every control of Kaleidra's control library in one window, to look at and to try: the list
// boxes (hover a long entry for its tooltip; drop files from Explorer on the second one), the
// URL labels, the gradient panels, 3D labels and the clock, and the font combo box with its
// options.

#include "Qel3DClockLabel.h"
#include "Qel3DLabel.h"
#include "QelDropListBox.h"
#include "QelFontComboBox.h"
#include "QelGradientPanel.h"
#include "QelListBox.h"
#include "QelURLLabel.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int FormWidth = 780;
constexpr int FormHeight = 520;

// The option switches of the font combo box, by control id.
enum TFontSwitch { swFixedPitch = 200, swNoSymbols, swOwnFace, swGlyphs, swPrinter };

HFONT GuiFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

struct TPanelLook {
    TQelGradientType Direction;
    const char* Caption;
    std::vector<TColor> Colors;
};

struct T3DLook {
    const char* Caption;
    TQel3DDirection Direction;
    TQel3DType Type;
    int Depth;
    TColor TextColor;
    TColor DepthColor;
};

class TGallery {
public:
    explicit TGallery(HWND form) : Form(form) {
        // The window passes its children's notifications (owner drawing above all) back to
        // their controls.
        FormControl.Attach(form);
        AddGradientPanels();
        AddListBoxes();
        Add3DLabels();
        AddLinks();
        AddFontComboBox();
    }

    // A switch of the font combo box was clicked.
    void SwitchChanged(int id) {
        const bool on = SendDlgItemMessageA(Form, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
        TQelFontOptions& options = Fonts->FontOptions();
        switch (id) {
        case swFixedPitch:
            options.SetPitch(on ? fpFixed : fpAny);
            break;
        case swNoSymbols:
            options.SetExcludeSymbolFonts(on);
            break;
        case swOwnFace:
            Fonts->SetUseFont(on);
            break;
        case swGlyphs:
            Fonts->SetGlyphs(on ? AllGlyphs : TQelGlyphSet{});
            break;
        case swPrinter:
            options.SetDevice(on ? fdBoth : fdScreen);
            break;
        default:
            break;
        }
        FontCount->SetCaption(std::to_string(Fonts->Items().Count()) + " faces");
    }

private:
    template <typename T> T& Own(std::unique_ptr<T> control) {
        T& kept = *control;
        Controls.push_back(std::move(control));
        return kept;
    }

    TLabel& AddHeading(int left, int top, const char* text) {
        auto& label = Own(std::make_unique<TLabel>(&Owner));
        label.CreateIn(Form, RECT{left, top, left + 240, top + 16});
        label.Font().SetStyle(fsBold);
        label.SetCaption(text);
        return label;
    }

    void AddGradientPanels() {
        const TPanelLook looks[] = {
            {gtNone, "None", {RGB(70, 130, 180)}},
            {gtHorizontal, "Horizontal", {RGB(200, 30, 30), RGB(250, 220, 60)}},
            {gtVertical, "Vertical", {RGB(20, 40, 120), RGB(120, 200, 255), RGB(255, 255, 255)}},
            {gtCenter, "Center", {RGB(0, 60, 0), RGB(140, 230, 120)}},
            {gtRectangular, "Rectangular", {RGB(90, 0, 110), RGB(255, 180, 240)}},
        };
        AddHeading(10, 8, "Gradient panels");
        int left = 10;
        for (const TPanelLook& look : looks) {
            auto& panel = Own(std::make_unique<TQelGradientPanel>(&Owner));
            panel.CreateIn(Form, RECT{left, 28, left + 144, 108});
            panel.Gradient().SetDirection(look.Direction);
            for (TColor color : look.Colors)
                panel.Gradient().Colors().Add(color);
            panel.SetBevelOuter(bvRaised);
            panel.SetBevelInner(bvLowered);
            panel.Font().SetStyle(fsBold);
            panel.Font().SetColor(clWhite);
            panel.SetCaption(look.Caption);
            left += 152;
        }
    }

    void AddListBoxes() {
        AddHeading(10, 122, "List box with item hints");
        auto& hints = Own(std::make_unique<TQelListBox>(&Owner));
        hints.Create(Form, RECT{10, 142, 250, 262}, 100, true);
        hints.SetFont(GuiFont());
        for (const char* entry :
             {"C:\\Windows\\System32\\Mystify.scr", "C:\\Windows\\System32\\Ribbons.scr",
              "C:\\Program Files\\Savers\\A saver with a very long name indeed.scr",
              "D:\\Savers\\Aquarium.scr", "D:\\Savers\\Flower Box.scr", "D:\\Savers\\Stars.scr",
              "E:\\Collections\\Old but loved\\Flying Windows.scr"})
            hints.Add(entry);

        AddHeading(10, 276, "Drop files here (*.scr only)");
        auto& drops = Own(std::make_unique<TQelDropListBox>(&Owner));
        drops.Create(Form, RECT{10, 296, 250, 400}, 101, true);
        drops.SetFont(GuiFont());
        drops.SetFileMask("*.scr");
        drops.SetAcceptFiles(true);
    }

    void Add3DLabels() {
        const T3DLook looks[] = {
            {"Shadow", dirLeftTop, dtShadow, 1, clBtnText, clBtnHighlight},
            {"Raised", dirRightBottom, dtShadow, 2, RGB(255, 255, 255), RGB(64, 64, 64)},
            {"Block", dirRightBottom, dtBlock, 4, RGB(250, 200, 40), RGB(150, 60, 0)},
            {"Deep", dirLeftBottom, dtBlock, 6, RGB(120, 200, 255), RGB(20, 40, 120)},
        };
        AddHeading(270, 122, "3D labels");
        int top = 142;
        for (const T3DLook& look : looks) {
            auto& label = Own(std::make_unique<TQel3DLabel>(&Owner));
            label.CreateIn(Form, RECT{270, top, 500, top + 40});
            label.Font().SetName("Arial");
            label.Font().SetHeight(-28);
            label.Font().SetStyle(fsBold);
            label.Font().SetColor(look.TextColor);
            label.SetDepthDir(look.Direction);
            label.SetDepthType(look.Type);
            label.SetDepthSize(look.Depth);
            label.SetDepthColor(look.DepthColor);
            label.SetCaption(look.Caption);
            top += 44;
        }
        auto& disabled = Own(std::make_unique<TQel3DLabel>(&Owner));
        disabled.CreateIn(Form, RECT{400, 142, 560, 182});
        disabled.Font().SetName("Arial");
        disabled.Font().SetHeight(-28);
        disabled.Font().SetStyle(fsBold);
        disabled.SetDepthSize(3);
        disabled.SetDepthType(dtBlock);
        disabled.SetCaption("Disabled");
        disabled.SetEnabled(false);

        AddHeading(270, 330, "3D clock label");
        auto& clock = Own(std::make_unique<TQel3DClockLabel>(&Owner));
        clock.CreateIn(Form, RECT{270, 350, 520, 400});
        clock.Font().SetName("Times New Roman");
        clock.Font().SetHeight(-36);
        clock.Font().SetStyle(fsBold);
        clock.Font().SetColor(RGB(0, 90, 160));
        clock.SetDepthDir(dirRightBottom);
        clock.SetDepthType(dtBlock);
        clock.SetDepthSize(3);
        clock.SetDepthColor(RGB(160, 200, 230));
    }

    void AddLinks() {
        AddHeading(10, 414, "URL labels");
        int top = 434;
        for (const char* url :
             {"https://kaleidra.example.org/", "mailto:support@kaleidra.example.org"}) {
            auto& link = Own(std::make_unique<TQelURLLabel>(&Owner));
            link.CreateIn(Form, RECT{10, top, 260, top + 16});
            link.SetCaption(url);
            link.SetURL(url);
            top += 22;
        }
    }

    void AddFontComboBox() {
        AddHeading(560, 122, "Font combo box");
        Fonts = &Own(std::make_unique<TQelFontComboBox>(&Owner));
        Fonts->Create(Form, RECT{560, 142, 770, 166}, 102);
        Fonts->SetDropDownCount(16);
        Fonts->SetFont(GuiFont());
        Fonts->SetFontName("Arial");
        FontCount = &Own(std::make_unique<TLabel>(&Owner));
        FontCount->CreateIn(Form, RECT{560, 172, 770, 188});
        const std::pair<TFontSwitch, const char*> switches[] = {
            {swFixedPitch, "Fixed pitch only"},
            {swNoSymbols, "No symbol fonts"},
            {swOwnFace, "Names in their own face"},
            {swGlyphs, "Font type glyphs"},
            {swPrinter, "Printer fonts too"}};
        int top = 196;
        for (const auto& [id, text] : switches) {
            const HWND box = CreateWindowExA(
                0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 560, top,
                210, 20, Form, reinterpret_cast<HMENU>(id), GetModuleHandleA(nullptr), nullptr);
            SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
            if (id == swGlyphs)
                SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
            top += 24;
        }
        FontCount->SetCaption(std::to_string(Fonts->Items().Count()) + " faces");
    }

    HWND Form;
    TComponent Owner;
    TWinControl FormControl{&Owner};
    std::vector<std::unique_ptr<TControl>> Controls;
    TQelFontComboBox* Fonts = nullptr;
    TLabel* FontCount = nullptr;
};

TGallery* Gallery = nullptr;

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && Gallery &&
        LOWORD(wParam) >= swFixedPitch && LOWORD(wParam) <= swPrinter) {
        Gallery->SwitchChanged(LOWORD(wParam));
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    RegisterFrameworkClasses();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FormProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "KaleidraControlGallery";
    RegisterClassA(&windowClass);
    RECT frame{0, 0, FormWidth, FormHeight};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    const HWND form =
        CreateWindowExA(0, windowClass.lpszClassName, "Kaleidra control gallery", style,
                        CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    TGallery gallery(form);
    Gallery = &gallery;
    ShowWindow(form, show);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(form, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Gallery = nullptr;
    return 0;
}
