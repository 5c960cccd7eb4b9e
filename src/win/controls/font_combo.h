// The font list of the settings dialog: a drop-down list of the screen's
// fonts, filtered by kind (settings/font_kinds.h), sorted, each font once,
// TrueType fonts marked with a small picture. It draws its items itself, so
// its parent passes WM_DRAWITEM (and WM_MEASUREITEM) on through
// TStdControl::ReflectToControl. A list taken from a dialog template needs
// the styles CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_SORT |
// CBS_HASSTRINGS.
#pragma once

#include <string>

#include "base/handles.h"
#include "controls/std_control.h"
#include "settings/font_kinds.h"

class TZvFontComboBox : public TStdControl {
public:
    TZvFontComboBox();
    ~TZvFontComboBox() override = default;
    // 145 x 20 pixels at (left, top).
    bool Create(HWND parent, int left, int top, int id = 0);

    TFontKinds SearchFonts() const { return FSearchFonts; }
    // Fills the list again; the font shown stays while it is still listed.
    void SetSearchFonts(TFontKinds searchFonts);
    bool ShowGlyphs() const { return FShowGlyphs; }
    void SetShowGlyphs(bool showGlyphs);

    // The font shown; empty when none.
    std::string FontName() const;
    // Shows the first font named exactly so; a name not listed changes
    // nothing. Before the window exists the name waits for the list.
    void SetFontName(const std::string& name);

    int Count() const;
    std::string Item(int index) const;
    TFontKinds ItemKinds(int index) const;
    // Height of each item: the font's character height (at least the mark's) plus 2.
    int ItemHeight() const;

protected:
    void Attached() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Fill();
    void ApplyItemHeights();
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawGlyph(HDC dc, int x, int y) const;
    void RepaintList();
    int IndexOf(const std::string& name) const;

    TFontKinds FSearchFonts = ftAllKinds;
    bool FShowGlyphs = true;
    std::string FPendingName;
    // The TrueType mark with its transparent pixels black, and their mask.
    TBitmap FGlyph;
    TBitmap FGlyphMask;
};
