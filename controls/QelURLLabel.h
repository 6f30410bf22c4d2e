#pragma once
// A label that behaves like a hyperlink: underlined in a link colour, another colour while the
// mouse is over it, a hand cursor, and a click that asks the shell to open its address.

#include "Label.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

class TQelURLLabel : public TLabel {
public:
    // ShellExecuteA's shape: owner, verb, file, parameters, directory, show command.
    using TShellOpen =
        std::function<HINSTANCE(HWND, const char*, const char*, const char*, const char*, int)>;

    explicit TQelURLLabel(TComponent* owner);

    // The text colour while the mouse is over a label with an address; red at first.
    TColor GetMouseOverColor() const { return MouseOverColor; }
    void SetMouseOverColor(TColor color);
    // The text colour otherwise; blue at first.
    TColor GetTextColor() const { return TextColor; }
    void SetTextColor(TColor color);
    // What a click opens: a web or "mailto:" address, or any document the shell can open.
    // A label without one is a plain label.
    const std::string& GetURL() const { return URL; }
    void SetURL(const std::string& url);

    // How a click reaches the shell; ShellExecuteA unless a test looks on.
    TShellOpen ShellOpen = ::ShellExecuteA;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The label's OnClick first, then the shell opens the address.
    void Click() override;
    void MouseEnter() override { CMMouseEnter(); }
    void MouseLeave() override { CMMouseLeave(); }
    void CMMouseEnter();
    void CMMouseLeave();

private:
    TColor MouseOverColor = clRed;
    TColor TextColor = clBlue;
    std::string URL;
    // Whether the label shows its hover colour; the font colour alone cannot tell when the
    // two colours are the same.
    bool Hovered = false;
};
