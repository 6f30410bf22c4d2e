// Kaleidra.scr: the entry point. Windows starts a screen saver with a mode letter on its
// command line; this file guards against a second instance and hands over to the mode's work.

#include "Application.h"
#include "Exceptions.h"
#include "Kdconfig.h"
#include "Kdsaver.h"
#include "KdResources.h"
#include "Saverlib.h"

#include <windows.h>

#include <string>

namespace {
const char* const InstanceLockName = "qelKaleidraMutex";

// Takes the system-wide lock, or reports that another instance holds it. Creating and
// testing "already exists" is one step, so two instances started together cannot both run.
// The handle is never closed: the lock lives exactly as long as this process.
bool TakeInstanceLock() {
    const HANDLE lock = CreateMutexA(nullptr, TRUE, InstanceLockName);
    return lock != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

// The hidden application window must not show up in the task bar or in Alt+Tab.
void HideApplicationWindowFromTaskBar() {
    const HWND window = Application().Handle();
    if (!window)
        return;
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
    SetWindowLongPtrA(window, GWL_EXSTYLE, style | WS_EX_TOOLWINDOW);
}

// Configure mode: the configuration window becomes the main form; the program ends when it
// closes.
void ShowConfiguration() {
    KDConfigForm = new TKDConfigForm(nullptr);
    Application().SetMainForm(KDConfigForm->Handle());
    KDConfigForm->Show();
}
} // namespace

// Runs the work of the mode; true when the application's message loop is to be entered.
bool DispatchMode() {
    switch (GetSaverMode()) {
    case smConfigure:
        ShowConfiguration();
        return true;
    case smChangePassword:
        ChangeSaverPassword();
        return false;
    case smPreview:
        RunPreview(GetPreviewParent(), IDB_PREVIEW);
        return true;
    case smSaver:
        RunSaver();
        return true;
    case smNone:
    case 1:
        return false;
    default:
        return true;
    }
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (GetSaverMode() != smChangePassword && !TakeInstanceLock())
        return 0;
    try {
        Application().Initialize();
        // The hidden application window exists in every mode: in saver mode it is what the
        // system's monitor power-down broadcast reaches, so the message hook can see it.
        Application().CreateHandle();
        HideApplicationWindowFromTaskBar();
        if (DispatchMode()) {
            Application().SetTitle("Kaleidra");
            Application().Run();
        }
        delete KDConfigForm;
    } catch (const Exception& error) {
        Application().ShowException(error);
    }
    return 0;
}
