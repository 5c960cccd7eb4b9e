#include "app/shortcut_commands.h"

#include "app/vantor.h"
#include "base/log.h"
#include "base/win_text.h"
#include "commands/command_table.h"
#include "commands/shortcut_rules.h"
#include "shell/shortcut_link.h"

namespace {

const char kShortcutFailed[] = "ショートカットファイルの作成に失敗しました。";

// Empty when the path has characters the program's text cannot hold.
std::string OwnExecutable() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return NarrowPath(std::wstring(path, length)).value_or("");
}

void ShortcutToEntry(TVantor& vantor, TSpecialFolder folder) {
    const TVantorButton* entry = vantor.Editing().TargetEntry();
    if (!entry || entry->IsSeparator()) return;
    TVantorButton target;
    target.CopyDataFrom(*entry);
    MakeShortCut(vantor, folder, target.Title, target);
}

}  // namespace

bool MakeShortCut(TVantor& vantor, TSpecialFolder folder, const std::string& name, const TVantorButton& target) {
    // A title such as "..\x" would write the file somewhere else.
    if (!IsValidShortcutName(name)) {
        vantor.ErrorBox(kShortcutFailed);
        return false;
    }
    try {
        TShortCutLink link;
        link.SpecialFolder = folder;
        link.FileName = target.LinkTo;
        link.Arguments = target.Arguments;
        link.WorkingDirectory = target.WorkingDir;
        link.ShowCmd = target.ShowCmd;
        // Without an icon file of its own it shows its target's icon.
        if (!target.IconPath.empty()) {
            link.IconLocation = target.IconPath;
            link.IconIndex = target.IconIndex;
        }
        link.Save(name + ".lnk");
        return true;
    } catch (const std::exception& e) {
        LogSwallowed("shortcut", e);
    } catch (...) {
        LogSwallowed("shortcut");
    }
    vantor.ErrorBox(kShortcutFailed);
    return false;
}

bool RegisterAtStartup(TVantor& vantor) {
    TVantorButton self;
    self.LinkTo = OwnExecutable();
    if (self.LinkTo.empty()) {
        vantor.ErrorBox(kShortcutFailed);
        return false;
    }
    self.Arguments = CommandLineArguments(Narrow(GetCommandLineW()));
    self.ShowCmd = SW_SHOW;
    return MakeShortCut(vantor, sfStartup, "Vantor", self);
}

void BindShortcutCommands(TVantor& vantor) {
    TCommandTable& commands = vantor.Commands();
    const std::pair<int32_t, TSpecialFolder> folders[] = {{ActionShortCutToDesktop, sfDesktop},
                                                          {ActionShortCutToStartMenu, sfPrograms},
                                                          {ActionShortCutToStartup, sfStartup},
                                                          {ActionShortCutToSendTo, sfSendTo}};
    for (const auto& [action, folder] : folders)
        commands.Bind(action, [&vantor, folder = folder] { ShortcutToEntry(vantor, folder); });
    commands.Bind(ActionStartup, [&vantor] { RegisterAtStartup(vantor); });
}
