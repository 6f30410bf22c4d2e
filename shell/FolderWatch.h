#pragma once
// Watches one folder for files and folders that appear, vanish or are renamed. The wait runs
// on a thread of its own; each burst of changes becomes one message posted to a window, so
// all the refreshing happens on that window's thread.

#include <windows.h>

#include <atomic>
#include <string>

class TFolderWatch {
public:
    // Starts watching `folder`. When the system refuses (no such folder, a drive without a
    // disk) there is no thread and Active() is false. Every message carries `cookie` as its
    // wParam, so the window can tell a stale watch's message from the current one's.
    TFolderWatch(const std::string& folder, HWND window, UINT message, WPARAM cookie);
    // Stops the thread and waits until it has ended.
    ~TFolderWatch();
    TFolderWatch(const TFolderWatch&) = delete;
    TFolderWatch& operator=(const TFolderWatch&) = delete;

    bool Active() const { return Thread != nullptr; }
    // The id of the watch thread; 0 without one.
    DWORD ThreadId() const { return ThreadIdent; }
    // The window has taken the last message: the next change posts a new one.
    void Acknowledge() { Posted = false; }

    // Watch threads of this process that have not finished yet.
    static int RunningCount();

private:
    static unsigned __stdcall ThreadMain(void* self);
    void Watch();

    HWND Window;
    UINT Message;
    WPARAM Cookie;
    HANDLE Change = INVALID_HANDLE_VALUE;
    HANDLE StopEvent = nullptr;
    HANDLE Thread = nullptr;
    DWORD ThreadIdent = 0;
    std::atomic<bool> Posted{false};
};
