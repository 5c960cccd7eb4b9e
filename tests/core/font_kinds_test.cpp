#include "settings/font_kinds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr uint8_t Fixed = 1;
constexpr uint8_t Variable = 2;
constexpr uint8_t Default = 0;

std::string Names(const TFontListBuilder& b) {
    std::string all;
    for (const TListedFont& f : b.Fonts()) all += f.FaceName + ";";
    return all;
}

}  // namespace

TEST(FontKinds, EachPropertyGivesItsKind) {
    EXPECT_EQ(FontKindsOf(TrueTypeFontType, Variable, AnsiCharSet, "Arial"),
              ftTrueType | ftVariable | ftAnsi | ftHorizontal);
    EXPECT_EQ(FontKindsOf(RasterFontType, Fixed, OemCharSet, "Terminal"), ftBitmap | ftFixed | ftOem | ftHorizontal);
    EXPECT_EQ(FontKindsOf(0, Default, SymbolCharSet, "Modern"), ftVector | ftSymbol | ftHorizontal);
    EXPECT_EQ(FontKindsOf(TrueTypeFontType, Fixed | 0x30, ShiftJisCharSet, "@ＭＳ ゴシック"),
              ftTrueType | ftFixed | ftShiftJis | ftVertical);
    // A device's TrueType font is still TrueType; pitch 3 is no pitch.
    EXPECT_EQ(FontKindsOf(TrueTypeFontType | 2, 3, AnsiCharSet, "X"), ftTrueType | ftAnsi | ftHorizontal);
    EXPECT_EQ(FontKindsOf(RasterFontType | 2, Default, AnsiCharSet, "X"), ftBitmap | ftAnsi | ftHorizontal);
}

TEST(FontKinds, OtherCharacterSetsAndUnusableNamesAreNeverListed) {
    for (int charSet : {1, 77, 129, 130, 134, 136, 161, 162, 177, 178, 186, 204, 222, 238})
        EXPECT_EQ(FontKindsOf(TrueTypeFontType, Variable, static_cast<uint8_t>(charSet), "Font"), 0) << charSet;
    TFontListBuilder all(ftAllKinds);
    all.Add(TrueTypeFontType, Variable, 134, "SimSun");  // Chinese
    all.Add(TrueTypeFontType, Variable, 129, "Gulim");   // Korean
    EXPECT_TRUE(all.Fonts().empty());

    EXPECT_EQ(FontKindsOf(TrueTypeFontType, Variable, AnsiCharSet, ""), 0);
    // 31 characters fit a LOGFONT, double-byte ones counted once; 32 do not.
    std::string jis;
    for (int i = 0; i < 31; ++i) jis += "あ";
    EXPECT_NE(FontKindsOf(TrueTypeFontType, Variable, ShiftJisCharSet, jis), 0);
    EXPECT_EQ(FontKindsOf(TrueTypeFontType, Variable, ShiftJisCharSet, jis + "A"), 0);
    EXPECT_NE(FontKindsOf(TrueTypeFontType, Variable, AnsiCharSet, std::string(31, 'a')), 0);
    EXPECT_EQ(FontKindsOf(TrueTypeFontType, Variable, AnsiCharSet, std::string(32, 'a')), 0);
}

TEST(FontKinds, AFontIsListedOnlyWhenEveryKindIsSearched) {
    TFontListBuilder noVertical(ftAllKinds & ~ftVertical);
    noVertical.Add(TrueTypeFontType, Fixed, ShiftJisCharSet, "ＭＳ ゴシック");
    noVertical.Add(TrueTypeFontType, Fixed, ShiftJisCharSet, "@ＭＳ ゴシック");
    EXPECT_EQ(Names(noVertical), "ＭＳ ゴシック;");

    TFontListBuilder trueTypeOnly(ftAllKinds & ~(ftBitmap | ftVector));
    trueTypeOnly.Add(RasterFontType, Fixed, OemCharSet, "Terminal");
    trueTypeOnly.Add(0, Variable, AnsiCharSet, "Roman");
    trueTypeOnly.Add(TrueTypeFontType, Variable, AnsiCharSet, "Tahoma");
    EXPECT_EQ(Names(trueTypeOnly), "Tahoma;");

    // Default pitch needs neither pitch kind.
    TFontListBuilder noPitch(ftAllKinds & ~(ftFixed | ftVariable));
    noPitch.Add(TrueTypeFontType, Default, AnsiCharSet, "Any");
    noPitch.Add(TrueTypeFontType, Fixed, AnsiCharSet, "Mono");
    EXPECT_EQ(Names(noPitch), "Any;");
}

TEST(FontKinds, AFaceEnumeratedPerCharacterSetIsListedOnceWithItsShiftJisKinds) {
    TFontListBuilder b(ftAllKinds);
    b.Add(TrueTypeFontType, Variable, 204, "Arial");  // Cyrillic: never listed, takes no place
    b.Add(TrueTypeFontType, Variable, AnsiCharSet, "Tahoma");
    b.Add(TrueTypeFontType, Variable, AnsiCharSet, "Arial");
    b.Add(TrueTypeFontType, Fixed, AnsiCharSet, "Gothic");
    b.Add(TrueTypeFontType, Fixed, ShiftJisCharSet, "Gothic");
    b.Add(TrueTypeFontType, Fixed, AnsiCharSet, "Gothic");
    b.Add(TrueTypeFontType, Variable, OemCharSet, "Arial");
    ASSERT_EQ(Names(b), "Tahoma;Arial;Gothic;");
    EXPECT_EQ(b.Fonts()[1].Kinds, ftTrueType | ftVariable | ftAnsi | ftHorizontal);  // the first accepted entry
    EXPECT_EQ(b.Fonts()[2].Kinds, ftTrueType | ftFixed | ftShiftJis | ftHorizontal);

    // An entry the search refuses does not stand for the face.
    TFontListBuilder ansiOnly(ftAllKinds & ~ftShiftJis);
    ansiOnly.Add(TrueTypeFontType, Fixed, ShiftJisCharSet, "Gothic");
    ansiOnly.Add(TrueTypeFontType, Fixed, AnsiCharSet, "Gothic");
    ASSERT_EQ(Names(ansiOnly), "Gothic;");
    EXPECT_EQ(ansiOnly.Fonts()[0].Kinds & ftShiftJis, 0);

    // Names compare exactly: a face differing in case is another face.
    TFontListBuilder cases(ftAllKinds);
    cases.Add(TrueTypeFontType, Variable, AnsiCharSet, "Font");
    cases.Add(TrueTypeFontType, Variable, AnsiCharSet, "font");
    EXPECT_EQ(cases.Fonts().size(), 2u);
}

TEST(FontKinds, The513thAcceptedFaceIsDropped) {
    TFontListBuilder b(ftAllKinds);
    for (int i = 0; i < 600; ++i) {
        b.Add(TrueTypeFontType, Variable, 204, "Cyr" + std::to_string(i));  // refused: takes no place
        b.Add(TrueTypeFontType, Variable, AnsiCharSet, "Face" + std::to_string(i));
        b.Add(TrueTypeFontType, Variable, AnsiCharSet, "Face" + std::to_string(i));  // again: takes no place
    }
    ASSERT_EQ(b.Fonts().size(), MaxListedFonts);
    EXPECT_EQ(b.Fonts().back().FaceName, "Face511");
    // A listed face still takes its Shift-JIS kinds once the list is full.
    b.Add(TrueTypeFontType, Variable, ShiftJisCharSet, "Face3");
    EXPECT_NE(b.Fonts()[3].Kinds & ftShiftJis, 0);
}
