#pragma once
// Helpers for the label tests: a recording of what a paint draws (text with its place and
// colour, lines), a message pump that waits for a condition, and a parent window that hands
// its children a font of its own.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One piece of text output: where its reference point lay, in which colour, what it said.
struct TTextCall {
    POINT At{};
    COLORREF Color = 0;
    std::string Text;
};

struct TLineCall {
    POINT From{};
    POINT To{};
};

struct TRecording {
    std::vector<TTextCall> Texts;
    std::vector<TLineCall> Lines;
};

// Runs `paint` on an enhanced-metafile device context and reads the metafile back record by
// record: every text output with the text colour in force, and every line.
TRecording Record(const std::function<void(HDC)>& paint);

// Handles messages until `done` holds or `timeoutMs` has passed; whether `done` held.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// A child window of the test form that gives its children `font` (WM_GETFONT), as a dialog
// page gives its controls the template's font.
class TFontParent {
public:
    explicit TFontParent(HFONT font);
    ~TFontParent();
    TFontParent(const TFontParent&) = delete;
    TFontParent& operator=(const TFontParent&) = delete;
    HWND Handle() const { return Window; }

private:
    HWND Window;
};
