#include "LabelsTestSupport.h"

#include "GradientTestSupport.h"

#include <cstring>

namespace {
std::string Narrow(const wchar_t* text, int length) {
    if (length <= 0)
        return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

POINT PointOf(const POINTL& point) {
    return {point.x, point.y};
}

// Follows the text colour through SetTextColor, SaveDC and RestoreDC as GDI would.
class TRecordReader {
public:
    explicit TRecordReader(TRecording& recording) : Out(recording) {}

    void Read(const ENHMETARECORD& record) {
        const auto* bytes = reinterpret_cast<const BYTE*>(&record);
        switch (record.iType) {
        case EMR_SETTEXTCOLOR:
            Color = reinterpret_cast<const EMRSETTEXTCOLOR&>(record).crColor;
            break;
        case EMR_SAVEDC:
            Saved.push_back(Color);
            break;
        case EMR_RESTOREDC:
            Restore(reinterpret_cast<const EMRRESTOREDC&>(record).iRelative);
            break;
        case EMR_EXTTEXTOUTW: {
            const EMRTEXT& text = reinterpret_cast<const EMREXTTEXTOUTW&>(record).emrtext;
            const auto* chars = reinterpret_cast<const wchar_t*>(bytes + text.offString);
            Out.Texts.push_back(
                {PointOf(text.ptlReference), Color, Narrow(chars, static_cast<int>(text.nChars))});
            break;
        }
        case EMR_EXTTEXTOUTA: {
            const EMRTEXT& text = reinterpret_cast<const EMREXTTEXTOUTA&>(record).emrtext;
            const auto* chars = reinterpret_cast<const char*>(bytes + text.offString);
            Out.Texts.push_back(
                {PointOf(text.ptlReference), Color, std::string(chars, text.nChars)});
            break;
        }
        case EMR_MOVETOEX:
            Position = reinterpret_cast<const EMRMOVETOEX&>(record).ptl;
            break;
        case EMR_LINETO: {
            const POINTL to = reinterpret_cast<const EMRLINETO&>(record).ptl;
            Out.Lines.push_back({PointOf(Position), PointOf(to)});
            Position = to;
            break;
        }
        default:
            break;
        }
    }

private:
    void Restore(int relative) {
        for (; relative < 0 && !Saved.empty(); ++relative) {
            Color = Saved.back();
            Saved.pop_back();
        }
    }

    TRecording& Out;
    COLORREF Color = RGB(0, 0, 0);
    std::vector<COLORREF> Saved;
    POINTL Position{};
};
} // namespace

TRecording Record(const std::function<void(HDC)>& paint) {
    const HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    paint(metafile);
    const HENHMETAFILE picture = CloseEnhMetaFile(metafile);
    std::vector<BYTE> bits(GetEnhMetaFileBits(picture, 0, nullptr));
    GetEnhMetaFileBits(picture, static_cast<UINT>(bits.size()), bits.data());
    DeleteEnhMetaFile(picture);

    TRecording recording;
    TRecordReader reader(recording);
    for (std::size_t at = 0; at + sizeof(EMR) <= bits.size();) {
        const auto& record = *reinterpret_cast<const ENHMETARECORD*>(bits.data() + at);
        if (record.nSize < sizeof(EMR))
            break;
        reader.Read(record);
        at += record.nSize;
    }
    return recording;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

namespace {
const char* const FontParentClass = "KaleidraLabelTestFontParent";
const char* const FontProperty = "KaleidraTestFont";

LRESULT CALLBACK FontParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETFONT)
        return reinterpret_cast<LRESULT>(GetPropA(window, FontProperty));
    if (message == WM_NCDESTROY)
        RemovePropA(window, FontProperty);
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

TFontParent::TFontParent(HFONT font) {
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), FontParentClass, &windowClass)) {
        windowClass.lpfnWndProc = FontParentProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = FontParentClass;
        RegisterClassA(&windowClass);
    }
    Window = CreateWindowExA(0, FontParentClass, "", WS_CHILD | WS_VISIBLE, 0, 300, 400, 150,
                             TestForm(), nullptr, GetModuleHandleA(nullptr), nullptr);
    SetPropA(Window, FontProperty, font);
}

TFontParent::~TFontParent() {
    DestroyWindow(Window);
}
