#pragma once
// Helpers for the control tests: one form window for the whole test program (a top-level
// window takes long to go under Wine without a window manager), and independent measurements
// of what the controls report.

#include "Controls.h"

#include <windows.h>

#include <string>
#include <vector>

// The form every test puts its controls on: a framework control, so it reflects its
// children's notifications back to them. It carries the GUI font.
TWinControl& TestForm();

// Room on the form for one list box.
constexpr RECT ListBounds{10, 10, 210, 190};
constexpr int ListId = 100;

// The width of `text` in the window's current font, measured here with plain GDI.
int MeasureText(HWND window, const std::string& text);
// Twice the difference between the window's outer and client widths.
int FrameMargin(HWND window);
// The list box's horizontal scroll range as the window itself reports it.
int HorizontalExtent(HWND listBox);
// The selected indices of a list box, ascending.
std::vector<int> SelectedIndices(HWND listBox);
// Every item text of a list box, in order.
std::vector<std::string> ItemTexts(HWND listBox);
