// The yardstick for the settings window's start-up: a program of ours that shows an empty form
// made from a dialog template by the same framework, in the same steps as Kaleidra's configure
// mode, and runs the same message loop until the window is closed.

#include "Application.h"
#include "EmptyDialogRes.h"
#include "Forms.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application().Initialize();
        Application().CreateHandle();
        TForm form(nullptr);
        form.CreateFromTemplate(IDD_EMPTYDIALOG);
        form.CenterOnScreen();
        Application().SetMainForm(form.Handle());
        form.Show();
        Application().Run();
    } catch (...) {
        Application().HandleException();
        return 1;
    }
    return 0;
}
