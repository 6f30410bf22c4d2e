#include "QelURLLabel.h"

#include "Application.h"

TQelURLLabel::TQelURLLabel(TComponent* owner) : TLabel(owner) {
    SetOwnLook(TextColor, fsUnderline);
}

void TQelURLLabel::SetMouseOverColor(TColor color) {
    if (color == MouseOverColor)
        return;
    if (Hovered && Font().GetColor() == MouseOverColor)
        SetOwnLook(color);
    MouseOverColor = color;
}

void TQelURLLabel::SetTextColor(TColor color) {
    if (color == TextColor)
        return;
    if (!Hovered && Font().GetColor() == TextColor)
        SetOwnLook(color);
    TextColor = color;
}

void TQelURLLabel::SetURL(const std::string& url) {
    if (url == URL)
        return;
    URL = url;
    Cursor = URL.empty() ? nullptr : LoadCursorA(nullptr, IDC_HAND);
}

void TQelURLLabel::Click() {
    TLabel::Click();
    if (!URL.empty() && ShellOpen)
        ShellOpen(Application().Handle(), "open", URL.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TQelURLLabel::CMMouseEnter() {
    if (URL.empty())
        return;
    Hovered = true;
    SetOwnLook(MouseOverColor);
}

void TQelURLLabel::CMMouseLeave() {
    Hovered = false;
    SetOwnLook(TextColor);
}

LRESULT TQelURLLabel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CM_MOUSEENTER:
        CMMouseEnter();
        return 0;
    case CM_MOUSELEAVE:
        CMMouseLeave();
        return 0;
    default:
        return TLabel::WndProc(message, wParam, lParam);
    }
}
