#pragma once
// A 3D label that shows the time of day in the user's long time format and keeps it current:
// a timer reads the clock four times a second, so the seconds shown change within a quarter
// of a second of the real change.

#include "Qel3DLabel.h"
#include "Timer.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

class TQel3DClockLabel : public TQel3DLabel {
public:
    explicit TQel3DClockLabel(TComponent* owner);
    ~TQel3DClockLabel() override;

    // Where the time comes from: the local time unless a test sets the clock.
    std::function<SYSTEMTIME()> Now;

protected:
    // Shows the time now.
    void TimerFunc(TTimer* sender);

private:
    std::unique_ptr<TTimer> Timer;
};

// `time` as text in the user's long time format (hours, minutes and seconds with the
// locale's separators and markers).
std::string LongTimeText(const SYSTEMTIME& time);
