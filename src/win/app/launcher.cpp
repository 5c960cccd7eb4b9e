#include "app/launcher.h"

// After windows.h, which it needs.
#include <shellapi.h>

#include "base/win_text.h"
#include "launch/launch_rules.h"
#include "shell/id_list.h"
#include "text/text.h"

namespace {

// Free system, USER and GDI resources together below this ask first.
constexpr int32_t kLowResources = 60;

const char kNotFound[] = "\"%s\"が見つかりません。";
const char kForbidden[] = "本業に集中しなさい！";
const char kLowResourceQuestion[] =
    "使用可能なリソースが少なくなっています。これ以上のアプリケーションの起動により、システムが不安定となる可能性"
    "があります。続けますか？";

std::wstring DoubleZeroList(const std::vector<std::string>& names) {
    std::wstring list;
    for (const std::string& name : names) {
        list += Widen(name);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

TShellRequest RequestOf(const TShellStart& start) {
    return TShellRequest{start.Verb, start.File, start.Parameters, start.Directory, start.ShowCmd, nullptr};
}

}  // namespace

void TLauncher::LaunchButton(TBarKind owner, int32_t tag) {
    TVantorManager* pages = FHost.LaunchPages(owner);
    if (!pages || pages->CurrentPage() < 0 || pages->CurrentPage() >= pages->Count()) return;
    TVantorPage& page = *pages->Pages(pages->CurrentPage());
    if (tag < 0 || tag >= page.Count()) return;
    if (FServices.IsCtrlDown()) {
        OpenThisFolder(page.Buttons(tag)->LinkTo);
        return;
    }
    if (FHost.LaunchSettings().ResourceWarning && FHost.LaunchFreeResources() < kLowResources &&
        !FHost.LaunchConfirmBox(kLowResourceQuestion))
        return;
    FHost.EntryStarted(owner, tag);
    // A copy: the history update below may rebuild the page the entry is on.
    TVantorButton entry;
    entry.CopyDataFrom(*page.Buttons(tag));
    if (entry.Forbidden && FServices.Random(5) != 0) {
        FHost.LaunchErrorBox(kForbidden);
        return;
    }
    FHost.LaunchSound("Launch");
    AddToHistory(entry);
    Execute(entry.LinkTo, entry.Arguments, entry.ShowCmd, entry.WorkingDir);
}

void TLauncher::Execute(const std::string& target, const std::string& parameters, int showCmd,
                        const std::string& directory) {
    if (IsWebAddress(target)) {
        FServices.StartShell(FHost.LaunchOwner(), {"open", target, parameters, directory, showCmd, nullptr});
        return;
    }
    Start(TStart{target, nullptr, parameters, showCmd, directory});
}

void TLauncher::ExecuteItem(LPCITEMIDLIST item, const std::string& parameters, int showCmd,
                            const std::string& directory) {
    const std::string path = IDListToPath(item);
    // An object without a path (a Control Panel item) is the shell's alone.
    if (path.empty()) {
        FServices.StartShell(FHost.LaunchOwner(), {"", "", parameters, directory, showCmd, item});
        return;
    }
    Start(TStart{path, ShareIDList(CopyIDList(item)), parameters, showCmd, directory});
}

void TLauncher::Start(TStart start) {
    const std::string target = start.Target;
    FProbe.Ask(target, start.Item ? tqKind : tqItem,
               [this, start = std::move(start)](const TTargetAnswer& answer) { StartAs(start, answer); });
}

void TLauncher::StartAs(const TStart& start, const TTargetAnswer& answer) {
    switch (answer.Facts.Kind) {
        case TTargetKind::Missing:
            // Told once; a try after the user put it back looks again.
            FProbe.Forget(start.Target);
            FHost.LaunchErrorBox(Format(kNotFound, start.Target));
            return;
        case TTargetKind::Folder:
            StartFolder(start.Target, start.ShowCmd);
            return;
        default:
            break;
    }
    // A file, or a target whose drive did not answer: the shell starts it
    // and says what goes wrong.
    const TSharedIDList item = start.Item ? start.Item : answer.Item;
    const std::string directory = ::StartFolder(start.Directory, start.Target);
    if (item)
        FServices.StartShell(FHost.LaunchOwner(), {"", "", start.Parameters, directory, start.ShowCmd, item.get()});
    else
        FServices.StartShell(FHost.LaunchOwner(),
                             {"", start.Target, start.Parameters, directory, start.ShowCmd, nullptr});
}

void TLauncher::StartFolder(const std::string& path, int showCmd) {
    const TVantorManager& settings = FHost.LaunchSettings();
    const int32_t filerType = settings.FilerType();
    const std::string filer = settings.FilerName;
    auto start = [this, filerType, filer, path, showCmd](bool filerExists) {
        if (auto request = FolderStart(filerType, filer, filerExists, path, showCmd))
            FServices.StartShell(FHost.LaunchOwner(), RequestOf(*request));
    };
    if (filerType != 2 || filer.empty()) {
        start(false);
        return;
    }
    // A filer whose drive does not answer is tried all the same.
    FProbe.Ask(filer, tqKind, [start](const TTargetAnswer& answer) {
        const TTargetKind kind = answer.Facts.Kind;
        start(kind == TTargetKind::File || kind == TTargetKind::Unknown);
    });
}

void TLauncher::OpenThisFolder(const std::string& target) {
    // Asked as a start would ask, so opening the target itself needs no
    // second look.
    FProbe.Ask(target, tqItem, [this, target](const TTargetAnswer& answer) {
        Execute(FolderToOpen(target, answer.Facts.Kind), "", SW_SHOW, "");
    });
}

void TLauncher::AddToHistory(const TVantorButton& entry) {
    TVantorManager* history = FHost.LaunchPages(TBarKind::HistoryBar);
    if (!history || history->CurrentPage() < 0 || history->CurrentPage() >= history->Count()) return;
    if (AddToHistoryPage(*history->Pages(history->CurrentPage()), entry)) FHost.PageChanged(TBarKind::HistoryBar);
}

void TLauncher::DropFilesOnPage(const std::vector<std::string>& files, int32_t entryIndex, TBarKind target,
                                TVantorPage& page) {
    std::vector<std::string> names;
    names.reserve(files.size());
    for (const std::string& file : files) names.push_back(CanonicalPath(file));
    SortDroppedNames(names);

    if (entryIndex >= 0 && entryIndex < page.Count()) {
        TVantorButton entry;
        entry.CopyDataFrom(*page.Buttons(entryIndex));
        if (entry.IsSeparator()) return;  // a separator takes no files
        if (IsProgramTarget(entry.LinkTo)) {
            DropOnProgram(entry, names);
            AddToHistory(entry);
        } else {
            const std::string folder = entry.LinkTo;
            FProbe.Ask(folder, tqKind, [this, folder, names](const TTargetAnswer& answer) {
                if (answer.Facts.Kind == TTargetKind::Folder) DropInFolder(folder, names);
            });
        }
        return;
    }
    if (target == TBarKind::KeywordBar || target == TBarKind::HistoryBar) return;
    for (const std::string& name : names)
        if (!page.AddFile(name)) break;
    FHost.PageChanged(target);
}

void TLauncher::DropOnProgram(const TVantorButton& entry, const std::vector<std::string>& files) {
    for (const std::string& arguments : DropArguments(entry.Arguments, files, FServices.IsCtrlDown()))
        Execute(entry.LinkTo, arguments, entry.ShowCmd, entry.WorkingDir);
}

// One operation for all files (one undo step, one set of questions). Each
// file is given its own destination inside the folder: the same result as
// naming the folder once, and the form every shell implementation handles.
void TLauncher::DropInFolder(const std::string& target, const std::vector<std::string>& files) {
    std::vector<std::string> destinations;
    const std::string folder = IncludeTrailingBackslash(target);
    for (const std::string& file : files) destinations.push_back(folder + ExtractFileName(file));
    const std::wstring from = DoubleZeroList(files);
    const std::wstring to = DoubleZeroList(destinations);
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = FHost.LaunchOwner();
    operation.wFunc = FServices.IsCtrlDown() ? FO_COPY : FO_MOVE;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_MULTIDESTFILES;
    SHFileOperationW(&operation);
}
