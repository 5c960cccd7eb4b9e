// Shell shortcut files (".lnk"), read and written through the shell's link
// object. Reading fills a page entry from a shortcut; writing serves the
// commands that create shortcuts.
#pragma once

#include <cstdint>
#include <string>

#include "errors.h"
#include "shell/id_list.h"

class EShortCutLink : public EVantorError {
public:
    using EVantorError::EVantorError;
};

// The program's key combination (virtual key in the low byte, 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt) and the shell's hot-key word (modifier flags
// HOTKEYF_* in the high byte), converted flag by flag.
uint16_t HotKeyToShell(uint16_t hotKey);
uint16_t HotKeyFromShell(uint16_t shellHotKey);

class TShortCutLink {
public:
    std::string Arguments;
    std::string FileName;
    int32_t IconIndex = 0;
    std::string IconLocation;  // empty: the target's own icon
    TSpecialFolder SpecialFolder = sfNone;
    uint16_t HotKey = 0;
    int32_t ShowCmd = SW_SHOW;
    std::string WorkingDirectory;  // empty: the folder of FileName

    // Both throw EShortCutLink; neither shows anything. COM must be
    // initialised on the calling thread.
    void Load(const std::string& fileName);
    // Saves as Name inside SpecialFolder (Name is a full path with sfNone).
    void Save(const std::string& name);
    // The file Save writes for a name.
    std::string TargetPath(const std::string& name) const;
};
