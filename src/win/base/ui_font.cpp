#include "base/ui_font.h"

#include <cwchar>
#include <map>

#include "base/handles.h"
#include "layout/dpi.h"

HFONT JapaneseUiFont(int dpi) {
    static std::map<int, TFont> fonts;
    auto it = fonts.find(dpi);
    if (it == fonts.end()) {
        LOGFONTW f{};
        f.lfHeight = -ScaleToDpi(12, dpi);
        f.lfWeight = FW_NORMAL;
        f.lfCharSet = SHIFTJIS_CHARSET;
        f.lfQuality = DEFAULT_QUALITY;
        f.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        wcscpy(f.lfFaceName, L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");  // ＭＳ Ｐゴシック
        it = fonts.emplace(dpi, TFont(CreateFontIndirectW(&f))).first;
    }
    return it->second.Get();
}
