#include "Qel3DClockLabel.h"

#include "Application.h"

namespace {
constexpr UINT TickMilliseconds = 250;

SYSTEMTIME LocalTimeNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}
} // namespace

std::string LongTimeText(const SYSTEMTIME& time) {
    const int size = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, nullptr, 0);
    if (size <= 0)
        return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    const int written = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, text.data(), size);
    text.resize(written > 0 ? static_cast<std::size_t>(written) - 1 : 0); // less the terminator
    return text;
}

TQel3DClockLabel::TQel3DClockLabel(TComponent* owner)
    : TQel3DLabel(owner), Now(LocalTimeNow),
      Timer(std::make_unique<TTimer>(&Application(), false)) {
    Timer->OnTimer = [this](TTimer* sender) { TimerFunc(sender); };
    Timer->SetInterval(TickMilliseconds);
    Timer->SetEnabled(true);
}

TQel3DClockLabel::~TQel3DClockLabel() {
    Timer.reset(); // no tick may reach a label being taken apart
}

void TQel3DClockLabel::TimerFunc(TTimer*) {
    if (Now)
        SetCaption(LongTimeText(Now()));
}
