#pragma once
// What the font combo box builds on: the filter settings of its font list (TQelFontOptions),
// which fill a list from the system's font enumeration, and the three font-technology glyphs
// drawn before each entry (TQelFontGlyphs).

#include "ComboBox.h"
#include "Dialogs.h"
#include "Persistent.h"

#include <windows.h>

#include <array>
#include <exception>
#include <initializer_list>
#include <string>

class TQelFontComboBox;

enum TQelFamilies { ffRoman, ffSwiss, ffModern, ffScript, ffDecorative };
enum TQelPitch { fpFixed, fpVariable, fpAny };
enum TQelFontCharSet {
    fcsANSI,
    fcsDEFAULT,
    fcsSYMBOL,
    fcsSHIFTJIS,
    fcsHANGEUL,
    fcsHANGUL,
    fcsGB2312,
    fcsCHINESEBIG5,
    fcsOEM,
    fcsJOHAB,
    fcsHEBREW,
    fcsARABIC,
    fcsGREEK,
    fcsTURKISH,
    fcsVIETNAMESE,
    fcsTHAI,
    fcsEASTEUROPE,
    fcsRUSSIAN,
    fcsMAC,
    fcsBALTIC
};
enum TQelGlyphTypes { gtTrueType, gtRaster, gtDevice };

// A set of values of a small enumeration, one bit per value.
template <typename E> class TQelSet {
public:
    constexpr TQelSet() = default;
    constexpr TQelSet(std::initializer_list<E> values) {
        for (const E value : values)
            Bits |= Bit(value);
    }
    constexpr bool Contains(E value) const { return (Bits & Bit(value)) != 0; }
    constexpr bool Empty() const { return Bits == 0; }
    friend constexpr bool operator==(TQelSet, TQelSet) = default;

private:
    static constexpr unsigned Bit(E value) { return 1u << static_cast<unsigned>(value); }
    unsigned Bits = 0;
};

using TQelFamilySet = TQelSet<TQelFamilies>;
using TQelGlyphSet = TQelSet<TQelGlyphTypes>;

inline constexpr TQelFamilySet AllFamilies{ffRoman, ffSwiss, ffModern, ffScript, ffDecorative};
inline constexpr TQelGlyphSet AllGlyphs{gtTrueType, gtRaster, gtDevice};

// Added to an entry's font-type bits (raster 1, device 2, TrueType 4) when the face is not in
// the symbol character set.
constexpr LPARAM QelTextFontBit = 0x100;

// The character-set code a value asks the enumeration for.
BYTE CharsetCode(TQelFontCharSet charset);
// The family value (0x10 to 0x50) a family has in a font's pitch-and-family byte.
BYTE FamilyValue(TQelFamilies family);
// The OR of the family values of `families`: 0x70 for all five.
BYTE FamilyMaskOf(TQelFamilySet families);

// The font list's filters. Every change of a setting calls OnChange, which the combo box
// answers by refilling its list.
class TQelFontOptions : public TPersistent {
public:
    explicit TQelFontOptions(TQelFontComboBox* owner);

    // The combo box the options belong to.
    TQelFontComboBox* GetOwner() const { return Owner; }
    std::string ClassName() const override { return "TQelFontOptions"; }

    TQelFontCharSet GetCharset() const { return Charset; }
    void SetCharset(TQelFontCharSet charset);
    TFontDialogDevice GetDevice() const { return Device; }
    void SetDevice(TFontDialogDevice device);
    bool GetExcludeSymbolFonts() const { return ExcludeSymbolFonts; }
    void SetExcludeSymbolFonts(bool exclude);
    // The families a face may belong to when FilterFamilies is on; a change refills the list
    // only then.
    TQelFamilySet GetFamilies() const { return Families; }
    void SetFamilies(TQelFamilySet families);
    bool GetFilterFamilies() const { return FilterFamilies; }
    void SetFilterFamilies(bool filter);
    TQelPitch GetPitch() const { return Pitch; }
    void SetPitch(TQelPitch pitch);
    BYTE GetFamilyMask() const { return FamilyMask; }

    // Refills `target` with every face of the chosen devices that passes the filters, each
    // once, carrying its font-type bits.
    void FillFontList(TComboBoxStrings& target);

    TPersistentNotifyEvent OnChange;

private:
    static int CALLBACK EnumFaceProc(const LOGFONTA* face, const TEXTMETRICA* metrics,
                                     DWORD fontType, LPARAM options);
    void EnumerateDevice(HDC dc, LOGFONTA& query);
    void AddFace(const LOGFONTA& face, const TEXTMETRICA& metrics, DWORD fontType);
    bool PassesFamily(BYTE pitchAndFamily) const;
    bool PassesPitch(BYTE pitchAndFamily) const;
    void Changed();

    TQelFontComboBox* Owner;
    TQelFamilySet Families = AllFamilies;
    bool FilterFamilies = false;
    bool ExcludeSymbolFonts = false;
    TQelFontCharSet Charset = fcsDEFAULT;
    TFontDialogDevice Device = fdScreen;
    TQelPitch Pitch = fpAny;
    BYTE FamilyMask = 0x70;
    TComboBoxStrings* Target = nullptr;
    std::string LastFaceName;
    // An error inside the enumeration callback, raised again once the enumeration is over.
    std::exception_ptr EnumerationError;
};

// The three font-technology glyphs, loaded by resource name from the program's own module
// and drawn with their background colour (that of the bottom-left pixel) left out.
class TQelFontGlyphs {
public:
    TQelFontGlyphs();
    ~TQelFontGlyphs();
    TQelFontGlyphs(const TQelFontGlyphs&) = delete;
    TQelFontGlyphs& operator=(const TQelFontGlyphs&) = delete;

    // The resource name of a glyph.
    static const char* ResourceName(TQelGlyphTypes glyph);
    // Whether the program carries the glyph.
    bool Has(TQelGlyphTypes glyph) const;
    // The size of the first (TrueType) glyph; 0 when the program lacks it.
    int Width() const { return Glyphs[gtTrueType].Size.cx; }
    int Height() const { return Glyphs[gtTrueType].Size.cy; }
    void Draw(HDC dc, TQelGlyphTypes glyph, int x, int y) const;

private:
    struct TGlyph {
        HBITMAP Bitmap = nullptr;
        SIZE Size{};
        COLORREF Transparent = 0;
    };
    static TGlyph Load(const char* name);

    std::array<TGlyph, 3> Glyphs;
};
