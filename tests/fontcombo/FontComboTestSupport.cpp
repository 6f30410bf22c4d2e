#include "FontComboTestSupport.h"

#include "TestWindow.h"

#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <sstream>

namespace {
std::string ProgramFolderForTest() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// Adds the fixture fonts for this process only, before any test runs.
class TFixtureFonts : public ::testing::Environment {
public:
    void SetUp() override {
        for (const char* file : Files)
            ASSERT_GT(
                AddFontResourceExA((ProgramFolderForTest() + file).c_str(), FR_PRIVATE, nullptr), 0)
                << file;
    }
    void TearDown() override {
        for (const char* file : Files)
            RemoveFontResourceExA((ProgramFolderForTest() + file).c_str(), FR_PRIVATE, nullptr);
    }

private:
    static constexpr const char* Files[] = {"KdFixtureSymbol.ttf", "KdFixtureScript.ttf",
                                            "KdFixtureDecorative.ttf"};
};
const auto* const FixtureFonts = ::testing::AddGlobalTestEnvironment(new TFixtureFonts);

struct TCollected {
    std::vector<TFace> Faces;
    std::set<std::string, bool (*)(const std::string&, const std::string&)> Seen{LessIgnoringCase};
};

int CALLBACK CollectFace(const LOGFONTA* face, const TEXTMETRICA* metrics, DWORD fontType,
                         LPARAM data) {
    auto& collected = *reinterpret_cast<TCollected*>(data);
    const std::string name(face->lfFaceName, strnlen(face->lfFaceName, LF_FACESIZE));
    if (collected.Seen.insert(name).second)
        collected.Faces.push_back({name, face->lfCharSet, metrics->tmPitchAndFamily, fontType});
    return 1;
}

std::vector<TFace> FacesOf(HDC dc, BYTE charset) {
    TCollected collected;
    LOGFONTA query{};
    query.lfCharSet = charset;
    EnumFontFamiliesExA(dc, &query, CollectFace, reinterpret_cast<LPARAM>(&collected), 0);
    return collected.Faces;
}

COLORREF FromPixel(DWORD pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void DrawGlyphByHand(HDC dc, TQelGlyphTypes glyph, int x, int y) {
    const auto bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                        TQelFontGlyphs::ResourceName(glyph),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, bitmap);
    const COLORREF background = GetPixel(source, 0, info.bmHeight - 1);
    for (int row = 0; row < info.bmHeight; ++row)
        for (int column = 0; column < info.bmWidth; ++column)
            if (const COLORREF colour = GetPixel(source, column, row); colour != background)
                SetPixel(dc, x + column, y + row, colour);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(bitmap);
}
} // namespace

TWinControl& TestForm() {
    return SharedTestWindow("Font combo box");
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
}

std::vector<TFace> ScreenFaces(BYTE charset) {
    const HDC screen = GetDC(nullptr);
    std::vector<TFace> faces = FacesOf(screen, charset);
    ReleaseDC(nullptr, screen);
    return faces;
}

std::vector<TFace> PrinterFaces(BYTE charset) {
    char name[512] = {};
    DWORD size = sizeof name;
    if (!GetDefaultPrinterA(name, &size))
        return {};
    const HDC printer = CreateICA("WINSPOOL", name, nullptr, nullptr);
    if (!printer)
        return {};
    std::vector<TFace> faces = FacesOf(printer, charset);
    DeleteDC(printer);
    return faces;
}

const TFace* FindFace(const std::vector<TFace>& faces, const std::string& name) {
    const auto found = std::find_if(faces.begin(), faces.end(),
                                    [&](const TFace& face) { return face.Name == name; });
    return found == faces.end() ? nullptr : &*found;
}

std::vector<std::string> NamesOf(const std::vector<TFace>& faces) {
    std::vector<std::string> names;
    for (const TFace& face : faces)
        names.push_back(face.Name);
    return names;
}

std::vector<std::string> SortedNames(std::vector<std::string> names) {
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

std::vector<std::string> EntryTexts(HWND comboBox) {
    std::vector<std::string> texts;
    const auto count = static_cast<int>(SendMessageA(comboBox, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        const auto length = SendMessageA(comboBox, CB_GETLBTEXTLEN, index, 0);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(comboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        texts.push_back(text);
    }
    return texts;
}

LPARAM EntryData(HWND comboBox, int index) {
    return SendMessageA(comboBox, CB_GETITEMDATA, index, 0);
}

// ---- TPicture ----

TPicture::TPicture(int width, int height)
    : PictureWidth(width), PictureHeight(height), Context(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap = CreateDIBSection(Context, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Bits = static_cast<const DWORD*>(bits);
    Old = SelectObject(Context, Bitmap);
    const HBRUSH unused = CreateSolidBrush(RGB(1, 2, 3));
    const RECT all{0, 0, width, height};
    FillRect(Context, &all, unused);
    DeleteObject(unused);
}

TPicture::~TPicture() {
    SelectObject(Context, Old);
    DeleteObject(Bitmap);
    DeleteDC(Context);
}

COLORREF TPicture::At(int x, int y) const {
    GdiFlush();
    return FromPixel(Bits[y * PictureWidth + x]);
}

std::string TPicture::Difference(const TPicture& other) const {
    GdiFlush();
    for (int y = 0; y < PictureHeight; ++y)
        for (int x = 0; x < PictureWidth; ++x)
            if (At(x, y) != other.At(x, y)) {
                std::ostringstream text;
                text << "first difference at (" << x << ", " << y << "): " << std::hex << At(x, y)
                     << " against " << other.At(x, y);
                return text.str();
            }
    return {};
}

void DrawEntry(TQelFontComboBox& combo, int index, const RECT& rect, UINT state,
               TPicture& picture) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = ComboId;
    item.itemID = static_cast<UINT>(index);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = combo.Handle();
    item.hDC = picture.DC();
    item.rcItem = rect;
    item.itemData = static_cast<ULONG_PTR>(EntryData(combo.Handle(), index));
    SendMessageA(TestForm().Handle(), WM_DRAWITEM, ComboId, reinterpret_cast<LPARAM>(&item));
}

void DrawReference(const std::string& text, const RECT& rect, UINT state, const TEntryLook& look,
                   TPicture& picture) {
    const bool selected = state & ODS_SELECTED;
    const HDC dc = picture.DC();
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (look.Glyph) {
        const int glyphHeight = 12;
        DrawGlyphByHand(dc, *look.Glyph, rect.left + 2,
                        rect.top + (rect.bottom - rect.top - glyphHeight) / 2);
    }
    const int saved = SaveDC(dc);
    SelectObject(dc, look.Font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textRect = rect;
    textRect.left += look.Indent;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    RestoreDC(dc, saved);
}

// ---- TFaceFontForTest ----

TFaceFontForTest::TFaceFontForTest(HFONT base, const std::string& face) {
    LOGFONTA description{};
    GetObjectA(base, sizeof description, &description);
    std::memset(description.lfFaceName, 0, LF_FACESIZE);
    face.copy(description.lfFaceName, LF_FACESIZE - 1);
    description.lfCharSet = DEFAULT_CHARSET;
    Font = CreateFontIndirectA(&description);
}

TFaceFontForTest::~TFaceFontForTest() {
    DeleteObject(Font);
}

std::string TFaceFontForTest::ChosenFace() const {
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, Font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(screen, LF_FACESIZE, face);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return face;
}

int TextHeightOf(HFONT font) {
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight + metrics.tmExternalLeading;
}
