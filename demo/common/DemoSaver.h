#pragma once
// The frame every demo saver shares: the screen-saver command line, the full-screen or preview
// window, input that ends the saver, the frame clock and the optional start/end log.

#include "DemoCanvas.h"

#include <memory>

// One saver's drawing, in the manner of the XScreenSaver hacks: the constructor sets up the
// state for a canvas of the given size, Draw paints one frame, the destructor frees it all.
// No globals, so the same code fills a screen or the Display Settings preview.
class TDemoScene {
public:
    virtual ~TDemoScene() = default;
    // Paints the next frame; returns the milliseconds to wait before the one after it.
    virtual unsigned Draw(TCanvas& canvas) = 0;
};

struct TDemoSaverInfo {
    const char* Name; // shown in the settings message and written to the log
    std::unique_ptr<TDemoScene> (*CreateScene)(int width, int height);
};

// The whole program: reads the command line, runs the mode it names and returns the exit code.
int RunDemoSaver(const TDemoSaverInfo& saver);
