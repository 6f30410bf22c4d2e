#pragma once
// Small modal dialogs the program asks the user through.

#include <windows.h>

#include <string>

// The modal text-input box: `caption` in the title bar, `prompt` above an edit field of at most
// 255 characters filled with `value`, OK and Cancel. Returns true for OK and leaves the edited
// text in `value`; on Cancel (or when the box cannot be shown) `value` is unchanged. The box is
// owned by the thread's active window and stands centred over it.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

// Ids of the input box's controls, for programs (and tests) that drive it.
constexpr int InputQueryPromptId = 100;
constexpr int InputQueryEditId = 101;
constexpr int InputQueryMaxLength = 255;

// Which device's fonts a font chooser offers.
enum TFontDialogDevice { fdScreen, fdPrinter, fdBoth };
