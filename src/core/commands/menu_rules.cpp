#include "commands/menu_rules.h"

#include "settings/keys.h"
#include "text/text.h"

namespace {

const char kHelpSuffix[] = " -ヘルプ(&H)";
const char kReadMeSuffix[] = " -リードミー(&R)";
// A file name in a caption: "&" would otherwise underline the next letter.
std::string MenuText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += '&';
        out += c;
    }
    return out;
}

}  // namespace

TMainMenuEnabling MainMenuEnabling(TMenuOwner owner) {
    TMainMenuEnabling state;
    const bool takesEntries = owner == TMenuOwner::Main || owner == TMenuOwner::SmartBar;
    state.Edit = state.AddButton = state.AddSeparator = state.Paste = takesEntries;
    state.AddPage = state.ChangePage = state.DeletePage = owner == TMenuOwner::Main;
    return state;
}

TEntryMenuState EntryMenuState(TMenuOwner owner, bool separator, const std::string& linkTo, const TTargetFacts* facts) {
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
    if (separator || web) return state;
    // Not known yet: a shortcut to the target can still be made; what lies
    // beside it is left out rather than waited for.
    if (!facts || facts->Kind == TTargetKind::Unknown) {
        state.MakeShortCut = !linkTo.empty();
        return state;
    }
    state.Folder = facts->Folder;
    if (state.Folder.empty()) return state;
    state.MakeShortCut = true;
    state.HelpFile = facts->HelpFile;
    if (!state.HelpFile.empty()) state.HelpCaption = MenuText(ExtractFileName(state.HelpFile)) + kHelpSuffix;
    state.ReadMeFile = facts->ReadMeFile;
    if (!state.ReadMeFile.empty()) state.ReadMeCaption = MenuText(ExtractFileName(state.ReadMeFile)) + kReadMeSuffix;
    return state;
}

TEntryMenuState EntryMenuState(TPlatform& platform, TMenuOwner owner, bool separator, const std::string& linkTo) {
    const TTargetFacts facts = LookAtTarget(linkTo, true, PlatformLook(platform));
    return EntryMenuState(owner, separator, linkTo, &facts);
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
