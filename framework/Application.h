#pragma once
// The application object: the hidden top-level window, the title, the main form, the
// message loop with its hook, and the standard exception display.

#include <windows.h>

#include <functional>
#include <string>

class Exception;

class TApplication {
public:
    // Sees every message taken from the queue before it is dispatched; setting `handled`
    // keeps the message from its window.
    using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;

    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Registers the window class of the hidden top-level window; once only. The window itself
    // is made by CreateHandle, only in the modes that show windows: a saver run makes none,
    // so it starts its saver without waiting for the window system to come up.
    void Initialize();
    // Creates the hidden window if it does not exist yet, and returns it.
    HWND CreateHandle();
    // The hidden window, or null while there is none.
    HWND Handle() const { return Window; }

    const std::string& Title() const { return AppTitle; }
    void SetTitle(const std::string& title);

    // The window whose life the message loop follows (a form's handle); null for none.
    HWND MainForm() const { return MainFormWindow; }
    void SetMainForm(HWND form) { MainFormWindow = form; }

    // Runs the message loop while the main form exists; returns at once without one.
    void Run();
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // Ends Run at its next message.
    void Terminate();
    bool Terminated() const { return TerminateRequested; }

    // Installed, replaced or removed by plain assignment.
    TMessageEvent OnMessage;

    // The standard exception display: a message box with the message and the title.
    void ShowException(const Exception& error);
    // For a catch (...) block at a message boundary: shows what was thrown, so that no
    // exception crosses a window procedure.
    void HandleException();

private:
    void HandleMessage(MSG& msg);
    bool WaitAndHandleMessage();

    bool Initialized = false;
    HWND Window = nullptr;
    HWND MainFormWindow = nullptr;
    std::string AppTitle;
    bool TerminateRequested = false;
};

// The one application object of this process.
TApplication& Application();

// The full path of this program's own file.
std::string ProgramFileName();
// The folder of this program's own file, with its trailing separator.
std::string ProgramFolder();
// The application's title until one is set, from the program's file name: "Kaleidra" for
// "C:\Savers\KALEIDRA.SCR".
std::string DefaultTitle(std::string fileName);
