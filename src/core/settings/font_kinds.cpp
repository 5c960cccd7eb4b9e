#include "settings/font_kinds.h"

#include "text/text.h"

static size_t CharCount(std::string_view s) {
    size_t count = 0;
    for (size_t i = 0; i < s.size(); ++i, ++count)
        if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
    return count;
}

TFontKinds FontKindsOf(uint32_t fontType, uint8_t pitchAndFamily, uint8_t charSet, std::string_view faceName) {
    if (faceName.empty() || CharCount(faceName) > MaxFaceNameChars) return 0;
    TFontKinds kinds = 0;
    switch (charSet) {
        case AnsiCharSet:
            kinds = ftAnsi;
            break;
        case OemCharSet:
            kinds = ftOem;
            break;
        case SymbolCharSet:
            kinds = ftSymbol;
            break;
        case ShiftJisCharSet:
            kinds = ftShiftJis;
            break;
        default:
            return 0;
    }
    // TrueType first: a TrueType font of a device also carries the device bit.
    if (fontType & TrueTypeFontType)
        kinds |= ftTrueType;
    else if (fontType & RasterFontType)
        kinds |= ftBitmap;
    else
        kinds |= ftVector;
    switch (pitchAndFamily & 3) {
        case 1:
            kinds |= ftFixed;
            break;
        case 2:
            kinds |= ftVariable;
            break;
    }
    kinds |= faceName[0] == '@' ? ftVertical : ftHorizontal;
    return kinds;
}

void TFontListBuilder::Add(uint32_t fontType, uint8_t pitchAndFamily, uint8_t charSet, std::string_view faceName) {
    const TFontKinds kinds = FontKindsOf(fontType, pitchAndFamily, charSet, faceName);
    if (kinds == 0 || (kinds & ~FSearchFonts) != 0) return;
    std::string name(faceName);
    if (auto listed = FIndex.find(name); listed != FIndex.end()) {
        TListedFont& font = FFonts[listed->second];
        if ((kinds & ftShiftJis) && !(font.Kinds & ftShiftJis)) font.Kinds = kinds;
        return;
    }
    if (FFonts.size() >= MaxListedFonts) return;
    FIndex.emplace(name, FFonts.size());
    FFonts.push_back(TListedFont{std::move(name), kinds});
}
