#include "menus/system_button_rules.h"

std::optional<TPoint> SystemMenuPoint(int captionSide, int left, int top, int width, int height) {
    switch (captionSide) {
        case 1:
        case 3:
            return TPoint{left, top + height + 2};
        case 2:
            return TPoint{left, top - 2};
        case 4:
            return TPoint{left + width - 1, top + height + 2};
        default:
            return std::nullopt;
    }
}

std::optional<TPoint> ScreenSaverPointerNudge(int x, int y, int screenWidth, int screenHeight) {
    // "A multiple of (size - 1)": 0 or the far edge; a one-pixel screen has
    // no corner to leave.
    auto atEdge = [](int v, int size) { return size > 1 && v % (size - 1) == 0; };
    if (!atEdge(x, screenWidth) || !atEdge(y, screenHeight)) return std::nullopt;
    return TPoint{x != 0 ? x - 1 : 1, y};
}

bool UseRestartProgram(bool shiftAtClick, bool shiftNow, bool isNT) { return (shiftAtClick || shiftNow) && !isNT; }

TAutoRunStart AutoRunStartFor(const std::string& root, const std::string& openLine) {
    // Blanks and quotation marks are never trail bytes of code page 932, so
    // the bytes can be scanned as they are.
    bool quoted = false;
    size_t blank = std::string::npos;
    for (size_t i = 0; i < openLine.size(); ++i) {
        if (openLine[i] == '"')
            quoted = !quoted;
        else if (openLine[i] == ' ' && !quoted)
            blank = i;
    }
    std::string file = blank == std::string::npos ? openLine : openLine.substr(0, blank);
    std::string arguments = blank == std::string::npos ? std::string() : openLine.substr(blank + 1);
    // A quoted program name is a name with blanks, not a name with quotation
    // marks: on the root it would name no file at all.
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') file = file.substr(1, file.size() - 2);
    return {root + file, arguments};
}
