#include "ControlsTestSupport.h"

#include "TestWindow.h"

TWinControl& TestForm() {
    return SharedTestWindow("Controls");
}

int MeasureText(HWND window, const std::string& text) {
    const HDC dc = GetDC(window);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

int FrameMargin(HWND window) {
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return 2 * ((outer.right - outer.left) - (client.right - client.left));
}

int HorizontalExtent(HWND listBox) {
    return static_cast<int>(SendMessageA(listBox, LB_GETHORIZONTALEXTENT, 0, 0));
}

std::vector<int> SelectedIndices(HWND listBox) {
    std::vector<int> selected;
    const auto count = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index)
        if (SendMessageA(listBox, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0)
            selected.push_back(index);
    return selected;
}

std::vector<std::string> ItemTexts(HWND listBox) {
    std::vector<std::string> texts;
    const auto count = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        const auto length = SendMessageA(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(listBox, LB_GETTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        texts.push_back(text);
    }
    return texts;
}
