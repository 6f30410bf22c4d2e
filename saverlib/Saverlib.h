#pragma once
// The screen-saver frame: which mode Windows started us in, and the preview's parent window.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum TSaverMode : std::int8_t {
    smNone = 0,
    smConfigure = 2,
    smChangePassword = 3,
    smPreview = 4,
    smSaver = 5,
};

// A window handle as a number, so this unit needs no Windows headers.
using TWindowHandle = std::intptr_t;

// The run mode of this process, parsed from its command line on first use and then kept.
std::int8_t GetSaverMode();
// The preview's parent window from the command line, or 0; kept once found.
TWindowHandle GetPreviewParent();

// The mode that these arguments (those after the program path) select.
std::int8_t ParseSaverMode(const std::vector<std::string>& arguments);
// The parent handle these arguments give, or `current` when they give none. Raises
// EConvertError for a handle that is not an integer. `windowExists` checks the two-argument
// form, where the handle must name a live window.
TWindowHandle ParsePreviewParent(const std::vector<std::string>& arguments, TWindowHandle current,
                                 const std::function<bool(TWindowHandle)>& windowExists);

// Forgets the cached mode and parent, so a test can parse another command line.
void ResetSaverCommandLine();

#ifdef _WIN32
// Shows the bitmap resource `pictureId` of this program in a window that fills `parent`, and
// returns when that window is closed or destroyed. Returns at once when `parent` is no window.
void RunPreview(TWindowHandle parent, int pictureId);

// Lets the user change the screen-saver password through the system's password provider
// "MPR.DLL"; does nothing when the provider is missing.
void ChangeSaverPassword();
// The same through another provider library (tests name one of their own).
void ChangeSaverPasswordVia(const char* providerLibrary);
#endif
