// The Win32 side of the screen-saver frame: the Display Settings preview and the password change.

#include "Saverlib.h"

#include <windows.h>

LRESULT CALLBACK PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace {
const char PreviewClassName[] = "PreviewWindowClass";
const char PreviewWindowName[] = "QelSaverLibSaver";

// What the preview draws, owned by RunPreview and reached by the window through GWLP_USERDATA.
struct TPreviewState {
    RECT DrawRect{};
    HBITMAP Picture = nullptr;
};

TPreviewState* StateOf(HWND window) {
    return reinterpret_cast<TPreviewState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void RegisterPreviewClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_PARENTDC;
    windowClass.lpfnWndProc = PreviewWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = PreviewClassName;
    RegisterClassA(&windowClass); // a second preview finds the class already there
}

void DrawPicture(HDC dc, const TPreviewState& state) {
    const RECT& r = state.DrawRect;
    if (state.Picture == nullptr) {
        // No picture among the resources: a plain black area rather than the parent's leftovers.
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    BITMAP size{};
    GetObjectA(state.Picture, sizeof size, &size);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, state.Picture);
    // HALFTONE averages the pixels it drops, so the shrunken mosaic keeps its colours.
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, size.bmWidth,
               size.bmHeight, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void DrawNow(HWND window, const TPreviewState& state) {
    HDC dc = GetDC(window);
    DrawPicture(dc, state);
    ReleaseDC(window, dc);
}

void RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
} // namespace

LRESULT CALLBACK PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TPreviewState* state = StateOf(window);
    switch (message) {
    case WM_CLOSE:
    case WM_DESTROY:
        // Once RunPreview has let go of the window there is no loop of ours left to end.
        if (state != nullptr)
            PostQuitMessage(0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (state != nullptr)
            DrawPicture(dc, *state);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RunPreview(TWindowHandle parent, int pictureId) {
    HWND parentWindow = reinterpret_cast<HWND>(parent);
    // Without a live parent there is nowhere to draw, and nothing would ever end the loop.
    if (parentWindow == nullptr || !IsWindow(parentWindow))
        return;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterPreviewClass(instance);

    RECT parentRect{};
    GetWindowRect(parentWindow, &parentRect);
    TPreviewState state;
    state.DrawRect = {0, 0, parentRect.right - parentRect.left, parentRect.bottom - parentRect.top};

    HWND window = CreateWindowExA(0, PreviewClassName, PreviewWindowName,
                                  WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, state.DrawRect.right,
                                  state.DrawRect.bottom, parentWindow, nullptr, instance, nullptr);
    if (window == nullptr)
        return;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    // A DIB section keeps the picture's own 24-bit colours whatever the screen depth.
    state.Picture = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(pictureId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    DrawNow(window, state);

    RunMessageLoop();

    // The state dies with this call: detach it before the window can paint again.
    if (IsWindow(window)) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    if (state.Picture != nullptr)
        DeleteObject(state.Picture);
}

void ChangeSaverPassword() {
    ChangeSaverPasswordVia("MPR.DLL");
}

void ChangeSaverPasswordVia(const char* providerLibrary) {
    using TPwdChangePassword = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
    HMODULE library = LoadLibraryA(providerLibrary);
    if (library == nullptr)
        return;
    auto change =
        reinterpret_cast<TPwdChangePassword>(GetProcAddress(library, "PwdChangePasswordA"));
    if (change != nullptr)
        change("SCRSAVE", GetForegroundWindow(), 0, 0);
    FreeLibrary(library);
}
