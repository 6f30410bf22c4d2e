#include "Kdsaver.h"

#include "Application.h"
#include "Kdlist.h"

#include <string>
#include <utility>
#include <vector>

DWORD SaverStartTick = 0;

namespace {

const DWORD PollIntervalMs = 500;
const DWORD PauseBeforeStartMs = 2000;
const int FurtherTries = 5;

TTickSource& TickSource() {
    static TTickSource source = GetTickCount;
    return source;
}

// The hook as a named type, so the destructor can tell its own hook from another's.
struct TSaverMessageHook {
    TSaverProcess* Owner;
    void operator()(MSG& msg, bool& handled) const { Owner->OnAppMessage(msg, handled); }
};

// The local state of one run: the group, and the saver that was last started.
class TSaverRun {
public:
    TSaverRun(TSaverProcess& saver, TKDSaverList& savers, std::size_t group)
        : Saver(saver), Savers(savers), Group(group) {}

    void ChooseSaver();

private:
    void StartSaver(std::size_t index);
    std::string SaverPath(std::size_t index) const;

    TSaverProcess& Saver;
    TKDSaverList& Savers;
    const std::size_t Group;
    std::string CurrentPath;
    std::string CurrentFolder;
    std::string CurrentCommandLine;
};

std::string TSaverRun::SaverPath(std::size_t index) const {
    const char* name = Savers.GetSaverName(Group, index);
    return name ? name : "";
}

void TSaverRun::ChooseSaver() {
    SaverStartTick = SaverTickCount();
    const std::size_t index = Savers.PickSaver(Group);
    // The same saver again simply starts a new turn.
    if (SaverPath(index) != CurrentPath)
        StartSaver(index);
    Saver.ChangeDue = false;
}

void TSaverRun::StartSaver(std::size_t index) {
    bool firstTry = true;
    for (int triesLeft = FurtherTries;; --triesLeft) {
        if (Saver.IsRunning()) {
            Saver.Stop();
            Sleep(PauseBeforeStartMs);
        }
        if (firstTry)
            firstTry = false;
        else
            index = Savers.PickSaver(Group);
        CurrentPath = SaverPath(index);
        CurrentFolder = SaverFolder(CurrentPath);
        CurrentCommandLine = SaverCommandLine(CurrentPath, "/s");
        Application().ProcessMessages();
        if (Saver.Launch(CurrentPath, CurrentFolder, CurrentCommandLine, IDLE_PRIORITY_CLASS) ||
            Saver.MonitorOff)
            return;
        if (triesLeft == 0)
            return;
    }
}

} // namespace

TTickSource SetSaverTickSource(TTickSource source) {
    if (!source)
        source = GetTickCount;
    return std::exchange(TickSource(), std::move(source));
}

DWORD SaverTickCount() {
    return TickSource()();
}

TSaverProcess::TSaverProcess() : RotationTimer(std::make_unique<TTimer>(&Application(), false)) {
    RotationTimer->SetInterval(RotationIntervalMs);
    RotationTimer->OnTimer = [this](TTimer* sender) { OnRotationTimer(sender); };
    Application().OnMessage = TSaverMessageHook{this};
}

TSaverProcess::~TSaverProcess() {
    const auto* hook = Application().OnMessage.target<TSaverMessageHook>();
    if (hook && hook->Owner == this)
        Application().OnMessage = nullptr;
    RotationTimer.reset();
}

bool TSaverProcess::OwnsWindow(HWND window) const {
    DWORD processId = 0;
    return window && GetWindowThreadProcessId(window, &processId) &&
           processId == ProcessInfo.dwProcessId;
}

bool TSaverProcess::Stop() {
    if (!IsRunning())
        return false;
    // A click meant for the saver must never land in some other program.
    const HWND foreground = GetForegroundWindow();
    if (!OwnsWindow(foreground))
        return TProcessManager::Stop();
    PostMessageA(foreground, WM_LBUTTONDOWN, 0, 0);
    PostMessageA(foreground, WM_LBUTTONUP, 0, 0);
    WaitOnHandle(ProcessInfo.hThread, StopWaitMs);
    if (!IsRunning())
        return false;
    PostMessageA(foreground, WM_QUIT, 0, 0);
    WaitOnHandle(ProcessInfo.hThread, StopWaitMs);
    if (IsRunning())
        return TProcessManager::Stop();
    return false;
}

void TSaverProcess::OnRotationTimer(TTimer*) {
    if (MonitorOff || GetRotationSettings().ChangeOnStartup || !IsRunning())
        return;
    const DWORD elapsed = SaverTickCount() - SaverStartTick;
    const DWORD limit = static_cast<DWORD>(GetRotationSettings().ChangeAfterMinutes) * 60000u;
    if (elapsed >= limit)
        ChangeDue = true;
}

void TSaverProcess::OnAppMessage(MSG& msg, bool&) {
    if (msg.message == WM_SYSCOMMAND && msg.wParam == SC_MONITORPOWER) {
        MonitorOff = true;
        // Rotation is over for this run: a change already due would only keep the run
        // alive after its saver has ended.
        ChangeDue = false;
    }
}

void RunSaver() {
    TSaverProcess saver;
    TKDSaverList& savers = GetSaverList();
    savers.LoadFromFile(ProgramFolder() + "Kaleidra.cfg");
    GetRotationSettings().ReadSettings();
    if (savers.CountActiveSavers() == 0)
        return;
    TSaverRun run(saver, savers, savers.PickGroup());
    saver.RotationTimer->SetEnabled(true);
    do {
        if (saver.ChangeDue && !saver.MonitorOff)
            run.ChooseSaver();
        Application().ProcessMessages();
        saver.WaitFor(PollIntervalMs);
    } while (saver.IsRunning() || (saver.ChangeDue && !saver.MonitorOff));
}
