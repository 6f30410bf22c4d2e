// The password change: one call into the provider library, which is released afterwards.

#include "Saverlib.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {
using TLastCall = int(WINAPI*)(char*, int, HWND*, DWORD*, DWORD*);

HWND CreateForegroundWindow() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KdPasswordTestOwner";
        return RegisterClassA(&windowClass) != 0;
    }();
    EXPECT_TRUE(registered);
    HWND window = CreateWindowExA(0, "KdPasswordTestOwner", "Owner", WS_POPUP | WS_VISIBLE, 0, 0,
                                  100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window);
    return window;
}
} // namespace

TEST(ChangeSaverPassword, CallsTheProviderForTheScreenSaverKeyOwnedByTheForegroundWindow) {
    // Holding our own reference keeps the provider's record alive after the call.
    HMODULE provider = LoadLibraryA("KdFakeMpr.dll");
    ASSERT_NE(provider, nullptr);
    auto lastCall = reinterpret_cast<TLastCall>(GetProcAddress(provider, "FakeMprLastCall"));
    ASSERT_NE(lastCall, nullptr);
    HWND owner = CreateForegroundWindow();
    ASSERT_EQ(GetForegroundWindow(), owner);

    ChangeSaverPasswordVia("KdFakeMpr.dll");

    char key[64] = "";
    HWND seenOwner = nullptr;
    DWORD reserved1 = 1, reserved2 = 1;
    EXPECT_EQ(lastCall(key, sizeof key, &seenOwner, &reserved1, &reserved2), 1);
    EXPECT_STREQ(key, "SCRSAVE");
    EXPECT_EQ(seenOwner, owner);
    EXPECT_EQ(reserved1, 0u);
    EXPECT_EQ(reserved2, 0u);
    // Once we let go too, the library must leave the process: the call freed its own load.
    FreeLibrary(provider);
    EXPECT_EQ(GetModuleHandleA("KdFakeMpr.dll"), nullptr);
    DestroyWindow(owner);
}

TEST(ChangeSaverPassword, ReturnsAndReleasesTheLibraryWhenThereIsNothingToCall) {
    const struct {
        const char* Case;
        const char* Library;
    } cases[] = {
        {"Wine's provider, whose entry is a stub", "MPR.DLL"},
        {"a library without the entry", "MSIMG32.DLL"},
        {"no such library", "KdNoSuchProvider.dll"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        ASSERT_EQ(GetModuleHandleA(c.Library), nullptr)
            << "already loaded: the check would be void";
        ChangeSaverPasswordVia(c.Library);
        EXPECT_EQ(GetModuleHandleA(c.Library), nullptr);
    }
    ChangeSaverPassword(); // the product's own entry point, on MPR.DLL
    EXPECT_EQ(GetModuleHandleA("MPR.DLL"), nullptr);
}
