// The Display Settings preview: a disabled child window that fills its parent with bitmap 100.

#include "KdResources.h"
#include "Saverlib.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace {
constexpr int ParentWidth = 152; // the size of the preview area in Display Settings
constexpr int ParentHeight = 112;
constexpr COLORREF ParentBackground = RGB(255, 0, 255); // shows wherever the preview fails to draw

// Ends a RunPreview that would otherwise never return, so a broken preview fails its test
// instead of hanging the whole run.
class TQuitGuard {
public:
    explicit TQuitGuard(DWORD threadId)
        : Stop(CreateEventA(nullptr, TRUE, FALSE, nullptr)), Worker([this, threadId] {
              if (WaitForSingleObject(Stop, 30000) == WAIT_TIMEOUT) {
                  Fired = true;
                  PostThreadMessageA(threadId, WM_QUIT, 0, 0);
              }
          }) {}
    ~TQuitGuard() {
        SetEvent(Stop);
        Worker.join();
        CloseHandle(Stop);
    }
    bool HadToEndIt() const { return Fired; }

private:
    HANDLE Stop;
    std::atomic<bool> Fired{false};
    std::thread Worker;
};

HWND CreateParent() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = CreateSolidBrush(ParentBackground);
        windowClass.lpszClassName = "KdPreviewTestParent";
        return RegisterClassA(&windowClass) != 0;
    }();
    EXPECT_TRUE(registered);
    // Borderless, so its window rectangle is its client area, as with the real preview parent.
    return CreateWindowExA(WS_EX_TOOLWINDOW, "KdPreviewTestParent", "Preview parent",
                           WS_POPUP | WS_VISIBLE, 0, 0, ParentWidth, ParentHeight, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// A picture as 0x00RRGGBB values, top row first.
struct TImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;
};

TImage ReadPixels(HDC source, int width, int height, HBITMAP bitmap = nullptr) {
    TImage image{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (bitmap != nullptr) {
        GetDIBits(source, bitmap, 0, height, image.Pixels.data(), &info, DIB_RGB_COLORS);
        return image;
    }
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ previous = SelectObject(memory, target);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    std::copy_n(static_cast<std::uint32_t*>(bits), image.Pixels.size(), image.Pixels.begin());
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(target);
    return image;
}

// What the window shows now.
TImage Capture(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    HDC dc = GetDC(window);
    TImage image = ReadPixels(dc, r.right - r.left, r.bottom - r.top);
    ReleaseDC(window, dc);
    return image;
}

TImage LoadPreviewPicture() {
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_PREVIEW),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr)
        return {};
    BITMAP size{};
    GetObjectA(bitmap, sizeof size, &size);
    HDC screen = GetDC(nullptr);
    TImage image = ReadPixels(screen, size.bmWidth, size.bmHeight, bitmap);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return image;
}

std::array<double, 3> MeanColour(const TImage& image, int column, int row, int grid) {
    const int x0 = column * image.Width / grid, x1 = (column + 1) * image.Width / grid;
    const int y0 = row * image.Height / grid, y1 = (row + 1) * image.Height / grid;
    std::array<double, 3> sum{};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t p = image.Pixels[std::size_t(y) * image.Width + x];
            sum[0] += (p >> 16) & 0xFF;
            sum[1] += (p >> 8) & 0xFF;
            sum[2] += p & 0xFF;
        }
    for (double& channel : sum)
        channel /= double(x1 - x0) * (y1 - y0);
    return sum;
}

// The largest difference of one colour channel between the two pictures' block averages on a
// 4 x 4 grid: small when `shown` is `picture` stretched, large for a blank or a wrong picture.
double LargestBlockDifference(const TImage& shown, const TImage& picture) {
    constexpr int Grid = 4;
    double largest = 0;
    for (int row = 0; row < Grid; ++row)
        for (int column = 0; column < Grid; ++column) {
            const auto a = MeanColour(shown, column, row, Grid);
            const auto b = MeanColour(picture, column, row, Grid);
            for (int c = 0; c < 3; ++c)
                largest = std::max(largest, std::fabs(a[c] - b[c]));
        }
    return largest;
}

constexpr double BlockTolerance = 20; // stretching 160 x 120 to 152 x 112 shifts block edges

// What the inspection, run from inside RunPreview's own message loop, found.
struct TPreviewSeen {
    HWND Parent = nullptr;
    HWND Preview = nullptr;
    std::string ClassName;
    std::string WindowName;
    RECT Rect{};
    LONG_PTR Style = 0;
    TImage Shown;
    TImage Repainted;
    bool ValidAfterRepaint = false;
};

TPreviewSeen* Seen = nullptr; // a timer procedure has no other way to its test

std::string ClassNameOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void CALLBACK InspectPreview(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND preview = FindWindowExA(Seen->Parent, nullptr, nullptr, nullptr);
    if (preview == nullptr) {
        PostQuitMessage(0);
        return;
    }
    Seen->Preview = preview;
    Seen->ClassName = ClassNameOf(preview);
    Seen->WindowName = TextOf(preview);
    GetWindowRect(preview, &Seen->Rect);
    MapWindowPoints(nullptr, Seen->Parent, reinterpret_cast<POINT*>(&Seen->Rect), 2);
    Seen->Style = GetWindowLongPtrA(preview, GWL_STYLE);
    Seen->Shown = Capture(Seen->Parent);

    // Scribble over the preview, then ask it to repaint: the picture must come back whole.
    HDC dc = GetDC(preview);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    RECT all{0, 0, ParentWidth, ParentHeight};
    FillRect(dc, &all, green);
    DeleteObject(green);
    ReleaseDC(preview, dc);
    RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Seen->ValidAfterRepaint = GetUpdateRect(preview, nullptr, FALSE) == FALSE;
    Seen->Repainted = Capture(Seen->Parent);

    PostMessageA(preview, WM_CLOSE, 0, 0);
}

void PumpWaitingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}
} // namespace

TEST(RunPreview, FillsItsParentWithThePictureUntilClosed) {
    const TImage picture = LoadPreviewPicture();
    ASSERT_EQ(picture.Width, 160);
    ASSERT_EQ(picture.Height, 120);
    HWND parent = CreateParent();
    ASSERT_NE(parent, nullptr);
    PumpWaitingMessages(); // the parent's own first paint, in its background colour

    TPreviewSeen seen;
    seen.Parent = parent;
    Seen = &seen;
    SetTimer(nullptr, 0, 200, InspectPreview);
    {
        TQuitGuard guard(GetCurrentThreadId());
        RunPreview(reinterpret_cast<TWindowHandle>(parent), IDB_PREVIEW);
        EXPECT_FALSE(guard.HadToEndIt()) << "WM_CLOSE did not end the preview";
    }
    Seen = nullptr;

    ASSERT_NE(seen.Preview, nullptr) << "no child window in the parent";
    EXPECT_EQ(seen.ClassName, "PreviewWindowClass");
    EXPECT_EQ(seen.WindowName, "QelSaverLibSaver");
    EXPECT_EQ(seen.Rect.left, 0);
    EXPECT_EQ(seen.Rect.top, 0);
    EXPECT_EQ(seen.Rect.right, ParentWidth);
    EXPECT_EQ(seen.Rect.bottom, ParentHeight);
    EXPECT_EQ(seen.Style & (WS_CHILD | WS_VISIBLE | WS_DISABLED),
              WS_CHILD | WS_VISIBLE | WS_DISABLED);
    EXPECT_EQ(seen.Style & (WS_POPUP | WS_BORDER | WS_CAPTION), 0);
    ASSERT_EQ(seen.Shown.Width, ParentWidth);
    EXPECT_LT(LargestBlockDifference(seen.Shown, picture), BlockTolerance);
    EXPECT_TRUE(seen.ValidAfterRepaint) << "WM_PAINT left the window invalid";
    ASSERT_EQ(seen.Repainted.Width, ParentWidth);
    EXPECT_LT(LargestBlockDifference(seen.Repainted, picture), BlockTolerance);

    // The preview is gone with the call, so no stray quit message is left for this thread.
    EXPECT_FALSE(IsWindow(seen.Preview));
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    DestroyWindow(parent);
}

TEST(RunPreview, EndsWhenTheParentIsDestroyedByItsOwnThread) {
    // As in Display Settings: the parent belongs to someone else, who closes it.
    std::atomic<HWND> parent{nullptr};
    std::atomic<bool> previewSeen{false};
    HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread owner([&] {
        HWND window = CreateParent();
        parent = window;
        SetEvent(created);
        for (int i = 0; i < 3000 && !previewSeen; ++i) {
            PumpWaitingMessages(); // answers the child's creation messages
            previewSeen = FindWindowExA(window, nullptr, "PreviewWindowClass", nullptr) != nullptr;
            Sleep(10);
        }
        DestroyWindow(window);
        PumpWaitingMessages();
    });
    WaitForSingleObject(created, INFINITE);
    CloseHandle(created);
    ASSERT_NE(parent.load(), nullptr);
    {
        TQuitGuard guard(GetCurrentThreadId());
        RunPreview(reinterpret_cast<TWindowHandle>(parent.load()), IDB_PREVIEW);
        EXPECT_FALSE(guard.HadToEndIt()) << "destroying the parent did not end the preview";
    }
    owner.join();
    EXPECT_TRUE(previewSeen);
    EXPECT_FALSE(IsWindow(parent.load()));
}

TEST(RunPreview, ReturnsAtOnceWithoutAParentWindow) {
    HWND gone = CreateParent();
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    const struct {
        const char* Case;
        HWND Parent;
    } cases[] = {{"no handle", nullptr}, {"handle of a destroyed window", gone}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        // A message loop would take this marker out of the queue.
        PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0);
        {
            TQuitGuard guard(GetCurrentThreadId());
            RunPreview(reinterpret_cast<TWindowHandle>(c.Parent), IDB_PREVIEW);
            EXPECT_FALSE(guard.HadToEndIt());
        }
        MSG message;
        EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_APP + 7, WM_APP + 7, PM_REMOVE));
    }
}
