#include "Application.h"

#include "Exceptions.h"
#include "SingletonHolder.h"

#include <exception>
#include <vector>

namespace {

const char* const AppWindowClass = "KaleidraApplication";

LRESULT CALLBACK AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

// The title until one is set: the program file's name without its folder and without
// everything from its first ".", the first letter as it stands and the rest in lower case
// (so "KALEIDRA.SCR", as Windows may start it, still reads "Kaleidra").
std::string DefaultTitle(std::string fileName) {
    const auto separator = fileName.find_last_of("\\/:");
    if (separator != std::string::npos)
        fileName.erase(0, separator + 1);
    const auto dot = fileName.find('.');
    if (dot != std::string::npos)
        fileName.erase(dot);
    if (!fileName.empty())
        CharLowerBuffA(fileName.data() + 1, static_cast<DWORD>(fileName.size() - 1));
    return fileName;
}

TApplication::TApplication() : AppTitle(DefaultTitle(ProgramFileName())) {}

TApplication::~TApplication() {
    if (Window && IsWindow(Window))
        DestroyWindow(Window);
}

void TApplication::Initialize() {
    if (Initialized)
        return;
    Initialized = true;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = AppWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = AppWindowClass;
    RegisterClassA(&windowClass);
}

HWND TApplication::CreateHandle() {
    Initialize();
    if (Window)
        return Window;
    // Never shown: it only anchors the process's title.
    Window = CreateWindowExA(0, AppWindowClass, AppTitle.c_str(),
                             WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                             0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    return Window;
}

void TApplication::SetTitle(const std::string& title) {
    AppTitle = title;
    if (Window)
        SetWindowTextA(Window, AppTitle.c_str());
}

void TApplication::Run() {
    while (!TerminateRequested && MainFormWindow && IsWindow(MainFormWindow))
        if (!WaitAndHandleMessage())
            break;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            TerminateRequested = true;
        else
            HandleMessage(msg);
    }
}

void TApplication::Terminate() {
    TerminateRequested = true;
    PostQuitMessage(0);
}

bool TApplication::WaitAndHandleMessage() {
    MSG msg;
    const BOOL result = GetMessageA(&msg, nullptr, 0, 0);
    if (result <= 0) {
        TerminateRequested = true;
        return false;
    }
    HandleMessage(msg);
    return true;
}

void TApplication::HandleMessage(MSG& msg) {
    bool handled = false;
    if (OnMessage)
        OnMessage(msg, handled);
    if (handled)
        return;
    // Forms are dialogs: Tab, the arrow keys, Enter and Esc move between their controls.
    if (MainFormWindow && IsWindow(MainFormWindow) && IsDialogMessageA(MainFormWindow, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void TApplication::ShowException(const Exception& error) {
    const HWND owner = MainFormWindow && IsWindow(MainFormWindow) ? MainFormWindow : nullptr;
    const UINT style = MB_OK | MB_ICONERROR | (owner ? 0 : MB_TASKMODAL);
    MessageBoxA(owner, error.Message().c_str(), AppTitle.c_str(), style);
}

void TApplication::HandleException() {
    try {
        throw;
    } catch (const Exception& error) {
        ShowException(error);
    } catch (const std::exception& error) {
        ShowException(Exception(error.what()));
    } catch (...) {
        ShowException(Exception("Unknown error"));
    }
}

std::string ProgramFileName() {
    std::vector<char> buffer(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameA(nullptr, buffer.data(), DWORD(buffer.size()))) ==
           buffer.size())
        buffer.resize(buffer.size() * 2);
    return std::string(buffer.data(), length);
}

std::string ProgramFolder() {
    const std::string file = ProgramFileName();
    const auto separator = file.find_last_of("\\/:");
    return separator == std::string::npos ? std::string() : file.substr(0, separator + 1);
}

TApplication& Application() {
    return SingletonHolder<TApplication>::Instance();
}
