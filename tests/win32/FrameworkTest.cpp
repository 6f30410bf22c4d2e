// The framework's application object and timer, on real windows and messages.
#include "Application.h"
#include "Exceptions.h"
#include "Timer.h"
#include "Win32TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// Waits on its own thread for a message box of this process with the given title, notes the
// texts in it and presses OK.
class TMessageBoxWatcher {
public:
    explicit TMessageBoxWatcher(std::string title)
        : Title(std::move(title)), Watcher([this] { Watch(); }) {}
    ~TMessageBoxWatcher() { Watcher.join(); }

    bool Seen() const { return Found; }
    bool HasText(const std::string& text) const {
        for (const auto& t : Texts)
            if (t == text)
                return true;
        return false;
    }

private:
    void Watch() {
        WaitUntil([this] { return (Box = FindBox()) != nullptr; }, 10000);
        if (!Box)
            return;
        EnumChildWindows(Box, CollectText, reinterpret_cast<LPARAM>(&Texts));
        Found = true;
        PostMessageA(Box, WM_COMMAND, IDOK, 0);
    }
    HWND FindBox() const {
        HWND box = FindWindowA("#32770", Title.c_str());
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        return box && owner == GetCurrentProcessId() ? box : nullptr;
    }
    static BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
        char text[512];
        GetWindowTextA(child, text, sizeof(text));
        reinterpret_cast<std::vector<std::string>*>(texts)->push_back(text);
        return TRUE;
    }

    std::string Title;
    HWND Box = nullptr;
    std::vector<std::string> Texts;
    std::atomic<bool> Found{false};
    std::thread Watcher;
};

// A plain visible window of the test's own that counts the WM_USER messages it receives.
class TCountingWindow {
public:
    TCountingWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KaleidraTestCounting";
        RegisterClassA(&windowClass);
        Window = CreateWindowExA(0, windowClass.lpszClassName, "Main form", WS_OVERLAPPEDWINDOW, 0,
                                 0, 200, 150, nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&UserMessages));
    }
    ~TCountingWindow() {
        if (IsWindow(Window))
            DestroyWindow(Window);
    }
    HWND Window;
    int UserMessages = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_USER) {
            auto* count = reinterpret_cast<int*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            if (count)
                ++*count;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application().Initialize();
        Application().OnMessage = nullptr;
        Application().SetMainForm(nullptr);
    }
    void TearDown() override {
        Application().OnMessage = nullptr;
        Application().SetMainForm(nullptr);
    }
};

TEST_F(ApplicationTest, CreateHandleMakesOneHiddenTopLevelWindow) {
    const HWND window = Application().CreateHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    Application().Initialize();
    EXPECT_EQ(Application().CreateHandle(), window);
    EXPECT_EQ(Application().Handle(), window);
    // What the entry point does to keep it off the taskbar.
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
    SetWindowLongPtrA(window, GWL_EXSTYLE, style | WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    SetWindowLongPtrA(window, GWL_EXSTYLE, style);
}

TEST(DefaultTitle, NameBeforeTheFirstDotWithTheRestInLowerCase) {
    EXPECT_EQ(DefaultTitle("C:\\Windows\\System32\\Kaleidra.scr"), "Kaleidra");
    EXPECT_EQ(DefaultTitle("C:\\SAVERS\\KALEIDRA.SCR"), "Kaleidra");
    EXPECT_EQ(DefaultTitle("Z:\\a.b.scr"), "a");
    EXPECT_EQ(DefaultTitle("kALEIDRA"), "kaleidra");
    EXPECT_EQ(DefaultTitle(""), "");
}

TEST_F(ApplicationTest, TitleStartsAsTheProgramNameAndGoesToTheWindow) {
    const std::string original = Application().Title();
    EXPECT_EQ(original, "win32_tests");
    Application().SetTitle("Kaleidra");
    EXPECT_EQ(Application().Title(), "Kaleidra");
    char text[64] = {};
    GetWindowTextA(Application().CreateHandle(), text, sizeof(text));
    EXPECT_STREQ(text, "Kaleidra");
    Application().SetTitle(original);
}

TEST_F(ApplicationTest, RunReturnsAtOnceWithoutALiveMainForm) {
    Application().Run();
    HWND gone = nullptr;
    {
        TCountingWindow form;
        gone = form.Window;
    }
    Application().SetMainForm(gone);
    Application().Run();
    EXPECT_FALSE(Application().Terminated());
}

TEST_F(ApplicationTest, RunLastsAsLongAsTheMainForm) {
    TCountingWindow form;
    Application().SetMainForm(form.Window);
    PostMessageA(form.Window, WM_USER, 0, 0);
    PostMessageA(form.Window, WM_CLOSE, 0, 0);
    Application().Run();
    EXPECT_EQ(form.UserMessages, 1);
    EXPECT_FALSE(IsWindow(form.Window));
}

TEST_F(ApplicationTest, ProcessMessagesPassesEachMessageThroughTheHookFirst) {
    TCountingWindow window;
    std::vector<WPARAM> hooked;
    Application().OnMessage = [&hooked](MSG& msg, bool& handled) {
        if (msg.message != WM_USER)
            return;
        hooked.push_back(msg.wParam);
        handled = msg.wParam == 2;
    };
    for (WPARAM i = 1; i <= 3; ++i)
        PostMessageA(window.Window, WM_USER, i, 0);
    Application().ProcessMessages();
    EXPECT_EQ(hooked, (std::vector<WPARAM>{1, 2, 3}));
    EXPECT_EQ(window.UserMessages, 2);

    Application().OnMessage = nullptr;
    PostMessageA(window.Window, WM_USER, 4, 0);
    Application().ProcessMessages();
    EXPECT_EQ(hooked.size(), 3u);
    EXPECT_EQ(window.UserMessages, 3);
}

TEST_F(ApplicationTest, ShowExceptionShowsTheMessageUnderTheTitle) {
    TMessageBoxWatcher watcher(Application().Title());
    Application().ShowException(ERegistryException("Failed to set data for 'X'"));
    EXPECT_TRUE(watcher.Seen());
    EXPECT_TRUE(watcher.HasText("Failed to set data for 'X'"));
}

TEST(TimerTest, FiresOnlyWhileEnabledAndWhileMessagesAreProcessed) {
    TTimer timer(&Application());
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_EQ(timer.Owner(), &Application());
    int fired = 0;
    TTimer* sender = nullptr;
    timer.OnTimer = [&](TTimer* from) {
        ++fired;
        sender = from;
    };
    timer.SetInterval(50);
    Sleep(300);
    EXPECT_EQ(fired, 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            Application().ProcessMessages();
            return fired > 0;
        },
        5000));
    EXPECT_EQ(sender, &timer);

    timer.SetEnabled(false);
    Application().ProcessMessages();
    fired = 0;
    Sleep(300);
    Application().ProcessMessages();
    EXPECT_EQ(fired, 0);
}

TEST(TimerTest, ErrorInTheHandlerIsShownAndGoesNoFurther) {
    TTimer timer(&Application());
    timer.SetInterval(50);
    timer.OnTimer = [](TTimer* self) {
        self->SetEnabled(false);
        throw EConvertError("'x' is not a valid integer value");
    };
    TMessageBoxWatcher watcher(Application().Title());
    EXPECT_NO_THROW(WaitUntil(
        [&] {
            Application().ProcessMessages();
            return !timer.Enabled();
        },
        5000));
    EXPECT_FALSE(timer.Enabled());
    WaitUntil([&] { return watcher.Seen(); }, 10000);
    EXPECT_TRUE(watcher.HasText("'x' is not a valid integer value"));
}

TEST(TimerTest, DestroyedTimerNeverFires) {
    int fired = 0;
    {
        TTimer timer(&Application());
        timer.SetInterval(20);
        timer.OnTimer = [&fired](TTimer*) { ++fired; };
        Sleep(200);
    }
    Application().ProcessMessages();
    EXPECT_EQ(fired, 0);
}

} // namespace
