#pragma once
// The saver run: start one saver of the collection, watch it, replace it when its turn is
// over, and end when it ends.

#include "Kdregistry.h"
#include "Timer.h"

#include <windows.h>

#include <functional>
#include <memory>

// The millisecond tick counter; GetTickCount unless a test puts its own clock here.
using TTickSource = std::function<DWORD()>;
// Replaces the clock and returns the one replaced; an empty source restores GetTickCount.
TTickSource SetSaverTickSource(TTickSource source);
DWORD SaverTickCount();

// Tick count taken when a saver was last chosen.
extern DWORD SaverStartTick;

// The child saver of a run, with the two flags that drive the rotation.
class TSaverProcess : public TProcessManager {
public:
    static constexpr UINT RotationIntervalMs = 1000;

    // Installs OnAppMessage as the application's message hook, replacing any other.
    TSaverProcess();
    // Removes the hook, if it is still this object's.
    ~TSaverProcess() override;

    // A click on the child's foreground window, then a quit message to it, then the plain
    // request; true when the child still runs afterwards.
    bool Stop() override;

    // Marks a change as due once the turn has lasted the set number of minutes.
    void OnRotationTimer(TTimer* sender);
    // Notes the monitor power-down command; never marks a message as handled.
    void OnAppMessage(MSG& msg, bool& handled);

    bool ChangeDue = true;
    bool MonitorOff = false;
    std::unique_ptr<TTimer> RotationTimer;

private:
    bool OwnsWindow(HWND window) const;
};

// The work of saver mode; returns when the run is over.
void RunSaver();
