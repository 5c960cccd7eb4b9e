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

bool AttributesReadable(const std::string& path, DWORD& attributes) {
    attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES;
}

bool PathExists(const std::string& path) {
    DWORD attributes;
    return AttributesReadable(path, attributes);
}

bool IsFolder(const std::string& path) {
    DWORD attributes;
    return AttributesReadable(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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
    if (!PathExists(target)) {
        FHost.LaunchErrorBox(Format(kNotFound, target));
        return;
    }
    TIDList item(PathToIDList(target));
    if (item) ExecuteItem(item.get(), parameters, showCmd, directory);
}

void TLauncher::ExecuteItem(LPCITEMIDLIST item, const std::string& parameters, int showCmd,
                            const std::string& directory) {
    const std::string path = IDListToPath(item);
    if (!path.empty() && !PathExists(path)) {
        FHost.LaunchErrorBox(Format(kNotFound, path));
        return;
    }
    if (!path.empty() && IsFolder(path)) {
        StartFolder(path, showCmd);
        return;
    }
    FServices.StartShell(FHost.LaunchOwner(), {"", "", parameters, ::StartFolder(directory, path), showCmd, item});
}

void TLauncher::StartFolder(const std::string& path, int showCmd) {
    const TVantorManager& settings = FHost.LaunchSettings();
    const bool filerExists = settings.FilerType() == 2 && FPlatform.FileExists(settings.FilerName);
    if (auto start = FolderStart(settings.FilerType(), settings.FilerName, filerExists, path, showCmd))
        FServices.StartShell(FHost.LaunchOwner(), RequestOf(*start));
}

void TLauncher::OpenThisFolder(const std::string& target) {
    DWORD attributes;
    if (!AttributesReadable(target, attributes) || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        Execute(target, "", SW_SHOW, "");
    else
        Execute(ExtractFileDir(target), "", SW_SHOW, "");
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
        if (IsProgramTarget(entry.LinkTo)) {
            DropOnProgram(entry, names);
            AddToHistory(entry);
        } else if (IsFolder(entry.LinkTo)) {
            DropInFolder(entry, names);
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
void TLauncher::DropInFolder(const TVantorButton& entry, const std::vector<std::string>& files) {
    std::vector<std::string> destinations;
    const std::string folder = IncludeTrailingBackslash(entry.LinkTo);
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
