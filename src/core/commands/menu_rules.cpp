#include "commands/menu_rules.h"

#include <initializer_list>

#include "settings/keys.h"
#include "text/text.h"

namespace {

const char kHelpSuffix[] = " -ヘルプ(&H)";
const char kReadMeSuffix[] = " -リードミー(&R)";
const char kReadMeName[] = "Readme.txt";

// A file name in a caption: "&" would otherwise underline the next letter.
std::string MenuText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += '&';
        out += c;
    }
    return out;
}

// The folder the target lives in (the target itself when it is one), with a
// trailing backslash; "" when it is not there.
std::string TargetFolder(TPlatform& platform, const std::string& linkTo) {
    if (linkTo.empty()) return "";
    std::string folder = platform.DirectoryExists(linkTo) ? linkTo : ExtractFileDir(linkTo);
    if (folder.empty() || !platform.DirectoryExists(folder)) return "";
    return IncludeTrailingBackslash(folder);
}

std::string FirstExisting(TPlatform& platform, std::initializer_list<std::string> candidates) {
    for (const std::string& path : candidates)
        if (!path.empty() && platform.FileExists(path)) return path;
    return "";
}

}  // namespace

TMainMenuEnabling MainMenuEnabling(TMenuOwner owner) {
    TMainMenuEnabling state;
    const bool takesEntries = owner == TMenuOwner::Main || owner == TMenuOwner::SmartBar;
    state.Edit = state.AddButton = state.AddSeparator = state.Paste = takesEntries;
    state.AddPage = state.ChangePage = state.DeletePage = owner == TMenuOwner::Main;
    return state;
}

std::string HelpFileFor(TPlatform& platform, const std::string& linkTo) {
    // A help file as the target is its own help: nothing to add beside it.
    if (linkTo.empty() || AsciiLowerCase(ExtractFileExt(linkTo)) == ".hlp") return "";
    return FirstExisting(platform, {ChangeFileExt(linkTo, ".hlp"), ChangeFileExt(linkTo, ".chm")});
}

std::string ReadMeFileFor(TPlatform& platform, const std::string& linkTo) {
    const std::string folder = TargetFolder(platform, linkTo);
    if (folder.empty()) return "";
    return FirstExisting(platform,
                         {folder + kReadMeName, ChangeFileExt(linkTo, ".txt"), ChangeFileExt(linkTo, ".doc")});
}

TEntryMenuState EntryMenuState(TPlatform& platform, TMenuOwner owner, bool separator, const std::string& linkTo) {
    TEntryMenuState state;
    const bool web = IsWebAddress(linkTo);
    state.ExecuteWithArg = !separator && AsciiLowerCase(ExtractFileExt(linkTo)) == ".exe";
    if (owner == TMenuOwner::KeywordBar || owner == TMenuOwner::HistoryBar) {
        // These bars show the user's entries, not their own: look, don't touch.
        state.ChangeButton = true;
        state.OpenThisFolder = !web;
    } else {
        state.DeleteButton = state.CutButton = true;
        state.ChangeButton = !separator;
        state.OpenThisFolder = !separator && !web;
    }
    if (separator) return state;
    state.Folder = TargetFolder(platform, linkTo);
    if (state.Folder.empty()) return state;
    state.MakeShortCut = true;
    state.HelpFile = HelpFileFor(platform, linkTo);
    if (!state.HelpFile.empty()) state.HelpCaption = MenuText(ExtractFileName(state.HelpFile)) + kHelpSuffix;
    state.ReadMeFile = ReadMeFileFor(platform, linkTo);
    if (!state.ReadMeFile.empty()) state.ReadMeCaption = MenuText(ExtractFileName(state.ReadMeFile)) + kReadMeSuffix;
    return state;
}

bool IsTextEditingKey(uint16_t key) {
    if (key & KeyAlt) return false;
    const uint16_t code = key & 0xFF;
    switch (code) {
        case 0x08:  // Backspace
        case 0x0D:  // Enter
        case 0x23:  // End
        case 0x24:  // Home
        case 0x25:  // the arrows
        case 0x26:
        case 0x27:
        case 0x28:
        case 0x2D:  // Insert
        case 0x2E:  // Delete
            return true;
        case 'A':
        case 'C':
        case 'V':
        case 'X':
        case 'Z':
            return (key & KeyCtrl) != 0;
        default:
            return false;
    }
}
