// The guide texts sent to the hint viewer as the pointer enters an element,
// the block they travel in, and when an entry's title pops up beside it.
#pragma once

#include <cstdint>
#include <string>

enum class TGuide {
    TabSet,
    EntryArea,
    StopAutoRun,
    OpenFolder,
    ScreenSaver,
    Shutdown,
    Reboot,
    Entry,
    Separator,
    SmartBar,
    KeywordBar,
    HistoryBar,
    ResourceBar
};

// "title||body", lines of the body separated by "\r".
std::string GuideText(TGuide guide);

// The viewer's data block: at most 1022 bytes of the text, never half a
// double-byte character, and a closing zero byte.
std::string HintBlock(const std::string& text);

// An entry's title pops up when its button does not show it whole: in a
// bar, in view styles without titles (0, 1 and 6), or cut short.
bool ShowsTitlePopup(bool inMainWindow, int32_t viewStyle, bool titleTruncated);
// The popup's top in screen coordinates: below the button, or above it when
// that would reach into the last 22 pixels of the monitor whose bottom edge
// is at screenBottom.
int32_t TitlePopupTop(int32_t buttonTop, int32_t buttonHeight, int32_t screenBottom);
