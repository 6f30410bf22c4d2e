#include "QelFontCommon.h"

#include "Canvas.h"
#include "Printers.h"
#include "QelFontComboBox.h"

#include <cstring>
#include <utility>

BYTE CharsetCode(TQelFontCharSet charset) {
    switch (charset) {
    case fcsANSI:
        return ANSI_CHARSET;
    case fcsSYMBOL:
        return SYMBOL_CHARSET;
    case fcsSHIFTJIS:
        return SHIFTJIS_CHARSET;
    case fcsHANGEUL:
    case fcsHANGUL:
        return HANGUL_CHARSET;
    case fcsGB2312:
        return GB2312_CHARSET;
    case fcsCHINESEBIG5:
        return CHINESEBIG5_CHARSET;
    case fcsOEM:
        return OEM_CHARSET;
    case fcsJOHAB:
        return JOHAB_CHARSET;
    case fcsHEBREW:
        return HEBREW_CHARSET;
    case fcsARABIC:
        return ARABIC_CHARSET;
    case fcsGREEK:
        return GREEK_CHARSET;
    case fcsTURKISH:
        return TURKISH_CHARSET;
    case fcsVIETNAMESE:
        return VIETNAMESE_CHARSET;
    case fcsTHAI:
        return THAI_CHARSET;
    case fcsEASTEUROPE:
        return EASTEUROPE_CHARSET;
    case fcsRUSSIAN:
        return RUSSIAN_CHARSET;
    case fcsMAC:
        return MAC_CHARSET;
    case fcsBALTIC:
        return BALTIC_CHARSET;
    case fcsDEFAULT:
    default:
        return DEFAULT_CHARSET;
    }
}

BYTE FamilyValue(TQelFamilies family) {
    switch (family) {
    case ffRoman:
        return FF_ROMAN;
    case ffSwiss:
        return FF_SWISS;
    case ffModern:
        return FF_MODERN;
    case ffScript:
        return FF_SCRIPT;
    case ffDecorative:
    default:
        return FF_DECORATIVE;
    }
}

BYTE FamilyMaskOf(TQelFamilySet families) {
    BYTE mask = 0;
    for (const TQelFamilies family : {ffRoman, ffSwiss, ffModern, ffScript, ffDecorative})
        if (families.Contains(family))
            mask |= FamilyValue(family);
    return mask;
}

// ---- TQelFontOptions ----

TQelFontOptions::TQelFontOptions(TQelFontComboBox* owner) : Owner(owner) {
    if (owner)
        OnChange = [owner](TPersistent* sender) { owner->FontOptionsChanged(sender); };
}

void TQelFontOptions::SetCharset(TQelFontCharSet charset) {
    if (charset == Charset)
        return;
    Charset = charset;
    Changed();
}

void TQelFontOptions::SetDevice(TFontDialogDevice device) {
    if (device == Device)
        return;
    Device = device;
    Changed();
}

void TQelFontOptions::SetExcludeSymbolFonts(bool exclude) {
    if (exclude == ExcludeSymbolFonts)
        return;
    ExcludeSymbolFonts = exclude;
    Changed();
}

void TQelFontOptions::SetFamilies(TQelFamilySet families) {
    if (families == Families)
        return;
    Families = families;
    FamilyMask = FamilyMaskOf(families);
    // Unfiltered, the families change nothing in the list.
    if (FilterFamilies)
        Changed();
}

void TQelFontOptions::SetFilterFamilies(bool filter) {
    if (filter == FilterFamilies)
        return;
    FilterFamilies = filter;
    Changed();
}

void TQelFontOptions::SetPitch(TQelPitch pitch) {
    if (pitch == Pitch)
        return;
    Pitch = pitch;
    Changed();
}

void TQelFontOptions::Changed() {
    if (OnChange)
        OnChange(this);
}

void TQelFontOptions::FillFontList(TComboBoxStrings& target) {
    Target = &target;
    LastFaceName.clear();
    EnumerationError = nullptr;
    LOGFONTA query{}; // every face, any pitch and family
    query.lfCharSet = CharsetCode(Charset);

    target.BeginUpdate();
    target.Clear();
    if (Device == fdScreen || Device == fdBoth) {
        const HDC screen = GetDC(nullptr);
        EnumerateDevice(screen, query);
        ReleaseDC(nullptr, screen);
    }
    // Without a printer there are simply no printer fonts.
    if (Device == fdPrinter || Device == fdBoth) {
        const TPrinterContext printer;
        if (printer.Handle())
            EnumerateDevice(printer.Handle(), query);
    }
    target.EndUpdate();
    Target = nullptr;

    if (EnumerationError)
        std::rethrow_exception(std::exchange(EnumerationError, nullptr));
}

void TQelFontOptions::EnumerateDevice(HDC dc, LOGFONTA& query) {
    if (!EnumerationError)
        EnumFontFamiliesExA(dc, &query, EnumFaceProc, reinterpret_cast<LPARAM>(this), 0);
}

int CALLBACK TQelFontOptions::EnumFaceProc(const LOGFONTA* face, const TEXTMETRICA* metrics,
                                           DWORD fontType, LPARAM options) {
    auto& self = *reinterpret_cast<TQelFontOptions*>(options);
    // Nothing may unwind through the system's enumeration: keep the error for later.
    try {
        self.AddFace(*face, *metrics, fontType);
        return 1;
    } catch (...) {
        self.EnumerationError = std::current_exception();
        return 0;
    }
}

void TQelFontOptions::AddFace(const LOGFONTA& face, const TEXTMETRICA& metrics, DWORD fontType) {
    const std::string name(face.lfFaceName, strnlen(face.lfFaceName, LF_FACESIZE));
    // The enumeration lists a face once per character set, one set after the other, so the
    // first set decides.
    if (name == LastFaceName)
        return;
    LastFaceName = name;

    LPARAM type = static_cast<LPARAM>(fontType);
    if (face.lfCharSet != SYMBOL_CHARSET)
        type += QelTextFontBit;
    else if (ExcludeSymbolFonts)
        return;
    if (FilterFamilies && !PassesFamily(metrics.tmPitchAndFamily))
        return;
    if (!PassesPitch(metrics.tmPitchAndFamily))
        return;
    if (Target->IndexOf(name) < 0)
        Target->AddObject(name, type);
}

// A face of unknown family always passes. The family is a number, not a bit: its value has to
// be one of the chosen ones (masking would let Modern, 0x30, through for Roman, 0x10).
bool TQelFontOptions::PassesFamily(BYTE pitchAndFamily) const {
    const BYTE family = pitchAndFamily & 0xF0;
    if (family == FF_DONTCARE)
        return true;
    for (const TQelFamilies candidate : {ffRoman, ffSwiss, ffModern, ffScript, ffDecorative})
        if (Families.Contains(candidate) && FamilyValue(candidate) == family)
            return true;
    return false;
}

// In text metrics the low bit is set for variable-pitch fonts.
bool TQelFontOptions::PassesPitch(BYTE pitchAndFamily) const {
    if (Pitch == fpAny)
        return true;
    const int variable = pitchAndFamily & TMPF_FIXED_PITCH;
    return variable == (Pitch == fpVariable ? 1 : 0);
}

// ---- TQelFontGlyphs ----

TQelFontGlyphs::TQelFontGlyphs() {
    for (const TQelGlyphTypes glyph : {gtTrueType, gtRaster, gtDevice})
        Glyphs[glyph] = Load(ResourceName(glyph));
}

TQelFontGlyphs::~TQelFontGlyphs() {
    for (const TGlyph& glyph : Glyphs)
        if (glyph.Bitmap)
            DeleteObject(glyph.Bitmap);
}

const char* TQelFontGlyphs::ResourceName(TQelGlyphTypes glyph) {
    switch (glyph) {
    case gtRaster:
        return "RASTERSYMBOL";
    case gtDevice:
        return "DEVICESYMBOL";
    case gtTrueType:
    default:
        return "TTSYMBOL";
    }
}

bool TQelFontGlyphs::Has(TQelGlyphTypes glyph) const {
    return Glyphs[glyph].Bitmap != nullptr;
}

TQelFontGlyphs::TGlyph TQelFontGlyphs::Load(const char* name) {
    TGlyph glyph;
    // A DIB section keeps the picture's own colours whatever the screen's depth.
    glyph.Bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!glyph.Bitmap)
        return glyph;
    BITMAP info{};
    GetObjectA(glyph.Bitmap, sizeof info, &info);
    glyph.Size = SIZE{info.bmWidth, info.bmHeight};
    const TBitmapContext picture(nullptr, glyph.Bitmap);
    glyph.Transparent = GetPixel(picture.Handle(), 0, info.bmHeight - 1);
    return glyph;
}

void TQelFontGlyphs::Draw(HDC dc, TQelGlyphTypes glyph, int x, int y) const {
    const TGlyph& picture = Glyphs[glyph];
    if (!picture.Bitmap)
        return;
    const TBitmapContext source(dc, picture.Bitmap);
    TransparentBlt(dc, x, y, picture.Size.cx, picture.Size.cy, source.Handle(), 0, 0,
                   picture.Size.cx, picture.Size.cy, picture.Transparent);
}
