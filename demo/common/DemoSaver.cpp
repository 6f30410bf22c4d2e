#include "DemoSaver.h"

#include "CommandLine.h"
#include "Exceptions.h"
#include "Saverlib.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
const char WindowClassName[] = "KaleidraDemoSaver";
// A real move of the mouse, not the jitter of a desk or a trackpad.
constexpr int MouseTolerance = 8;

// What the window procedure needs; lives in RunDemoSaver and is reached via GWLP_USERDATA.
struct TSaverWindow {
    bool FullScreen = false;
    bool MouseSeen = false;
    POINT FirstMouse{};
    TCanvas* Canvas = nullptr;
};

// Wine hands Unix paths through the environment; Windows file functions need a drive letter.
std::string WindowsPathOf(const std::string& path) {
    using TToDos = WCHAR*(CDECL*)(const char*);
    const auto toDos = reinterpret_cast<TToDos>(
        GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "wine_get_dos_file_name"));
    if (path.empty() || path[0] != '/' || toDos == nullptr)
        return path;
    WCHAR* wide = toDos(path.c_str());
    if (wide == nullptr)
        return path;
    char narrow[MAX_PATH * 2] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, wide);
    return narrow;
}

// One line in the file KALEIDRA_DEMO_LOG names, if it names one; the demo script reads it.
void AppendLog(const std::string& line) {
    char path[MAX_PATH * 2] = "";
    const DWORD length = GetEnvironmentVariableA("KALEIDRA_DEMO_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;
    if (FILE* log = std::fopen(WindowsPathOf(path).c_str(), "a")) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments)
        text += (text.empty() ? "" : " ") + argument;
    return text;
}

TSaverWindow* StateOf(HWND window) {
    return reinterpret_cast<TSaverWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool MovedFarEnough(TSaverWindow& state, LPARAM position) {
    const POINT now{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (!state.MouseSeen) {
        // Windows sends one move when the window appears under the cursor: that is no user.
        state.MouseSeen = true;
        state.FirstMouse = now;
        return false;
    }
    return std::abs(now.x - state.FirstMouse.x) > MouseTolerance ||
           std::abs(now.y - state.FirstMouse.y) > MouseTolerance;
}

// Input ends a full-screen saver; the preview ignores it, as Display Settings expects.
bool IsUserInput(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEWHEEL:
        return true;
    default:
        return false;
    }
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TSaverWindow* state = StateOf(window);
    if (state != nullptr && state->FullScreen) {
        if (IsUserInput(message) || (message == WM_MOUSEMOVE && MovedFarEnough(*state, lParam))) {
            PostQuitMessage(0);
            return 0;
        }
        if (message == WM_SETCURSOR) {
            SetCursor(nullptr);
            return TRUE;
        }
    }
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_SCREENSAVE)
            return 0; // we are the screen saver already
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            PostQuitMessage(0);
            return 0;
        }
        break;
    case WM_CLOSE:
        // Ending the loop is enough: see RunWindow for why the window is not destroyed here.
        PostQuitMessage(0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_ERASEBKGND:
        return 1; // every frame covers the whole window
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (state != nullptr && state->Canvas != nullptr)
            state->Canvas->Present(dc);
        EndPaint(window, &paint);
        return 0;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK SaverWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through Windows' own frames; a broken saver just ends.
        PostQuitMessage(1);
        return 0;
    }
}

void RegisterSaverClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = SaverWndProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = WindowClassName;
    RegisterClassA(&windowClass);
}

HWND CreateFullScreenWindow(const char* name) {
    // The virtual screen spans every monitor; its origin may lie left of or above (0, 0).
    HWND window = CreateWindowExA(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WindowClassName, name, WS_POPUP | WS_VISIBLE,
        GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
        GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr,
        nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr) {
        SetForegroundWindow(window);
        while (ShowCursor(FALSE) >= 0) {
        }
    }
    return window;
}

HWND CreatePreviewWindow(const char* name, HWND parent) {
    RECT client{};
    GetClientRect(parent, &client);
    return CreateWindowExA(0, WindowClassName, name, WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                           client.bottom, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Draws frames when they are due and handles messages in between, until WM_QUIT.
void Animate(HWND window, TDemoScene& scene, TCanvas& canvas) {
    ULONGLONG due = GetTickCount64();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const ULONGLONG now = GetTickCount64();
        if (now < due) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(due - now),
                                      QS_ALLINPUT);
            continue;
        }
        const unsigned delay = scene.Draw(canvas);
        HDC dc = GetDC(window);
        canvas.Present(dc);
        ReleaseDC(window, dc);
        // Counted from the end of this frame, so a slow machine drops frames, not input.
        due = GetTickCount64() + delay;
    }
}

void RunWindow(const TDemoSaverInfo& saver, HWND window, TSaverWindow& state) {
    RECT client{};
    GetClientRect(window, &client);
    TCanvas canvas(client.right, client.bottom);
    std::unique_ptr<TDemoScene> scene = saver.CreateScene(canvas.Width(), canvas.Height());
    state.Canvas = &canvas;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    Animate(window, *scene, canvas);
    // The canvas goes with this call: the window must not paint from it any more.
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    // A preview leaves its parent at once. The full-screen window goes with the process: under
    // Wine, DestroyWindow on a top-level window waits about two seconds for the X server, and
    // Kaleidra gives a saver only 2.5 s to end after its click.
    if (IsWindow(window) && (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0)
        DestroyWindow(window);
}

bool IsLiveWindow(TWindowHandle handle) {
    return IsWindow(reinterpret_cast<HWND>(handle)) != FALSE;
}

// The window a handle argument names ("/p 123", "/p:123", "/c:123"), or null.
HWND WindowFromArguments(const std::vector<std::string>& arguments) {
    try {
        const auto handle = reinterpret_cast<HWND>(ParsePreviewParent(arguments, 0, IsLiveWindow));
        return IsWindow(handle) ? handle : nullptr;
    } catch (const EConvertError&) {
        return nullptr;
    }
}

void RunMode(const TDemoSaverInfo& saver, const std::vector<std::string>& arguments) {
    RegisterSaverClass();
    TSaverWindow state;
    switch (ParseSaverMode(arguments)) {
    case smSaver:
        state.FullScreen = true;
        if (HWND window = CreateFullScreenWindow(saver.Name))
            RunWindow(saver, window, state);
        break;
    case smPreview:
        if (HWND parent = WindowFromArguments(arguments))
            if (HWND window = CreatePreviewWindow(saver.Name, parent))
                RunWindow(saver, window, state);
        break;
    case smConfigure: {
        const std::string text = std::string(saver.Name) + " has no settings.";
        MessageBoxA(WindowFromArguments(arguments), text.c_str(), saver.Name,
                    MB_OK | MB_ICONINFORMATION);
        break;
    }
    default:
        break; // no password of our own, and nothing to do for unknown letters
    }
}
} // namespace

int RunDemoSaver(const TDemoSaverInfo& saver) {
    const std::vector<std::string> arguments = ProgramArguments();
    const std::string given = JoinArguments(arguments);
    AppendLog(std::string(saver.Name) + " started" + (given.empty() ? "" : " " + given));
    int exitCode = 0;
    try {
        RunMode(saver, arguments);
    } catch (...) {
        exitCode = 1; // a saver shows no errors: it ends, and the log says so
    }
    AppendLog(std::string(saver.Name) + " ended");
    return exitCode;
}
