// Which of the screen's fonts the font list offers: each enumerated font gets
// a mask of kinds from its type, pitch, character set and face name, and is
// listed only when every kind it has is one the list searches for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

using TFontKinds = uint16_t;
constexpr TFontKinds ftBitmap = 0x001;
constexpr TFontKinds ftTrueType = 0x002;
constexpr TFontKinds ftVector = 0x004;
constexpr TFontKinds ftFixed = 0x008;
constexpr TFontKinds ftVariable = 0x010;
constexpr TFontKinds ftAnsi = 0x020;
constexpr TFontKinds ftOem = 0x040;
constexpr TFontKinds ftSymbol = 0x080;
constexpr TFontKinds ftShiftJis = 0x100;
constexpr TFontKinds ftHorizontal = 0x200;
constexpr TFontKinds ftVertical = 0x400;
constexpr TFontKinds ftAllKinds = 0x7FF;

// The system's font type bits as font enumeration reports them.
constexpr uint32_t RasterFontType = 0x001;
constexpr uint32_t TrueTypeFontType = 0x004;

// Character sets the list knows; any other is never listed.
constexpr uint8_t AnsiCharSet = 0;
constexpr uint8_t SymbolCharSet = 2;
constexpr uint8_t ShiftJisCharSet = 128;
constexpr uint8_t OemCharSet = 255;

constexpr size_t MaxListedFonts = 512;
// A face name must fit a LOGFONT (32 UTF-16 units with the terminator); a
// longer one, cut, would name no font.
constexpr size_t MaxFaceNameChars = 31;

// The kinds of one enumerated font; 0 for one that is never listed (a
// character set other than ANSI, OEM, symbol or Shift-JIS, or an empty name).
// `faceName` is code page 932.
TFontKinds FontKindsOf(uint32_t fontType, uint8_t pitchAndFamily, uint8_t charSet, std::string_view faceName);

struct TListedFont {
    std::string FaceName;
    TFontKinds Kinds;
};

// Collects the fonts of one enumeration. A face comes once per character set
// it supports; it is listed once, at the place of its first accepted entry,
// with the kinds of its Shift-JIS entry when that is accepted too (the
// program's text is Shift-JIS, so that is the face it will get), else of its
// first accepted entry.
class TFontListBuilder {
public:
    explicit TFontListBuilder(TFontKinds searchFonts) : FSearchFonts(searchFonts) {}
    void Add(uint32_t fontType, uint8_t pitchAndFamily, uint8_t charSet, std::string_view faceName);
    // In enumeration order, at most MaxListedFonts.
    const std::vector<TListedFont>& Fonts() const { return FFonts; }

private:
    TFontKinds FSearchFonts;
    std::vector<TListedFont> FFonts;
    std::unordered_map<std::string, size_t> FIndex;  // face name -> place in FFonts
};
