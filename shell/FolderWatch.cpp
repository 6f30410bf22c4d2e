#include "FolderWatch.h"

#include <process.h>

namespace {
std::atomic<int> RunningWatches{0};
constexpr DWORD WatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
} // namespace

TFolderWatch::TFolderWatch(const std::string& folder, HWND window, UINT message, WPARAM cookie)
    : Window(window), Message(message), Cookie(cookie) {
    // Opened here rather than on the thread, so a folder that cannot be watched is known at once.
    Change = FindFirstChangeNotificationA(folder.c_str(), FALSE, WatchedChanges);
    if (Change == INVALID_HANDLE_VALUE)
        return;
    StopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!StopEvent)
        return;
    ++RunningWatches;
    unsigned id = 0;
    Thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadMain, this, 0, &id));
    if (!Thread) {
        --RunningWatches;
        return;
    }
    ThreadIdent = id;
}

TFolderWatch::~TFolderWatch() {
    if (Thread) {
        SetEvent(StopEvent);
        WaitForSingleObject(Thread, INFINITE);
        CloseHandle(Thread);
    }
    if (StopEvent)
        CloseHandle(StopEvent);
    if (Change != INVALID_HANDLE_VALUE)
        FindCloseChangeNotification(Change);
}

int TFolderWatch::RunningCount() {
    return RunningWatches;
}

unsigned __stdcall TFolderWatch::ThreadMain(void* self) {
    static_cast<TFolderWatch*>(self)->Watch();
    --RunningWatches;
    return 0;
}

void TFolderWatch::Watch() {
    const HANDLE waits[] = {StopEvent, Change};
    for (;;) {
        const DWORD woken = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (woken != WAIT_OBJECT_0 + 1)
            return; // asked to stop, or the wait itself failed
        // One message per burst: the window refreshes once for many changes.
        if (!Posted.exchange(true) && !PostMessageA(Window, Message, Cookie, 0))
            Posted = false;
        if (!FindNextChangeNotification(Change))
            return;
    }
}
